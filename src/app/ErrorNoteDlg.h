#pragma once

#include "QImageDialog.h"

class QImageButton;

// Asks, after a crash, whether the dump may be sent. Closes with 1 for "Send", 0 otherwise.
class ErrorNoteDlg : public QImageDialog {
    Q_OBJECT
public:
    explicit ErrorNoteDlg(QWidget* parent = nullptr);

public slots:
    void OnBtnSend();
    void OnBtnClose();
    void OnLanguageChanged();

private:
    void LoadImages();

    QImageButton* m_btnSend;
    QImageButton* m_btnNo;
    QImageButton* m_btnClose;
};
