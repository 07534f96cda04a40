#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TrackStore.h"

struct sqlite3;

namespace vexa::sim {

// What a media database of an earlier simulator held: one `item` row per track with its texts in it, the
// file as ":iTunes_Control:Music:F00:ABCD.mp3", and playlists in container/container_items keyed by `pid`.
struct LegacyMediaLibrary {
    struct Playlist {
        std::string name;
        std::vector<size_t> tracks; // into `tracks`, in the playlist's order
    };
    std::vector<NewTrack> tracks;
    std::vector<Playlist> playlists;
};

// Whether the media database still has the earlier layout (an `item` table keyed by `pid`).
bool HasLegacyMediaTables(sqlite3* db);
// Reads the earlier tables and drops them with their indexes. The caller holds a savepoint around this and
// the writing of the phone's tables, so that a move that fails changes nothing.
bool TakeLegacyMediaTables(sqlite3* db, LegacyMediaLibrary& legacy);
// Writes what was read into the phone's tables (made by then); the files stay where they are.
bool WriteLegacyMediaLibrary(sqlite3* db, const LegacyMediaLibrary& legacy);

} // namespace vexa::sim
