#include "MediaLibraryReader.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <unordered_map>

#include <sqlite3.h>

#include "ReadResult.h"

namespace vexa::ios {

namespace {

using Columns = std::set<std::string, std::less<>>;

// One statement on a raw connection; the first error is kept.
class Rows {
public:
    Rows(sqlite3* db, const std::string& sql) {
        m_error = sqlite3_prepare_v2(db, sql.c_str(), -1, &m_statement, nullptr);
    }
    ~Rows() { sqlite3_finalize(m_statement); }
    Rows(const Rows&) = delete;
    Rows& operator=(const Rows&) = delete;

    bool Next() {
        if (m_error != SQLITE_OK)
            return false;
        const int step = sqlite3_step(m_statement);
        if (step != SQLITE_ROW && step != SQLITE_DONE)
            m_error = step;
        return step == SQLITE_ROW;
    }
    int Error() const { return m_error; }
    int64_t Int(int column) const { return sqlite3_column_int64(m_statement, column); }
    double Real(int column) const { return sqlite3_column_double(m_statement, column); }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(m_statement, column)))
                    : std::string();
    }

private:
    sqlite3_stmt* m_statement = nullptr;
    int m_error = SQLITE_OK;
};

Columns ColumnsOf(sqlite3* db, const char* table) {
    Columns columns;
    Rows info(db, std::string("PRAGMA table_info(") + table + ")");
    while (info.Next())
        columns.insert(info.Text(1));
    return columns;
}

int FailureOf(int sqliteError) {
    const int primary = sqliteError & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED || primary == SQLITE_NOMEM ||
                   primary == SQLITE_IOERR
               ? kReadIoError
               : kReadDamaged;
}

// A text column of a joined table, or NULL when the table or the column is not there.
class Select {
public:
    explicit Select(sqlite3* db)
        : m_db(db) {}

    // Joins `table` as `alias` on alias.key = item.<itemColumn> when all three exist; answers whether it did.
    bool Join(const char* table, const char* alias, const char* key, const Columns& item,
              const char* itemColumn) {
        Columns columns = ColumnsOf(m_db, table);
        if (!columns.count(key) || !item.count(itemColumn))
            return false;
        m_from += std::string(" LEFT JOIN ") + table + " " + alias + " ON " + alias + "." + key + " = i." +
                  itemColumn;
        m_tables.emplace(alias, std::move(columns));
        return true;
    }
    void Add(const char* alias, const char* column) {
        const auto table = m_tables.find(alias);
        const bool present = table != m_tables.end() && table->second.count(column);
        m_select += (m_select.empty() ? "" : ", ") +
                    (present ? std::string(alias) + "." + column : std::string("NULL"));
    }
    void Use(const char* alias, Columns columns) { m_tables.emplace(alias, std::move(columns)); }
    std::string Sql() const {
        return "SELECT " + m_select + " FROM item i" + m_from + " ORDER BY i.item_pid";
    }

private:
    sqlite3* m_db;
    std::string m_select;
    std::string m_from;
    std::unordered_map<std::string, Columns> m_tables;
};

// "iTunes_Control/Music/F03" + "ABCD.mp3", or empty when either part is missing or the result would
// leave the media root.
std::string FilePath(std::string base, const std::string& location) {
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    while (!base.empty() && base.front() == '/')
        base.erase(0, 1);
    if (base.empty() || location.empty() || location.find('/') != std::string::npos)
        return {};
    const std::string path = base + "/" + location;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string_view part(path.data() + start, end - start);
        if (part.empty() || part == "." || part == "..")
            return {};
        start = end + 1;
    }
    return path;
}

int ReadItems(sqlite3* db, MediaLibrary& library, std::unordered_map<int64_t, size_t>& indexOfPid) {
    const Columns item = ColumnsOf(db, "item");
    if (!item.count("item_pid"))
        return kReadDamaged;
    Select select(db);
    select.Use("i", item);
    select.Join("item_extra", "e", "item_pid", item, "item_pid");
    select.Join("item_artist", "ar", "item_artist_pid", item, "item_artist_pid");
    select.Join("album", "al", "album_pid", item, "album_pid");
    select.Join("album_artist", "aa", "album_artist_pid", item, "album_artist_pid");
    select.Join("genre", "g", "genre_id", item, "genre_id");
    select.Join("base_location", "b", "base_location_id", item, "base_location_id");
    select.Join("location_kind", "k", "location_kind_id", item, "location_kind_id");
    select.Add("i", "item_pid");
    select.Add("i", "media_type");
    select.Add("e", "title");
    select.Add("ar", "item_artist");
    select.Add("al", "album");
    select.Add("aa", "album_artist");
    select.Add("g", "genre");
    select.Add("k", "kind");
    select.Add("b", "path");
    select.Add("e", "location");
    select.Add("e", "total_time_ms");
    select.Add("e", "file_size");
    select.Add("i", "track_number");
    select.Add("e", "year");

    Rows rows(db, select.Sql());
    while (rows.Next()) {
        MediaItem entry;
        entry.pid = rows.Int(0);
        entry.mediaType = rows.Int(1);
        entry.title = rows.Text(2);
        entry.artist = rows.Text(3);
        entry.album = rows.Text(4);
        entry.albumArtist = rows.Text(5);
        entry.genre = rows.Text(6);
        entry.fileKind = rows.Text(7);
        entry.path = FilePath(rows.Text(8), rows.Text(9));
        entry.durationMs = static_cast<int64_t>(std::max(0.0, rows.Real(10)));
        entry.fileSize = std::max<int64_t>(0, rows.Int(11));
        entry.trackNumber = static_cast<int>(rows.Int(12));
        entry.year = static_cast<int>(rows.Int(13));
        indexOfPid.emplace(entry.pid, library.items.size());
        library.items.push_back(std::move(entry));
    }
    return rows.Error() == SQLITE_OK ? kReadOk : FailureOf(rows.Error());
}

int ReadPlaylists(sqlite3* db, MediaLibrary& library, const std::unordered_map<int64_t, size_t>& indexOfPid) {
    const Columns container = ColumnsOf(db, "container");
    if (!container.count("container_pid"))
        return kReadOk;
    std::string sql =
        "SELECT container_pid, " + std::string(container.count("name") ? "name" : "NULL") + " FROM container";
    if (container.count("distinguished_kind"))
        sql += " WHERE COALESCE(distinguished_kind, 0) = 0";
    Rows containers(db, sql + " ORDER BY container_pid");
    std::unordered_map<int64_t, size_t> indexOfContainer;
    while (containers.Next()) {
        MediaPlaylist playlist;
        playlist.pid = containers.Int(0);
        playlist.name = containers.Text(1);
        indexOfContainer.emplace(playlist.pid, library.playlists.size());
        library.playlists.push_back(std::move(playlist));
    }
    if (containers.Error() != SQLITE_OK)
        return FailureOf(containers.Error());

    const Columns members = ColumnsOf(db, "container_items");
    if (!members.count("container_pid") || !members.count("item_pid"))
        return kReadOk;
    Rows rows(db, std::string("SELECT container_pid, item_pid FROM container_items ORDER BY container_pid") +
                      (members.count("position") ? ", position" : "") + ", rowid");
    while (rows.Next()) {
        const auto playlist = indexOfContainer.find(rows.Int(0));
        const auto item = indexOfPid.find(rows.Int(1));
        if (playlist != indexOfContainer.end() && item != indexOfPid.end())
            library.playlists[playlist->second].items.push_back(item->second);
    }
    return rows.Error() == SQLITE_OK ? kReadOk : FailureOf(rows.Error());
}

} // namespace

bool IsVideoMediaType(int64_t mediaType) {
    constexpr int64_t kVideoBits =
        256 | kMediaTypeTvShow | kMediaTypeMusicVideo | kMediaTypeMovie | 4096 | kMediaTypeHomeVideo;
    return (mediaType & kVideoBits) != 0;
}

int MediaLibraryReader::Read(sqlite3* db, MediaLibrary& library) {
    library = MediaLibrary{};
    std::unordered_map<int64_t, size_t> indexOfPid;
    int code = ReadItems(db, library, indexOfPid);
    if (code == kReadOk)
        code = ReadPlaylists(db, library, indexOfPid);
    if (code != kReadOk)
        library = MediaLibrary{};
    return code;
}

int MediaLibraryReader::Read(const std::filesystem::path& file, MediaLibrary& library,
                             ReadOnlyDatabase::Mode mode) {
    library = MediaLibrary{};
    ReadOnlyDatabase database;
    if (int code = database.Open(file, mode))
        return code;
    return Read(database.Handle(), library);
}

} // namespace vexa::ios
