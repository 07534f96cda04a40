#pragma once

#include <memory>

#include <vexa/VexaServices.h>

#include "sim/ResultArena.h"

namespace vexa::usb {

class UsbDevice;

// The device's name, and whole-device backup and restore over mobilebackup2. Conversations and calls
// are not read from a real device yet.
class UsbDeviceService : public IDeviceService {
public:
    explicit UsbDeviceService(std::shared_ptr<UsbDevice> device);

    int GetDeviceHandle() override;
    int GetBackups(BackupRecord** records, int* count) override;
    int BackupDevice(const char16_t* folder, int flags) override;
    int GetMessages(ConversationList** list, int flags) override;
    int GetCallHistory(CallHistoryList** list) override;
    int RestoreDevice(const char16_t* folder, const char* password) override;
    int SetDeviceName(const char16_t* name) override;
    int BackupDeviceWithProgress(const char16_t* folder, int flags, BackupProgressCallback callback,
                                 void* context) override;
    int RestoreDeviceWithProgress(const char16_t* folder, const char* password,
                                  BackupProgressCallback callback, void* context) override;

private:
    std::shared_ptr<UsbDevice> m_device;
    sim::PerThreadResults<> m_getBackups;
};

} // namespace vexa::usb
