#include "UsbDeviceService.h"

#include <QString>

#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "UsbBackupHistory.h"
#include "UsbDevice.h"
#include "UsbDeviceBackup.h"
#include "UsbSnapshot.h"

namespace vexa::usb {

UsbDeviceService::UsbDeviceService(std::shared_ptr<UsbDevice> device, std::shared_ptr<UsbSnapshot> snapshot)
    : m_device(std::move(device))
    , m_snapshot(std::move(snapshot)) {}

int UsbDeviceService::GetDeviceHandle() {
    return m_device->Handle();
}

int UsbDeviceService::SetDeviceName(const char16_t* name) {
    if (name == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const std::string text = QString::fromUtf16(name).trimmed().toStdString();
    if (text.empty()) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    LockdownSession session(*m_device);
    if (session.Result() != VEXA_OK) {
        return session.Result();
    }
    return session.SetValue(nullptr, "DeviceName", PlistPtr(plist_new_string(text.c_str())));
}

int UsbDeviceService::GetMessages(ConversationList** list, int) {
    if (list == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    *list = nullptr;
    return m_snapshot->With([list](BackupContent& content) { return content.GetMessages(list); });
}

// A phone hands its call history only to an encrypted backup: a plain snapshot holds no call history
// file.
int UsbDeviceService::GetCallHistory(CallHistoryList** list) {
    if (list == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    *list = nullptr;
    return m_snapshot->With([list](BackupContent& content) {
        return content.Encrypted() ? content.GetCallHistory(list) : int(VEXA_E_NOT_FOUND);
    });
}

int UsbDeviceService::CopyMessageAttachment(const char* path, const char16_t* localPath) {
    if (path == nullptr || localPath == nullptr || *localPath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const std::string local = QString::fromUtf16(localPath).toStdString();
    return m_snapshot->With([path, &local](BackupContent& content) {
        return content.CopyMessageAttachment(path, local.c_str());
    });
}

int UsbDeviceService::GetBackups(BackupRecord** records, int* count) {
    if (records == nullptr || count == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const std::vector<sim::BackupEntry> entries = UsbBackupHistory().List(m_device->Udid());
    *records = sim::KeepRecords(m_getBackups.ForCurrentThread(), entries);
    *count = static_cast<int>(entries.size());
    return VEXA_OK;
}

int UsbDeviceService::BackupDevice(const char16_t* folder, int flags) {
    return BackupDeviceWithProgress(folder, flags, nullptr, nullptr);
}

int UsbDeviceService::RestoreDevice(const char16_t* folder, const char* password) {
    return RestoreDeviceWithProgress(folder, password, nullptr, nullptr);
}

int UsbDeviceService::BackupDeviceWithProgress(const char16_t* folder, int flags,
                                               BackupProgressCallback callback, void* context) {
    if (folder == nullptr || *folder == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const std::string path = QString::fromUtf16(folder).toStdString();
    return UsbDeviceBackup(*m_device, callback, context).Backup(path, (flags & BACKUP_FULL) != 0);
}

int UsbDeviceService::RestoreDeviceWithProgress(const char16_t* folder, const char* password,
                                                BackupProgressCallback callback, void* context) {
    if (folder == nullptr || *folder == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const std::string path = QString::fromUtf16(folder).toStdString();
    return UsbDeviceBackup(*m_device, callback, context).Restore(path, password == nullptr ? "" : password);
}

} // namespace vexa::usb
