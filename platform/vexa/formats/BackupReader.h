#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "formats/BackupTypes.h"

namespace vexa::formats {

class BackupCipher;

// Reads a backup made by BackupWriter (or an unencrypted device backup of the same layout). Entries whose
// path is empty, absolute or contains ".." are left out, so nothing extracted can leave its target.
class BackupReader {
public:
    BackupReader();
    ~BackupReader();
    BackupReader(const BackupReader&) = delete;
    BackupReader& operator=(const BackupReader&) = delete;

    // 0 ok; kBackupNotABackup, kBackupDamaged, kBackupWrongPassword, kBackupPasswordNeeded otherwise.
    int Open(const std::filesystem::path& folder, const std::string& password);

    const BackupProperties& Properties() const { return m_props; }
    std::vector<BackupFile> Files() const { return m_files; }
    size_t RefusedEntries() const { return m_refused; }
    uint64_t TotalBytes() const;

    // Writes the plain content of a regular file to `to` (its folder is created).
    int Extract(const BackupFile& file, const std::filesystem::path& to) const;

private:
    int readPlists(const std::string& password);
    int readManifest();

    std::filesystem::path m_folder;
    BackupProperties m_props;
    std::vector<BackupFile> m_files;
    std::map<std::string, size_t> m_indexById;
    std::unique_ptr<BackupCipher> m_cipher;
    size_t m_refused = 0;
    bool m_open = false;
};

} // namespace vexa::formats
