#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <vexa/VexaServices.h>

#include "ios/PhotoLibraryReader.h"
#include "sim/ResultArena.h"
#include "sim/content/PhotoAlbumList.h"
#include "sim/content/PhotoLibraryStore.h"
#include "sim/content/UnreadablePhotos.h"

namespace vexa::usb {

class UsbDevice;

// What the two photo services of one device share: the phone's library (Media/PhotoData/Photos.sqlite
// with its -wal and -shm) copied over AFC into a private folder of the device's cache, and thumbnails
// made once and kept on disk there. The phone's own small JPEG is taken when it has one; else the
// picture itself is fetched and scaled down. The files come through the device's file service, which
// takes care of reconnecting.
class UsbPhotoSource {
public:
    UsbPhotoSource(std::shared_ptr<UsbDevice> device, IFileService& files, std::filesystem::path cacheFolder);

    // The per-device cache folder: $XDG_CACHE_HOME/vexa-transfer/devices/<udid>/photos (~/.cache when
    // the variable is not set).
    static std::filesystem::path CacheFolder(const std::string& udid);

    // Brings the local copy up to date (only files the phone changed are fetched again) and reads it.
    // Photos whose file is not on the phone are left out, also from their albums; `missing` counts
    // them.
    int Read(ios::PhotoLibrary& library, ios::PhotoLibraryReader::Parts parts, int* missing = nullptr);
    // The JPEG thumbnail of the picture or clip at devicePath; `data` stays null on failure.
    int Thumbnail(const std::string& devicePath, std::shared_ptr<const std::vector<uint8_t>>& data);

    const std::filesystem::path& Folder() const { return m_folder; }

private:
    int FetchLibrary();
    // Leaves out the assets whose files the phone's folders do not list; their number, or a failure.
    int DropMissing(ios::PhotoLibrary& library, int& missing);
    int Fetch(const std::string& devicePath, const std::filesystem::path& local);
    std::filesystem::path TemporaryFile(const std::string& devicePath);

    std::shared_ptr<UsbDevice> m_device;
    IFileService& m_files;
    const std::filesystem::path m_folder;
    std::mutex m_libraryMutex;
    std::string m_fetchedState; // sizes and times of the library's files when they were copied
    struct ReadCopy {
        std::string state; // m_fetchedState of the copy that was read
        bool withAlbums = false;
        ios::PhotoLibrary library;
    };
    ReadCopy m_read;
    std::atomic<uint64_t> m_nextTemporary{0};
};

// The photos of a real device, oldest first. Read-only: photos are added and removed on the phone.
class UsbPhotoLibrary final : public IPhotoLibrary {
public:
    explicit UsbPhotoLibrary(std::shared_ptr<UsbPhotoSource> source);

    int GetWriteAccess() override { return kContentReadOnlyOnPhone; }
    int PrepareList() override;
    int GetPhotoList(PhotoRecord** records, int* count) override;
    int LoadThumbnail(PhotoRecord* record) override;
    int DeletePhotos(const char* const*, int, int, const char*) override { return VEXA_E_READ_ONLY; }
    int GetDeleteProgress() override { return 0; }
    // Photos whose files are not on the phone, and those whose thumbnails could not be made so far.
    int GetUnreadableCount() override { return m_missing + m_unreadable.Count(); }

private:
    int ReadList(sim::PhotoListBuffer& out);

    std::shared_ptr<UsbPhotoSource> m_source;
    std::atomic<int> m_missing{0};
    sim::UnreadablePhotos m_unreadable;
    sim::PerThreadResults<sim::PhotoListBuffer> m_lists;
    struct HandedOut {
        std::shared_ptr<const std::vector<uint8_t>> bytes;
    };
    sim::PerThreadResults<HandedOut> m_handedOut;
};

// The albums of a real device; read-only as its photos.
class UsbAlbumLibrary final : public IAlbumLibrary {
public:
    explicit UsbAlbumLibrary(std::shared_ptr<UsbPhotoSource> source);

    int GetWriteAccess() override { return kContentReadOnlyOnPhone; }
    int PrepareList() override;
    int GetAlbumList(AlbumRecord** albums, int* count) override;
    int GetAlbumPhotos(PhotoRecord** records, int* count, const char* albumId) override;
    int LoadAlbumCover(int coverHandle) override;
    int CreateAlbum(const char16_t*, AlbumRecord** created) override;
    int PublishAlbum(const char*, const char*, int) override { return VEXA_E_READ_ONLY; }
    int ReleaseAlbum(AlbumRecord*) override { return VEXA_E_READ_ONLY; }
    int ImportPhotoFile(const char16_t*, const char*) override { return VEXA_E_READ_ONLY; }
    int RenameAlbum(const char*, const char16_t*) override { return VEXA_E_READ_ONLY; }
    int DeleteAlbum(const char*) override { return VEXA_E_READ_ONLY; }
    int RemovePhotosFromAlbum(const char*, const char* const*, int) override { return VEXA_E_READ_ONLY; }
    int QueryAlbum(const char* albumId, int* type) override;

private:
    std::shared_ptr<UsbPhotoSource> m_source;
    sim::PerThreadResults<sim::PhotoAlbumList> m_albums;
    sim::PerThreadResults<sim::PhotoListBuffer> m_photos;
};

} // namespace vexa::usb
