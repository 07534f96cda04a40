#include "UsbBackupHistory.h"

#include <cstdlib>
#include <mutex>

#include <vexa/VexaResult.h>

#include "formats/Plist.h"

namespace fs = std::filesystem;
using vexa::formats::Plist;

namespace vexa::usb {

namespace {

// Two services of one process may add at once; each rewrites the whole file.
std::mutex g_fileMutex;

fs::path defaultFile() {
    const char* data = std::getenv("XDG_DATA_HOME");
    fs::path folder = data != nullptr && *data != 0 ? fs::path(data) : fs::path();
    if (folder.empty()) {
        const char* home = std::getenv("HOME");
        folder = fs::path(home != nullptr ? home : ".") / ".local/share";
    }
    return folder / "vexa-transfer" / "usb-backups.plist";
}

plist_t toPlist(const sim::BackupEntry& entry) {
    plist_t dictionary = plist_new_dict();
    Plist::SetString(dictionary, "UniqueDeviceID", entry.udid);
    Plist::SetString(dictionary, "Folder", entry.folder);
    Plist::SetString(dictionary, "DeviceName", entry.deviceName);
    Plist::SetString(dictionary, "Date", entry.dateTime);
    Plist::SetString(dictionary, "ProductType", entry.productType);
    Plist::SetString(dictionary, "ProductVersion", entry.productVersion);
    Plist::SetString(dictionary, "SerialNumber", entry.serialNumber);
    plist_dict_set_item(dictionary, "Encrypted", plist_new_bool(entry.encrypted));
    plist_dict_set_item(dictionary, "Size", plist_new_uint(entry.size));
    return dictionary;
}

sim::BackupEntry fromPlist(plist_t dictionary) {
    sim::BackupEntry entry;
    entry.udid = Plist::String(dictionary, "UniqueDeviceID");
    entry.folder = Plist::String(dictionary, "Folder");
    entry.deviceName = Plist::String(dictionary, "DeviceName");
    entry.dateTime = Plist::String(dictionary, "Date");
    entry.productType = Plist::String(dictionary, "ProductType");
    entry.productVersion = Plist::String(dictionary, "ProductVersion");
    entry.serialNumber = Plist::String(dictionary, "SerialNumber");
    entry.encrypted = Plist::Bool(dictionary, "Encrypted");
    entry.size = Plist::Unsigned(dictionary, "Size");
    return entry;
}

} // namespace

UsbBackupHistory::UsbBackupHistory()
    : m_file(defaultFile()) {}

UsbBackupHistory::UsbBackupHistory(fs::path file)
    : m_file(std::move(file)) {}

std::vector<sim::BackupEntry> UsbBackupHistory::load() const {
    std::vector<sim::BackupEntry> entries;
    // A missing or damaged list is an empty one: the backups themselves are untouched by it.
    const formats::PlistPtr list = Plist::ParseFile(m_file.string());
    if (!list || plist_get_node_type(list.get()) != PLIST_ARRAY) {
        return entries;
    }
    for (uint32_t i = 0; i < plist_array_get_size(list.get()); ++i) {
        plist_t item = plist_array_get_item(list.get(), i);
        if (plist_get_node_type(item) == PLIST_DICT) {
            sim::BackupEntry entry = fromPlist(item);
            if (!entry.udid.empty() && !entry.folder.empty()) {
                entries.push_back(std::move(entry));
            }
        }
    }
    return entries;
}

int UsbBackupHistory::Add(const sim::BackupEntry& entry) {
    std::lock_guard lock(g_fileMutex);
    std::vector<sim::BackupEntry> entries = load();
    std::erase_if(entries, [&entry](const sim::BackupEntry& old) { return old.folder == entry.folder; });
    entries.push_back(entry);
    formats::PlistPtr list(plist_new_array());
    for (const sim::BackupEntry& kept : entries) {
        plist_array_append_item(list.get(), toPlist(kept));
    }
    std::error_code error;
    fs::create_directories(m_file.parent_path(), error);
    return Plist::WriteXmlFile(list.get(), m_file.string()) ? VEXA_OK : VEXA_E_IO;
}

std::vector<sim::BackupEntry> UsbBackupHistory::List(const std::string& udid) const {
    std::vector<sim::BackupEntry> entries;
    {
        std::lock_guard lock(g_fileMutex);
        entries = load();
    }
    std::error_code error;
    std::erase_if(entries, [&udid, &error](const sim::BackupEntry& entry) {
        return entry.udid != udid || !fs::exists(fs::path(entry.folder) / "Manifest.plist", error);
    });
    return entries;
}

} // namespace vexa::usb
