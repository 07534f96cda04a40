#pragma once

#include "QImageDialog.h"

class QImageButton;
class QLineEdit;

// Asks for the password of an encrypted backup (the background image carries the question). OK closes it with
// 0x101; Cancel and close with 0.
class RestorePasswordWidget : public QImageDialog {
    Q_OBJECT
public:
    static constexpr int kAccepted = 0x101;

    explicit RestorePasswordWidget(QWidget* parent = nullptr);

    QString Password() const;
    QLineEdit* PasswordEdit() const { return m_passwordEdit; }

public slots:
    void OnBtnYes();
    void OnBtnCancel();
    void OnLanguageChanged();

private:
    QLineEdit* m_passwordEdit;
    QImageButton* m_btnYes;
    QImageButton* m_btnCancel;
    QImageButton* m_btnClose;
};
