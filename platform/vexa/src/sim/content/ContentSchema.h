#pragma once

#include <filesystem>

struct sqlite3;

namespace vexa::sim {

// The content tables of a simulated device. Ensure* creates what is missing and leaves existing data alone,
// so every service may call it when it first touches a device.
class ContentSchema {
public:
    // books and apps in the device database (contacts, messages and photos are in the phone's own files:
    // AddressBookSchema, MessageStore, PhotoLibraryStore).
    static bool EnsureDeviceTables(sqlite3* db);
    // tracks and playlists in the media database.
    static bool EnsureMediaTables(sqlite3* db);

    // Where the media database lives inside a device folder.
    static std::filesystem::path MediaDatabasePath(const std::filesystem::path& deviceFolder);
    static std::filesystem::path DeviceDatabasePath(const std::filesystem::path& deviceFolder);
    // The folder the device's file service shows as "/".
    static std::filesystem::path MediaRoot(const std::filesystem::path& deviceFolder);
    static std::filesystem::path ApplicationsRoot(const std::filesystem::path& deviceFolder);
};

} // namespace vexa::sim
