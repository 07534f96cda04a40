#include "ErrorNoteDlg.h"

#include <QDebug>

#include "LanguageService.h"
#include "QImageButton.h"
#include "QProUtil.h"

namespace {

constexpr int kDialogWidth = 630;
constexpr int kDialogHeight = 240;

QImageButton* MakeButton(QWidget* parent, const char* name, const QPoint& position) {
    auto* button = new QImageButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->move(position);
    return button;
}

} // namespace

ErrorNoteDlg::ErrorNoteDlg(QWidget* parent)
    : QImageDialog(parent)
    , m_btnSend(MakeButton(this, "m_btnSend", QPoint(148, 188)))
    , m_btnNo(MakeButton(this, "m_btnNo", QPoint(370, 188)))
    , m_btnClose(MakeButton(this, "m_btnClose", QPoint(596, 1))) {
    setObjectName(QStringLiteral("ErrorNoteDlg"));
    LoadImages();
    connect(m_btnSend, &QImageButton::clicked, this, &ErrorNoteDlg::OnBtnSend);
    connect(m_btnNo, &QImageButton::clicked, this, &ErrorNoteDlg::OnBtnClose);
    connect(m_btnClose, &QImageButton::clicked, this, &ErrorNoteDlg::OnBtnClose);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &ErrorNoteDlg::OnLanguageChanged);
}

void ErrorNoteDlg::OnBtnSend() {
    done(1);
}

void ErrorNoteDlg::OnBtnClose() {
    done(0);
}

void ErrorNoteDlg::OnLanguageChanged() {
    LoadImages();
    update();
}

void ErrorNoteDlg::LoadImages() {
    const QString root = ResourceRoot();
    if (!SetBackgroundImage(root + QStringLiteral("/image/ErrorDump/erro_dump.png"))) {
        qDebug() << "ErrorNoteDlg::LoadImages can't find image, please re-install software";
        resize(kDialogWidth, kDialogHeight);
    }
    // The images carry their captions; the texts stand in for missing images only.
    if (!m_btnSend->SetImages(root + QStringLiteral("/image/ErrorDump/btn_send_error.png"))) {
        m_btnSend->setText(tr("Send"));
        m_btnSend->resize(112, 32);
    }
    if (!m_btnNo->SetImages(root + QStringLiteral("/image/ErrorDump/btn_cancel_error.png"))) {
        m_btnNo->setText(tr("Cancel"));
        m_btnNo->resize(112, 32);
    }
    if (!m_btnClose->SetImages(root + QStringLiteral("/image/button_close.png"))) {
        m_btnClose->setText(QStringLiteral("X"));
        m_btnClose->resize(32, 24);
    }
}
