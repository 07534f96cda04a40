#pragma once

#include "QImageDialog.h"

class QImageButton;
class QLineEdit;

// Asks for a new device name. exec() returns 1 when the user confirms a non-empty name, 0 otherwise.
class QRenameDlg : public QImageDialog {
    Q_OBJECT
public:
    explicit QRenameDlg(const QString& currentName, QWidget* parent = nullptr);

    QString NewName() const;

public slots:
    void OnBtnConfirm();
    void OnLanguageChanged();

private:
    void InitImages();
    void UpdateConfirm();

    QLineEdit* m_lineEdit;
    QImageButton* m_btnConfirm;
    QImageButton* m_btnClose;
};
