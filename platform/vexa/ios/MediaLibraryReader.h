#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ReadOnlyDatabase.h"

struct sqlite3;

namespace vexa::ios {

// item.media_type as the phone's media library writes it: one bit per kind. The audio book value is the
// one the simulator writes for audio that is neither song nor video.
enum MediaType : int {
    kMediaTypeAudioBook = 2,
    kMediaTypeSong = 8,
    kMediaTypeTvShow = 512,
    kMediaTypeMusicVideo = 1024,
    kMediaTypeMovie = 2048,
    kMediaTypeHomeVideo = 8192,
    kMediaTypeRingtone = 16384
};

bool IsVideoMediaType(int64_t mediaType);

// One song, video or other audio of the library.
struct MediaItem {
    int64_t pid = 0;       // item.item_pid
    int64_t mediaType = 0; // item.media_type
    std::string title;
    std::string artist;
    std::string album;
    std::string albumArtist;
    std::string genre;
    std::string fileKind; // location_kind.kind, e.g. "MPEG audio file"; empty when not recorded
    // The file below the media root (/var/mobile/Media): base_location.path + "/" + item_extra.location,
    // e.g. "iTunes_Control/Music/F03/ABCD.mp3"; empty for an item with no file on the device or with a path
    // that would leave the media root.
    std::string path;
    int64_t durationMs = 0;
    int64_t fileSize = 0;
    int trackNumber = 0;
    int year = 0;
};

// A playlist the user sees; `items` index MediaLibrary::items, in the playlist's order.
struct MediaPlaylist {
    int64_t pid = 0; // container.container_pid
    std::string name;
    std::vector<size_t> items;
};

struct MediaLibrary {
    std::vector<MediaItem> items;         // in the order they were added
    std::vector<MediaPlaylist> playlists; // in the order they were made
};

// Reads the phone's media library (Media/iTunes_Control/iTunes/MediaLibrary.sqlitedb). `item` with
// item_pid is required; item_extra, item_artist, album, album_artist, genre, base_location,
// location_kind and the playlists' container and container_items are each optional, as is every other
// column. Playlists are the containers without a distinguished kind (the phone's own lists, such as
// purchases, have one). Read answers a ReadResult and, unless kReadOk, leaves `library` empty.
class MediaLibraryReader {
public:
    static int Read(const std::filesystem::path& file, MediaLibrary& library,
                    ReadOnlyDatabase::Mode mode = ReadOnlyDatabase::Mode::Copy);
    // The same from a connection the caller holds (the simulator's own, under its lock).
    static int Read(sqlite3* db, MediaLibrary& library);
};

} // namespace vexa::ios
