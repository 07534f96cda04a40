#include "BackupDelta.h"

#include <algorithm>
#include <fstream>
#include <unordered_set>

#include "formats/BackupReader.h"
#include "formats/Plist.h"

namespace vexa::emulator {

namespace fs = std::filesystem;
using formats::Plist;

namespace {

std::string storedName(const formats::BackupFile& file, const fs::path& folder) {
    return file.source.lexically_relative(folder).string();
}

bool sameContent(const fs::path& first, const fs::path& second) {
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

bool BackupDelta::ReadEarlier(const fs::path& earlier) {
    m_earlier.clear();
    const formats::PlistPtr status = Plist::ParseFile((earlier / "Status.plist").string());
    if (!status || Plist::String(status.get(), "SnapshotState") != "finished")
        return false;
    plist_t date = Plist::Item(status.get(), "Date", PLIST_DATE);
    m_began = date ? Plist::UnixTime(date) : 0;
    // The host writes Info.plist itself, and not always before the device looks: the manifest is what
    // tells the earlier backup's files.
    std::error_code error;
    if (!fs::exists(earlier / "Info.plist", error))
        Plist::WriteXmlFile(formats::PlistPtr(plist_new_dict()).get(), (earlier / "Info.plist").string());
    formats::BackupReader reader;
    if (reader.Open(earlier, std::string()) != formats::kBackupOk || reader.Properties().encrypted)
        return false;
    for (const formats::BackupFile& file : reader.Files())
        if (!file.IsDirectory())
            m_earlier[storedName(file, earlier)] = {file.size, file.modified};
    return true;
}

void BackupDelta::Compare(const fs::path& current) {
    m_send.clear();
    m_compare.clear();
    m_removed.clear();
    formats::BackupReader reader;
    if (reader.Open(current, std::string()) != formats::kBackupOk)
        return;
    std::unordered_set<std::string> present;
    for (const formats::BackupFile& file : reader.Files()) {
        if (file.IsDirectory())
            continue;
        const std::string name = storedName(file, current);
        present.insert(name);
        const auto found = m_earlier.find(name);
        if (found == m_earlier.end() || found->second.size != file.size) {
            m_send.push_back(name);
        } else if (found->second.modified != file.modified || file.modified >= m_began) {
            // Times are kept to the second: a file written in the second the earlier backup began may
            // have changed after it was read.
            m_compare.push_back(name);
        }
    }
    for (const auto& [name, stored] : m_earlier)
        if (!present.count(name))
            m_removed.push_back(name);
    std::sort(m_send.begin(), m_send.end());
    std::sort(m_compare.begin(), m_compare.end());
    std::sort(m_removed.begin(), m_removed.end());
}

void BackupDelta::Settle(const fs::path& copies, const fs::path& current) {
    for (const std::string& name : m_compare)
        if (!sameContent(copies / name, current / name))
            m_send.push_back(name);
    m_compare.clear();
    std::sort(m_send.begin(), m_send.end());
}

} // namespace vexa::emulator
