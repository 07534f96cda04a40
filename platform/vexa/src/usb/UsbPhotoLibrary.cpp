#include "UsbPhotoLibrary.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include <QString>

#include <unistd.h>

#include <vexa/VexaResult.h>

#include "AfcConnection.h"
#include "ReadResultCode.h"
#include "UsbDevice.h"
#include "formats/ImageFile.h"
#include "ios/ReadResult.h"
#include "sim/content/ThumbnailCache.h"

namespace vexa::usb {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLibraryFolder = "/PhotoData";
constexpr const char* kLibraryName = "Photos.sqlite";
constexpr const char* kLibrarySuffixes[] = {"", "-wal", "-shm"};

std::u16string Utf16(const std::string& text) {
    return QString::fromStdString(text).toStdU16String();
}

std::u16string Utf16(const fs::path& path) {
    return QString::fromStdString(path.string()).toStdU16String();
}

std::shared_ptr<const std::vector<uint8_t>> ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return nullptr;
    }
    auto bytes = std::make_shared<std::vector<uint8_t>>(std::istreambuf_iterator<char>(in),
                                                        std::istreambuf_iterator<char>());
    return bytes->empty() ? nullptr : bytes;
}

bool WriteWhole(const fs::path& file, const std::vector<uint8_t>& bytes) {
    const fs::path part = file.parent_path() / ("." + file.filename().string() + ".part");
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out.write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()))) {
            return false;
        }
    }
    std::error_code error;
    fs::rename(part, file, error);
    return !error;
}

} // namespace

UsbPhotoSource::UsbPhotoSource(std::shared_ptr<UsbDevice> device, IFileService& files, fs::path cacheFolder)
    : m_device(std::move(device))
    , m_files(files)
    , m_folder(std::move(cacheFolder)) {}

fs::path UsbPhotoSource::CacheFolder(const std::string& udid) {
    fs::path base;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && *cache == '/') {
        base = cache;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0) {
        base = fs::path(home) / ".cache";
    } else {
        base = fs::temp_directory_path();
    }
    return base / "vexa-transfer" / "devices" / udid / "photos";
}

int UsbPhotoSource::Fetch(const std::string& devicePath, const fs::path& local) {
    std::error_code error;
    fs::create_directories(local.parent_path(), error);
    return m_files.CopyFileToComputer(Utf16(devicePath).c_str(), Utf16(local).c_str());
}

int UsbPhotoSource::FetchLibrary() {
    // The library's files as the phone lists them: what changed since the last copy is fetched again.
    int count = 0;
    DirectoryEntryRecord* entries = nullptr;
    if (int code = m_files.ReadDirectory(kLibraryFolder, &count, &entries); code != VEXA_OK) {
        return code;
    }
    std::string state;
    bool hasLibrary = false;
    for (const char* suffix : kLibrarySuffixes) {
        const std::string name = std::string(kLibraryName) + suffix;
        for (int i = 0; i < count; ++i) {
            if (entries[i].name != nullptr && name == entries[i].name) {
                state += name + ":" + (entries[i].size ? entries[i].size : "") + ":" +
                         (entries[i].modifyTime ? entries[i].modifyTime : "") + ";";
                hasLibrary = hasLibrary || *suffix == 0;
            }
        }
    }
    if (!hasLibrary) {
        return VEXA_E_NOT_FOUND;
    }
    const fs::path library = m_folder / "library" / kLibraryName;
    std::error_code error;
    if (state == m_fetchedState && fs::exists(library, error)) {
        return VEXA_OK;
    }
    m_fetchedState.clear();
    for (const char* suffix : kLibrarySuffixes) {
        fs::path local = library;
        local += suffix;
        fs::remove(local, error);
        const std::string name = std::string(kLibraryName) + suffix;
        if (state.find(name + ":") == std::string::npos) {
            continue; // no -wal or -shm beside it: the library is all in the main file
        }
        const int code = Fetch(std::string(kLibraryFolder) + "/" + name, local);
        // A -wal or -shm may go between the listing and its copy when the phone checkpoints.
        if (code != VEXA_OK && !(*suffix != 0 && code == VEXA_E_NOT_FOUND)) {
            return code;
        }
    }
    m_fetchedState = state;
    return VEXA_OK;
}

int UsbPhotoSource::Read(ios::PhotoLibrary& library, ios::PhotoLibraryReader::Parts parts, int* missing) {
    {
        std::lock_guard lock(m_libraryMutex);
        if (int code = FetchLibrary(); code != VEXA_OK) {
            return code;
        }
        // The copy read last serves again while the phone's files are unchanged: a page, its albums
        // and an open album all ask for the library, and a large one takes long to read.
        const bool withAlbums = parts == ios::PhotoLibraryReader::Parts::AssetsAndAlbums;
        if (m_read.state != m_fetchedState || (withAlbums && !m_read.withAlbums)) {
            m_read = {};
            const int read =
                ios::PhotoLibraryReader::Read(m_folder / "library" / kLibraryName, m_read.library,
                                              ios::ReadOnlyDatabase::Mode::Copy, parts);
            if (read != ios::kReadOk) {
                m_read = {};
                m_fetchedState.clear(); // fetched afresh next time
                return VexaResultOf(read);
            }
            m_read.state = m_fetchedState;
            m_read.withAlbums = withAlbums;
        }
        library.assets = m_read.library.assets;
        library.layout = m_read.library.layout;
        library.albums = withAlbums ? m_read.library.albums : std::vector<ios::PhotoAlbum>();
    }
    int dropped = 0;
    if (int code = DropMissing(library, dropped); code != VEXA_OK) {
        library = ios::PhotoLibrary{};
        return code;
    }
    if (missing != nullptr) {
        *missing = dropped;
    }
    return VEXA_OK;
}

int UsbPhotoSource::DropMissing(ios::PhotoLibrary& library, int& missing) {
    missing = 0;
    if (library.assets.empty()) {
        return VEXA_OK;
    }
    // Names only, one listing a folder, on a connection of its own: the file service would also ask
    // for every file's details.
    std::unique_ptr<AfcConnection> connection;
    if (int code = AfcConnection::OpenMedia(*m_device, connection); code != VEXA_OK) {
        return code;
    }
    std::unordered_map<std::string, std::unordered_set<std::string>> folders;
    for (const auto& asset : library.assets) {
        auto [folder, added] = folders.try_emplace(asset.directory);
        if (!added) {
            continue;
        }
        std::vector<std::string> names;
        const afc_error_t error = connection->Client().ReadDirectory("/" + asset.directory, names);
        if (error != AFC_E_SUCCESS && error != AFC_E_OBJECT_NOT_FOUND) {
            return ResultOfAfc(error, *m_device);
        }
        folder->second.insert(std::make_move_iterator(names.begin()), std::make_move_iterator(names.end()));
    }
    std::unordered_set<int64_t> gone;
    std::erase_if(library.assets, [&](const ios::PhotoAsset& asset) {
        if (folders[asset.directory].count(asset.fileName)) {
            return false;
        }
        gone.insert(asset.key);
        return true;
    });
    if (!gone.empty()) {
        for (auto& album : library.albums) {
            std::erase_if(album.assets, [&](int64_t key) { return gone.count(key) > 0; });
        }
    }
    missing = static_cast<int>(gone.size());
    return VEXA_OK;
}

fs::path UsbPhotoSource::TemporaryFile(const std::string& devicePath) {
    const std::string name = fs::path(devicePath).filename().string();
    // Another program of the same user may fetch into the same cache at once.
    return m_folder / "incoming" /
           (std::to_string(::getpid()) + "-" + std::to_string(m_nextTemporary++) + "-" + name);
}

int UsbPhotoSource::Thumbnail(const std::string& devicePath,
                              std::shared_ptr<const std::vector<uint8_t>>& data) {
    data.reset();
    if (devicePath.empty()) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    // Kept under a name made from the device path; the phone does not give a name out twice.
    const size_t hash = std::hash<std::string>{}(devicePath);
    char key[24];
    std::snprintf(key, sizeof key, "%016zx.jpg", hash);
    const fs::path kept = m_folder / "thumbnails" / std::string(key, 2) / key;
    if ((data = ReadWhole(kept))) {
        return VEXA_OK;
    }
    const fs::path relative = fs::path(devicePath).relative_path();
    const std::string small = ios::PhotoLibraryReader::ThumbnailFile(
                                  "/", relative.parent_path().generic_string(), relative.filename().string())
                                  .generic_string();
    std::vector<uint8_t> bytes;
    int code = VEXA_OK;
    for (const std::string& source : {small, devicePath}) {
        const fs::path local = TemporaryFile(source);
        code = Fetch(source, local);
        if (code == VEXA_OK) {
            bytes = formats::MakeJpegThumbnail(local, sim::ThumbnailCache::kMaxSide);
            if (bytes.empty()) {
                code = VEXA_E_UNSUPPORTED;
            }
        }
        std::error_code error;
        fs::remove(local, error);
        if (!bytes.empty() || code == VEXA_E_UNPLUGGED) {
            break;
        }
    }
    if (bytes.empty()) {
        return code;
    }
    std::error_code error;
    fs::create_directories(kept.parent_path(), error);
    WriteWhole(kept, bytes); // a thumbnail not kept is made again next time
    data = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
    return VEXA_OK;
}

UsbPhotoLibrary::UsbPhotoLibrary(std::shared_ptr<UsbPhotoSource> source)
    : m_source(std::move(source)) {}

int UsbPhotoLibrary::ReadList(sim::PhotoListBuffer& out) {
    ios::PhotoLibrary library;
    int missing = 0;
    if (int code = m_source->Read(library, ios::PhotoLibraryReader::Parts::Assets, &missing);
        code != VEXA_OK) {
        return code;
    }
    m_missing = missing;
    std::vector<const ios::PhotoAsset*> assets;
    assets.reserve(library.assets.size());
    for (auto& asset : library.assets) {
        // The files lie on the phone: a size the library does not record stays unknown.
        if (asset.fileSize < 0) {
            asset.fileSize = 0;
        }
        assets.push_back(&asset);
    }
    sim::FillPhotoRecords(assets, {}, out);
    m_unreadable.KeepOnly(out.records);
    return VEXA_OK;
}

int UsbPhotoLibrary::PrepareList() {
    return ReadList(m_lists.ForCurrentThread());
}

int UsbPhotoLibrary::GetPhotoList(PhotoRecord** records, int* count) {
    if (records == nullptr || count == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    auto& buffer = m_lists.ForCurrentThread();
    if (buffer.records.empty()) {
        if (int code = ReadList(buffer); code != VEXA_OK) {
            return code;
        }
    }
    *records = buffer.records.empty() ? nullptr : buffer.records.data();
    *count = static_cast<int>(buffer.records.size());
    return VEXA_OK;
}

int UsbPhotoLibrary::LoadThumbnail(PhotoRecord* record) {
    if (record == nullptr || record->path == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    auto& kept = m_handedOut.ForCurrentThread().bytes;
    std::shared_ptr<const std::vector<uint8_t>> thumbnail;
    if (int code = m_source->Thumbnail(record->path, thumbnail); code != VEXA_OK) {
        if (sim::UnreadablePhotos::IsFileFault(code)) {
            m_unreadable.Add(record->path);
        }
        return code;
    }
    kept = std::move(thumbnail);
    record->thumbnail = kept->data();
    record->thumbnailLength = static_cast<int32_t>(kept->size());
    return VEXA_OK;
}

UsbAlbumLibrary::UsbAlbumLibrary(std::shared_ptr<UsbPhotoSource> source)
    : m_source(std::move(source)) {}

int UsbAlbumLibrary::PrepareList() {
    ios::PhotoLibrary library;
    if (int code = m_source->Read(library, ios::PhotoLibraryReader::Parts::AssetsAndAlbums);
        code != VEXA_OK) {
        return code;
    }
    sim::FillAlbumList(library, m_albums.ForCurrentThread());
    return VEXA_OK;
}

int UsbAlbumLibrary::GetAlbumList(AlbumRecord** albums, int* count) {
    if (albums == nullptr || count == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    auto& list = m_albums.ForCurrentThread();
    if (list.records.empty()) {
        if (int code = PrepareList(); code != VEXA_OK) {
            return code;
        }
    }
    *albums = list.records.empty() ? nullptr : list.records.data();
    *count = static_cast<int>(list.records.size());
    return VEXA_OK;
}

int UsbAlbumLibrary::GetAlbumPhotos(PhotoRecord** records, int* count, const char* albumId) {
    if (records == nullptr || count == nullptr || albumId == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    ios::PhotoLibrary library;
    if (int code = m_source->Read(library, ios::PhotoLibraryReader::Parts::AssetsAndAlbums);
        code != VEXA_OK) {
        return code;
    }
    for (auto& asset : library.assets) {
        if (asset.fileSize < 0) {
            asset.fileSize = 0;
        }
    }
    std::vector<const ios::PhotoAsset*> assets;
    if (int code = sim::AlbumAssets(library, albumId, assets); code != VEXA_OK) {
        return code;
    }
    auto& buffer = m_photos.ForCurrentThread();
    sim::FillPhotoRecords(assets, {}, buffer);
    *records = buffer.records.empty() ? nullptr : buffer.records.data();
    *count = static_cast<int>(buffer.records.size());
    return VEXA_OK;
}

int UsbAlbumLibrary::LoadAlbumCover(int coverHandle) {
    // The cover goes into the album list this thread was handed last.
    auto& list = m_albums.ForCurrentThread();
    for (size_t i = 0; i < list.records.size(); ++i) {
        if (list.records[i].coverHandle != coverHandle) {
            continue;
        }
        if (list.coverPaths[i].empty()) {
            return VEXA_OK; // an empty album has no cover
        }
        if (int code = m_source->Thumbnail(list.coverPaths[i], list.covers[i]); code != VEXA_OK) {
            return code;
        }
        list.records[i].cover = list.covers[i]->data();
        list.records[i].coverLength = static_cast<int32_t>(list.covers[i]->size());
        return VEXA_OK;
    }
    return VEXA_E_NOT_FOUND;
}

int UsbAlbumLibrary::CreateAlbum(const char16_t*, AlbumRecord** created) {
    if (created != nullptr) {
        *created = nullptr;
    }
    return VEXA_E_READ_ONLY;
}

int UsbAlbumLibrary::QueryAlbum(const char* albumId, int* type) {
    if (albumId == nullptr || type == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    ios::PhotoLibrary library;
    if (int code = m_source->Read(library, ios::PhotoLibraryReader::Parts::AssetsAndAlbums);
        code != VEXA_OK) {
        return code;
    }
    return sim::AlbumTypeOf(library, albumId, *type);
}

} // namespace vexa::usb
