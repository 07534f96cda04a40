#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>

#include <vexa/ISkippedEntries.h>
#include <vexa/VexaServices.h>

#include "UsbContentCache.h"
#include "ios/MediaLibraryReader.h"
#include "sim/ResultArena.h"
#include "sim/content/TrackStore.h"

namespace vexa::usb {

class AfcConnection;
class UsbDevice;

// Songs, videos and playlists of a real device, read from a copy of its media library
// (iTunes_Control/iTunes/MediaLibrary.sqlitedb with its journal) in the device's cache folder. The
// phone changes its library only through its own sync service, so every change is refused. Items whose
// file is not on the device are left out and counted. The copy is made again only when the database
// changed since the last listing; the files are looked up on every listing, by name only.
class UsbMediaLibrary final : public IMediaLibrary, public ISkippedEntries {
public:
    UsbMediaLibrary(std::shared_ptr<UsbDevice> device, std::unique_ptr<IFileService> files);
    ~UsbMediaLibrary() override;

    static constexpr const char* kDatabasePath = "/iTunes_Control/iTunes/MediaLibrary.sqlitedb";

    int GetWriteAccess() override { return kContentReadOnlyOnPhone; }
    int GetLibraryKind() override;
    int GetPlaylists(int* count, PlaylistRecord** playlists) override;
    int AddMediaFileData(const char16_t* const*, int, int*, int) override { return VEXA_E_READ_ONLY; }
    int DelMediaFileData(const MediaPosition*, int) override { return VEXA_E_READ_ONLY; }
    int AddPlaylist(const char16_t*) override { return VEXA_E_READ_ONLY; }
    int DeletePlaylist(int) override { return VEXA_E_READ_ONLY; }
    int GetSkippedCount() override { return m_skipped.load(); }

    // Leaves out the items whose file `exists` does not find, and their places in the playlists;
    // answers how many were left out. An item without a file counts as one whose file is gone.
    template <class Exists> static int KeepPresent(ios::MediaLibrary& library, Exists&& exists);

private:
    // Brings m_read up to date with the device's database, and m_library with its files. Holds m_mutex.
    int refresh();
    // The names in one device folder; a missing folder has none.
    int names(const std::string& folder, std::unordered_set<std::string>& found);
    static std::string deviceName(const UsbDevice& device);

    std::shared_ptr<UsbDevice> m_device;
    std::unique_ptr<IFileService> m_files;
    std::mutex m_mutex;
    UsbContentCache::Stamp m_stamp;
    std::unique_ptr<AfcConnection> m_afc; // for listing names; opened on first use, dropped on failure
    bool m_hasRead = false;
    ios::MediaLibrary m_read;    // as the database says
    ios::MediaLibrary m_library; // what of it has its file on the device
    std::string m_name;
    std::atomic<int> m_skipped{0};
    sim::PerThreadResults<sim::PlaylistBuffer> m_playlists;
};

template <class Exists> int UsbMediaLibrary::KeepPresent(ios::MediaLibrary& library, Exists&& exists) {
    std::vector<size_t> moved(library.items.size(), SIZE_MAX);
    std::vector<ios::MediaItem> kept;
    kept.reserve(library.items.size());
    for (size_t i = 0; i < library.items.size(); ++i) {
        if (!library.items[i].path.empty() && exists(library.items[i].path)) {
            moved[i] = kept.size();
            kept.push_back(std::move(library.items[i]));
        }
    }
    const int skipped = static_cast<int>(library.items.size() - kept.size());
    library.items = std::move(kept);
    for (ios::MediaPlaylist& playlist : library.playlists) {
        std::vector<size_t> items;
        items.reserve(playlist.items.size());
        for (size_t index : playlist.items) {
            if (index < moved.size() && moved[index] != SIZE_MAX) {
                items.push_back(moved[index]);
            }
        }
        playlist.items = std::move(items);
    }
    return skipped;
}

} // namespace vexa::usb
