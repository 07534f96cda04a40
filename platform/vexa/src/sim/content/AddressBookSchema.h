#pragma once

#include <filesystem>
#include <string_view>

struct sqlite3;

namespace vexa::sim {

// The address book of a simulated device, in the files and tables a phone keeps under
// Library/AddressBook: people, their labelled values, groups and the local store in
// AddressBook.sqlitedb, pictures in AddressBookImages.sqlitedb.
class AddressBookSchema {
public:
    // Creates what is missing, the built-in groups and the images file included; leaves data alone.
    static bool Ensure(sqlite3* db);
    // Makes the images file's tables reachable on this connection as schema "images" (ATTACH cannot
    // happen inside a transaction: call it before one begins). True when they are.
    static bool AttachImages(sqlite3* db);
    static std::filesystem::path DatabasePath(const std::filesystem::path& deviceFolder);
    static std::filesystem::path ImagesPath(const std::filesystem::path& deviceFolder);
    // Whether a group of that name is one every device has (never renamed or deleted).
    static bool IsBuiltInGroup(std::string_view name);
};

} // namespace vexa::sim
