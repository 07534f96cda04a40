#pragma once

#include "QImageDialog.h"

class QImageButton;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the name of a new contact group. exec() returns 1 when a non-empty name is confirmed.
class QGroupNameDlg : public QImageDialog {
    Q_OBJECT
public:
    explicit QGroupNameDlg(QWidget* parent = nullptr);

    QString GroupName() const;
    void SetGroupName(const QString& name);

public slots:
    void OnBtnOk();
    void OnLanguageChanged();

private:
    void UpdateOk();

    QLabel* m_labelTitle;
    QLabel* m_labelPrompt;
    QLineEdit* m_lineEdit;
    QImageButton* m_btnClose;
    QPushButton* m_btnOk;
    QPushButton* m_btnCancel;
};
