#include "UsbSnapshot.h"

#include <cstdlib>

#include <vexa/VexaResult.h>

#include "BackupStaging.h"
#include "UsbDevice.h"
#include "UsbDeviceBackup.h"

namespace fs = std::filesystem;

namespace vexa::usb {

UsbSnapshot::UsbSnapshot(std::shared_ptr<UsbDevice> device)
    : m_device(std::move(device))
    , m_folder(FolderOf(m_device->Udid())) {}

fs::path UsbSnapshot::FolderOf(const std::string& udid) {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    fs::path base;
    if (cache != nullptr && *cache == '/') {
        base = cache;
    } else {
        base = fs::path(home != nullptr ? home : "/tmp") / ".cache";
    }
    std::string name = udid;
    for (char& c : name) {
        c = c == '/' ? '_' : c;
    }
    return base / "vexa-transfer" / "snapshots" / (name.empty() || name[0] == '.' ? "_" + name : name);
}

int UsbSnapshot::Refresh(BackupProgressCallback progress, void* context) {
    int finished = 0;
    {
        std::lock_guard lock(m_mutex);
        finished = m_refreshes;
    }
    std::lock_guard refreshing(m_refreshMutex);
    {
        // A snapshot that was taken while this one waited is as new as this one would be.
        std::lock_guard lock(m_mutex);
        if (m_refreshes != finished && m_lastRefreshResult == VEXA_OK) {
            return VEXA_OK;
        }
    }
    UsbDeviceBackup backup(*m_device, progress, context);
    backup.KeepOutOfHistory();
    const int result = backup.Backup(m_folder);
    std::lock_guard lock(m_mutex);
    ++m_refreshes;
    m_lastRefreshResult = result;
    if (result == VEXA_OK) {
        m_content.reset(); // opened again on the next read
    }
    return result;
}

int UsbSnapshot::open(const std::function<bool()>& cancelled) {
    if (m_content) {
        return VEXA_OK;
    }
    auto content = std::make_unique<BackupContent>();
    if (int result = content->Open(m_folder.c_str()); result != VEXA_OK) {
        return result;
    }
    // The folder is named for the device; one that says it is of another device is not read.
    if (content->Summary().uniqueId != m_device->Udid()) {
        return VEXA_E_NOT_A_BACKUP;
    }
    if (content->Encrypted()) {
        if (m_password.empty()) {
            return VEXA_E_PASSWORD;
        }
        if (int result = content->Unlock(m_password.c_str(), cancelled); result != VEXA_OK) {
            return result;
        }
    }
    m_content = std::move(content);
    return VEXA_OK;
}

int UsbSnapshot::With(const std::function<int(BackupContent&)>& read) {
    bool taken = false;
    {
        std::lock_guard lock(m_mutex);
        taken = m_content || BackupStaging::HasEarlier(m_folder);
    }
    if (!taken) {
        if (int result = Refresh(nullptr, nullptr); result != VEXA_OK) {
            return result;
        }
    }
    std::lock_guard lock(m_mutex);
    if (int result = open(); result != VEXA_OK) {
        return result;
    }
    return read(*m_content);
}

int UsbSnapshot::Unlock(const std::string& password, const std::function<bool()>& cancelled) {
    std::lock_guard lock(m_mutex);
    m_password = password;
    m_content.reset();
    const int result = open(cancelled);
    if (result != VEXA_OK) {
        m_password.clear();
    }
    return result;
}

bool UsbSnapshot::Encrypted() {
    std::lock_guard lock(m_mutex);
    if (m_content) {
        return m_content->Encrypted();
    }
    BackupContent content;
    return content.Open(m_folder.c_str()) == VEXA_OK && content.Encrypted();
}

int64_t UsbSnapshot::Time() {
    std::lock_guard lock(m_mutex);
    if (m_content) {
        return m_content->Summary().backupDate;
    }
    BackupContent content;
    return content.Open(m_folder.c_str()) == VEXA_OK ? content.Summary().backupDate : 0;
}

} // namespace vexa::usb
