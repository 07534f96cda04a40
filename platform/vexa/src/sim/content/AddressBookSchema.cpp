#include "AddressBookSchema.h"

#include <algorithm>
#include <string>

#include <sqlite3.h>

#include "ContentIds.h"

namespace vexa::sim {

namespace {

// The columns a phone's readers look at, and a few beside them that a phone always has.
constexpr const char* kTables = R"sql(
CREATE TABLE IF NOT EXISTS ABStore(
    ROWID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, ExternalIdentifier TEXT, Type INTEGER,
    Enabled INTEGER DEFAULT 1, MeIdentifier INTEGER DEFAULT -1);
CREATE TABLE IF NOT EXISTS ABPerson(
    ROWID INTEGER PRIMARY KEY AUTOINCREMENT, First TEXT, Last TEXT, Middle TEXT,
    FirstPhonetic TEXT, MiddlePhonetic TEXT, LastPhonetic TEXT, Organization TEXT, Department TEXT,
    Note TEXT, Kind INTEGER DEFAULT 0, Birthday TEXT, JobTitle TEXT, Nickname TEXT, Prefix TEXT,
    Suffix TEXT, CreationDate INTEGER, ModificationDate INTEGER, ExternalIdentifier TEXT,
    StoreID INTEGER, DisplayName TEXT, guid TEXT);
CREATE TABLE IF NOT EXISTS ABMultiValue(
    UID INTEGER PRIMARY KEY, record_id INTEGER, property INTEGER, identifier INTEGER, label INTEGER,
    value TEXT, guid TEXT);
CREATE INDEX IF NOT EXISTS ABMultiValueRecordIDIndex ON ABMultiValue(record_id);
CREATE TABLE IF NOT EXISTS ABMultiValueLabel(value TEXT, UNIQUE(value));
CREATE TABLE IF NOT EXISTS ABMultiValueEntryKey(value TEXT, UNIQUE(value));
CREATE TABLE IF NOT EXISTS ABMultiValueEntry(
    parent_id INTEGER, key INTEGER, value TEXT, UNIQUE(parent_id, key));
CREATE TABLE IF NOT EXISTS ABGroup(
    ROWID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, ExternalIdentifier TEXT, StoreID INTEGER,
    guid TEXT);
CREATE TABLE IF NOT EXISTS ABGroupMembers(
    UID INTEGER PRIMARY KEY, group_id INTEGER, member_type INTEGER, member_id INTEGER,
    UNIQUE(group_id, member_id, member_type));
CREATE INDEX IF NOT EXISTS ABGroupMembersMemberIndex ON ABGroupMembers(member_id);
CREATE TABLE IF NOT EXISTS PictureValues(
    record_id INTEGER PRIMARY KEY, value1 INTEGER NOT NULL, value2 INTEGER NOT NULL);
INSERT OR IGNORE INTO ABStore(ROWID, Name, Type, Enabled) VALUES (1, 'Local', 0, 1);
)sql";

constexpr const char* kImageTables = R"sql(
PRAGMA journal_mode=WAL;
CREATE TABLE IF NOT EXISTS ABThumbnailImage(
    ROWID INTEGER PRIMARY KEY AUTOINCREMENT, record_id INTEGER, format INTEGER,
    derived_from_format INTEGER, data BLOB, UNIQUE(record_id, format));
CREATE TABLE IF NOT EXISTS ABFullSizeImage(
    ROWID INTEGER PRIMARY KEY AUTOINCREMENT, record_id INTEGER, crop_x INTEGER, crop_y INTEGER,
    crop_width INTEGER, crop_height INTEGER, data BLOB, UNIQUE(record_id));
)sql";

bool Exec(sqlite3* db, const std::string& sql) {
    return db && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool EnsureImages(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) ==
                        SQLITE_OK &&
                    Exec(db, kImageTables);
    sqlite3_close_v2(db);
    return ok;
}

} // namespace

bool AddressBookSchema::Ensure(sqlite3* db) {
    if (!Exec(db, kTables))
        return false;
    std::string sql;
    for (std::string_view name : kBuiltInGroups)
        sql += "INSERT INTO ABGroup(Name, StoreID) SELECT '" + std::string(name) +
               "', 1 WHERE NOT EXISTS (SELECT 1 FROM ABGroup WHERE Name = '" + std::string(name) + "');";
    if (!Exec(db, sql))
        return false;
    const char* file = sqlite3_db_filename(db, "main");
    if (file == nullptr || *file == '\0')
        return true; // a database in memory has no folder for the images
    return EnsureImages(std::filesystem::path(file).parent_path() / "AddressBookImages.sqlitedb");
}

std::filesystem::path AddressBookSchema::DatabasePath(const std::filesystem::path& deviceFolder) {
    return deviceFolder / "Library" / "AddressBook" / "AddressBook.sqlitedb";
}

std::filesystem::path AddressBookSchema::ImagesPath(const std::filesystem::path& deviceFolder) {
    return deviceFolder / "Library" / "AddressBook" / "AddressBookImages.sqlitedb";
}

bool AddressBookSchema::IsBuiltInGroup(std::string_view name) {
    return std::find(kBuiltInGroups.begin(), kBuiltInGroups.end(), name) != kBuiltInGroups.end();
}

} // namespace vexa::sim
