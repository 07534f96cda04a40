#include "PhotoStore.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string_view>

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "ColumnText.h"
#include "ContentIds.h"
#include "DeviceFiles.h"
#include "PendingRemoval.h"
#include "formats/ImageFile.h"
#include "formats/ImageProbe.h"

namespace vexa::sim {

namespace fs = std::filesystem;

namespace {

constexpr const char* kColumns =
    "p.uuid, p.kind, p.date, p.width, p.height, p.file_size, p.file_name, p.path";
constexpr int64_t kUnixTimeOf2001 = 978307200;

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
    return std::max<int64_t>(0, unix - kUnixTimeOf2001);
}

} // namespace

PhotoStore::PhotoStore(sqlite3* db, fs::path mediaRoot)
    : m_db(db)
    , m_mediaRoot(std::move(mediaRoot)) {}

std::string PhotoStore::UuidFromNumber(uint64_t number) {
    // Spread the number over the digits so neighbouring photos do not share long prefixes.
    uint64_t mixed = number * 0x9E3779B97F4A7C15ULL;
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-4%03X-A%03X-%012llX", static_cast<unsigned>(mixed >> 32),
                  static_cast<unsigned>((mixed >> 16) & 0xFFFF), static_cast<unsigned>(mixed & 0xFFF),
                  static_cast<unsigned>((number >> 48) & 0xFFF),
                  static_cast<unsigned long long>(number & 0xFFFFFFFFFFFFULL));
    return text;
}

std::string PhotoStore::NewUuid() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return UuidFromNumber(random());
}

fs::path PhotoStore::FileOf(const char* devicePath) const {
    std::string relative = devicePath ? devicePath : "";
    while (relative.starts_with('/'))
        relative.erase(0, 1);
    return m_mediaRoot / relative;
}

int PhotoStore::Insert(const NewPhoto& photo, int64_t* rowId) {
    const fs::path file = FileOf(photo.devicePath.c_str());
    Statement insert(m_db, "INSERT INTO photos(uuid, kind, date, width, height, file_size, file_name, path) "
                           "VALUES (?,?,?,?,?,?,?,?)");
    insert.Bind(1, std::string_view(photo.uuid.empty() ? NewUuid() : photo.uuid)).Bind(2, photo.kind);
    insert.Bind(3, photo.date).Bind(4, photo.width).Bind(5, photo.height);
    insert.Bind(6, static_cast<int64_t>(DeviceFiles::Size(file)));
    insert.Bind(7, std::string_view(file.filename().string())).Bind(8, std::string_view(photo.devicePath));
    if (int code = insert.Run())
        return code;
    if (rowId)
        *rowId = sqlite3_last_insert_rowid(m_db);
    return VEXA_OK;
}

int PhotoStore::Import(const fs::path& local, int64_t* rowId) {
    std::error_code error;
    if (!fs::is_regular_file(local, error))
        return VEXA_E_NOT_FOUND;
    // No destructor: the listener thread may still be making the demo device while the process exits.
    static constexpr std::string_view kTaken[] = {".JPG", ".JPEG", ".PNG", ".GIF", ".BMP"};
    const std::string suffix = Upper(local.extension().string());
    formats::ImageProbe info;
    if (std::find(std::begin(kTaken), std::end(kTaken), suffix) == std::end(kTaken) ||
        !formats::ProbeCompleteImage(local, info))
        return VEXA_E_UNSUPPORTED;

    Statement next(m_db, "SELECT COALESCE(MAX(id), 0) + 1 FROM photos");
    char stem[32];
    std::snprintf(stem, sizeof stem, "IMG_%04lld",
                  static_cast<long long>(next.Step() == SQLITE_ROW ? next.Int(0) : 1));
    const fs::path target =
        DeviceFiles::FreeName(m_mediaRoot / "PhotoData" / "Sync" / "100SYNCD", stem, suffix);
    if (int code = DeviceFiles::CopyIn(local, target))
        return code;
    NewPhoto photo;
    photo.kind = kPhotoSynced;
    // The picture's own date when it carries one, so it lands in the month it was taken.
    photo.date =
        info.exifTime ? std::max<int64_t>(0, *info.exifTime - kUnixTimeOf2001) : SecondsSince2001(local);
    photo.width = info.width;
    photo.height = info.height;
    photo.devicePath = "/" + fs::relative(target, m_mediaRoot).generic_string();
    if (int code = Insert(photo, rowId)) {
        DeviceFiles::Remove(target);
        return code;
    }
    m_lastImported = target;
    return VEXA_OK;
}

int PhotoStore::Delete(const std::vector<std::string>& uuids, std::atomic<int>& handled,
                       PendingRemoval& removal) {
    Statement find(m_db, "SELECT id, path FROM photos WHERE uuid = ?");
    Statement membership(m_db, "DELETE FROM album_photos WHERE photo_id = ?");
    Statement remove(m_db, "DELETE FROM photos WHERE id = ?");
    std::vector<fs::path> files;
    for (const auto& uuid : uuids) {
        find.Reset();
        if (find.Bind(1, std::string_view(uuid)).Step() != SQLITE_ROW)
            return find.Result() != VEXA_OK ? find.Result() : static_cast<int>(VEXA_E_NOT_FOUND);
        const int64_t id = find.Int(0);
        files.push_back(FileOf(find.Text(1).c_str()));
        membership.Reset();
        remove.Reset();
        if (int code = membership.Bind(1, id).Run())
            return code;
        if (int code = remove.Bind(1, id).Run())
            return code;
    }
    // The rows go first; files only once every row is gone, so an unknown id changes nothing.
    for (const auto& file : files) {
        if (!removal.Add(file))
            return VEXA_E_IO;
        ++handled;
    }
    return VEXA_OK;
}

int PhotoStore::Query(const char* sql, int64_t parameter, PhotoListBuffer& out) {
    out.records.clear();
    out.text.Clear();
    Statement query(m_db, sql);
    if (parameter >= 0)
        query.Bind(1, parameter);
    while (query.Step() == SQLITE_ROW) {
        PhotoRecord record{};
        record.id = out.text.Add(query.TextView(0));
        record.kind = static_cast<int32_t>(query.Int(1));
        record.date = query.Int(2);
        record.width = static_cast<int32_t>(query.Int(3));
        record.height = static_cast<int32_t>(query.Int(4));
        record.fileSize = query.Int(5);
        record.fileName = out.text.Add(query.TextView(6));
        record.path = out.text.Add(query.TextView(7));
        out.records.push_back(record);
    }
    return query.Result();
}

int PhotoStore::ListAll(PhotoListBuffer& out) {
    const std::string sql = std::string("SELECT ") + kColumns + " FROM photos p ORDER BY p.date, p.id";
    return Query(sql.c_str(), -1, out);
}

int PhotoStore::ListAlbum(int64_t albumRowId, PhotoListBuffer& out) {
    Statement album(m_db, "SELECT uuid FROM albums WHERE id = ?");
    if (album.Bind(1, albumRowId).Step() != SQLITE_ROW)
        return album.Result() != VEXA_OK ? album.Result() : static_cast<int>(VEXA_E_NOT_FOUND);
    const std::string uuid = album.Text(0);
    std::string sql = std::string("SELECT ") + kColumns;
    if (uuid == kCameraRollAlbumId || uuid == kPhotoLibraryAlbumId) {
        const int kind = uuid == kCameraRollAlbumId ? kPhotoTaken : kPhotoSynced;
        sql += " FROM photos p WHERE p.kind = " + std::to_string(kind) + " ORDER BY p.date, p.id";
        return Query(sql.c_str(), -1, out);
    }
    sql += " FROM album_photos a JOIN photos p ON p.id = a.photo_id WHERE a.album_id = ? ORDER BY a.position";
    return Query(sql.c_str(), albumRowId, out);
}

} // namespace vexa::sim
