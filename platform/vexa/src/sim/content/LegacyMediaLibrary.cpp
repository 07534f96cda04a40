#include "LegacyMediaLibrary.h"

#include <algorithm>
#include <unordered_map>

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"

namespace vexa::sim {

namespace {

// ":iTunes_Control:Music:F00:ABCD.mp3" -> folder "iTunes_Control/Music/F00" and name "ABCD.mp3".
void SplitLocation(std::string location, NewTrack& track) {
    std::replace(location.begin(), location.end(), ':', '/');
    while (!location.empty() && location.front() == '/')
        location.erase(0, 1);
    const size_t slash = location.rfind('/');
    track.folder = slash == std::string::npos ? std::string() : location.substr(0, slash);
    track.fileName = slash == std::string::npos ? location : location.substr(slash + 1);
}

} // namespace

bool HasLegacyMediaTables(sqlite3* db) {
    Statement columns(db, "SELECT 1 FROM pragma_table_info('item') WHERE name = 'pid'");
    return columns.Step() == SQLITE_ROW;
}

bool TakeLegacyMediaTables(sqlite3* db, LegacyMediaLibrary& legacy) {
    std::unordered_map<int64_t, size_t> indexOfPid;
    {
        Statement items(db,
                        "SELECT pid, title, artist, album, genre, location, format, media_kind, file_size, "
                        "duration_ms FROM item ORDER BY pid");
        while (items.Step() == SQLITE_ROW) {
            NewTrack track;
            track.title = items.Text(1);
            track.artist = items.Text(2);
            track.album = items.Text(3);
            track.genre = items.Text(4);
            SplitLocation(items.Text(5), track);
            track.kind = items.Text(6);
            track.mediaKind = static_cast<int>(items.Int(7));
            track.fileSize = items.Int(8);
            track.durationMs = items.Int(9);
            indexOfPid.emplace(items.Int(0), legacy.tracks.size());
            legacy.tracks.push_back(std::move(track));
        }
        if (items.Result() != VEXA_OK)
            return false;
        std::unordered_map<int64_t, size_t> indexOfContainer;
        Statement containers(db, "SELECT pid, name FROM container ORDER BY pid");
        while (containers.Step() == SQLITE_ROW) {
            indexOfContainer.emplace(containers.Int(0), legacy.playlists.size());
            legacy.playlists.push_back({containers.Text(1), {}});
        }
        Statement members(db, "SELECT container_pid, item_pid FROM container_items "
                              "ORDER BY container_pid, position, rowid");
        while (members.Step() == SQLITE_ROW) {
            const auto playlist = indexOfContainer.find(members.Int(0));
            const auto track = indexOfPid.find(members.Int(1));
            if (playlist != indexOfContainer.end() && track != indexOfPid.end())
                legacy.playlists[playlist->second].tracks.push_back(track->second);
        }
        if (containers.Result() != VEXA_OK || members.Result() != VEXA_OK)
            return false;
    }
    for (const char* sql :
         {"DROP INDEX IF EXISTS container_items_by_container", "DROP INDEX IF EXISTS container_items_by_item",
          "DROP TABLE IF EXISTS container_items", "DROP TABLE IF EXISTS container", "DROP TABLE item"}) {
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    return true;
}

bool WriteLegacyMediaLibrary(sqlite3* db, const LegacyMediaLibrary& legacy) {
    TrackStore store(db, {});
    std::vector<int64_t> pids;
    pids.reserve(legacy.tracks.size());
    for (const auto& track : legacy.tracks) {
        int64_t pid = 0;
        if (store.Insert(track, &pid) != VEXA_OK)
            return false;
        pids.push_back(pid);
    }
    for (const auto& playlist : legacy.playlists) {
        int64_t containerPid = 0;
        if (store.InsertPlaylist(playlist.name, &containerPid) != VEXA_OK)
            return false;
        for (size_t track : playlist.tracks) {
            if (store.Append(containerPid, pids[track]) != VEXA_OK)
                return false;
        }
    }
    return true;
}

} // namespace vexa::sim
