#pragma once

#include "QImageDialog.h"

class QImageButton;
class QScrollArea;
class QVBoxLayout;

// The "All tools" window: groups of tools, each started from the navigation widget when its button is
// pressed.
class ToolWidget : public QImageDialog {
    Q_OBJECT
public:
    explicit ToolWidget(QWidget* parent = nullptr);

    QList<QImageButton*> ToolButtons() const { return m_toolButtons; }

signals:
    void BtnSenderEmit(QImageButton* button);

public slots:
    void onClickBtn();
    void onBtnclose();
    void onBtnConnectDevice();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool BuildGroups(QVBoxLayout* layout);
    // Backup, Restore and To iDevice, one row of tiles.
    bool AddDeviceTools(QVBoxLayout* layout);
    QImageButton* AddTool(QVBoxLayout* layout, const QString& objectName, const QString& image);

    QImageButton* m_btn_close;
    QScrollArea* m_scroll;
    QImageButton* m_btnConnectDevice;
    QList<QImageButton*> m_toolButtons;
};
