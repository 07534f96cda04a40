#pragma once

#include "IDeviceDirectory.h"

// The connected devices as the detector knows them, for the backup, restore and transfer windows.
class CDetectorDirectory : public IDeviceDirectory {
public:
    static const CDetectorDirectory& Instance();

    QList<CConnectedDevice> ConnectedDevices() const override;
    QList<CConnectedDevice> OpenBackups() const override;
    bool IsConnected(IVexaManager* manager) const override;
};
