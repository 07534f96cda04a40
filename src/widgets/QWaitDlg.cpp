#include "QWaitDlg.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>

#include "QBusyIndicator.h"
#include "QUtilThread.h"
#include "WidgetColors.h"

namespace {
constexpr int kWatchIntervalMs = 50;
} // namespace

QWaitDlg::QWaitDlg(QWidget* parent)
    : QImageDialog(parent)
    , m_animation(new QLabel(this))
    , m_indicator(new QBusyIndicator(this))
    , m_labelText(new QLabel(this)) {
    setObjectName(QStringLiteral("QWaitDlg"));
    setModal(true);
    setMinimumSize(320, 96);
    m_animation->hide();
    m_labelText->setObjectName(QStringLiteral("m_labelText"));
    m_labelText->setWordWrap(true);
    m_labelText->setText(tr("Please wait..."));
    m_labelText->setStyleSheet(QStringLiteral("color: %1;").arg(WidgetColors::kText.name()));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(16);
    layout->addWidget(m_animation);
    layout->addWidget(m_indicator);
    layout->addWidget(m_labelText, 1);

    m_watchTimer.setInterval(kWatchIntervalMs);
    connect(&m_watchTimer, &QTimer::timeout, this, &QWaitDlg::CheckWorker);
}

QWaitDlg::~QWaitDlg() = default;

void QWaitDlg::SetText(const QString& text) {
    m_labelText->setText(text);
}

QString QWaitDlg::Text() const {
    return m_labelText->text();
}

bool QWaitDlg::SetAnimation(const QString& path) {
    auto* movie = new QMovie(path, QByteArray(), this);
    if (!movie->isValid()) {
        qDebug() << "QWaitDlg::SetAnimation can't load" << path;
        delete movie;
        return false;
    }
    delete m_movie;
    m_movie = movie;
    m_animation->setMovie(m_movie);
    m_animation->show();
    m_indicator->hide();
    m_movie->start();
    return true;
}

void QWaitDlg::Watch(const QUtilThread* worker) {
    m_worker = worker;
    m_watchTimer.start();
    CheckWorker();
}

int QWaitDlg::exec() {
    // The work may have ended between starting it and showing this dialog.
    if (m_finished) {
        return QDialog::Accepted;
    }
    return QDialog::exec();
}

void QWaitDlg::Finish() {
    m_finished = true;
    m_watchTimer.stop();
    if (m_movie != nullptr) {
        m_movie->stop();
    }
    accept();
}

void QWaitDlg::reject() {
    // Escape and the window manager's close must not hide the dialog while the work goes on.
}

void QWaitDlg::CheckWorker() {
    if (m_worker == nullptr || !m_worker->IsRunning()) {
        Finish();
    }
}
