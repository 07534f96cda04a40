#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

namespace vexa::formats {
struct BackupFile;
}

namespace vexa::sim {

// The backup a folder already holds of a device, as the next backup into the same folder finds it: the
// files it stored, so that those unchanged since are taken from it instead of being copied again. Only a
// plain backup is used: an encrypted one stores each file under a key of its own.
class EarlierBackup {
public:
    // Nothing when `folder` holds no readable plain backup of the device `udid`.
    static EarlierBackup Read(const std::filesystem::path& folder, const std::string& udid);

    bool Empty() const { return m_files.empty(); }
    // A file's modification time in Unix seconds, as a backup's manifest keeps it; 0 when unknown.
    static int64_t ModifiedOf(const std::filesystem::path& file);
    // Where the earlier backup stored `file` (a device file, or for `snapshot` a database copied for
    // this backup) when it is unchanged since: the same size and either the same modification time,
    // older than the earlier backup's start, or the same content. Null when the file is to be copied.
    const std::filesystem::path* Unchanged(const formats::BackupFile& file, int64_t modified,
                                           bool snapshot) const;

private:
    struct Stored {
        std::filesystem::path path;
        uint64_t size = 0;
        int64_t modified = 0;
    };
    std::unordered_map<std::string, Stored> m_files; // by file ID
    int64_t m_began = 0;                             // Unix seconds
};

} // namespace vexa::sim
