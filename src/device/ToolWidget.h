#pragma once

#include "QImageDialog.h"

class QImageButton;
class QScrollArea;
class QVBoxLayout;

// The "All tools" window: groups of tiles, each started from the navigation widget when it is pressed,
// and a way to the help on connecting a device.
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
    // The tiles of one group, one row.
    bool AddTiles(QVBoxLayout* layout, int group);

    QImageButton* m_btn_close;
    QScrollArea* m_scroll;
    QImageButton* m_btnConnectDevice;
    QList<QImageButton*> m_toolButtons;
};
