#include "PhotoLibraryReader.h"

#include <cctype>
#include <map>
#include <unordered_map>

#include <sqlite3.h>

#include "AppleTime.h"
#include "ReadResult.h"

namespace vexa::ios {

namespace {

using Columns = std::set<std::string, std::less<>>;

// Rows of a statement on a raw connection, for the layout search that the simulator's writer shares.
std::vector<std::vector<std::string>> Rows(sqlite3* db, const std::string& sql, int columns) {
    std::vector<std::vector<std::string>> rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return rows;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < columns; ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            row.emplace_back(text ? text : "");
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return rows;
}

std::string Quoted(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

// "Z_28ALBUMS" -> 28 and "ALBUMS"; false for any other shape.
bool SplitEntityColumn(const std::string& column, int& entity, std::string& relation) {
    if (column.size() < 4 || column.compare(0, 2, "Z_") != 0)
        return false;
    size_t i = 2;
    int number = 0;
    while (i < column.size() && std::isdigit(static_cast<unsigned char>(column[i])) && number < 100000)
        number = number * 10 + (column[i++] - '0');
    if (i == 2 || i == column.size())
        return false;
    entity = number;
    relation = column.substr(i);
    return true;
}

std::string Column(const Columns& columns, const char* prefix, const char* name) {
    return columns.count(name) ? std::string(prefix) + name : std::string("NULL");
}

int FailureOf(const Query& query) {
    const int primary = query.Error() & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_NOMEM || primary == SQLITE_IOERR ? kReadIoError
                                                                                        : kReadDamaged;
}

} // namespace

int FindPhotoLibraryLayout(sqlite3* db, PhotoLibraryLayout& layout) {
    layout = PhotoLibraryLayout{};
    for (const char* table : {"ZASSET", "ZGENERICASSET"}) {
        if (!Rows(db,
                  std::string("SELECT name FROM sqlite_master WHERE type = 'table' AND name = '") + table +
                      "'",
                  1)
                 .empty()) {
            layout.assetTable = table;
            break;
        }
    }
    if (layout.assetTable.empty())
        return kReadDamaged;

    std::map<int, std::string> entities;
    for (const auto& row : Rows(db, "SELECT Z_ENT, Z_NAME FROM Z_PRIMARYKEY", 2))
        entities[std::atoi(row[0].c_str())] = row[1];
    auto entityIs = [&](int entity, const char* a, const char* b) {
        const auto found = entities.find(entity);
        return found != entities.end() && (found->second == a || found->second == b);
    };
    const auto tables =
        Rows(db,
             "SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE 'Z\\_%ASSETS' ESCAPE '\\' "
             "ORDER BY name",
             1);
    for (const auto& table : tables) {
        std::string albumColumn, assetColumn;
        Columns names;
        for (const auto& column : Rows(db, "PRAGMA table_info(" + Quoted(table[0]) + ")", 2)) {
            names.insert(column[1]);
            int entity = 0;
            std::string relation;
            if (!SplitEntityColumn(column[1], entity, relation))
                continue;
            if (relation == "ALBUMS" && entityIs(entity, "Album", "GenericAlbum"))
                albumColumn = column[1];
            else if (relation == "ASSETS" && entityIs(entity, "Asset", "GenericAsset"))
                assetColumn = column[1];
        }
        if (albumColumn.empty() || assetColumn.empty())
            continue;
        layout.joinTable = table[0];
        layout.albumColumn = albumColumn;
        layout.assetColumn = assetColumn;
        const std::string order = "Z_FOK_" + assetColumn.substr(2);
        if (names.count(order))
            layout.orderColumn = order;
        break;
    }
    return kReadOk;
}

int PhotoLibraryReader::Read(const std::filesystem::path& file, PhotoLibrary& library,
                             ReadOnlyDatabase::Mode mode, Parts parts) {
    library = PhotoLibrary{};
    ReadOnlyDatabase database;
    if (int code = database.Open(file, mode))
        return code;
    PhotoLibraryLayout layout;
    if (int code = FindPhotoLibraryLayout(database.Handle(), layout))
        return code;
    const Columns assetColumns = database.Columns(layout.assetTable);
    if (!assetColumns.count("Z_PK") || !assetColumns.count("ZFILENAME"))
        return kReadDamaged;

    std::string sql =
        "SELECT a.Z_PK, " + Column(assetColumns, "a.", "ZUUID") + ", " +
        Column(assetColumns, "a.", "ZDIRECTORY") + ", a.ZFILENAME, " +
        Column(assetColumns, "a.", "ZDATECREATED") + ", " + Column(assetColumns, "a.", "ZKIND") + ", " +
        Column(assetColumns, "a.", "ZKINDSUBTYPE") + ", " + Column(assetColumns, "a.", "ZWIDTH") + ", " +
        Column(assetColumns, "a.", "ZHEIGHT") + ", " + Column(assetColumns, "a.", "ZFAVORITE") + ", ";
    // The original's size sits in the asset's additional attributes.
    const Columns extraColumns = database.Columns("ZADDITIONALASSETATTRIBUTES");
    const bool withSize = assetColumns.count("ZADDITIONALATTRIBUTES") && extraColumns.count("Z_PK") &&
                          extraColumns.count("ZORIGINALFILESIZE");
    sql += withSize ? "x.ZORIGINALFILESIZE FROM " + layout.assetTable +
                          " a LEFT JOIN ZADDITIONALASSETATTRIBUTES x ON x.Z_PK = a.ZADDITIONALATTRIBUTES"
                    : "NULL FROM " + layout.assetTable + " a";
    sql += " WHERE a.ZFILENAME IS NOT NULL";
    for (const char* flag : {"ZTRASHEDSTATE", "ZHIDDEN", "ZVISIBILITYSTATE"}) {
        if (assetColumns.count(flag))
            sql += std::string(" AND COALESCE(a.") + flag + ", 0) = 0";
    }
    sql += " ORDER BY 5, 1";
    Query assets(database, sql);
    while (assets.Next()) {
        PhotoAsset asset;
        asset.key = assets.Int(0);
        asset.uuid = assets.Text(1);
        asset.directory = assets.Text(2);
        asset.fileName = assets.Text(3);
        asset.unixTime = UnixFromAppleSeconds(assets.Real(4));
        asset.kind = int(assets.Int(5));
        asset.kindSubtype = int(assets.Int(6));
        asset.width = int(assets.Int(7));
        asset.height = int(assets.Int(8));
        asset.favorite = assets.Int(9) != 0;
        asset.fileSize = assets.IsNull(10) ? -1 : assets.Int(10);
        library.assets.push_back(std::move(asset));
    }
    if (assets.Error() != SQLITE_OK) {
        const int failure = FailureOf(assets);
        library = PhotoLibrary{};
        return failure;
    }
    library.layout = layout;
    if (parts == Parts::Assets || !database.HasTable("ZGENERICALBUM"))
        return kReadOk;

    const Columns albumColumns = database.Columns("ZGENERICALBUM");
    if (!albumColumns.count("Z_PK")) {
        library = PhotoLibrary{};
        return kReadDamaged;
    }
    std::string albumSql = "SELECT Z_PK, " + Column(albumColumns, "", "ZUUID") + ", " +
                           Column(albumColumns, "", "ZTITLE") + ", " + Column(albumColumns, "", "ZKIND") +
                           " FROM ZGENERICALBUM";
    if (albumColumns.count("ZTRASHEDSTATE"))
        albumSql += " WHERE COALESCE(ZTRASHEDSTATE, 0) = 0";
    albumSql += " ORDER BY Z_PK";
    Query albums(database, albumSql);
    std::unordered_map<int64_t, size_t> albumIndex;
    while (albums.Next()) {
        PhotoAlbum album;
        album.key = albums.Int(0);
        album.uuid = albums.Text(1);
        album.title = albums.Text(2);
        album.kind = int(albums.Int(3));
        albumIndex.emplace(album.key, library.albums.size());
        library.albums.push_back(std::move(album));
    }
    if (albums.Error() != SQLITE_OK) {
        const int failure = FailureOf(albums);
        library = PhotoLibrary{};
        return failure;
    }
    if (layout.joinTable.empty() || library.albums.empty())
        return kReadOk;

    std::unordered_map<int64_t, bool> shown;
    shown.reserve(library.assets.size());
    for (const auto& asset : library.assets)
        shown.emplace(asset.key, true);
    const std::string order = layout.orderColumn.empty() ? layout.assetColumn : layout.orderColumn;
    Query members(database, "SELECT " + Quoted(layout.albumColumn) + ", " + Quoted(layout.assetColumn) +
                                " FROM " + Quoted(layout.joinTable) + " ORDER BY 1, " + Quoted(order) +
                                ", 2");
    while (members.Next()) {
        const auto album = albumIndex.find(members.Int(0));
        const int64_t asset = members.Int(1);
        if (album != albumIndex.end() && shown.count(asset))
            library.albums[album->second].assets.push_back(asset);
    }
    if (members.Error() != SQLITE_OK) {
        const int failure = FailureOf(members);
        library = PhotoLibrary{};
        return failure;
    }
    return kReadOk;
}

std::filesystem::path PhotoLibraryReader::ThumbnailFile(const std::filesystem::path& mediaRoot,
                                                        const std::string& directory,
                                                        const std::string& fileName) {
    return mediaRoot / "PhotoData" / "Thumbnails" / "V2" / directory / fileName / "5005.JPG";
}

std::filesystem::path PhotoLibraryReader::ThumbnailFile(const std::filesystem::path& mediaRoot,
                                                        const PhotoAsset& asset) {
    return ThumbnailFile(mediaRoot, asset.directory, asset.fileName);
}

} // namespace vexa::ios
