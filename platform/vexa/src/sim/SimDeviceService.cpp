#include "SimDeviceService.h"

#include <filesystem>
#include <vector>

#include <vexa/VexaResult.h>

#include "BackupHistory.h"
#include "ContentServices.h"
#include "DeviceBackup.h"
#include "SimDevice.h"
#include "TextCodec.h"
#include "content/MessageStore.h"
#include "content/SimCallHistory.h"

namespace fs = std::filesystem;

namespace vexa::sim {

namespace {
constexpr size_t kMaxDeviceNameBytes = 255;
}

SimDeviceService::SimDeviceService(std::shared_ptr<SimDevice> device, int handle)
    : m_device(std::move(device))
    , m_handle(handle) {}

int SimDeviceService::GetBackups(BackupRecord** records, int* count) {
    if (records == nullptr || count == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    *records = nullptr;
    *count = 0;
    if (int check = m_device->CheckCall("GetBackups"); check != VEXA_OK) {
        return check;
    }
    std::vector<BackupEntry> entries;
    if (int result = BackupHistory(m_device->Database()).List(m_device->Udid(), entries); result != VEXA_OK) {
        return result;
    }
    // A backup folder the user has since deleted or emptied is no longer offered.
    std::error_code error;
    std::erase_if(entries, [&error](const BackupEntry& entry) {
        return !fs::exists(fs::path(entry.folder) / "Manifest.plist", error);
    });
    *records = KeepRecords(m_getBackups.ForCurrentThread(), entries);
    *count = static_cast<int>(entries.size());
    return VEXA_OK;
}

int SimDeviceService::BackupDevice(const char16_t* folder, int flags) {
    return BackupDeviceWithProgress(folder, flags, nullptr, nullptr);
}

int SimDeviceService::BackupDeviceWithProgress(const char16_t* folder, int flags,
                                               BackupProgressCallback callback, void* context) {
    if (folder == nullptr || *folder == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (int check = m_device->CheckCall("BackupDevice"); check != VEXA_OK) {
        return check;
    }
    return DeviceBackup(m_device, callback, context).Backup(ToUtf8(folder), (flags & BACKUP_FULL) != 0);
}

int SimDeviceService::GetMessages(ConversationList** list, int /*flags*/) {
    if (list == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    *list = nullptr;
    if (int check = m_device->CheckCall("GetMessages"); check != VEXA_OK) {
        return check;
    }
    auto& arena = m_getMessages.ForCurrentThread();
    arena.Clear();
    return ReadConversations(*m_device, arena, list);
}

int SimDeviceService::CopyMessageAttachment(const char* path, const char16_t* localPath) {
    if (path == nullptr || localPath == nullptr || *localPath == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (int check = m_device->CheckCall("CopyMessageAttachment"); check != VEXA_OK) {
        return check;
    }
    const fs::path source = MessageStore::AttachmentFile(m_device->Folder(), path);
    std::error_code error;
    if (source.empty() || !fs::is_regular_file(source, error)) {
        return VEXA_E_NOT_FOUND;
    }
    const fs::path target = fs::u8path(ToUtf8(localPath));
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    if (error) {
        std::error_code ignored;
        fs::remove(target, ignored);
        return VEXA_E_IO;
    }
    return VEXA_OK;
}

int SimDeviceService::GetCallHistory(CallHistoryList** list) {
    if (list == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    *list = nullptr;
    if (int check = m_device->CheckCall("GetCallHistory"); check != VEXA_OK) {
        return check;
    }
    auto& arena = m_getCallHistory.ForCurrentThread();
    arena.Clear();
    return ReadCallHistory(*m_device, arena, list);
}

int SimDeviceService::RestoreDevice(const char16_t* folder, const char* password) {
    return RestoreDeviceWithProgress(folder, password, nullptr, nullptr);
}

int SimDeviceService::RestoreDeviceWithProgress(const char16_t* folder, const char* password,
                                                BackupProgressCallback callback, void* context) {
    if (folder == nullptr || *folder == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (int check = m_device->CheckCall("RestoreDevice"); check != VEXA_OK) {
        return check;
    }
    return DeviceBackup(m_device, callback, context)
        .Restore(ToUtf8(folder), password == nullptr ? std::string() : password);
}

int SimDeviceService::SetDeviceName(const char16_t* name) {
    if (name == nullptr || *name == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const std::string text = ToUtf8(name);
    if (text.size() > kMaxDeviceNameBytes) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (int check = m_device->CheckCall("SetDeviceName"); check != VEXA_OK) {
        return check;
    }
    return m_device->UpdateInfo(
        [&text](DeviceInfoFile& info) { info.profile.properties["DeviceName"] = text; });
}

} // namespace vexa::sim
