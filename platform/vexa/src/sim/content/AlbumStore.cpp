#include "AlbumStore.h"

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "ContentIds.h"
#include "PhotoStore.h"

namespace vexa::sim {

namespace {

// Count and cover of every album in one query: built-in albums by photo kind, others by membership.
constexpr const char* kAlbumQuery = R"sql(
SELECT a.id, a.uuid, a.name, a.type, a.builtin,
  CASE a.uuid
    WHEN ?1 THEN (SELECT COUNT(*) FROM photos WHERE kind = 1)
    WHEN ?2 THEN (SELECT COUNT(*) FROM photos WHERE kind = 2)
    ELSE (SELECT COUNT(*) FROM album_photos m WHERE m.album_id = a.id) END,
  CASE a.uuid
    WHEN ?1 THEN (SELECT path FROM photos WHERE kind = 1 ORDER BY date, id LIMIT 1)
    WHEN ?2 THEN (SELECT path FROM photos WHERE kind = 2 ORDER BY date, id LIMIT 1)
    ELSE (SELECT p.path FROM album_photos m JOIN photos p ON p.id = m.photo_id WHERE m.album_id = a.id
          ORDER BY m.position LIMIT 1) END
FROM albums a WHERE a.published = 1 %s ORDER BY a.builtin DESC, a.id
)sql";

int ReadAlbums(sqlite3* db, const std::string& filter, const std::string* uuid, std::vector<AlbumRow>& out) {
    char sql[2048];
    std::snprintf(sql, sizeof sql, kAlbumQuery, filter.c_str());
    Statement query(db, sql);
    query.Bind(1, kCameraRollAlbumId).Bind(2, kPhotoLibraryAlbumId);
    if (uuid)
        query.Bind(3, std::string_view(*uuid));
    while (query.Step() == SQLITE_ROW) {
        AlbumRow row;
        row.rowId = query.Int(0);
        row.uuid = query.Text(1);
        row.name = query.Text(2);
        row.type = static_cast<int>(query.Int(3));
        row.builtin = query.Int(4) != 0;
        row.photoCount = static_cast<int>(query.Int(5));
        row.coverPath = query.Text(6);
        out.push_back(std::move(row));
    }
    return query.Result();
}

} // namespace

AlbumStore::AlbumStore(sqlite3* db)
    : m_db(db) {}

int AlbumStore::List(std::vector<AlbumRow>& out) {
    out.clear();
    return ReadAlbums(m_db, "", nullptr, out);
}

int AlbumStore::Find(const std::string& uuid, AlbumRow& out) {
    std::vector<AlbumRow> rows;
    if (int code = ReadAlbums(m_db, "AND a.uuid = ?3", &uuid, rows))
        return code;
    if (rows.empty())
        return VEXA_E_NOT_FOUND;
    out = rows.front();
    return VEXA_OK;
}

int AlbumStore::FindEditable(const std::string& uuid, AlbumRow& out) {
    if (int code = Find(uuid, out))
        return code;
    return out.type == ALBUM_USER && !out.builtin ? VEXA_OK : VEXA_E_PROTECTED;
}

int AlbumStore::Create(const std::string& name, int type, const std::string& uuid, int64_t* rowId) {
    Statement insert(m_db, "INSERT INTO albums(uuid, name, type) VALUES (?,?,?)");
    insert.Bind(1, std::string_view(uuid)).Bind(2, std::string_view(name)).Bind(3, type);
    if (int code = insert.Run())
        return code;
    if (rowId)
        *rowId = sqlite3_last_insert_rowid(m_db);
    return VEXA_OK;
}

int AlbumStore::Reserve(const std::string& name, AlbumRow& out) {
    if (name.empty())
        return VEXA_E_INVALID_ARGUMENT;
    out = AlbumRow{};
    out.uuid = PhotoStore::NewUuid();
    out.name = name;
    out.type = ALBUM_USER;
    Statement insert(m_db, "INSERT INTO albums(uuid, name, type, published) VALUES (?,?,?,0)");
    insert.Bind(1, std::string_view(out.uuid)).Bind(2, std::string_view(name)).Bind(3, ALBUM_USER);
    if (int code = insert.Run())
        return code;
    out.rowId = sqlite3_last_insert_rowid(m_db);
    return VEXA_OK;
}

int AlbumStore::Publish(const std::string& uuid, const std::string& name, int type) {
    if (type != ALBUM_USER && type != ALBUM_LIBRARY && type != ALBUM_PHOTO_STREAM)
        return VEXA_E_INVALID_ARGUMENT;
    Statement update(m_db, "UPDATE albums SET published = 1, type = ?, name = COALESCE(NULLIF(?, ''), name) "
                           "WHERE uuid = ? AND builtin = 0");
    update.Bind(1, type).Bind(2, std::string_view(name)).Bind(3, std::string_view(uuid));
    if (int code = update.Run())
        return code;
    return sqlite3_changes(m_db) ? VEXA_OK : VEXA_E_NOT_FOUND;
}

int AlbumStore::Release(const std::string& uuid) {
    Statement remove(m_db, "DELETE FROM albums WHERE uuid = ? AND published = 0");
    return remove.Bind(1, std::string_view(uuid)).Run();
}

int AlbumStore::Rename(const std::string& uuid, const std::string& newName) {
    if (newName.empty())
        return VEXA_E_INVALID_ARGUMENT;
    AlbumRow album;
    if (int code = FindEditable(uuid, album))
        return code;
    Statement update(m_db, "UPDATE albums SET name = ? WHERE id = ?");
    return update.Bind(1, std::string_view(newName)).Bind(2, album.rowId).Run();
}

int AlbumStore::Delete(const std::string& uuid) {
    AlbumRow album;
    if (int code = FindEditable(uuid, album))
        return code;
    Statement members(m_db, "DELETE FROM album_photos WHERE album_id = ?");
    if (int code = members.Bind(1, album.rowId).Run())
        return code;
    Statement remove(m_db, "DELETE FROM albums WHERE id = ?");
    return remove.Bind(1, album.rowId).Run();
}

int AlbumStore::AddPhoto(int64_t albumRowId, int64_t photoRowId) {
    Statement insert(m_db, "INSERT OR IGNORE INTO album_photos(album_id, photo_id, position) SELECT ?1, ?2, "
                           "COALESCE(MAX(position), -1) + 1 FROM album_photos WHERE album_id = ?1");
    return insert.Bind(1, albumRowId).Bind(2, photoRowId).Run();
}

int AlbumStore::RemovePhotos(const std::string& uuid, const std::vector<std::string>& photoUuids) {
    AlbumRow album;
    if (int code = Find(uuid, album))
        return code;
    if (album.builtin)
        return VEXA_E_PROTECTED;
    Statement remove(m_db, "DELETE FROM album_photos WHERE album_id = ? AND photo_id = "
                           "(SELECT id FROM photos WHERE uuid = ?)");
    for (const auto& photo : photoUuids) {
        remove.Reset();
        if (int code = remove.Bind(1, album.rowId).Bind(2, std::string_view(photo)).Run())
            return code;
        if (sqlite3_changes(m_db) == 0)
            return VEXA_E_NOT_FOUND;
    }
    return VEXA_OK;
}

} // namespace vexa::sim
