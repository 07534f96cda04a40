#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "formats/BackupTypes.h"

namespace vexa::formats {

class BackupKeyBag;

// Reads a backup made by BackupWriter or by another tool of the same layout, encrypted ones included. Entries
// whose path is empty, absolute or contains ".." are left out, so nothing extracted can leave its target.
class BackupReader {
public:
    BackupReader();
    ~BackupReader();
    BackupReader(const BackupReader&) = delete;
    BackupReader& operator=(const BackupReader&) = delete;

    // 0 ok; kBackupNotABackup, kBackupDamaged, kBackupWrongPassword, kBackupPasswordNeeded otherwise.
    int Open(const std::filesystem::path& folder, const std::string& password);
    // Hears the number of entries read so far while Open reads the manifest, which takes a while for a
    // backup of many files.
    void SetReadListener(std::function<void(size_t)> listener) { m_readListener = std::move(listener); }

    const BackupProperties& Properties() const { return m_props; }
    std::vector<BackupFile> Files() const { return m_files; }
    size_t RefusedEntries() const { return m_refused; }
    uint64_t TotalBytes() const;

    // Writes the plain content of a regular file to `to` (its folder is created).
    int Extract(const BackupFile& file, const std::filesystem::path& to) const;
    // Extract for a record read elsewhere: `stored.source` is its stored file, `keyBag` the unlocked
    // keybag of an encrypted backup or null. The content goes through a temporary name, so `to` is either
    // complete or not there; `problem` (may be null) hears what went wrong in a few words.
    static int ExtractStored(const BackupKeyBag* keyBag, const BackupFile& stored,
                             const std::filesystem::path& to, std::string* problem = nullptr);

private:
    int readPlists(const std::string& password);
    int readManifest();

    std::filesystem::path m_folder;
    BackupProperties m_props;
    std::vector<BackupFile> m_files;
    std::map<std::string, size_t> m_indexById;
    std::unique_ptr<BackupKeyBag> m_keyBag;
    std::vector<uint8_t> m_manifestKey;
    size_t m_refused = 0;
    bool m_open = false;
    std::function<void(size_t)> m_readListener;
};

} // namespace vexa::formats
