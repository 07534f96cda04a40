#include "UsbContentCache.h"

#include <cstdlib>
#include <cstring>

#include <QString>

#include <vexa/VexaResult.h>
#include <vexa/VexaServices.h>

namespace fs = std::filesystem;

namespace vexa::usb {

namespace {

constexpr const char* kSiblings[] = {"", "-wal", "-shm"};

std::u16string u16(const std::string& text) {
    return QString::fromStdString(text).toStdU16String();
}

std::u16string u16(const fs::path& path) {
    return QString::fromStdString(path.string()).toStdU16String();
}

std::string folderOf(const std::string& devicePath) {
    const size_t slash = devicePath.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : devicePath.substr(0, slash);
}

std::string nameOf(const std::string& devicePath) {
    const size_t slash = devicePath.rfind('/');
    return slash == std::string::npos ? devicePath : devicePath.substr(slash + 1);
}

} // namespace

fs::path UsbContentCache::FolderFor(const std::string& udid) {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    fs::path root = cache != nullptr && *cache != 0 ? fs::path(cache) : fs::path();
    if (root.empty()) {
        const char* home = std::getenv("HOME");
        root = fs::path(home != nullptr ? home : ".") / ".cache";
    }
    return root / "vexa-transfer" / "devices" / udid;
}

int UsbContentCache::StampOf(IFileService& files, const std::string& devicePath, Stamp& stamp) {
    stamp = Stamp{};
    int count = 0;
    DirectoryEntryRecord* entries = nullptr;
    const int code = files.ReadDirectory(folderOf(devicePath).c_str(), &count, &entries);
    if (code == VEXA_E_NOT_FOUND) {
        return VEXA_OK;
    }
    if (code != VEXA_OK) {
        return code;
    }
    const std::string name = nameOf(devicePath);
    for (const char* sibling : kSiblings) {
        const std::string wanted = name + sibling;
        for (int i = 0; i < count; ++i) {
            if (entries[i].name == nullptr || wanted != entries[i].name) {
                continue;
            }
            if (*sibling == 0) {
                stamp.present = true;
            }
            stamp.text += wanted + ':' + (entries[i].size ? entries[i].size : "") + ':' +
                          (entries[i].modifyTime ? entries[i].modifyTime : "") + '\n';
        }
    }
    return VEXA_OK;
}

int UsbContentCache::CopyDatabase(IFileService& files, const std::string& devicePath, const fs::path& folder,
                                  fs::path& local) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        return VEXA_E_IO;
    }
    local = folder / nameOf(devicePath);
    for (const char* sibling : kSiblings) {
        const fs::path target = local.string() + sibling;
        fs::remove(target, error);
        const int code = files.CopyFileToComputer(u16(devicePath + sibling).c_str(), u16(target).c_str());
        // Only the database itself must be there; a phone that closed it cleanly keeps no journal.
        if (code != VEXA_OK && (*sibling == 0 || code != VEXA_E_NOT_FOUND)) {
            return code;
        }
    }
    return VEXA_OK;
}

int UsbContentCache::Entries(IFileService& files, const std::string& deviceFolder, Listing& listing) {
    listing.clear();
    int count = 0;
    DirectoryEntryRecord* entries = nullptr;
    const int code = files.ReadDirectory(deviceFolder.c_str(), &count, &entries);
    if (code == VEXA_E_NOT_FOUND) {
        return VEXA_OK;
    }
    if (code != VEXA_OK) {
        return code;
    }
    for (int i = 0; i < count; ++i) {
        if (entries[i].name == nullptr || std::strcmp(entries[i].name, ".") == 0 ||
            std::strcmp(entries[i].name, "..") == 0) {
            continue;
        }
        Entry& entry = listing[entries[i].name];
        entry.size = entries[i].size ? std::strtoull(entries[i].size, nullptr, 10) : 0;
        entry.folder = entries[i].type != nullptr && std::strcmp(entries[i].type, "S_IFDIR") == 0;
    }
    return VEXA_OK;
}

uint64_t UsbContentCache::TreeSize(IFileService& files, const std::string& deviceFolder) {
    Listing listing;
    if (Entries(files, deviceFolder, listing) != VEXA_OK) {
        return 0;
    }
    uint64_t total = 0;
    for (const auto& [name, entry] : listing) {
        total += entry.folder ? TreeSize(files, deviceFolder + "/" + name) : entry.size;
    }
    return total;
}

} // namespace vexa::usb
