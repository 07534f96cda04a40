#include "SimAlbumLibrary.h"

#include <vexa/VexaResult.h>

#include "../TextCodec.h"
#include "DeviceFiles.h"
#include "SimPhotoLibrary.h"

namespace vexa::sim {

SimAlbumLibrary::SimAlbumLibrary(std::shared_ptr<SimDevice> device)
    : m_access(std::move(device)) {}

SimAlbumLibrary::~SimAlbumLibrary() = default;

template <class ChangeFunction> int SimAlbumLibrary::Change(const char* operation, ChangeFunction&& change) {
    int code = VEXA_OK;
    auto session = m_access.Begin(operation, code);
    if (code)
        return code;
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    AlbumStore albums(session.Handle());
    PhotoStore photos(session.Handle(), m_access.Device().MediaRoot());
    if ((code = change(albums, photos)))
        return code;
    return transaction.Commit();
}

int SimAlbumLibrary::ReadAlbums(DatabaseSession& session, AlbumList& out) {
    std::vector<AlbumRow> rows;
    if (int code = AlbumStore(session.Handle()).List(rows))
        return code;
    out.records.clear();
    out.coverPaths.clear();
    out.covers.clear();
    out.text.Clear();
    for (const auto& row : rows) {
        AlbumRecord record{};
        record.id = out.text.Add(row.uuid);
        record.name = out.text.Add(row.name);
        record.photoCount = row.photoCount;
        record.type = row.type;
        record.coverHandle = static_cast<int32_t>(row.rowId);
        out.records.push_back(record);
        out.coverPaths.push_back(row.coverPath);
        out.covers.emplace_back();
    }
    return VEXA_OK;
}

int SimAlbumLibrary::PrepareList() {
    int code = VEXA_OK;
    auto session = m_access.Begin("PrepareList", code);
    return code ? code : ReadAlbums(session, m_albums.ForCurrentThread());
}

int SimAlbumLibrary::GetAlbumList(AlbumRecord** albums, int* count) {
    if (!albums || !count)
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.Begin("GetAlbumList", code);
    if (code)
        return code;
    auto& list = m_albums.ForCurrentThread();
    if (list.records.empty() && (code = ReadAlbums(session, list)))
        return code;
    *albums = list.records.empty() ? nullptr : list.records.data();
    *count = static_cast<int>(list.records.size());
    return VEXA_OK;
}

int SimAlbumLibrary::GetAlbumPhotos(PhotoRecord** records, int* count, const char* albumId) {
    if (!records || !count || !albumId)
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.Begin("GetAlbumPhotos", code);
    if (code)
        return code;
    AlbumRow album;
    if ((code = AlbumStore(session.Handle()).Find(albumId, album)))
        return code;
    auto& buffer = m_photos.ForCurrentThread();
    if ((code = PhotoStore(session.Handle(), m_access.Device().MediaRoot()).ListAlbum(album.rowId, buffer)))
        return code;
    *records = buffer.records.empty() ? nullptr : buffer.records.data();
    *count = static_cast<int>(buffer.records.size());
    return VEXA_OK;
}

int SimAlbumLibrary::LoadAlbumCover(int coverHandle) {
    if (int code = m_access.Device().CheckCall("LoadAlbumCover"))
        return code;
    // The cover goes into the album list this thread was handed last.
    auto& list = m_albums.ForCurrentThread();
    for (size_t i = 0; i < list.records.size(); ++i) {
        if (list.records[i].coverHandle != coverHandle)
            continue;
        if (list.coverPaths[i].empty())
            return VEXA_OK; // an empty album has no cover
        return FillThumbnail(m_access.Device(), m_covers, list.coverPaths[i].c_str(), &list.records[i].cover,
                             &list.records[i].coverLength, list.covers[i]);
    }
    return VEXA_E_NOT_FOUND;
}

int SimAlbumLibrary::CreateAlbum(const char16_t* name, AlbumRecord** created) {
    if (!name || !*name || !created)
        return VEXA_E_INVALID_ARGUMENT;
    auto reserved = std::make_unique<Reserved>();
    const std::string text = ToUtf8(name);
    AlbumRow row;
    const int code =
        Change("CreateAlbum", [&](AlbumStore& albums, PhotoStore&) { return albums.Reserve(text, row); });
    if (code)
        return code;
    reserved->uuid = row.uuid;
    reserved->name = row.name;
    reserved->record.id = reserved->uuid.c_str();
    reserved->record.name = reserved->name.c_str();
    reserved->record.type = ALBUM_USER;
    reserved->record.coverHandle = static_cast<int32_t>(row.rowId);
    std::lock_guard lock(m_reservedMutex);
    *created = &reserved->record;
    m_reserved.emplace(&reserved->record, std::move(reserved));
    return VEXA_OK;
}

int SimAlbumLibrary::PublishAlbum(const char* albumId, const char* name, int type) {
    if (!albumId)
        return VEXA_E_INVALID_ARGUMENT;
    const std::string newName = name ? name : "";
    return Change("PublishAlbum",
                  [&](AlbumStore& albums, PhotoStore&) { return albums.Publish(albumId, newName, type); });
}

int SimAlbumLibrary::ReleaseAlbum(AlbumRecord* created) {
    if (!created)
        return VEXA_E_INVALID_ARGUMENT;
    std::unique_ptr<Reserved> reserved;
    {
        std::lock_guard lock(m_reservedMutex);
        auto found = m_reserved.find(created);
        if (found == m_reserved.end())
            return VEXA_E_NOT_FOUND;
        reserved = std::move(found->second);
        m_reserved.erase(found);
    }
    return Change("ReleaseAlbum",
                  [&](AlbumStore& albums, PhotoStore&) { return albums.Release(reserved->uuid); });
}

int SimAlbumLibrary::ImportPhotoFile(const char16_t* localPath, const char* albumId) {
    if (!localPath || !albumId)
        return VEXA_E_INVALID_ARGUMENT;
    const auto local = DeviceFiles::FromCaller(localPath);
    std::filesystem::path copied;
    const int code = Change("ImportPhotoFile", [&](AlbumStore& albums, PhotoStore& photos) {
        AlbumRow album;
        if (int result = albums.Find(albumId, album))
            return result;
        // Pictures from a computer join the Photo Library; they can never be part of the Camera Roll.
        if (album.type == ALBUM_CAMERA_ROLL)
            return static_cast<int>(VEXA_E_PROTECTED);
        int64_t photo = 0;
        if (int result = photos.Import(local, &photo))
            return result;
        copied = photos.LastImportedFile();
        return album.builtin ? static_cast<int>(VEXA_OK) : albums.AddPhoto(album.rowId, photo);
    });
    if (code && !copied.empty())
        DeviceFiles::Remove(copied);
    return code;
}

int SimAlbumLibrary::RenameAlbum(const char* albumId, const char16_t* newName) {
    if (!albumId || !newName)
        return VEXA_E_INVALID_ARGUMENT;
    const std::string name = ToUtf8(newName);
    return Change("RenameAlbum",
                  [&](AlbumStore& albums, PhotoStore&) { return albums.Rename(albumId, name); });
}

int SimAlbumLibrary::DeleteAlbum(const char* albumId) {
    if (!albumId)
        return VEXA_E_INVALID_ARGUMENT;
    return Change("DeleteAlbum", [&](AlbumStore& albums, PhotoStore&) { return albums.Delete(albumId); });
}

int SimAlbumLibrary::RemovePhotosFromAlbum(const char* albumId, const char* const* photoIds, int count) {
    if (!albumId || count < 0 || (count > 0 && !photoIds))
        return VEXA_E_INVALID_ARGUMENT;
    std::vector<std::string> ids;
    for (int i = 0; i < count; ++i) {
        if (!photoIds[i])
            return VEXA_E_INVALID_ARGUMENT;
        ids.emplace_back(photoIds[i]);
    }
    return Change("RemovePhotosFromAlbum",
                  [&](AlbumStore& albums, PhotoStore&) { return albums.RemovePhotos(albumId, ids); });
}

int SimAlbumLibrary::QueryAlbum(const char* albumId, int* type) {
    if (!albumId || !type)
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.Begin("QueryAlbum", code);
    if (code)
        return code;
    AlbumRow album;
    if ((code = AlbumStore(session.Handle()).Find(albumId, album)))
        return code;
    *type = album.type;
    return VEXA_OK;
}

} // namespace vexa::sim
