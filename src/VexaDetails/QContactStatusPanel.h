#pragma once

#include "QTableStatusPanel.h"

class QImageButton;

// The contacts' status line, with an edit and a transfer button.
class QContactStatusPanel : public QTableStatusPanel {
    Q_OBJECT
public:
    explicit QContactStatusPanel(QWidget* parent = nullptr);

signals:
    void ClickEdit();
    void ClickTransfer();

private:
    QImageButton* m_btnEdit = nullptr;
    QImageButton* m_btnTransfer = nullptr;
};
