#include "ContentSchema.h"

#include <array>
#include <string>
#include <string_view>

#include <sqlite3.h>

#include "../SimDatabase.h"

namespace vexa::sim {

namespace {

constexpr const char* kDeviceTables = R"sql(
CREATE TABLE IF NOT EXISTS apps(
    bundle_id TEXT PRIMARY KEY, name TEXT NOT NULL, version TEXT NOT NULL, short_version TEXT NOT NULL,
    minimum_os TEXT NOT NULL, executable TEXT NOT NULL, app_folder TEXT NOT NULL, icon BLOB,
    install_order INTEGER NOT NULL);
)sql";

constexpr const char* kMediaTables = R"sql(
CREATE TABLE IF NOT EXISTS item(
    pid INTEGER PRIMARY KEY, title TEXT, artist TEXT, album TEXT, genre TEXT,
    location TEXT NOT NULL, format TEXT NOT NULL, media_kind INTEGER NOT NULL,
    file_size INTEGER NOT NULL, duration_ms INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS container(pid INTEGER PRIMARY KEY, name TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS container_items(
    container_pid INTEGER NOT NULL, item_pid INTEGER NOT NULL, position INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS container_items_by_container ON container_items(container_pid, position);
CREATE INDEX IF NOT EXISTS container_items_by_item ON container_items(item_pid);
)sql";

bool Exec(sqlite3* db, const char* sql) {
    return db && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

bool ContentSchema::EnsureDeviceTables(sqlite3* db) {
    return Exec(db, kDeviceTables);
}

bool ContentSchema::EnsureMediaTables(sqlite3* db) {
    return Exec(db, kMediaTables);
}

std::filesystem::path ContentSchema::MediaDatabasePath(const std::filesystem::path& deviceFolder) {
    return MediaRoot(deviceFolder) / "iTunes_Control" / "iTunes" / "MediaLibrary.sqlitedb";
}

std::filesystem::path ContentSchema::DeviceDatabasePath(const std::filesystem::path& deviceFolder) {
    return deviceFolder / "device.sqlite";
}

std::filesystem::path ContentSchema::MediaRoot(const std::filesystem::path& deviceFolder) {
    return deviceFolder / "Media";
}

std::filesystem::path ContentSchema::ApplicationsRoot(const std::filesystem::path& deviceFolder) {
    return deviceFolder / "Applications";
}

} // namespace vexa::sim
