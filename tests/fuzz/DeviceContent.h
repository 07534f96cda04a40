#pragma once

#include <filesystem>

struct sqlite3;

// Lists everything the content services read from a device database, the way they do when a view
// loads: contacts, groups, conversations, books, photos, albums, apps and the media library.
void ListDeviceContent(sqlite3* db, const std::filesystem::path& deviceFolder);
