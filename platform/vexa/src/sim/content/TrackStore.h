#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <vexa/VexaRecords.h>

#include "TextArena.h"

struct sqlite3;

namespace vexa::ios {
struct MediaLibrary;
}

namespace vexa::sim {

class Statement;

class PendingRemoval;

// Everything GetPlaylists hands out; the records point into it.
struct PlaylistBuffer {
    std::vector<PlaylistRecord> playlists;
    std::vector<MediaTrackRecord> tracks;
    TextArena text;
};

// One row of the library as the store writes it; the file is already in place.
struct NewTrack {
    std::string title;
    std::string artist; // empty: none
    std::string album;  // empty: none
    std::string genre;  // empty: none
    std::string kind;   // "MPEG audio file", ...
    std::string folder; // below the media root, "iTunes_Control/Music/F03"
    std::string fileName;
    int mediaKind = MEDIA_SONG; // MediaKind
    int64_t fileSize = 0;
    int64_t durationMs = 0;
};

// Songs, videos and playlists in the media database, laid out as the phone's media library, with their
// files under iTunes_Control/Music/Fnn. Playlist position 0 is the whole library; 1 and up are the user's
// playlists in the order they were made. Listing goes through the device library's reader of that file.
// The caller holds the media database lock and a transaction for changes.
class TrackStore {
public:
    TrackStore(sqlite3* mediaDb, std::filesystem::path mediaRoot);
    ~TrackStore();

    // item.media_type for a MediaKind and back.
    static int64_t MediaTypeOf(int mediaKind);
    static int MediaKindOf(int64_t mediaType);

    // Copies one audio or video file into the device and adds it to the library, and to the playlist at
    // `playlist` when that is above 0. `kind` 0 takes the media kind from the file.
    int AddFile(const std::filesystem::path& local, int playlist, int kind = 0);
    // Adds the rows of a track whose file is in place; `pid` receives its item_pid.
    int Insert(const NewTrack& track, int64_t* pid);
    // Adds a playlist and answers its container_pid; appends an item at the end of one.
    int InsertPlaylist(const std::string& name, int64_t* containerPid);
    int Append(int64_t containerPid, int64_t itemPid);
    // Where the last successful AddFile put its file.
    const std::filesystem::path& LastAddedFile() const { return m_lastAdded; }
    // Removes songs from the device (playlist 0) or from one playlist only (above 0). All positions are
    // checked before anything changes.
    int Delete(const std::vector<MediaPosition>& positions, PendingRemoval& removal);
    // Adds songs the library holds to the playlist at `playlist` (above 0); members stay as they are.
    int AddToPlaylist(const std::vector<MediaPosition>& positions, int playlist);
    int AddPlaylist(const std::string& name);
    int DeletePlaylist(int position);
    int PlaylistCount(int* count); // the library included
    int List(PlaylistBuffer& out, const char* libraryName);
    // The records of a library read from its file: playlist 0 the whole library named `libraryName`,
    // then the user's playlists. Shared with the listing of a real device's copy of the file.
    static void Fill(const ios::MediaLibrary& library, PlaylistBuffer& out, const char* libraryName);

private:
    int ContainerAt(int position, int64_t* containerPid);
    int LoadLibrary(std::vector<int64_t>& pids);
    int LoadContainer(int64_t containerPid, std::vector<std::pair<int64_t, int64_t>>& rowsAndPids);
    // What a position names: a track, and when the position is in a playlist, the playlist's row of it.
    struct PositionTarget {
        int64_t itemPid = 0;
        std::optional<int64_t> playlistRow; // container_item_pid
    };
    // Every position's target, or the first position's fault when one is out of range.
    int TargetsAt(const std::vector<MediaPosition>& positions, std::vector<PositionTarget>& targets);
    std::filesystem::path NewTrackPath(const std::string& extension);
    // The row id of `text` in a table of names, added when missing; 0 for an empty text.
    int IdOf(const char* table, const char* idColumn, const char* textColumn, const std::string& text,
             int64_t* id);
    int AlbumOf(const std::string& album, int64_t albumArtist, int64_t* id);
    int RemoveUnused();

    sqlite3* m_db;
    std::filesystem::path m_mediaRoot;
    std::filesystem::path m_lastAdded;
    std::unique_ptr<Statement> m_insertItem;
    std::unique_ptr<Statement> m_insertExtra;
    std::unordered_map<std::string, int64_t> m_ids; // table + '\n' + text -> id, for this store's life
};

} // namespace vexa::sim
