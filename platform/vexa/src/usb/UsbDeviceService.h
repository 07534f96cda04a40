#pragma once

#include <memory>

#include <vexa/VexaServices.h>

#include "sim/ResultArena.h"

namespace vexa::usb {

class UsbDevice;
class UsbSnapshot;

// The device's name, and whole-device backup and restore over mobilebackup2. Conversations and calls
// are read, never changed, from the device's snapshot.
class UsbDeviceService : public IDeviceService {
public:
    UsbDeviceService(std::shared_ptr<UsbDevice> device, std::shared_ptr<UsbSnapshot> snapshot);

    int GetWriteAccess() override { return kContentReadOnlyOnPhone; }
    int GetDeviceHandle() override;
    int GetBackups(BackupRecord** records, int* count) override;
    int BackupDevice(const char16_t* folder, int flags) override;
    int GetMessages(ConversationList** list, int flags) override;
    int GetCallHistory(CallHistoryList** list) override;
    int CopyMessageAttachment(const char* path, const char16_t* localPath) override;
    int RestoreDevice(const char16_t* folder, const char* password) override;
    int SetDeviceName(const char16_t* name) override;
    int BackupDeviceWithProgress(const char16_t* folder, int flags, BackupProgressCallback callback,
                                 void* context) override;
    int RestoreDeviceWithProgress(const char16_t* folder, const char* password,
                                  BackupProgressCallback callback, void* context) override;

private:
    std::shared_ptr<UsbDevice> m_device;
    std::shared_ptr<UsbSnapshot> m_snapshot;
    sim::PerThreadResults<> m_getBackups;
};

} // namespace vexa::usb
