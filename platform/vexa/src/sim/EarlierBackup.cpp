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

namespace {

bool SameContent(const fs::path& first, const fs::path& second) {
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

} // namespace

int64_t EarlierBackup::ModifiedOf(const fs::path& file) {
    std::error_code error;
    const auto written = fs::last_write_time(file, error);
    if (error)
        return 0;
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
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
    for (const formats::BackupFile& file : reader.Files())
        if (!file.IsDirectory())
            earlier.m_files[formats::BackupFileId(file.domain, file.relativePath)] = {file.source, file.size,
                                                                                      file.modified};
    return earlier;
}

const fs::path* EarlierBackup::Unchanged(const formats::BackupFile& file, int64_t modified,
                                         bool snapshot) const {
    if (file.IsDirectory())
        return nullptr;
    const auto found = m_files.find(formats::BackupFileId(file.domain, file.relativePath));
    if (found == m_files.end() || found->second.size != file.size)
        return nullptr;
    const Stored& stored = found->second;
    // Times are kept to the second: a file written in the second the earlier backup began may have
    // changed after it was copied.
    if (!snapshot && stored.modified == modified && modified < m_began)
        return &stored.path;
    return snapshot && SameContent(file.source, stored.path) ? &stored.path : nullptr;
}

} // namespace vexa::sim
