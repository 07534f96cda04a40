#pragma once

#include <filesystem>

namespace vexa::usb {

// The host's side of a backup folder while a device writes a new backup of itself beside the earlier
// one.
class BackupStaging {
public:
    // Whether `folder` holds a finished backup the device can bring up to date.
    static bool HasEarlier(const std::filesystem::path& folder);
    // Fills the empty `staging` with the earlier backup's entries: hard links where the file system
    // allows, copies elsewhere. The device then changes only what it must; every file it sends replaces
    // the link with a new file, so the earlier backup stays as it was. False when that failed.
    static bool TakeEarlier(const std::filesystem::path& folder, const std::filesystem::path& staging);
    // The bytes of the backup's files, Info.plist (the host's own) left out.
    static uint64_t Size(const std::filesystem::path& folder);
};

// Holds the lock of a backup folder while a backup goes into it, so two backups of the same device
// never write into the same folder at once.
class BackupFolderLock {
public:
    explicit BackupFolderLock(const std::filesystem::path& folder);
    ~BackupFolderLock();
    BackupFolderLock(const BackupFolderLock&) = delete;
    BackupFolderLock& operator=(const BackupFolderLock&) = delete;
    // False when another backup holds the folder (or its lock file could not be made).
    bool Held() const { return m_held; }
    bool Busy() const { return m_busy; }

    static constexpr const char* kFileName = ".vexa-backup.lock";

private:
    int m_fd = -1;
    bool m_held = false;
    bool m_busy = false;
};

} // namespace vexa::usb
