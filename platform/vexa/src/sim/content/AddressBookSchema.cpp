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
INSERT OR IGNORE INTO ABStore(ROWID, Name, Type, Enabled) VALUES (1, 'Local', 0, 1);
)sql";

// The images file's tables, in `schema` ("" for the main one, "images." when attached).
std::string ImageTables(const std::string& schema) {
    return "PRAGMA " + schema +
           "journal_mode=WAL;"
           "CREATE TABLE IF NOT EXISTS " +
           schema +
           "ABThumbnailImage("
           "ROWID INTEGER PRIMARY KEY AUTOINCREMENT, record_id INTEGER, format INTEGER, "
           "derived_from_format INTEGER, data BLOB, UNIQUE(record_id, format));"
           "CREATE TABLE IF NOT EXISTS " +
           schema +
           "ABFullSizeImage("
           "ROWID INTEGER PRIMARY KEY AUTOINCREMENT, record_id INTEGER, crop_x INTEGER, crop_y INTEGER, "
           "crop_width INTEGER, crop_height INTEGER, data BLOB, UNIQUE(record_id));";
}

bool Exec(sqlite3* db, const std::string& sql) {
    return db && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool EnsureImages(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) ==
                        SQLITE_OK &&
                    Exec(db, ImageTables(""));
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
    // The pictures are optional: a damaged images file leaves the contacts without them, not unusable.
    EnsureImages(std::filesystem::path(file).parent_path() / "AddressBookImages.sqlitedb");
    return true;
}

bool AddressBookSchema::AttachImages(sqlite3* db) {
    if (!db)
        return false;
    if (sqlite3_db_filename(db, "images") != nullptr)
        return true;
    const char* file = sqlite3_db_filename(db, "main");
    if (file == nullptr || *file == '\0')
        return false;
    const std::string images =
        (std::filesystem::path(file).parent_path() / "AddressBookImages.sqlitedb").string();
    sqlite3_stmt* attach = nullptr;
    bool ok = sqlite3_prepare_v2(db, "ATTACH DATABASE ? AS images", -1, &attach, nullptr) == SQLITE_OK &&
              sqlite3_bind_text(attach, 1, images.c_str(), -1, SQLITE_TRANSIENT) == SQLITE_OK &&
              sqlite3_step(attach) == SQLITE_DONE;
    sqlite3_finalize(attach);
    // The file may have been put in place by a restore after Ensure made its tables.
    ok = ok && Exec(db, ImageTables("images."));
    if (!ok && sqlite3_db_filename(db, "images") != nullptr)
        Exec(db, "DETACH DATABASE images");
    return ok;
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
