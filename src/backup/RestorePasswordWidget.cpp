#include "RestorePasswordWidget.h"

#include <QDebug>
#include <QLineEdit>

#include "CImageCaption.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QProUtil.h"

RestorePasswordWidget::RestorePasswordWidget(QWidget* parent)
    : QImageDialog(parent)
    , m_passwordEdit(new QLineEdit(this))
    , m_btnYes(new QImageButton(this))
    , m_btnCancel(new QImageButton(this))
    , m_btnClose(new QImageButton(this)) {
    setObjectName(QStringLiteral("RestorePasswordWidget"));
    m_passwordEdit->setObjectName(QStringLiteral("m_passwordEdit"));
    m_btnYes->setObjectName(QStringLiteral("m_btnYes"));
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_passwordEdit->setFrame(false);
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_passwordEdit->setStyleSheet(QStringLiteral("background:rgb(216,243,249);padding:4px;"));
    connect(m_btnYes, &QPushButton::clicked, this, &RestorePasswordWidget::OnBtnYes);
    connect(m_btnCancel, &QPushButton::clicked, this, &RestorePasswordWidget::OnBtnCancel);
    connect(m_btnClose, &QPushButton::clicked, this, &RestorePasswordWidget::OnBtnCancel);
    connect(m_passwordEdit, &QLineEdit::returnPressed, this, &RestorePasswordWidget::OnBtnYes);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this,
            &RestorePasswordWidget::OnLanguageChanged);
    OnLanguageChanged();
}

QString RestorePasswordWidget::Password() const {
    return m_passwordEdit->text();
}

void RestorePasswordWidget::OnBtnYes() {
    done(kAccepted);
}

void RestorePasswordWidget::OnBtnCancel() {
    done(0);
}

void RestorePasswordWidget::OnLanguageChanged() {
    const QString root = ResourceRoot();
    bool found = SetBackgroundImage(root + QStringLiteral("/image/14_9_17.png"));
    if (!HasBackgroundImage())
        setFixedSize(400, 200);
    found = m_btnYes->SetImages(root + QStringLiteral("/image/btn_ok.png")) && found;
    found = m_btnCancel->SetImages(root + QStringLiteral("/image/Cancel_btn.png")) && found;
    found = m_btnClose->SetImages(root + QStringLiteral("/image/btn_close.png")) && found;
    if (!found)
        qDebug() << "RestorePasswordWidget::OnLanguageChanged can't find an image";
    CImageCaption::Set(m_btnYes, tr("OK"));
    CImageCaption::Set(m_btnCancel, tr("Cancel"));
    const int w = width();
    m_btnClose->move(w - m_btnClose->width() - 10, 10);
    m_passwordEdit->setGeometry(30, 96, w - 60, 28);
    m_btnYes->move(w / 2 - m_btnYes->width() - 10, height() - 50);
    m_btnCancel->move(w / 2 + 10, height() - 50);
}
