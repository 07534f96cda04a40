#include "QRenameDlg.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "DeferredMessage.h"
#include "ImageButtonCaptions.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QProUtil.h"

namespace {
// The device keeps names of up to 255 bytes; longer input is cut by the edit, not refused later.
constexpr int kMaximumNameLength = 255;
} // namespace

QRenameDlg::QRenameDlg(const QString& currentName, QWidget* parent)
    : QImageDialog(parent)
    , m_lineEdit(new QLineEdit(currentName, this))
    , m_btnConfirm(new QImageButton(this))
    , m_btnClose(new QImageButton(this)) {
    setObjectName(QStringLiteral("QRenameDlg"));
    m_lineEdit->setObjectName(QStringLiteral("m_lineEdit"));
    m_btnConfirm->setObjectName(QStringLiteral("m_btnConfirm"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_lineEdit->setMaxLength(kMaximumNameLength);
    m_lineEdit->setMinimumHeight(28);
    m_lineEdit->setStyleSheet(
        QStringLiteral("QLineEdit{border:1px solid rgb(122,190,204);padding-left:6px;color:rgb(0,55,100);}"));
    m_lineEdit->selectAll();

    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(m_btnClose);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_btnConfirm);
    bottom->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 4, 6, 18);
    layout->addLayout(top);
    // Below the title bar and the prompt that the background carries.
    layout->addSpacing(48);
    auto* edit = new QHBoxLayout;
    edit->addWidget(m_lineEdit);
    edit->addSpacing(24);
    layout->addLayout(edit);
    layout->addStretch(1);
    layout->addLayout(bottom);

    InitImages();
    OnLanguageChanged();
    UpdateConfirm();
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnConfirm, &QPushButton::clicked, this, &QRenameDlg::OnBtnConfirm);
    connect(m_lineEdit, &QLineEdit::textChanged, this, &QRenameDlg::UpdateConfirm);
    connect(m_lineEdit, &QLineEdit::returnPressed, this, &QRenameDlg::OnBtnConfirm);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QRenameDlg::OnLanguageChanged);
}

void QRenameDlg::InitImages() {
    const QString root = ResourceRoot();
    bool found = SetBackgroundImage(root + QStringLiteral("/image/Rename-iDevice_bg1.png"));
    found = m_btnClose->SetImages(root + QStringLiteral("/image/btn_close.png")) && found;
    found = m_btnConfirm->SetImages(root + QStringLiteral("/image/status/Confirm_btn.png")) && found;
    if (!found) {
        setFixedSize(380, 180);
        ShowMessageLater(this, tr("QRenameDlg init image fail, please re-install"));
    }
}

void QRenameDlg::OnLanguageChanged() {
    setWindowTitle(tr("Rename"));
    m_btnConfirm->setText(tr("Confirm"));
    m_btnClose->setToolTip(tr("Close"));
    m_lineEdit->setPlaceholderText(tr("Device name"));
    MoveImageButtonCaptions(this);
}

QString QRenameDlg::NewName() const {
    return m_lineEdit->text().trimmed();
}

void QRenameDlg::UpdateConfirm() {
    m_btnConfirm->setEnabled(!NewName().isEmpty());
}

void QRenameDlg::OnBtnConfirm() {
    if (NewName().isEmpty())
        return;
    done(1);
}
