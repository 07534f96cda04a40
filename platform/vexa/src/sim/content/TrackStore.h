#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

#include "TextArena.h"

struct sqlite3;

namespace vexa::sim {

class PendingRemoval;

// Everything GetPlaylists hands out; the records point into it.
struct PlaylistBuffer {
    std::vector<PlaylistRecord> playlists;
    std::vector<MediaTrackRecord> tracks;
    TextArena text;
};

// Songs, videos and playlists in the media database, with their files under iTunes_Control/Music.
// Playlist position 0 is the whole library; 1 and up are the user's playlists in the order they were
// made. The caller holds the media database lock and a transaction for changes.
class TrackStore {
public:
    TrackStore(sqlite3* mediaDb, std::filesystem::path mediaRoot);

    // Copies one audio or video file into the device and adds it to the library, and to the playlist at
    // `playlist` when that is above 0. `kind` 0 takes the media kind from the file.
    int AddFile(const std::filesystem::path& local, int playlist, int kind = 0);
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

private:
    int ContainerAt(int position, int64_t* containerPid);
    int LoadLibrary(std::vector<int64_t>& pids);
    int LoadContainer(int64_t containerPid, std::vector<std::pair<int64_t, int64_t>>& rowsAndPids);
    int ItemsAt(const std::vector<MediaPosition>& positions, std::vector<int64_t>& pids);
    std::filesystem::path NewTrackPath(const std::string& extension);

    sqlite3* m_db;
    std::filesystem::path m_mediaRoot;
    std::filesystem::path m_lastAdded;
};

} // namespace vexa::sim
