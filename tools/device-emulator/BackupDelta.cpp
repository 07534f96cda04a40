#include "BackupDelta.h"

#include <algorithm>
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

} // namespace

bool BackupDelta::ReadEarlier(const fs::path& earlier) {
    m_earlier = sim::EarlierBackup();
    m_earlierFolder = earlier;
    const formats::PlistPtr status = Plist::ParseFile((earlier / "Status.plist").string());
    if (!status || Plist::String(status.get(), "SnapshotState") != "finished")
        return false;
    plist_t date = Plist::Item(status.get(), "Date", PLIST_DATE);
    const int64_t began = date ? Plist::UnixTime(date) : 0;
    // The host writes Info.plist itself, and not always before the device looks: the manifest is what
    // tells the earlier backup's files.
    std::error_code error;
    if (!fs::exists(earlier / "Info.plist", error))
        Plist::WriteXmlFile(formats::PlistPtr(plist_new_dict()).get(), (earlier / "Info.plist").string());
    return m_earlier.ReadFiles(earlier, began);
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
        const sim::EarlierBackup::Match match = m_earlier.MatchOf(file, file.modified);
        if (match == sim::EarlierBackup::Match::None)
            m_send.push_back(name);
        else if (match == sim::EarlierBackup::Match::SameSize)
            m_compare.push_back(name);
    }
    for (const auto& [id, stored] : m_earlier.Files()) {
        const std::string name = stored.path.lexically_relative(m_earlierFolder).string();
        if (!present.count(name))
            m_removed.push_back(name);
    }
    std::sort(m_send.begin(), m_send.end());
    std::sort(m_compare.begin(), m_compare.end());
    std::sort(m_removed.begin(), m_removed.end());
}

void BackupDelta::Settle(const fs::path& copies, const fs::path& current) {
    for (const std::string& name : m_compare)
        if (!sim::EarlierBackup::SameContent(copies / name, current / name))
            m_send.push_back(name);
    m_compare.clear();
    std::sort(m_send.begin(), m_send.end());
}

} // namespace vexa::emulator
