#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

namespace vexa::formats {
struct BackupFile;
class BackupReader;
} // namespace vexa::formats

namespace vexa::sim {

// The backup a folder already holds of a device, as the next backup into the same folder finds it: the
// files it stored, so that those unchanged since are taken from it instead of being copied again. Only a
// plain backup is used: an encrypted one stores each file under a key of its own.
class EarlierBackup {
public:
    // Nothing when `folder` holds no readable plain backup of the device `udid`.
    static EarlierBackup Read(const std::filesystem::path& folder, const std::string& udid);
    // The files of the plain backup in `folder` that began at `began` (Unix seconds), whoever it is of.
    // False, and nothing kept, when it cannot be read or is encrypted.
    bool ReadFiles(const std::filesystem::path& folder, int64_t began);

    bool Empty() const { return m_files.empty(); }
    // A file's modification time in Unix seconds, as a backup's manifest keeps it; 0 when unknown.
    static int64_t ModifiedOf(const std::filesystem::path& file);
    static bool SameContent(const std::filesystem::path& first, const std::filesystem::path& second);

    // How a file of the new backup, last modified at `modified`, stands against the earlier one's.
    enum class Match {
        None,     // not in the earlier backup, or of another size
        SameTime, // the same size and modification time, older than the earlier backup's start
        SameSize, // only the size is the same: the content tells
    };
    // `stored` receives where the earlier backup keeps the file when the match is not None.
    Match MatchOf(const formats::BackupFile& file, int64_t modified,
                  const std::filesystem::path** stored = nullptr) const;
    // Where the earlier backup stored `file` (a device file, or for `snapshot` a database copied for
    // this backup) when it is unchanged since: the same size and either the same modification time,
    // older than the earlier backup's start, or the same content. Null when the file is to be copied.
    const std::filesystem::path* Unchanged(const formats::BackupFile& file, int64_t modified,
                                           bool snapshot) const;

    struct Stored {
        std::filesystem::path path;
        uint64_t size = 0;
        int64_t modified = 0;
    };
    // By file ID.
    const std::unordered_map<std::string, Stored>& Files() const { return m_files; }

private:
    void keepFiles(const formats::BackupReader& reader);

    std::unordered_map<std::string, Stored> m_files;
    int64_t m_began = 0; // Unix seconds
};

} // namespace vexa::sim
