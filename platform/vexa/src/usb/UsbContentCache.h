#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

class IFileService;

namespace vexa::usb {

// Copies of a device's databases on the computer, one folder per device
// ($XDG_CACHE_HOME/vexa-transfer/devices/<udid>), read there as the phone's own apps would read them.
class UsbContentCache {
public:
    // The size and modification time of a database and its -wal and -shm siblings as the device lists
    // them; equal stamps mean the copy made under the earlier one is still current.
    struct Stamp {
        bool present = false; // the database itself is there
        std::string text;     // sizes and times of the three files
        bool operator==(const Stamp& other) const = default;
    };

    static std::filesystem::path FolderFor(const std::string& udid);

    // Lists the database's folder for its stamp. Answers a VexaResult; a folder that is missing answers
    // VEXA_OK with a stamp that is not present.
    static int StampOf(IFileService& files, const std::string& devicePath, Stamp& stamp);
    // Copies the database and whichever siblings it has into `folder` under its own name; a sibling the
    // device does not have is removed from the copy, so an old journal never joins a new database.
    static int CopyDatabase(IFileService& files, const std::string& devicePath,
                            const std::filesystem::path& folder, std::filesystem::path& local);

    struct Entry {
        uint64_t size = 0; // bytes; for a folder, as the device lists it
        bool folder = false;
    };
    using Listing = std::unordered_map<std::string, Entry>;

    // The entries of one device folder by name; a missing folder is an empty one.
    static int Entries(IFileService& files, const std::string& deviceFolder, Listing& entries);
    // The bytes of all files below a device folder.
    static uint64_t TreeSize(IFileService& files, const std::string& deviceFolder);
};

} // namespace vexa::usb
