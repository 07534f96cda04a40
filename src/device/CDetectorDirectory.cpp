#include "CDetectorDirectory.h"

#include <vexa/BackupDevice.h>

#include "CSingleDetectiPhone.h"

namespace {

QString Property(const DeviceInfo* record, int property) {
    return record && record->properties[property] ? QString::fromUtf8(record->properties[property])
                                                  : QString();
}

} // namespace

const CDetectorDirectory& CDetectorDirectory::Instance() {
    static const CDetectorDirectory directory;
    return directory;
}

QList<CConnectedDevice> CDetectorDirectory::ConnectedDevices() const {
    CSingleDetectiPhone* detector = CSingleDetectiPhone::Instance();
    const QMap<int, IVexaManager*> managers = detector->Managers();
    const QMap<int, DeviceInfo*> records = detector->Records();
    QList<CConnectedDevice> devices;
    for (auto it = managers.cbegin(); it != managers.cend(); ++it) {
        DeviceInfo* record = records.value(it.key());
        // A backup opened for reading is neither backed up, restored onto nor a side of a transfer.
        if (!it.value() || !record || IsBackupDeviceHandle(it.key()))
            continue;
        CConnectedDevice device;
        device.manager = it.value();
        device.record = record;
        device.name = Property(record, DP_DeviceName);
        device.serialNumber = Property(record, DP_SerialNumber);
        device.deviceClass = Property(record, DP_DeviceClass);
        device.udid = Property(record, DP_UniqueDeviceID);
        devices.append(device);
    }
    return devices;
}

bool CDetectorDirectory::IsConnected(IVexaManager* manager) const {
    if (!manager)
        return false;
    const QMap<int, IVexaManager*> managers = CSingleDetectiPhone::Instance()->Managers();
    return std::find(managers.cbegin(), managers.cend(), manager) != managers.cend();
}
