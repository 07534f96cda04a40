#include "CDetectorDirectory.h"

#include <vexa/BackupDevice.h>

#include "CSingleDetectiPhone.h"

namespace {

QString Property(const DeviceInfo* record, int property) {
    return record && record->properties[property] ? QString::fromUtf8(record->properties[property])
                                                  : QString();
}

// The devices the detector holds, either the plugged ones or the backups opened for reading.
QList<CConnectedDevice> Devices(bool backups) {
    CSingleDetectiPhone* detector = CSingleDetectiPhone::Instance();
    const QMap<int, IVexaManager*> managers = detector->Managers();
    const QMap<int, DeviceInfo*> records = detector->Records();
    QList<CConnectedDevice> devices;
    for (auto it = managers.cbegin(); it != managers.cend(); ++it) {
        DeviceInfo* record = records.value(it.key());
        // A backup opened for reading is neither backed up nor restored onto, and only a transfer's source.
        if (!it.value() || !record || IsBackupDeviceHandle(it.key()) != backups)
            continue;
        CConnectedDevice device;
        device.manager = it.value();
        device.record = record;
        device.name = Property(record, DP_DeviceName);
        device.serialNumber = Property(record, DP_SerialNumber);
        device.deviceClass = Property(record, DP_DeviceClass);
        device.udid = Property(record, DP_UniqueDeviceID);
        device.backup = backups;
        devices.append(device);
    }
    return devices;
}

} // namespace

const CDetectorDirectory& CDetectorDirectory::Instance() {
    static const CDetectorDirectory directory;
    return directory;
}

QList<CConnectedDevice> CDetectorDirectory::ConnectedDevices() const {
    return Devices(false);
}

QList<CConnectedDevice> CDetectorDirectory::OpenBackups() const {
    return Devices(true);
}

bool CDetectorDirectory::IsConnected(IVexaManager* manager) const {
    if (!manager)
        return false;
    const QMap<int, IVexaManager*> managers = CSingleDetectiPhone::Instance()->Managers();
    return std::find(managers.cbegin(), managers.cend(), manager) != managers.cend();
}
