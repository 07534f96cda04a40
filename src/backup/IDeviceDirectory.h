#pragma once

#include <QList>
#include <QString>

class IVexaManager;
struct DeviceInfo;

// One connected device as the backup, restore and transfer windows see it.
struct CConnectedDevice {
    IVexaManager* manager = nullptr;
    DeviceInfo* record = nullptr;
    QString name;
    QString serialNumber;
    QString deviceClass;
    QString udid;
};

// Where the windows of this module learn which devices are connected. The navigation widget hands one
// in; the windows never keep a manager longer than a lease on it (CDeviceLease) allows.
class IDeviceDirectory {
public:
    virtual ~IDeviceDirectory() = default;
    virtual QList<CConnectedDevice> ConnectedDevices() const = 0;
    // Whether the manager still belongs to a connected device; callable from any thread.
    virtual bool IsConnected(IVexaManager* manager) const = 0;
};
