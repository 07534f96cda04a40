#include <vexa/DeviceSnapshot.h>

#include <vexa/VexaResult.h>

#include "UsbManager.h"
#include "UsbSnapshot.h"

namespace {

std::shared_ptr<vexa::usb::UsbSnapshot> snapshotOf(IVexaManager* manager) {
    auto* usb = dynamic_cast<vexa::usb::UsbManager*>(manager);
    return usb != nullptr ? usb->Snapshot() : nullptr;
}

} // namespace

bool HasDeviceSnapshot(IVexaManager* manager) {
    return snapshotOf(manager) != nullptr;
}

int RefreshDeviceSnapshot(IVexaManager* manager, BackupProgressCallback progress, void* context) {
    const auto snapshot = snapshotOf(manager);
    return snapshot ? snapshot->Refresh(progress, context) : VEXA_E_NOT_SUPPORTED_YET;
}

int UnlockDeviceSnapshot(IVexaManager* manager, const char* passwordUtf8,
                         const std::function<bool()>& cancelled) {
    const auto snapshot = snapshotOf(manager);
    if (!snapshot) {
        return VEXA_E_NOT_SUPPORTED_YET;
    }
    return passwordUtf8 != nullptr && *passwordUtf8 != 0 ? snapshot->Unlock(passwordUtf8, cancelled)
                                                         : VEXA_E_PASSWORD;
}

bool DeviceSnapshotEncrypted(IVexaManager* manager) {
    const auto snapshot = snapshotOf(manager);
    return snapshot && snapshot->Encrypted();
}

int64_t DeviceSnapshotTime(IVexaManager* manager) {
    const auto snapshot = snapshotOf(manager);
    return snapshot ? snapshot->Time() : 0;
}
