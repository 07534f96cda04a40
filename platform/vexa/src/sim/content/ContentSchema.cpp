#include "ContentSchema.h"

#include <array>
#include <set>
#include <string>
#include <string_view>

#include <sqlite3.h>

#include "../SimDatabase.h"
#include "ContentIds.h"

namespace vexa::sim {

namespace {

constexpr const char* kDeviceTables = R"sql(
CREATE TABLE IF NOT EXISTS contacts(
    id INTEGER PRIMARY KEY,
    first_name TEXT, middle_name TEXT, last_name TEXT, nick_name TEXT, note TEXT,
    picture1 INTEGER NOT NULL DEFAULT 0, picture2 INTEGER NOT NULL DEFAULT 0,
    organization TEXT, department TEXT, job_title TEXT, birthday TEXT);
CREATE TABLE IF NOT EXISTS contact_entries(
    contact_id INTEGER NOT NULL, kind INTEGER NOT NULL, position INTEGER NOT NULL,
    label TEXT, value TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS contact_entries_by_contact ON contact_entries(contact_id, kind, position);
CREATE TABLE IF NOT EXISTS contact_addresses(
    contact_id INTEGER NOT NULL, position INTEGER NOT NULL, label TEXT,
    street TEXT, city TEXT, region TEXT, postal_code TEXT, country TEXT,
    PRIMARY KEY(contact_id, position));
CREATE TABLE IF NOT EXISTS contact_groups(
    id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, builtin INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS group_members(
    group_id INTEGER NOT NULL, contact_id INTEGER NOT NULL, PRIMARY KEY(group_id, contact_id));
CREATE INDEX IF NOT EXISTS group_members_by_contact ON group_members(contact_id);

CREATE TABLE IF NOT EXISTS books(
    id INTEGER PRIMARY KEY, title TEXT NOT NULL, author TEXT NOT NULL DEFAULT '',
    format INTEGER NOT NULL, path TEXT NOT NULL UNIQUE, size INTEGER NOT NULL,
    store_key TEXT NOT NULL UNIQUE);

CREATE TABLE IF NOT EXISTS photos(
    id INTEGER PRIMARY KEY, uuid TEXT NOT NULL UNIQUE, kind INTEGER NOT NULL, date INTEGER NOT NULL,
    width INTEGER NOT NULL, height INTEGER NOT NULL, file_size INTEGER NOT NULL,
    file_name TEXT NOT NULL, path TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS photos_by_date ON photos(date, id);
CREATE TABLE IF NOT EXISTS albums(
    id INTEGER PRIMARY KEY, uuid TEXT NOT NULL UNIQUE, name TEXT NOT NULL, type INTEGER NOT NULL,
    builtin INTEGER NOT NULL DEFAULT 0, published INTEGER NOT NULL DEFAULT 1);
CREATE TABLE IF NOT EXISTS album_photos(
    album_id INTEGER NOT NULL, photo_id INTEGER NOT NULL, position INTEGER NOT NULL,
    PRIMARY KEY(album_id, photo_id));
CREATE INDEX IF NOT EXISTS album_photos_by_photo ON album_photos(photo_id);

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

// Device files written before a contact kept its organisation, title and birthday lack those columns;
// they are added, empty, when such a file is opened.
bool AddMissingContactColumns(sqlite3* db) {
    static constexpr std::array<std::string_view, 4> kAdded = {"organization", "department", "job_title",
                                                               "birthday"};
    std::set<std::string, std::less<>> present;
    {
        Statement columns(db, "SELECT name FROM pragma_table_info('contacts')");
        while (columns.Step() == SQLITE_ROW)
            present.insert(columns.Text(0));
        if (columns.Result() != 0)
            return false;
    }
    for (std::string_view column : kAdded) {
        if (present.count(column) == 0 &&
            !Exec(db, ("ALTER TABLE contacts ADD COLUMN " + std::string(column) + " TEXT").c_str()))
            return false;
    }
    return true;
}

bool InsertBuiltIns(sqlite3* db) {
    std::string sql = "INSERT OR IGNORE INTO contact_groups(name, builtin) VALUES";
    for (size_t i = 0; i < kBuiltInGroups.size(); ++i)
        sql += std::string(i ? ",('" : "('") + std::string(kBuiltInGroups[i]) + "',1)";
    sql += ";INSERT OR IGNORE INTO albums(uuid, name, type, builtin) VALUES ('" +
           std::string(kCameraRollAlbumId) + "','" + std::string(kCameraRollName) + "',1,1),('" +
           std::string(kPhotoLibraryAlbumId) + "','" + std::string(kPhotoLibraryName) + "',3,1);";
    return Exec(db, sql.c_str());
}

} // namespace

bool ContentSchema::EnsureDeviceTables(sqlite3* db) {
    return Exec(db, kDeviceTables) && AddMissingContactColumns(db);
}

bool ContentSchema::EnsureMediaTables(sqlite3* db) {
    return Exec(db, kMediaTables);
}

bool ContentSchema::EnsureBuiltIns(sqlite3* db) {
    return InsertBuiltIns(db);
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
