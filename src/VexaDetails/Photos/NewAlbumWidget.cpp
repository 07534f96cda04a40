#include "NewAlbumWidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "QProUtil.h"
#include "RetractLabel.h"

namespace {
const char* const kButtonStyle =
    "QPushButton{color:white;background:rgb(99,165,181);border:none;border-radius:4px;padding:4px 10px;}"
    "QPushButton:hover{background:rgb(122,190,204);}"
    "QPushButton:disabled{background:rgb(190,215,222);}";
} // namespace

NewAlbumWidget::NewAlbumWidget(QWidget* parent)
    : QImageDialog(parent)
    , m_title(new QLabel(this))
    , m_prompt(new QLabel(this))
    , m_edit(new QLineEdit(this))
    , m_btnOk(new QPushButton(this))
    , m_btnCancel(new QPushButton(this))
    , m_btnClose(new QPushButton(this)) {
    setObjectName(QStringLiteral("NewAlbumWidget"));
    setModal(true);
    resize(400, 180);
    m_title->setGeometry(14, 9, 300, 22);
    m_title->setStyleSheet(QStringLiteral("color:rgb(66,127,142);font-size:16px;font-weight:800"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_btnClose->setGeometry(330, 8, 60, 24);
    m_btnClose->setStyleSheet(QStringLiteral("QPushButton{color:rgb(66,127,142);border:none;}"
                                             "QPushButton:hover{text-decoration:underline;}"));
    m_prompt->setGeometry(30, 52, 340, 20);
    m_prompt->setStyleSheet(QStringLiteral("color:rgb(66,127,142);"));
    m_edit->setObjectName(QStringLiteral("m_nameEdit"));
    m_edit->setGeometry(30, 78, 340, 28);
    m_edit->setMaxLength(RetractLabel::kMaxNameLength);
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnOk->setGeometry(180, 132, 90, 30);
    m_btnOk->setStyleSheet(QString::fromLatin1(kButtonStyle));
    m_btnOk->setEnabled(false);
    m_btnOk->setDefault(true);
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnCancel->setGeometry(280, 132, 90, 30);
    m_btnCancel->setStyleSheet(QString::fromLatin1(kButtonStyle));
    connect(m_btnOk, &QPushButton::clicked, this, &NewAlbumWidget::OnBtnOk);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_edit, &QLineEdit::textEdited, this, &NewAlbumWidget::OnTextEdited);
    connect(m_edit, &QLineEdit::returnPressed, this, &NewAlbumWidget::OnBtnOk);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &NewAlbumWidget::OnLanguageChanged);
    OnLanguageChanged();
}

void NewAlbumWidget::OnTextEdited(const QString& text) {
    if (RetractLabel::HasForbiddenCharacter(text)) {
        const QSignalBlocker blocker(m_edit);
        m_edit->setText(m_previous);
    } else {
        m_previous = text;
    }
    m_btnOk->setEnabled(!m_edit->text().trimmed().isEmpty());
}

void NewAlbumWidget::OnBtnOk() {
    const QString name = m_edit->text().trimmed();
    if (name.isEmpty() || RetractLabel::HasForbiddenCharacter(name)) {
        return;
    }
    emit emitClickOk(name);
    accept();
}

void NewAlbumWidget::OnLanguageChanged() {
    setWindowTitle(tr("New Album"));
    m_title->setText(tr("New Album"));
    m_prompt->setText(tr("Album name:"));
    m_btnOk->setText(tr("Ok"));
    m_btnCancel->setText(tr("Cancle"));
    m_btnClose->setText(tr("Close"));
}
