#pragma once

#include <memory>

#include <QPixmap>
#include <QWidget>

class IVexaManager;

namespace Ui {
class QRightFuntionWidget;
}
class QImageButton;

// The home tools column beside the navigation tree: transfer to the computer, to a device, to iTunes,
// backup, restore and the tools window.
class QRightFuntionWidget : public QWidget {
    Q_OBJECT
public:
    explicit QRightFuntionWidget(QWidget* parent = nullptr);
    ~QRightFuntionWidget() override;

    // 1 enables every tool except To device, which keeps its state; 0 disables every transfer tool
    // and leaves Tools enabled. To device therefore stays disabled once it has been disabled.
    void SetToolsEnabled(int enabled);
    // Backup and restore act on connected devices: a backup opened for reading offers neither.
    void ShowToolsFor(IVexaManager* manager);

    QImageButton* Button(const char* objectName) const;

signals:
    void clickPc();
    void clickToDevice();
    void clickToiTunes();
    void clickBackup();
    void clickRestore();
    void clickTools();

public slots:
    void OnLanguageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool InitControls();

    std::unique_ptr<Ui::QRightFuntionWidget> ui;
    QPixmap m_background;
};
