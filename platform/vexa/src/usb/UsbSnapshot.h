#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include <vexa/BackupContent.h>
#include <vexa/VexaRecords.h>

namespace vexa::usb {

class UsbDevice;

// A phone hands its contacts, messages and calls only to a backup. The snapshot is such a backup the
// library keeps of each device in the user's cache ($XDG_CACHE_HOME/vexa-transfer/snapshots/<udid>),
// made on the first read and brought up to date on Refresh (the device sends what changed since). It is
// read through BackupContent, as any backup. A new snapshot replaces the old one only when complete, so
// an unplug or a cancel leaves the old one readable. Thread-safe; the lists handed out stay valid until
// the next call of their kind.
class UsbSnapshot {
public:
    explicit UsbSnapshot(std::shared_ptr<UsbDevice> device);

    // The snapshot folder of the device `udid`, one for each device.
    static std::filesystem::path FolderOf(const std::string& udid);

    // Takes a new snapshot; `progress` (may be null) hears after each file and may cancel. A refresh
    // asked while another one runs waits for it and shares its result.
    int Refresh(BackupProgressCallback progress, void* context);
    // Reads through the snapshot, taking the first one when there is none. VEXA_E_PASSWORD while the
    // device encrypts its backups and Unlock has not been given the password.
    int With(const std::function<int(BackupContent&)>& read);
    // The backup password of an encrypted snapshot, kept in memory for the session. Deriving the key
    // takes seconds; `cancelled`, asked now and then, stops it with VEXA_E_CANCELLED.
    int Unlock(const std::string& password, const std::function<bool()>& cancelled = {});
    // Whether the last snapshot is encrypted; false when there is none yet.
    bool Encrypted();
    // When the snapshot read now was taken, in Unix seconds; 0 when there is none.
    int64_t Time();

private:
    int open(const std::function<bool()>& cancelled = {});
    int takeSnapshot(BackupProgressCallback progress, void* context);

    std::shared_ptr<UsbDevice> m_device;
    std::filesystem::path m_folder;
    std::mutex m_mutex;
    // Held while a new snapshot is taken; m_refreshes counts the ones finished.
    std::mutex m_refreshMutex;
    int m_refreshes = 0;
    int m_lastRefreshResult = 0;
    std::unique_ptr<BackupContent> m_content;
    std::string m_password;
};

} // namespace vexa::usb
