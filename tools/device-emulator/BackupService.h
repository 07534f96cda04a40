#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "DeviceLink.h"
#include "ServiceContext.h"
#include "formats/Plist.h"

namespace vexa::emulator {

// com.apple.mobilebackup2: whole-device backups and restores in the standard backup layout, driven by
// the device over the device-link protocol; also what the host's last backup holds, and the backup
// password. The simulated device makes the backup into a work folder and streams it to the host
// ("<UDID>/Manifest.db", "<UDID>/ab/ab12..."): only what changed since the host's earlier backup of it,
// unless there is none or the host asks for a full one. A restore pulls the host's backup into a work
// folder and applies it.
class BackupService {
public:
    // The device-link version current devices speak, and the one older host tools still accept.
    static constexpr uint64_t kModernVersion = 400;
    static constexpr uint64_t kLegacyVersion = 300;

    explicit BackupService(ServiceContext& context);
    void Serve();

private:
    bool hello(plist_t request);
    bool backup(plist_t request);
    bool restore(plist_t request);
    // Describes the host's last backup of the device from its Info, Manifest and Status plists.
    bool info(plist_t request);
    // The files of the host's last backup, one CSV line each, read from its Manifest.db.
    bool list(plist_t request);
    // Turns encryption on (NewPassword), off (OldPassword) or changes the password (both).
    bool changePassword(plist_t request);
    // Fetches the named top-level files of the host's backup into `folder`; false when the host went.
    bool fetchBackupFiles(const std::string& udid, const std::vector<std::string>& names,
                          const std::filesystem::path& folder, bool& found);
    bool finish(uint64_t errorCode, const std::string& description, const std::string& content = {});

    bool createDirectories(const std::string& udid, const std::vector<std::string>& relativePaths);
    bool uploadFiles(const std::filesystem::path& folder, const std::string& udid,
                     const std::vector<std::string>& relativePaths, uint64_t total);
    bool uploadFile(const std::filesystem::path& file, const std::string& name);
    // Lists the host's backup of `udid` through DLContentsOfDirectory, one level at a time.
    // Without `recursive`, the top level's folders go to `folders` (may be null).
    bool listHostBackup(const std::string& udid, std::vector<std::string>& relativePaths,
                        bool recursive = true, std::vector<std::string>* folders = nullptr);
    // Fetches the files; with `partly` the host may lack some of them.
    bool downloadFiles(const std::string& udid, const std::vector<std::string>& relativePaths,
                       const std::filesystem::path& folder, bool partly = false);
    // Tells the host to delete these entries of its backup.
    bool removeHostItems(const std::string& udid, const std::vector<std::string>& relativePaths);
    bool receiveFile(const std::filesystem::path& folder, const std::string& udid, bool& more);

    ServiceContext& m_context;
    DeviceLink m_link;
    std::vector<char> m_chunk;
};

} // namespace vexa::emulator
