#pragma once

#include <memory>

#include <vexa/VexaServices.h>

#include "ResultArena.h"

namespace vexa::sim {

class SimDevice;

// Conversations, calls, the device's name, and whole-device backup and restore.
class SimDeviceService : public IDeviceService {
public:
    SimDeviceService(std::shared_ptr<SimDevice> device, int handle);

    int GetDeviceHandle() override { return m_handle; }
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
    int CopyMessageAttachment(const char* path, const char16_t* localPath) override;

private:
    std::shared_ptr<SimDevice> m_device;
    int m_handle;
    PerThreadResults<> m_getBackups;
    PerThreadResults<> m_getMessages;
    PerThreadResults<> m_getCallHistory;
};

} // namespace vexa::sim
