#pragma once

#include <QStringList>

#include "QBaseDetailsView.h"

// The photos category of one device (object name "PhotoView").
class QPhotoView : public QBaseDetailsView {
    Q_OBJECT
public:
    QPhotoView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    // The folder of this device below the work folder, "/<unique device id>".
    void SetDeviceFolder(const QString& folder) { m_deviceFolder = folder; }
    QString DeviceFolder() const { return m_deviceFolder; }

signals:
    void emitRefreshPhotosNode(int deviceHandle);

protected:
    QString Caption() const override;
    QStringList ColumnTitles() const override;
    void EmitRefresh() override;

private:
    QString m_deviceFolder;
};
