#include "QPlayListNameDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "LanguageService.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QProUtil.h"

namespace {

const char* const kStyle =
    "QPushButton{min-width:80px;min-height:26px;border:1px solid rgb(122,190,204);border-radius:4px;"
    "background:rgb(122,190,204);color:white;padding:0 10px;}"
    "QPushButton:hover{background:rgb(100,166,182);}"
    "QPushButton:disabled{background:rgb(200,220,226);}"
    "QLineEdit{border:1px solid rgb(122,190,204);min-height:26px;padding-left:6px;color:rgb(0,55,100);}"
    "QLabel#m_labelTitle{font-weight:bold;font-size:14px;color:rgb(15,67,76);}";

} // namespace

QPlayListNameDlg::QPlayListNameDlg(QWidget* parent)
    : QImageDialog(parent)
    , m_labelTitle(new QLabel(this))
    , m_labelPrompt(new QLabel(this))
    , m_lineEdit(new QLineEdit(this))
    , m_btnClose(new QImageButton(this))
    , m_btnOk(new QPushButton(this)) {
    setObjectName(QStringLiteral("QPlayListNameDlg"));
    m_labelTitle->setObjectName(QStringLiteral("m_labelTitle"));
    m_labelPrompt->setObjectName(QStringLiteral("m_label"));
    m_lineEdit->setObjectName(QStringLiteral("m_lineEdit"));
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    setStyleSheet(QString::fromLatin1(kStyle));
    if (!m_btnClose->SetImages(ResourceRoot() + QStringLiteral("/image/btn_close.png")))
        m_btnClose->setText(QStringLiteral("x"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_labelTitle);
    top->addStretch(1);
    top->addWidget(m_btnClose, 0, Qt::AlignTop);
    auto* edit = new QHBoxLayout;
    edit->setContentsMargins(0, 0, 8, 0);
    edit->addWidget(m_labelPrompt);
    edit->addWidget(m_lineEdit, 1);
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(0, 0, 8, 0);
    bottom->addStretch(1);
    bottom->addWidget(m_btnOk);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 8, 14);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(edit);
    layout->addStretch(1);
    layout->addLayout(bottom);
    setFixedSize(380, 160);

    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnOk, &QPushButton::clicked, this, &QPlayListNameDlg::OnBtnOk);
    connect(m_lineEdit, &QLineEdit::returnPressed, this, &QPlayListNameDlg::OnBtnOk);
    connect(m_lineEdit, &QLineEdit::textChanged, this, &QPlayListNameDlg::UpdateOk);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QPlayListNameDlg::OnLanguageChanged);
    OnLanguageChanged();
    m_lineEdit->setText(tr("New Playlist"));
    m_lineEdit->selectAll();
}

QString QPlayListNameDlg::PlayListName() const {
    return m_lineEdit->text().trimmed();
}

void QPlayListNameDlg::SetPlayListName(const QString& name) {
    m_lineEdit->setText(name);
}

QString QPlayListNameDlg::Problem() const {
    const QString name = PlayListName();
    if (name.isEmpty())
        return tr("Please enter a name for the playlist.");
    if (name.size() > kMaximumNameLength)
        return tr("A playlist name can have at most %1 characters.").arg(kMaximumNameLength);
    if (m_existing.contains(name, Qt::CaseInsensitive))
        return tr("A playlist named \"%1\" already exists.").arg(name);
    return QString();
}

void QPlayListNameDlg::UpdateOk() {
    m_btnOk->setEnabled(!PlayListName().isEmpty());
}

void QPlayListNameDlg::OnBtnOk() {
    // An empty name cannot be confirmed: the button is off until there is one.
    if (PlayListName().isEmpty())
        return;
    const QString problem = Problem();
    if (problem.isEmpty()) {
        done(1);
        return;
    }
    ShowMessage(problem);
}

void QPlayListNameDlg::OnLanguageChanged() {
    setWindowTitle(tr("New Playlist"));
    m_labelTitle->setText(windowTitle());
    m_labelPrompt->setText(tr("Playlist Name:"));
    m_btnOk->setText(tr("OK"));
    m_btnClose->setToolTip(tr("close"));
}
