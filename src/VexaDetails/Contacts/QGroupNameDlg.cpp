#include "QGroupNameDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "LanguageService.h"
#include "QImageButton.h"
#include "QProUtil.h"

namespace {

// The device keeps group names of up to 255 bytes.
constexpr int kMaximumNameLength = 255;

const char* const kStyle =
    "QPushButton{min-width:80px;min-height:26px;border:1px solid rgb(122,190,204);border-radius:4px;"
    "background:rgb(122,190,204);color:white;padding:0 10px;}"
    "QPushButton:hover{background:rgb(100,166,182);}"
    "QPushButton:disabled{background:rgb(200,220,226);}"
    "QPushButton#m_btnCancel{background:white;color:rgb(15,67,76);}"
    "QLineEdit{border:1px solid rgb(122,190,204);min-height:26px;padding-left:6px;color:rgb(0,55,100);}"
    "QLabel#m_labelTitle{font-weight:bold;font-size:14px;color:rgb(15,67,76);}";

} // namespace

QGroupNameDlg::QGroupNameDlg(QWidget* parent)
    : QImageDialog(parent)
    , m_labelTitle(new QLabel(this))
    , m_labelPrompt(new QLabel(this))
    , m_lineEdit(new QLineEdit(this))
    , m_btnClose(new QImageButton(this))
    , m_btnOk(new QPushButton(this))
    , m_btnCancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("QGroupNameDlg"));
    m_labelTitle->setObjectName(QStringLiteral("m_labelTitle"));
    m_lineEdit->setObjectName(QStringLiteral("m_lineEdit"));
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    setStyleSheet(QString::fromLatin1(kStyle));
    m_lineEdit->setMaxLength(kMaximumNameLength);
    if (!m_btnClose->SetImages(ResourceRoot() + QStringLiteral("/image/btn_close.png")))
        m_btnClose->setText(QStringLiteral("x"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_labelTitle);
    top->addStretch(1);
    top->addWidget(m_btnClose, 0, Qt::AlignTop);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_btnOk);
    bottom->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 8, 14);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(m_labelPrompt);
    auto* edit = new QHBoxLayout;
    edit->setContentsMargins(0, 0, 8, 0);
    edit->addWidget(m_lineEdit);
    layout->addLayout(edit);
    layout->addStretch(1);
    bottom->setContentsMargins(0, 0, 8, 0);
    layout->addLayout(bottom);
    setFixedSize(380, 170);

    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnOk, &QPushButton::clicked, this, &QGroupNameDlg::OnBtnOk);
    connect(m_lineEdit, &QLineEdit::returnPressed, this, &QGroupNameDlg::OnBtnOk);
    connect(m_lineEdit, &QLineEdit::textChanged, this, &QGroupNameDlg::UpdateOk);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QGroupNameDlg::OnLanguageChanged);
    OnLanguageChanged();
    UpdateOk();
}

QString QGroupNameDlg::GroupName() const {
    return m_lineEdit->text().trimmed();
}

void QGroupNameDlg::SetGroupName(const QString& name) {
    m_lineEdit->setText(name);
}

void QGroupNameDlg::UpdateOk() {
    m_btnOk->setEnabled(!GroupName().isEmpty());
}

void QGroupNameDlg::OnBtnOk() {
    if (!GroupName().isEmpty())
        done(1);
}

void QGroupNameDlg::OnLanguageChanged() {
    setWindowTitle(tr("New Group"));
    m_labelTitle->setText(windowTitle());
    m_labelPrompt->setText(tr("Group name:"));
    m_btnOk->setText(tr("yes"));
    m_btnCancel->setText(tr("cancel"));
    m_btnClose->setToolTip(tr("Close"));
}
