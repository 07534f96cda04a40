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
    // A backup opened for reading: a transfer may copy from it, nothing is written to it.
    bool backup = false;
};

// Where the windows of this module learn which devices are connected. The navigation widget hands one
// in; the windows never keep a manager longer than a lease on it (CDeviceLease) allows.
class IDeviceDirectory {
public:
    virtual ~IDeviceDirectory() = default;
    virtual QList<CConnectedDevice> ConnectedDevices() const = 0;
    // The backups open in the navigation tree, shown as devices (`backup` set).
    virtual QList<CConnectedDevice> OpenBackups() const { return {}; }
    // Whether the manager still belongs to a connected device; callable from any thread.
    virtual bool IsConnected(IVexaManager* manager) const = 0;
};
