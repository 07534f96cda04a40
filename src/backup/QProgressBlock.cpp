#include "QProgressBlock.h"

#include <QLabel>
#include <QMovie>
#include <QVBoxLayout>

#include "LanguageService.h"
#include "QImageProgressBar.h"

QProgressBlock::QProgressBlock(QWidget* parent)
    : QWidget(parent)
    , m_animation(new QLabel(this))
    , m_movie(new QMovie(this))
    , m_bar(new QImageProgressBar(this))
    , m_detail(new QLabel(this)) {
    m_animation->setObjectName(QStringLiteral("m_progressLabel"));
    m_bar->setObjectName(QStringLiteral("m_progressBar"));
    m_detail->setObjectName(QStringLiteral("m_labelDetail"));
    m_detail->setStyleSheet(QStringLiteral("color:rgb(66,127,142);"));
    m_bar->SetTextVisible(true);
    m_bar->setFixedHeight(16);
    m_animation->setAlignment(Qt::AlignCenter);
    m_animation->setMovie(m_movie);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_animation);
    layout->addWidget(m_bar);
    layout->addWidget(m_detail);
    OnLanguageChanged();
}

void QProgressBlock::Start() {
    m_estimate.Start();
    m_bar->SetRange(0, 1);
    m_bar->SetValue(0);
    m_animation->show();
    m_movie->start();
}

void QProgressBlock::SetProgress(qint64 filesDone, qint64 filesTotal, qint64 bytesDone, qint64 bytesTotal) {
    m_filesDone = filesDone;
    m_filesTotal = filesTotal;
    m_bar->SetRange(0, std::max<qint64>(bytesTotal, 1));
    m_bar->SetValue(bytesTotal > 0 ? bytesDone : (filesDone >= filesTotal ? 1 : 0));
    const QString files = tr("%1 of %2 files").arg(filesDone).arg(filesTotal);
    const QString remaining = m_estimate.RemainingText(bytesDone, bytesTotal);
    m_detail->setText(remaining.isEmpty() ? files : files + QStringLiteral(" - ") + remaining);
}

void QProgressBlock::Finish(bool complete) {
    m_movie->stop();
    m_animation->hide();
    if (complete) {
        m_bar->SetValue(m_bar->Maximum());
        m_detail->setText(tr("%1 of %2 files").arg(m_filesTotal).arg(m_filesTotal));
    }
}

QString QProgressBlock::DetailText() const {
    return m_detail->text();
}

qint64 QProgressBlock::BarValue() const {
    return m_bar->Value();
}

qint64 QProgressBlock::BarMaximum() const {
    return m_bar->Maximum();
}

void QProgressBlock::OnLanguageChanged() {
    const bool running = m_movie->state() == QMovie::Running;
    m_movie->stop();
    m_movie->setFileName(ResourceRoot() + QStringLiteral("/image/progress_moive.gif"));
    if (running)
        m_movie->start();
    m_bar->SetSliderImages(ResourceRoot() + QStringLiteral("/image/trake_slider2.png"),
                           ResourceRoot() + QStringLiteral("/image/trake_slider.png"));
}
