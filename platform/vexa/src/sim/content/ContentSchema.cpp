#include "ContentSchema.h"

#include <array>
#include <string>
#include <string_view>

#include <sqlite3.h>

#include "../SimDatabase.h"
#include "LegacyMediaLibrary.h"

namespace vexa::sim {

namespace {

constexpr const char* kDeviceTables = R"sql(
CREATE TABLE IF NOT EXISTS apps(
    bundle_id TEXT PRIMARY KEY, name TEXT NOT NULL, version TEXT NOT NULL, short_version TEXT NOT NULL,
    minimum_os TEXT NOT NULL, executable TEXT NOT NULL, app_folder TEXT NOT NULL, icon BLOB,
    install_order INTEGER NOT NULL);
)sql";

// The phone's media library: an item row with its strings in tables of their own, the file's folder in
// base_location and its name in item_extra. Columns the simulator does not fill keep their defaults.
constexpr const char* kMediaTables = R"sql(
CREATE TABLE IF NOT EXISTS item(
    item_pid INTEGER PRIMARY KEY, media_type INTEGER NOT NULL DEFAULT 0,
    title_order INTEGER NOT NULL DEFAULT 0, item_artist_pid INTEGER NOT NULL DEFAULT 0,
    album_pid INTEGER NOT NULL DEFAULT 0, album_artist_pid INTEGER NOT NULL DEFAULT 0,
    composer_pid INTEGER NOT NULL DEFAULT 0, genre_id INTEGER NOT NULL DEFAULT 0,
    disc_number INTEGER NOT NULL DEFAULT 0, track_number INTEGER NOT NULL DEFAULT 0,
    base_location_id INTEGER NOT NULL DEFAULT 0, location_kind_id INTEGER NOT NULL DEFAULT 0,
    remote_location_id INTEGER NOT NULL DEFAULT 0, in_my_library INTEGER NOT NULL DEFAULT 0,
    is_compilation INTEGER NOT NULL DEFAULT 0, date_downloaded INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS item_extra(
    item_pid INTEGER PRIMARY KEY, title TEXT NOT NULL DEFAULT '', sort_title TEXT,
    disc_count INTEGER NOT NULL DEFAULT 0, track_count INTEGER NOT NULL DEFAULT 0,
    total_time_ms REAL NOT NULL DEFAULT 0, year INTEGER NOT NULL DEFAULT 0,
    location TEXT NOT NULL DEFAULT '', file_size INTEGER NOT NULL DEFAULT 0, integrity BLOB,
    date_modified INTEGER NOT NULL DEFAULT 0, media_kind INTEGER NOT NULL DEFAULT 0,
    content_rating INTEGER NOT NULL DEFAULT 0, description TEXT, description_long TEXT, copyright TEXT);
CREATE TABLE IF NOT EXISTS item_artist(
    item_artist_pid INTEGER PRIMARY KEY, item_artist TEXT NOT NULL DEFAULT '', sort_item_artist TEXT,
    series_name TEXT NOT NULL DEFAULT '', representative_item_pid INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS album_artist(
    album_artist_pid INTEGER PRIMARY KEY, album_artist TEXT NOT NULL DEFAULT '', sort_album_artist TEXT,
    representative_item_pid INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS album(
    album_pid INTEGER PRIMARY KEY, album TEXT NOT NULL DEFAULT '', sort_album TEXT,
    album_artist_pid INTEGER NOT NULL DEFAULT 0, representative_item_pid INTEGER NOT NULL DEFAULT 0,
    album_year INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS genre(
    genre_id INTEGER PRIMARY KEY, genre TEXT NOT NULL DEFAULT '', representative_item_pid INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS composer(
    composer_pid INTEGER PRIMARY KEY, composer TEXT NOT NULL DEFAULT '', sort_composer TEXT);
CREATE TABLE IF NOT EXISTS base_location(base_location_id INTEGER PRIMARY KEY, path TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS location_kind(location_kind_id INTEGER PRIMARY KEY, kind TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS item_store(
    item_pid INTEGER PRIMARY KEY, store_item_id INTEGER NOT NULL DEFAULT 0, account_id INTEGER NOT NULL DEFAULT 0,
    purchase_history_id INTEGER NOT NULL DEFAULT 0, date_purchased INTEGER NOT NULL DEFAULT 0,
    sync_id INTEGER NOT NULL DEFAULT 0, sync_in_my_library INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS item_stats(
    item_pid INTEGER PRIMARY KEY, play_count_user INTEGER NOT NULL DEFAULT 0,
    skip_count_user INTEGER NOT NULL DEFAULT 0, date_accessed INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS container(
    container_pid INTEGER PRIMARY KEY, distinguished_kind INTEGER NOT NULL DEFAULT 0,
    date_created INTEGER NOT NULL DEFAULT 0, date_modified INTEGER NOT NULL DEFAULT 0,
    name TEXT NOT NULL DEFAULT '', name_order INTEGER NOT NULL DEFAULT 0, is_owner INTEGER NOT NULL DEFAULT 1,
    is_hidden INTEGER NOT NULL DEFAULT 0, description TEXT, parent_pid INTEGER NOT NULL DEFAULT 0,
    contained_media_type INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS container_items(
    container_item_pid INTEGER PRIMARY KEY, container_pid INTEGER NOT NULL DEFAULT 0,
    item_pid INTEGER NOT NULL DEFAULT 0, position INTEGER NOT NULL DEFAULT 0, uuid TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS _MLDatabaseProperties(key TEXT PRIMARY KEY, value TEXT);
CREATE INDEX IF NOT EXISTS container_items_by_container ON container_items(container_pid, position);
CREATE INDEX IF NOT EXISTS container_items_by_item ON container_items(item_pid);
CREATE INDEX IF NOT EXISTS item_artist_by_name ON item_artist(item_artist);
CREATE INDEX IF NOT EXISTS album_by_name ON album(album, album_artist_pid);
CREATE INDEX IF NOT EXISTS album_artist_by_name ON album_artist(album_artist);
CREATE INDEX IF NOT EXISTS genre_by_name ON genre(genre);
CREATE INDEX IF NOT EXISTS base_location_by_path ON base_location(path);
)sql";

bool Exec(sqlite3* db, const char* sql) {
    return db && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

bool ContentSchema::EnsureDeviceTables(sqlite3* db) {
    return Exec(db, kDeviceTables);
}

bool ContentSchema::EnsureMediaTables(sqlite3* db) {
    if (!HasLegacyMediaTables(db))
        return Exec(db, kMediaTables);
    // A library of an earlier simulator: its rows are read, its tables replaced by the phone's and the rows
    // written again, all or nothing.
    if (!Exec(db, "SAVEPOINT move_media_library"))
        return false;
    LegacyMediaLibrary legacy;
    const bool moved =
        TakeLegacyMediaTables(db, legacy) && Exec(db, kMediaTables) && WriteLegacyMediaLibrary(db, legacy);
    if (!moved)
        Exec(db, "ROLLBACK TO move_media_library");
    return Exec(db, "RELEASE move_media_library") && moved;
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
