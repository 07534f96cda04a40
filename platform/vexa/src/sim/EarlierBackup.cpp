#include "EarlierBackup.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <vector>

#include "formats/BackupReader.h"
#include "formats/BackupTypes.h"
#include "formats/Plist.h"

namespace fs = std::filesystem;

namespace vexa::sim {

int64_t EarlierBackup::ModifiedOf(const fs::path& file) {
    std::error_code error;
    const auto written = fs::last_write_time(file, error);
    if (error)
        return 0;
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

bool EarlierBackup::SameContent(const fs::path& first, const fs::path& second) {
    std::ifstream a(first, std::ios::binary);
    std::ifstream b(second, std::ios::binary);
    if (!a || !b)
        return false;
    std::vector<char> left(1 << 16), right(1 << 16);
    while (a && b) {
        a.read(left.data(), std::streamsize(left.size()));
        b.read(right.data(), std::streamsize(right.size()));
        if (a.gcount() != b.gcount() || !std::equal(left.begin(), left.begin() + a.gcount(), right.begin()))
            return false;
    }
    return a.eof() && b.eof();
}

EarlierBackup EarlierBackup::Read(const fs::path& folder, const std::string& udid) {
    EarlierBackup earlier;
    std::error_code error;
    if (!fs::is_regular_file(folder / "Manifest.db", error))
        return earlier;
    formats::BackupReader reader;
    if (reader.Open(folder, std::string()) != formats::kBackupOk || reader.Properties().encrypted)
        return earlier;
    const auto& info = reader.Properties().info;
    const auto owner = info.find("Unique Identifier");
    const auto began = info.find("Last Backup Date");
    if (owner == info.end() || owner->second != udid || began == info.end() ||
        !formats::Plist::ParseIsoTime(began->second, earlier.m_began))
        return earlier;
    earlier.keepFiles(reader);
    return earlier;
}

bool EarlierBackup::ReadFiles(const fs::path& folder, int64_t began) {
    m_files.clear();
    m_began = began;
    formats::BackupReader reader;
    if (reader.Open(folder, std::string()) != formats::kBackupOk || reader.Properties().encrypted)
        return false;
    keepFiles(reader);
    return true;
}

void EarlierBackup::keepFiles(const formats::BackupReader& reader) {
    for (const formats::BackupFile& file : reader.Files())
        if (!file.IsDirectory())
            m_files[formats::BackupFileId(file.domain, file.relativePath)] = {file.source, file.size,
                                                                              file.modified};
}

EarlierBackup::Match EarlierBackup::MatchOf(const formats::BackupFile& file, int64_t modified,
                                            const fs::path** stored) const {
    if (file.IsDirectory())
        return Match::None;
    const auto found = m_files.find(formats::BackupFileId(file.domain, file.relativePath));
    if (found == m_files.end() || found->second.size != file.size)
        return Match::None;
    if (stored)
        *stored = &found->second.path;
    // Times are kept to the second: a file written in the second the earlier backup began may have
    // changed after it was copied.
    return found->second.modified == modified && modified < m_began ? Match::SameTime : Match::SameSize;
}

const fs::path* EarlierBackup::Unchanged(const formats::BackupFile& file, int64_t modified,
                                         bool snapshot) const {
    const fs::path* stored = nullptr;
    const Match match = MatchOf(file, modified, &stored);
    if (match == Match::None)
        return nullptr;
    if (!snapshot && match == Match::SameTime)
        return stored;
    return snapshot && SameContent(file.source, *stored) ? stored : nullptr;
}

} // namespace vexa::sim
