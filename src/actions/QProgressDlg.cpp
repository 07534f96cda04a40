#include "QProgressDlg.h"

#include <QDebug>
#include <QLabel>
#include <QShowEvent>
#include <QTimer>

#include "IDlgProxyProcess.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QImageProgressBar.h"
#include "QProUtil.h"

namespace {
const char* const kMessageStyle = "color:rgb(110,167,180);font-size:12px;";
} // namespace

QProgressDlg::QProgressDlg(const QString& title, QWidget* parent)
    : QImageDialog(parent)
    , m_title(new QLabel(this))
    , m_msg(new QLabel(this))
    , m_note(new QLabel(this))
    , m_btnOk(new QImageButton(this))
    , m_btnCancel(new QImageButton(this))
    , m_btnClose(new QImageButton(this))
    , m_bar(new QImageProgressBar(this))
    , m_titleText(title) {
    setObjectName(QStringLiteral("QProgressDlg"));
    setModal(true);
    resize(654, 167);
    m_title->setObjectName(QStringLiteral("m_title"));
    m_title->setGeometry(13, 9, 311, 21);
    m_title->setStyleSheet(QStringLiteral("color:rgb(66,127,142);font-size:16px;font-weight:800"));
    m_title->setText(title);
    m_msg->setObjectName(QStringLiteral("m_msg"));
    m_msg->setGeometry(30, 50, 451, 21);
    m_msg->setStyleSheet(QLatin1String(kMessageStyle));
    m_note->setObjectName(QStringLiteral("m_note"));
    m_note->setGeometry(40, 110, 521, 21);
    m_note->setStyleSheet(QLatin1String(kMessageStyle));
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnOk->setGeometry(500, 130, 75, 23);
    m_btnOk->setEnabled(false);
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnCancel->setGeometry(350, 140, 75, 23);
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_btnClose->setGeometry(586, 10, 21, 21);
    m_btnClose->setEnabled(false);
    m_bar->setObjectName(QStringLiteral("m_bar"));
    m_bar->setGeometry(30, 80, 533, 16);
    m_bar->SetRange(0, 100);

    connect(m_btnOk, &QPushButton::clicked, this, &QProgressDlg::OnBtnOk);
    connect(m_btnCancel, &QPushButton::clicked, this, &QProgressDlg::OnBtnCancel);
    connect(m_btnClose, &QPushButton::clicked, this, &QProgressDlg::OnBtnClose);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QProgressDlg::OnLanguageChanged);
    RetranslateUi();
    LoadImages();
}

void QProgressDlg::OnLaunch() {}

void QProgressDlg::OnEnd() {
    done(ResultEnd);
}

void QProgressDlg::OnProgress(int progress, int total) {
    if (m_bar->Maximum() != total) {
        m_bar->SetRange(m_bar->Minimum(), total);
    }
    m_bar->SetValue(progress);
}

void QProgressDlg::OnMsg(const char* msg) {
    m_showsMessage = true;
    m_msg->setText(QString::fromUtf8(msg));
}

void QProgressDlg::OnNote(const char* note) {
    m_note->setText(QString::fromUtf8(note));
}

void QProgressDlg::OnBtnOk() {
    if (m_proxy != nullptr) {
        m_proxy->OnOk();
    }
    done(ResultOk);
}

void QProgressDlg::OnBtnCancel() {
    if (m_proxy != nullptr) {
        m_proxy->OnCancel();
    }
    done(ResultCancel);
}

void QProgressDlg::OnBtnClose() {
    if (m_proxy != nullptr) {
        m_proxy->OnClose();
    }
    done(ResultClose);
}

void QProgressDlg::OnLanguageChanged() {
    RetranslateUi();
    LoadImages();
}

void QProgressDlg::showEvent(QShowEvent* event) {
    QImageDialog::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    if (m_proxy != nullptr && !m_proxy->StartProcess()) {
        // No job will ever report its end: close once the dialog is up.
        qDebug() << "QProgressDlg::showEvent can't start the job";
        QTimer::singleShot(0, this, [this] { done(ResultEnd); });
    }
}

void QProgressDlg::RetranslateUi() {
    setWindowTitle(tr("Dialog"));
    if (!m_showsMessage) {
        m_msg->setText(tr("Please wait...."));
    }
    m_btnOk->setText(tr("Ok"));
    m_btnCancel->setText(tr("Cancel"));
    m_btnClose->setText(tr("x"));
}

void QProgressDlg::LoadImages() {
    const QString root = ResourceRoot();
    if (!SetBackgroundImage(root + QStringLiteral("/image/progress_bg.png"))) {
        qDebug() << "QProgressDlg::LoadImages can't find /image/progress_bg.png";
    }
    // The buttons keep the geometry of the form whatever size their images have.
    m_btnOk->SetImages(root + QStringLiteral("/image/OK_btn.png"));
    m_btnClose->SetImages(root + QStringLiteral("/image/btn_close.png"));
    m_btnOk->setGeometry(500, 130, 75, 23);
    m_btnClose->setGeometry(586, 10, 21, 21);
    m_bar->SetSliderImages(root + QStringLiteral("/image/trake_slider2.png"),
                           root + QStringLiteral("/image/trake_slider.png"));
}
