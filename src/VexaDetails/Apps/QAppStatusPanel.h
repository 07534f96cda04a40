#pragma once

#include "QTableStatusPanel.h"

class QImageButton;

// The buttons in an app's status cell: uninstall, back up, and open its documents.
class QAppStatusPanel : public QTableStatusPanel {
    Q_OBJECT
public:
    explicit QAppStatusPanel(QWidget* parent = nullptr);

    // A selected row is drawn in the selection colour, which would swallow the teal buttons: the
    // panel then fills its cell with a light colour of its own.
    void SetHighlighted(bool highlighted);

signals:
    void UnstallApp();
    void BackupApp();
    void SaveDocApp();

private:
    QImageButton* AddButton(const char* objectName, const char* image, const QString& fallback,
                            const QString& tip);
};
