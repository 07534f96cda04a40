#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <vexa/VexaServices.h>

#include "../ResultArena.h"
#include "ContentAccess.h"
#include "PhotoAlbumList.h"
#include "PhotoLibraryStore.h"
#include "ThumbnailCache.h"

namespace vexa::sim {

// The photo albums of one simulated device.
class SimAlbumLibrary final : public IAlbumLibrary {
public:
    explicit SimAlbumLibrary(std::shared_ptr<SimDevice> device);
    ~SimAlbumLibrary() override;

    int PrepareList() override;
    int GetAlbumList(AlbumRecord** albums, int* count) override;
    int GetAlbumPhotos(PhotoRecord** records, int* count, const char* albumId) override;
    int LoadAlbumCover(int coverHandle) override;
    int CreateAlbum(const char16_t* name, AlbumRecord** created) override;
    int PublishAlbum(const char* albumId, const char* name, int type) override;
    int ReleaseAlbum(AlbumRecord* created) override;
    int ImportPhotoFile(const char16_t* localPath, const char* albumId) override;
    int RenameAlbum(const char* albumId, const char16_t* newName) override;
    int DeleteAlbum(const char* albumId) override;
    int RemovePhotosFromAlbum(const char* albumId, const char* const* photoIds, int count) override;
    int QueryAlbum(const char* albumId, int* type) override;

private:
    // A record handed out by CreateAlbum, with the texts it points at. The album is written only when
    // it is published.
    struct Reserved {
        AlbumRecord record{};
        std::string uuid, name;
        bool published = false;
    };
    template <class ChangeFunction> int Change(const char* operation, ChangeFunction&& change);
    int ReadLibrary(const char* operation, ios::PhotoLibrary& library);
    bool TakeReservation(const std::string& uuid, std::string& name);

    ContentAccess m_access;
    PerThreadResults<PhotoAlbumList> m_albums;
    PerThreadResults<PhotoListBuffer> m_photos;
    ThumbnailCache m_covers;
    std::mutex m_reservedMutex;
    std::map<AlbumRecord*, std::unique_ptr<Reserved>> m_reserved;
};

} // namespace vexa::sim
