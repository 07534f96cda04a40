#include "QInstallDlg.h"

#include <QLabel>
#include <QMovie>

#include "LanguageService.h"
#include "QImageProgressBar.h"
#include "QProUtil.h"

QInstallDlg::QInstallDlg(Mode mode, QWidget* parent)
    : QImageDialog(parent)
    , m_mode(mode) {
    setObjectName(QStringLiteral("QInstallDlg"));
    setModal(true);
    resize(420, 170);
    m_animation = new QLabel(this);
    m_animation->setObjectName(QStringLiteral("m_animation"));
    m_animation->setGeometry(30, 62, 32, 32);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("m_label"));
    m_label->setGeometry(74, 66, 316, 24);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setStyleSheet(QStringLiteral("color:rgb(66,127,142);font-size:13px;"));
    m_progress = new QImageProgressBar(this);
    m_progress->setObjectName(QStringLiteral("m_progress"));
    m_progress->setGeometry(30, 114, 360, 16);
    m_progress->SetRange(0, 100);
    m_progress->SetTextVisible(false);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QInstallDlg::OnLanguageChanged);
    LoadImages();
}

void QInstallDlg::Begin(Mode mode) {
    m_mode = mode;
    m_finished = false;
    m_label->clear();
    m_progress->SetValue(0);
    LoadImages();
    open();
}

void QInstallDlg::LoadImages() {
    const QString root = ResourceRoot();
    SetBackgroundImage(root + (m_mode == Mode::Install
                                   ? QStringLiteral("/image/details/bg_install.png")
                                   : QStringLiteral("/image/details/bg_Uninstalling.png")));
    m_progress->SetSliderImages(root + QStringLiteral("/image/trake_slider2.png"),
                                root + QStringLiteral("/image/trake_slider.png"));
    if (m_movie)
        m_movie->deleteLater();
    m_movie = new QMovie(root + QStringLiteral("/image/details/wait_img.gif"), QByteArray(), this);
    m_animation->setMovie(m_movie);
    m_movie->start();
}

void QInstallDlg::OnLanguageChanged() {
    // The background carries the title words of the current language.
    LoadImages();
}

void QInstallDlg::SetStageText(const QString& text) {
    m_label->setText(text);
}

QString QInstallDlg::StageText() const {
    return m_label->text();
}

void QInstallDlg::setProValue(int value) {
    m_progress->SetValue(value);
}

int QInstallDlg::ProValue() const {
    return int(m_progress->Value());
}

void QInstallDlg::Finish() {
    m_finished = true;
    m_movie->stop();
    QImageDialog::reject();
}

void QInstallDlg::reject() {
    // Escape would hide the window while the device still works; only Finish() closes it.
    if (m_finished)
        QImageDialog::reject();
}
