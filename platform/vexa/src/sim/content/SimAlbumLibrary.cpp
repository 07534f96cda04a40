#include "SimAlbumLibrary.h"

#include <vexa/VexaResult.h>

#include "../TextCodec.h"
#include "ContentIds.h"
#include "DeviceFiles.h"
#include "PhotoAlbumList.h"
#include "SimPhotoLibrary.h"

namespace vexa::sim {

namespace {

int KindOfAlbumType(int type) {
    switch (type) {
    case ALBUM_USER:
        return kUserAlbumKind;
    case ALBUM_PHOTO_STREAM:
        return kPhotoStreamAlbumKind;
    case ALBUM_LIBRARY:
        return kSyncedAlbumKind;
    default:
        return 0;
    }
}

} // namespace

SimAlbumLibrary::SimAlbumLibrary(std::shared_ptr<SimDevice> device)
    : m_access(std::move(device)) {}

SimAlbumLibrary::~SimAlbumLibrary() = default;

template <class ChangeFunction> int SimAlbumLibrary::Change(const char* operation, ChangeFunction&& change) {
    int code = VEXA_OK;
    auto session = m_access.BeginPhotos(operation, code);
    if (code)
        return code;
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    PhotoLibraryStore store(session.Handle(), m_access.Device().MediaRoot());
    if ((code = change(store)) || (code = store.Finish()))
        return code;
    return transaction.Commit();
}

int SimAlbumLibrary::ReadLibrary(const char* operation, ios::PhotoLibrary& library) {
    int code = VEXA_OK;
    auto session = m_access.BeginPhotos(operation, code);
    if (code)
        return code;
    return PhotoLibraryStore::Read(m_access.Device().PhotoDatabase().File(), library,
                                   ios::PhotoLibraryReader::Parts::AssetsAndAlbums);
}

int SimAlbumLibrary::PrepareList() {
    ios::PhotoLibrary library;
    if (int code = ReadLibrary("PrepareList", library))
        return code;
    FillAlbumList(library, m_albums.ForCurrentThread());
    return VEXA_OK;
}

int SimAlbumLibrary::GetAlbumList(AlbumRecord** albums, int* count) {
    if (!albums || !count)
        return VEXA_E_INVALID_ARGUMENT;
    auto& list = m_albums.ForCurrentThread();
    if (list.records.empty()) {
        ios::PhotoLibrary library;
        if (int code = ReadLibrary("GetAlbumList", library))
            return code;
        FillAlbumList(library, list);
    } else if (int code = m_access.Device().CheckCall("GetAlbumList")) {
        return code;
    }
    *albums = list.records.empty() ? nullptr : list.records.data();
    *count = static_cast<int>(list.records.size());
    return VEXA_OK;
}

int SimAlbumLibrary::GetAlbumPhotos(PhotoRecord** records, int* count, const char* albumId) {
    if (!records || !count || !albumId)
        return VEXA_E_INVALID_ARGUMENT;
    ios::PhotoLibrary library;
    if (int code = ReadLibrary("GetAlbumPhotos", library))
        return code;
    std::vector<const ios::PhotoAsset*> assets;
    if (int code = AlbumAssets(library, albumId, assets))
        return code;
    auto& buffer = m_photos.ForCurrentThread();
    FillPhotoRecords(assets, m_access.Device().MediaRoot(), buffer);
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
    reserved->name = ToUtf8(name);
    if (reserved->name.empty())
        return VEXA_E_INVALID_ARGUMENT;
    // Nothing is written yet; the call is checked as any change would be.
    if (int code = Change("CreateAlbum", [](PhotoLibraryStore&) { return static_cast<int>(VEXA_OK); }))
        return code;
    reserved->uuid = PhotoLibraryStore::NewUuid();
    reserved->record.id = reserved->uuid.c_str();
    reserved->record.name = reserved->name.c_str();
    reserved->record.type = ALBUM_USER;
    std::lock_guard lock(m_reservedMutex);
    *created = &reserved->record;
    m_reserved.emplace(&reserved->record, std::move(reserved));
    return VEXA_OK;
}

bool SimAlbumLibrary::TakeReservation(const std::string& uuid, std::string& name) {
    std::lock_guard lock(m_reservedMutex);
    for (auto& [record, reserved] : m_reserved) {
        if (reserved->uuid == uuid && !reserved->published) {
            name = reserved->name;
            return true;
        }
    }
    return false;
}

int SimAlbumLibrary::PublishAlbum(const char* albumId, const char* name, int type) {
    if (!albumId)
        return VEXA_E_INVALID_ARGUMENT;
    const int kind = KindOfAlbumType(type);
    if (!kind)
        return VEXA_E_INVALID_ARGUMENT;
    const std::string uuid = albumId;
    const std::string newName = name ? name : "";
    std::string reservedName;
    const bool reserved = TakeReservation(uuid, reservedName);
    const int code = Change("PublishAlbum", [&](PhotoLibraryStore& store) {
        if (reserved)
            return store.CreateAlbum(newName.empty() ? reservedName : newName, kind, uuid, nullptr);
        int64_t key = 0;
        int current = 0;
        if (IsBuiltInAlbum(uuid))
            return static_cast<int>(VEXA_E_NOT_FOUND);
        if (int result = store.FindAlbum(uuid, key, current))
            return result;
        return store.UpdateAlbum(key, newName, kind);
    });
    if (code == VEXA_OK && reserved) {
        std::lock_guard lock(m_reservedMutex);
        for (auto& [record, entry] : m_reserved) {
            if (entry->uuid == uuid)
                entry->published = true;
        }
    }
    return code;
}

int SimAlbumLibrary::ReleaseAlbum(AlbumRecord* created) {
    if (!created)
        return VEXA_E_INVALID_ARGUMENT;
    std::lock_guard lock(m_reservedMutex);
    // An album never published was never written: forgetting it is all there is to do.
    return m_reserved.erase(created) ? static_cast<int>(VEXA_OK) : static_cast<int>(VEXA_E_NOT_FOUND);
}

int SimAlbumLibrary::ImportPhotoFile(const char16_t* localPath, const char* albumId) {
    if (!localPath || !albumId)
        return VEXA_E_INVALID_ARGUMENT;
    const auto local = DeviceFiles::FromCaller(localPath);
    const std::string uuid = albumId;
    std::filesystem::path copied;
    const int code = Change("ImportPhotoFile", [&](PhotoLibraryStore& store) {
        // Pictures from a computer join the Photo Library; they can never be part of the Camera Roll.
        if (uuid == kCameraRollAlbumId)
            return static_cast<int>(VEXA_E_PROTECTED);
        int64_t album = 0;
        int kind = 0;
        if (uuid != kPhotoLibraryAlbumId) {
            if (int result = store.FindAlbum(uuid, album, kind))
                return result;
            if (!AlbumTypeOfKind(kind))
                return static_cast<int>(VEXA_E_NOT_FOUND);
        }
        int64_t photo = 0;
        if (int result = store.Import(local, &photo))
            return result;
        copied = store.LastImportedFile();
        return album ? store.AddToAlbum(album, photo) : static_cast<int>(VEXA_OK);
    });
    if (code && !copied.empty())
        DeviceFiles::Remove(copied);
    return code;
}

namespace {

// The album behind an id that the user may change: only albums made by the user.
int FindEditable(PhotoLibraryStore& store, const std::string& uuid, int64_t& key) {
    if (IsBuiltInAlbum(uuid))
        return VEXA_E_PROTECTED;
    int kind = 0;
    if (int code = store.FindAlbum(uuid, key, kind))
        return code;
    if (!AlbumTypeOfKind(kind))
        return VEXA_E_NOT_FOUND;
    return kind == kUserAlbumKind ? VEXA_OK : VEXA_E_PROTECTED;
}

} // namespace

int SimAlbumLibrary::RenameAlbum(const char* albumId, const char16_t* newName) {
    if (!albumId || !newName)
        return VEXA_E_INVALID_ARGUMENT;
    const std::string name = ToUtf8(newName);
    const std::string uuid = albumId;
    return Change("RenameAlbum", [&](PhotoLibraryStore& store) {
        if (name.empty())
            return static_cast<int>(VEXA_E_INVALID_ARGUMENT);
        int64_t key = 0;
        if (int code = FindEditable(store, uuid, key))
            return code;
        return store.UpdateAlbum(key, name, kUserAlbumKind);
    });
}

int SimAlbumLibrary::DeleteAlbum(const char* albumId) {
    if (!albumId)
        return VEXA_E_INVALID_ARGUMENT;
    const std::string uuid = albumId;
    return Change("DeleteAlbum", [&](PhotoLibraryStore& store) {
        int64_t key = 0;
        if (int code = FindEditable(store, uuid, key))
            return code;
        return store.DeleteAlbum(key);
    });
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
    const std::string uuid = albumId;
    return Change("RemovePhotosFromAlbum", [&](PhotoLibraryStore& store) {
        if (IsBuiltInAlbum(uuid))
            return static_cast<int>(VEXA_E_PROTECTED);
        int64_t key = 0;
        int kind = 0;
        if (int code = store.FindAlbum(uuid, key, kind))
            return code;
        if (!AlbumTypeOfKind(kind))
            return static_cast<int>(VEXA_E_NOT_FOUND);
        return store.RemoveFromAlbum(key, ids);
    });
}

int SimAlbumLibrary::QueryAlbum(const char* albumId, int* type) {
    if (!albumId || !type)
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.BeginPhotos("QueryAlbum", code);
    if (code)
        return code;
    const std::string uuid = albumId;
    if (IsBuiltInAlbum(uuid)) {
        *type = BuiltInAlbumType(uuid);
        return VEXA_OK;
    }
    PhotoLibraryStore store(session.Handle(), m_access.Device().MediaRoot());
    int64_t key = 0;
    int kind = 0;
    if ((code = store.FindAlbum(uuid, key, kind)))
        return code;
    if (!AlbumTypeOfKind(kind))
        return VEXA_E_NOT_FOUND;
    *type = AlbumTypeOfKind(kind);
    return VEXA_OK;
}

} // namespace vexa::sim
