#include "PhotoLibraryStore.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string_view>

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "ContentIds.h"
#include "DeviceFiles.h"
#include "PendingRemoval.h"
#include "ReadResultCode.h"
#include "formats/ImageProbe.h"
#include "ios/AppleTime.h"
#include "ios/ReadResult.h"

namespace vexa::sim {

namespace fs = std::filesystem;

namespace {

constexpr PhotoLibraryVariant kVariants[] = {
    {12, "ZGENERICASSET", 30, 23},
    {15, "ZASSET", 3, 27},
    {17, "ZASSET", 3, 28},
};
constexpr int kAttributesEntity = 1;

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

int64_t SecondsSince2001(const fs::path& file) {
    std::error_code error;
    const auto written = fs::last_write_time(file, error);
    if (error)
        return 0;
    const auto system = std::chrono::file_clock::to_sys(written);
    const int64_t unix = std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
    return std::max<int64_t>(0, unix - ios::kAppleEpochOffset);
}

// The tables of one release as Core Data lays them out: Z_PK, Z_ENT and Z_OPT before the attributes;
// only the columns a reader needs and a few the phone always fills.
std::string Schema(const PhotoLibraryVariant& variant) {
    const std::string asset = variant.assetTable;
    const std::string entity = std::to_string(variant.assetEntity);
    const std::string album = std::to_string(variant.albumEntity);
    const std::string join = "Z_" + album + "ASSETS";
    const std::string albumColumn = "Z_" + album + "ALBUMS";
    const std::string assetColumn = "Z_" + entity + "ASSETS";
    std::string sql =
        "CREATE TABLE Z_PRIMARYKEY(Z_ENT INTEGER PRIMARY KEY, Z_NAME VARCHAR, Z_SUPER INTEGER, Z_MAX "
        "INTEGER);"
        "CREATE TABLE Z_METADATA(Z_VERSION INTEGER PRIMARY KEY, Z_UUID VARCHAR(255), Z_PLIST BLOB);";
    sql += "CREATE TABLE " + asset +
           "(Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZCOMPLETE INTEGER, ZFAVORITE INTEGER, "
           "ZHIDDEN INTEGER, ZKIND INTEGER, ZKINDSUBTYPE INTEGER, ZORIENTATION INTEGER, ZSAVEDASSETTYPE "
           "INTEGER, "
           "ZTRASHEDSTATE INTEGER, ZVISIBILITYSTATE INTEGER, ZWIDTH INTEGER, ZHEIGHT INTEGER, "
           "ZADDITIONALATTRIBUTES INTEGER, ZADDEDDATE TIMESTAMP, ZDATECREATED TIMESTAMP, "
           "ZMODIFICATIONDATE TIMESTAMP, ZTRASHEDDATE TIMESTAMP, ZDURATION FLOAT, ZDIRECTORY VARCHAR, "
           "ZFILENAME VARCHAR, ZUNIFORMTYPEIDENTIFIER VARCHAR, ZUUID VARCHAR);";
    sql += "CREATE INDEX " + asset + "_ZDATECREATED_INDEX ON " + asset + "(ZDATECREATED);";
    sql += "CREATE INDEX " + asset + "_ZUUID_INDEX ON " + asset + "(ZUUID);";
    sql += "CREATE TABLE ZADDITIONALASSETATTRIBUTES(Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, "
           "ZASSET INTEGER, ZORIGINALFILESIZE INTEGER, ZORIGINALFILENAME VARCHAR);";
    sql +=
        "CREATE TABLE ZGENERICALBUM(Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZKIND INTEGER, "
        "ZTRASHEDSTATE INTEGER, ZCACHEDCOUNT INTEGER, ZPARENTFOLDER INTEGER, ZCREATIONDATE TIMESTAMP, "
        "ZTITLE VARCHAR, ZUUID VARCHAR);";
    sql += "CREATE TABLE " + join + "(" + albumColumn + " INTEGER, " + assetColumn + " INTEGER, Z_FOK_" +
           assetColumn.substr(2) + " INTEGER, PRIMARY KEY (" + albumColumn + ", " + assetColumn + "));";
    sql += "CREATE INDEX " + join + "_" + assetColumn + "_INDEX ON " + join + "(" + assetColumn + ", " +
           albumColumn + ");";
    // Entity rows: the asset entity of the release (a sub-entity of GenericAsset before iOS 14), the
    // album entity under GenericAlbum, and the asset attributes.
    auto row = [](int number, const char* name, int super) {
        return "INSERT INTO Z_PRIMARYKEY(Z_ENT, Z_NAME, Z_SUPER, Z_MAX) VALUES (" + std::to_string(number) +
               ", '" + name + "', " + std::to_string(super) + ", 0);";
    };
    sql += row(kAttributesEntity, "AdditionalAssetAttributes", 0);
    if (asset == "ZGENERICASSET") {
        sql += row(variant.assetEntity - 1, "GenericAsset", 0);
        sql += row(variant.assetEntity, "Asset", variant.assetEntity - 1);
    } else {
        sql += row(variant.assetEntity, "Asset", 0);
    }
    sql += row(variant.albumEntity - 1, "GenericAlbum", 0);
    sql += row(variant.albumEntity, "Album", variant.albumEntity - 1);
    sql += "INSERT INTO Z_METADATA(Z_VERSION, Z_UUID) VALUES (1, '0B7D2C5E-8A41-4F6B-9E3D-5C1A7F20B948');";
    return sql;
}

std::string Join(const ios::PhotoLibraryLayout& layout) {
    return "\"" + layout.joinTable + "\"";
}

} // namespace

const PhotoLibraryVariant* FindPhotoLibraryVariant(int release) {
    if (release == 16)
        release = 17;
    for (const auto& variant : kVariants) {
        if (variant.ios == release)
            return &variant;
    }
    return nullptr;
}

fs::path PhotoLibraryStore::DatabasePath(const fs::path& deviceFolder) {
    return deviceFolder / "Media" / "PhotoData" / "Photos.sqlite";
}

bool PhotoLibraryStore::EnsureTables(sqlite3* db, int release) {
    if (!db)
        return false;
    ios::PhotoLibraryLayout layout;
    if (ios::FindPhotoLibraryLayout(db, layout) == ios::kReadOk)
        return !layout.joinTable.empty();
    // A file that is not a database fails here too.
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    const PhotoLibraryVariant* variant = FindPhotoLibraryVariant(release);
    if (!variant)
        return false;
    const std::string sql = "SAVEPOINT photo_tables;" + Schema(*variant) + "RELEASE photo_tables;";
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    sqlite3_exec(db, "ROLLBACK TO photo_tables; RELEASE photo_tables;", nullptr, nullptr, nullptr);
    return false;
}

int PhotoLibraryStore::Read(const fs::path& file, ios::PhotoLibrary& library,
                            ios::PhotoLibraryReader::Parts parts) {
    return VexaResultOf(
        ios::PhotoLibraryReader::Read(file, library, ios::ReadOnlyDatabase::Mode::InPlace, parts));
}

PhotoLibraryStore::PhotoLibraryStore(sqlite3* db, fs::path mediaRoot)
    : m_db(db)
    , m_mediaRoot(std::move(mediaRoot)) {
    if (!m_db)
        return;
    ios::FindPhotoLibraryLayout(m_db, m_layout);
    // The entity numbers are read back from the column names, so that new rows carry the file's own.
    auto number = [](const std::string& column) {
        return column.size() > 2 ? std::atoi(column.c_str() + 2) : 0;
    };
    if (!m_layout.joinTable.empty()) {
        m_assetEntity = number(m_layout.assetColumn);
        m_albumEntity = number(m_layout.albumColumn);
    }
}

PhotoLibraryStore::~PhotoLibraryStore() = default;

std::string PhotoLibraryStore::UuidFromNumber(uint64_t number) {
    // Spread the number over the digits so neighbouring photos do not share long prefixes.
    uint64_t mixed = number * 0x9E3779B97F4A7C15ULL;
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-4%03X-A%03X-%012llX", static_cast<unsigned>(mixed >> 32),
                  static_cast<unsigned>((mixed >> 16) & 0xFFFF), static_cast<unsigned>(mixed & 0xFFF),
                  static_cast<unsigned>((number >> 48) & 0xFFF),
                  static_cast<unsigned long long>(number & 0xFFFFFFFFFFFFULL));
    return text;
}

std::string PhotoLibraryStore::NewUuid() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return UuidFromNumber(random());
}

fs::path PhotoLibraryStore::FileOf(const std::string& devicePath) const {
    std::string relative = devicePath;
    while (relative.starts_with('/'))
        relative.erase(0, 1);
    return m_mediaRoot / relative;
}

int64_t PhotoLibraryStore::NextKey(const std::string& table) {
    Statement next(m_db, "SELECT COALESCE(MAX(Z_PK), 0) + 1 FROM " + table);
    return next.Step() == SQLITE_ROW ? next.Int(0) : 1;
}

int PhotoLibraryStore::Insert(const NewPhoto& photo, int64_t* key) {
    if (m_layout.assetTable.empty())
        return VEXA_E_DATABASE;
    if (!m_insertAsset) {
        m_nextAsset = std::max(NextKey(m_layout.assetTable), NextKey("ZADDITIONALASSETATTRIBUTES"));
        m_insertAsset = std::make_unique<Statement>(
            m_db,
            "INSERT INTO " + m_layout.assetTable +
                "(Z_PK, Z_ENT, Z_OPT, ZCOMPLETE, ZFAVORITE, ZHIDDEN, ZKIND, ZKINDSUBTYPE, ZORIENTATION, "
                "ZTRASHEDSTATE, ZVISIBILITYSTATE, ZWIDTH, ZHEIGHT, ZADDITIONALATTRIBUTES, ZADDEDDATE, "
                "ZDATECREATED, ZMODIFICATIONDATE, ZDIRECTORY, ZFILENAME, ZUNIFORMTYPEIDENTIFIER, ZUUID) "
                "VALUES (?1, ?2, 1, 1, ?12, 0, ?3, ?4, 1, 0, 0, ?5, ?6, ?1, CAST(?7 AS REAL), "
                "CAST(?7 AS REAL), CAST(?7 AS REAL), ?8, ?9, ?10, ?11)");
        m_insertAttributes = std::make_unique<Statement>(
            m_db, "INSERT OR REPLACE INTO ZADDITIONALASSETATTRIBUTES(Z_PK, Z_ENT, Z_OPT, ZASSET, "
                  "ZORIGINALFILESIZE, ZORIGINALFILENAME) VALUES (?1, " +
                      std::to_string(kAttributesEntity) + ", 1, ?1, ?2, ?3)");
    }
    std::string relative = photo.devicePath;
    while (relative.starts_with('/'))
        relative.erase(0, 1);
    const size_t slash = relative.rfind('/');
    const std::string directory = slash == std::string::npos ? std::string() : relative.substr(0, slash);
    const std::string name = slash == std::string::npos ? relative : relative.substr(slash + 1);
    const std::string suffix = Upper(fs::path(name).extension().string());
    const bool video = suffix == ".MOV" || suffix == ".MP4" || suffix == ".M4V";
    const char* type = video ? (suffix == ".MOV" ? "com.apple.quicktime-movie" : "public.mpeg-4")
                       : suffix == ".HEIC" ? "public.heic"
                       : suffix == ".PNG"  ? "public.png"
                                           : "public.jpeg";
    const int64_t size = photo.fileSize >= 0
                             ? photo.fileSize
                             : static_cast<int64_t>(DeviceFiles::Size(FileOf(photo.devicePath)));
    const int64_t assetKey = m_nextAsset++;

    Statement& insert = *m_insertAsset;
    insert.Reset();
    insert.Bind(1, assetKey).Bind(2, int64_t(m_assetEntity)).Bind(3, int64_t(video ? 1 : 0));
    const int subtype = video              ? ios::kVideoSubtype
                        : photo.livePhoto  ? ios::kLivePhotoSubtype
                        : photo.screenshot ? ios::kScreenshotSubtype
                                           : 0;
    insert.Bind(4, int64_t(subtype)).Bind(5, int64_t(photo.width));
    insert.Bind(6, int64_t(photo.height)).Bind(7, photo.date).Bind(8, std::string_view(directory));
    insert.Bind(9, std::string_view(name)).Bind(10, type);
    insert.Bind(11, std::string_view(photo.uuid.empty() ? NewUuid() : photo.uuid));
    insert.Bind(12, int64_t(photo.favorite ? 1 : 0));
    if (int code = insert.Run())
        return code;
    Statement& attributes = *m_insertAttributes;
    attributes.Reset();
    attributes.Bind(1, assetKey).Bind(2, size).Bind(3, std::string_view(name));
    if (int code = attributes.Run())
        return code;
    if (key)
        *key = assetKey;
    return VEXA_OK;
}

int PhotoLibraryStore::Import(const fs::path& local, int64_t* key) {
    std::error_code error;
    if (!fs::is_regular_file(local, error))
        return VEXA_E_NOT_FOUND;
    static constexpr std::string_view kTaken[] = {".JPG", ".JPEG", ".PNG", ".GIF", ".BMP"};
    const std::string suffix = Upper(local.extension().string());
    formats::ImageProbe info;
    if (std::find(std::begin(kTaken), std::end(kTaken), suffix) == std::end(kTaken) ||
        !formats::ProbeCompleteImage(local, info))
        return VEXA_E_UNSUPPORTED;
    if (m_layout.assetTable.empty())
        return VEXA_E_DATABASE;

    char stem[32];
    std::snprintf(stem, sizeof stem, "IMG_%04lld", static_cast<long long>(NextKey(m_layout.assetTable)));
    const fs::path target =
        DeviceFiles::FreeName(m_mediaRoot / "PhotoData" / "Sync" / "100SYNCD", stem, suffix);
    if (int code = DeviceFiles::CopyIn(local, target))
        return code;
    NewPhoto photo;
    photo.kind = kPhotoSynced;
    // The picture's own date when it carries one, so it lands in the month it was taken.
    photo.date = info.exifTime ? std::max<int64_t>(0, *info.exifTime - ios::kAppleEpochOffset)
                               : SecondsSince2001(local);
    photo.width = info.width;
    photo.height = info.height;
    photo.devicePath = "/" + fs::relative(target, m_mediaRoot).generic_string();
    if (int code = Insert(photo, key)) {
        DeviceFiles::Remove(target);
        return code;
    }
    m_lastImported = target;
    return VEXA_OK;
}

int PhotoLibraryStore::Delete(const std::vector<std::string>& uuids, std::atomic<int>& handled,
                              PendingRemoval& removal) {
    if (m_layout.joinTable.empty())
        return VEXA_E_DATABASE;
    const std::string& table = m_layout.assetTable;
    Statement find(m_db,
                   "SELECT Z_PK, ZDIRECTORY, ZFILENAME, ZKINDSUBTYPE FROM " + table + " WHERE ZUUID = ?");
    Statement membership(m_db, "DELETE FROM " + Join(m_layout) + " WHERE " + m_layout.assetColumn + " = ?");
    Statement attributes(m_db, "DELETE FROM ZADDITIONALASSETATTRIBUTES WHERE ZASSET = ?");
    Statement remove(m_db, "DELETE FROM " + table + " WHERE Z_PK = ?");
    std::vector<fs::path> files;
    std::vector<fs::path> companions; // thumbnails and Live Photo clips, removed along when present
    for (const auto& uuid : uuids) {
        find.Reset();
        if (find.Bind(1, std::string_view(uuid)).Step() != SQLITE_ROW)
            return find.Result() != VEXA_OK ? find.Result() : static_cast<int>(VEXA_E_NOT_FOUND);
        const int64_t key = find.Int(0);
        const std::string directory = find.Text(1), name = find.Text(2);
        files.push_back(m_mediaRoot / directory / name);
        companions.push_back(
            ios::PhotoLibraryReader::ThumbnailFile(m_mediaRoot, directory, name).parent_path());
        if (find.Int(3) == 2)
            companions.push_back((m_mediaRoot / directory / name).replace_extension(".MOV"));
        for (Statement* statement : {&membership, &attributes, &remove}) {
            statement->Reset();
            if (int code = statement->Bind(1, key).Run())
                return code;
        }
    }
    // The rows go first; files only once every row is gone, so an unknown id changes nothing.
    for (const auto& file : files) {
        if (!removal.Add(file))
            return VEXA_E_IO;
        ++handled;
    }
    for (const auto& file : companions) {
        if (!removal.Add(file))
            return VEXA_E_IO;
    }
    return VEXA_OK;
}

int PhotoLibraryStore::CreateAlbum(const std::string& title, int kind, const std::string& uuid,
                                   int64_t* key) {
    Statement insert(m_db, "INSERT INTO ZGENERICALBUM(Z_ENT, Z_OPT, ZKIND, ZTRASHEDSTATE, ZCACHEDCOUNT, "
                           "ZCREATIONDATE, ZTITLE, ZUUID) VALUES (?, 1, ?, 0, 0, CAST(? AS REAL), ?, ?)");
    const int64_t now =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    insert.Bind(1, int64_t(m_albumEntity)).Bind(2, int64_t(kind)).Bind(3, now - ios::kAppleEpochOffset);
    insert.Bind(4, std::string_view(title)).Bind(5, std::string_view(uuid));
    if (int code = insert.Run())
        return code;
    if (key)
        *key = sqlite3_last_insert_rowid(m_db);
    return VEXA_OK;
}

int PhotoLibraryStore::FindAlbum(const std::string& uuid, int64_t& key, int& kind) {
    Statement find(
        m_db, "SELECT Z_PK, ZKIND FROM ZGENERICALBUM WHERE ZUUID = ? AND COALESCE(ZTRASHEDSTATE, 0) = 0");
    if (find.Bind(1, std::string_view(uuid)).Step() != SQLITE_ROW)
        return find.Result() != VEXA_OK ? find.Result() : static_cast<int>(VEXA_E_NOT_FOUND);
    key = find.Int(0);
    kind = static_cast<int>(find.Int(1));
    return VEXA_OK;
}

int PhotoLibraryStore::UpdateAlbum(int64_t key, const std::string& title, int kind) {
    Statement update(m_db, "UPDATE ZGENERICALBUM SET ZTITLE = COALESCE(NULLIF(?, ''), ZTITLE), ZKIND = ?, "
                           "Z_OPT = Z_OPT + 1 WHERE Z_PK = ?");
    return update.Bind(1, std::string_view(title)).Bind(2, int64_t(kind)).Bind(3, key).Run();
}

int PhotoLibraryStore::DeleteAlbum(int64_t key) {
    if (m_layout.joinTable.empty())
        return VEXA_E_DATABASE;
    Statement members(m_db, "DELETE FROM " + Join(m_layout) + " WHERE " + m_layout.albumColumn + " = ?");
    if (int code = members.Bind(1, key).Run())
        return code;
    return Statement(m_db, "DELETE FROM ZGENERICALBUM WHERE Z_PK = ?").Bind(1, key).Run();
}

int PhotoLibraryStore::AddToAlbum(int64_t albumKey, int64_t assetKey) {
    if (m_layout.joinTable.empty())
        return VEXA_E_DATABASE;
    const std::string order = m_layout.orderColumn.empty() ? std::string() : ", " + m_layout.orderColumn;
    const std::string next = m_layout.orderColumn.empty()
                                 ? std::string()
                                 : ", (SELECT COALESCE(MAX(" + m_layout.orderColumn + "), 0) + 1024 FROM " +
                                       Join(m_layout) + " WHERE " + m_layout.albumColumn + " = ?1)";
    Statement insert(m_db, "INSERT OR IGNORE INTO " + Join(m_layout) + "(" + m_layout.albumColumn + ", " +
                               m_layout.assetColumn + order + ") VALUES (?1, ?2" + next + ")");
    if (int code = insert.Bind(1, albumKey).Bind(2, assetKey).Run())
        return code;
    return Statement(m_db,
                     "UPDATE ZGENERICALBUM SET ZCACHEDCOUNT = COALESCE(ZCACHEDCOUNT, 0) + ? WHERE Z_PK = ?")
        .Bind(1, int64_t(sqlite3_changes(m_db)))
        .Bind(2, albumKey)
        .Run();
}

int PhotoLibraryStore::RemoveFromAlbum(int64_t albumKey, const std::vector<std::string>& photoUuids) {
    if (m_layout.joinTable.empty())
        return VEXA_E_DATABASE;
    Statement remove(m_db, "DELETE FROM " + Join(m_layout) + " WHERE " + m_layout.albumColumn + " = ? AND " +
                               m_layout.assetColumn + " = (SELECT Z_PK FROM " + m_layout.assetTable +
                               " WHERE ZUUID = ?)");
    for (const auto& photo : photoUuids) {
        remove.Reset();
        if (int code = remove.Bind(1, albumKey).Bind(2, std::string_view(photo)).Run())
            return code;
        if (sqlite3_changes(m_db) == 0)
            return VEXA_E_NOT_FOUND;
    }
    return Statement(m_db, "UPDATE ZGENERICALBUM SET ZCACHEDCOUNT = MAX(0, COALESCE(ZCACHEDCOUNT, 0) - ?) "
                           "WHERE Z_PK = ?")
        .Bind(1, int64_t(photoUuids.size()))
        .Bind(2, albumKey)
        .Run();
}

int PhotoLibraryStore::Finish() {
    if (m_layout.assetTable.empty())
        return VEXA_E_DATABASE;
    const std::string sql =
        "UPDATE Z_PRIMARYKEY SET Z_MAX = (SELECT COALESCE(MAX(Z_PK), 0) FROM " + m_layout.assetTable +
        ") WHERE Z_ENT = " + std::to_string(m_assetEntity) +
        "; UPDATE Z_PRIMARYKEY SET Z_MAX = (SELECT COALESCE(MAX(Z_PK), 0) FROM ZGENERICALBUM) WHERE Z_ENT "
        "= " +
        std::to_string(m_albumEntity) +
        "; UPDATE Z_PRIMARYKEY SET Z_MAX = (SELECT COALESCE(MAX(Z_PK), 0) FROM ZADDITIONALASSETATTRIBUTES) "
        "WHERE Z_ENT = " +
        std::to_string(kAttributesEntity) + ";";
    return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK ? VEXA_OK
                                                                                   : VEXA_E_DATABASE;
}

int PhotoKindOf(const ios::PhotoAsset& asset) {
    return asset.directory.starts_with("PhotoData/Sync") ? kPhotoSynced : kPhotoTaken;
}

void FillPhotoRecords(const std::vector<const ios::PhotoAsset*>& assets, const fs::path& mediaRoot,
                      PhotoListBuffer& out) {
    out.records.clear();
    out.text.Clear();
    out.records.reserve(assets.size());
    std::string path;
    for (const ios::PhotoAsset* asset : assets) {
        PhotoRecord record{};
        path.assign("/").append(asset->directory);
        if (!asset->directory.empty())
            path += '/';
        path += asset->fileName;
        record.id = out.text.Add(asset->uuid);
        record.kind = PhotoKindOf(*asset);
        record.date = asset->unixTime - ios::kAppleEpochOffset;
        record.width = asset->width;
        record.height = asset->height;
        record.fileSize = asset->fileSize >= 0
                              ? asset->fileSize
                              : static_cast<int64_t>(DeviceFiles::Size(mediaRoot / path.substr(1)));
        record.fileName = out.text.Add(asset->fileName);
        record.path = out.text.Add(path);
        out.records.push_back(record);
    }
}

} // namespace vexa::sim
