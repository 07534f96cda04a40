#include "TrackStore.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <unordered_map>

#include <sqlite3.h>

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "ColumnText.h"
#include "DeviceFiles.h"
#include "PendingRemoval.h"
#include "formats/AudioProbe.h"
#include "formats/MediaInfo.h"

namespace vexa::sim {

namespace fs = std::filesystem;

namespace {

struct FileKind {
    const char* format;
    int kind;
};

// What the device takes, by suffix; a video track in an MPEG-4 file makes it a movie. A constant
// table without a destructor: the listener thread may still be making the demo device at exit.
bool KindOf(const std::string& suffix, bool hasVideo, FileKind& out) {
    static constexpr struct {
        std::string_view suffix;
        FileKind kind;
    } kKinds[] = {
        {".mp3", {"MPEG audio file", MEDIA_SONG}},
        {".m4a", {"AAC audio file", MEDIA_SONG}},
        {".m4b", {"AAC audio book file", MEDIA_AUDIO_OTHER}},
        {".mp4", {"MPEG-4 video file", MEDIA_MOVIE}},
        {".m4v", {"MPEG-4 video file", MEDIA_MOVIE}},
        {".mov", {"QuickTime movie file", MEDIA_MOVIE}},
    };
    const auto* it = std::find_if(std::begin(kKinds), std::end(kKinds),
                                  [&](const auto& entry) { return entry.suffix == suffix; });
    if (it == std::end(kKinds))
        return false;
    out = it->kind;
    if (out.kind == MEDIA_MOVIE && !hasVideo)
        out = {"AAC audio file", MEDIA_SONG};
    return true;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

void BindOrNull(Statement& statement, int index, const std::string& text) {
    if (text.empty())
        statement.BindNull(index);
    else
        statement.Bind(index, std::string_view(text));
}

} // namespace

TrackStore::TrackStore(sqlite3* mediaDb, fs::path mediaRoot)
    : m_db(mediaDb)
    , m_mediaRoot(std::move(mediaRoot)) {}

fs::path TrackStore::NewTrackPath(const std::string& extension) {
    Statement count(m_db, "SELECT COALESCE(MAX(pid), 0) + 1 FROM item");
    const int64_t next = count.Step() == SQLITE_ROW ? count.Int(0) : 1;
    char folder[8];
    std::snprintf(folder, sizeof folder, "F%02d", static_cast<int>(next % 50));
    // Four capital letters, as the device names its music files.
    uint64_t seed = static_cast<uint64_t>(next) * 2654435761ULL + 12345;
    std::string name;
    for (int i = 0; i < 4; ++i, seed /= 26)
        name += static_cast<char>('A' + seed % 26);
    return DeviceFiles::FreeName(m_mediaRoot / "iTunes_Control" / "Music" / folder, name, extension);
}

int TrackStore::AddFile(const fs::path& local, int playlist, int kind) {
    std::error_code error;
    if (!fs::is_regular_file(local, error))
        return VEXA_E_NOT_FOUND;
    int64_t containerPid = 0;
    if (playlist > 0) {
        if (int code = ContainerAt(playlist, &containerPid))
            return code;
    }
    const std::string suffix = Lower(local.extension().string());
    formats::MediaInfo info;
    FileKind fileKind{};
    if (!formats::ReadMediaInfo(local, info) || !KindOf(suffix, info.hasVideo, fileKind))
        return VEXA_E_UNSUPPORTED;
    // FFmpeg names a stream after the file's suffix alone; a song must really decode.
    if (!info.hasVideo && !formats::HasDecodableAudio(local))
        return VEXA_E_UNSUPPORTED;
    if (kind == 0)
        kind = fileKind.kind;

    const fs::path target = NewTrackPath(suffix == ".m4b" ? ".m4a" : suffix);
    if (int code = DeviceFiles::CopyIn(local, target))
        return code;
    std::string location = fs::relative(target, m_mediaRoot).generic_string();
    std::replace(location.begin(), location.end(), '/', ':');

    Statement insert(m_db, "INSERT INTO item(title, artist, album, genre, location, format, media_kind, "
                           "file_size, duration_ms) VALUES (?,?,?,?,?,?,?,?,?)");
    insert.Bind(1, std::string_view(info.title.empty() ? local.stem().string() : info.title));
    BindOrNull(insert, 2, info.artist);
    BindOrNull(insert, 3, info.album);
    BindOrNull(insert, 4, info.genre);
    insert.Bind(5, std::string_view(":" + location)).Bind(6, fileKind.format).Bind(7, kind);
    insert.Bind(8, static_cast<int64_t>(DeviceFiles::Size(target)));
    insert.Bind(9, static_cast<int64_t>(info.durationSeconds * 1000.0 + 0.5));
    int code = insert.Run();
    if (code == VEXA_OK && containerPid) {
        Statement append(m_db,
                         "INSERT INTO container_items(container_pid, item_pid, position) SELECT ?1, ?2, "
                         "COALESCE(MAX(position), -1) + 1 FROM container_items WHERE container_pid = ?1");
        append.Bind(1, containerPid).Bind(2, sqlite3_last_insert_rowid(m_db));
        code = append.Run();
    }
    if (code)
        DeviceFiles::Remove(target);
    else
        m_lastAdded = target;
    return code;
}

int TrackStore::PlaylistCount(int* count) {
    Statement query(m_db, "SELECT COUNT(*) FROM container");
    if (query.Step() != SQLITE_ROW)
        return query.Result() != VEXA_OK ? query.Result() : static_cast<int>(VEXA_E_DATABASE);
    *count = static_cast<int>(query.Int(0)) + 1;
    return VEXA_OK;
}

int TrackStore::ContainerAt(int position, int64_t* containerPid) {
    if (position < 1)
        return VEXA_E_OUT_OF_RANGE;
    Statement query(m_db, "SELECT pid FROM container ORDER BY pid LIMIT 1 OFFSET ?");
    query.Bind(1, position - 1);
    if (query.Step() != SQLITE_ROW)
        return query.Result() != VEXA_OK ? query.Result() : static_cast<int>(VEXA_E_OUT_OF_RANGE);
    *containerPid = query.Int(0);
    return VEXA_OK;
}

int TrackStore::LoadLibrary(std::vector<int64_t>& pids) {
    Statement query(m_db, "SELECT pid FROM item ORDER BY pid");
    while (query.Step() == SQLITE_ROW)
        pids.push_back(query.Int(0));
    return query.Result();
}

int TrackStore::LoadContainer(int64_t containerPid, std::vector<std::pair<int64_t, int64_t>>& rowsAndPids) {
    Statement query(m_db,
                    "SELECT rowid, item_pid FROM container_items WHERE container_pid = ? ORDER BY position");
    query.Bind(1, containerPid);
    while (query.Step() == SQLITE_ROW)
        rowsAndPids.emplace_back(query.Int(0), query.Int(1));
    return query.Result();
}

int TrackStore::ItemsAt(const std::vector<MediaPosition>& positions, std::vector<int64_t>& pids) {
    std::vector<int64_t> library;
    std::map<int, std::vector<std::pair<int64_t, int64_t>>> containers;
    if (int code = LoadLibrary(library))
        return code;
    for (const auto& position : positions) {
        if (position.item < 0)
            return VEXA_E_OUT_OF_RANGE;
        if (position.playlist == 0) {
            if (static_cast<size_t>(position.item) >= library.size())
                return VEXA_E_OUT_OF_RANGE;
            pids.push_back(library[position.item]);
            continue;
        }
        auto found = containers.find(position.playlist);
        if (found == containers.end()) {
            int64_t containerPid = 0;
            if (int code = ContainerAt(position.playlist, &containerPid))
                return code;
            found = containers.emplace(position.playlist, std::vector<std::pair<int64_t, int64_t>>{}).first;
            if (int code = LoadContainer(containerPid, found->second))
                return code;
        }
        if (static_cast<size_t>(position.item) >= found->second.size())
            return VEXA_E_OUT_OF_RANGE;
        pids.push_back(found->second[position.item].second);
    }
    return VEXA_OK;
}

int TrackStore::AddToPlaylist(const std::vector<MediaPosition>& positions, int playlist) {
    int64_t containerPid = 0;
    if (int code = ContainerAt(playlist, &containerPid))
        return code;
    std::vector<int64_t> pids;
    if (int code = ItemsAt(positions, pids))
        return code;
    Statement append(
        m_db, "INSERT INTO container_items(container_pid, item_pid, position) SELECT ?1, ?2, "
              "(SELECT COALESCE(MAX(position), -1) + 1 FROM container_items WHERE container_pid = ?1) "
              "WHERE NOT EXISTS (SELECT 1 FROM container_items WHERE container_pid = ?1 AND item_pid = ?2)");
    for (int64_t pid : pids) {
        append.Reset();
        if (int code = append.Bind(1, containerPid).Bind(2, pid).Run())
            return code;
    }
    return VEXA_OK;
}

int TrackStore::Delete(const std::vector<MediaPosition>& positions, PendingRemoval& removal) {
    std::set<int64_t> doomedItems, doomedRows;
    std::vector<int64_t> library;
    std::map<int, std::vector<std::pair<int64_t, int64_t>>> containers;
    if (int code = LoadLibrary(library))
        return code;
    for (const auto& position : positions) {
        if (position.item < 0)
            return VEXA_E_OUT_OF_RANGE;
        if (position.playlist == 0) {
            if (static_cast<size_t>(position.item) >= library.size())
                return VEXA_E_OUT_OF_RANGE;
            doomedItems.insert(library[position.item]);
            continue;
        }
        auto found = containers.find(position.playlist);
        if (found == containers.end()) {
            int64_t containerPid = 0;
            if (int code = ContainerAt(position.playlist, &containerPid))
                return code;
            found = containers.emplace(position.playlist, std::vector<std::pair<int64_t, int64_t>>{}).first;
            if (int code = LoadContainer(containerPid, found->second))
                return code;
        }
        if (static_cast<size_t>(position.item) >= found->second.size())
            return VEXA_E_OUT_OF_RANGE;
        doomedRows.insert(found->second[position.item].first);
    }

    Statement removeRow(m_db, "DELETE FROM container_items WHERE rowid = ?");
    for (int64_t row : doomedRows) {
        removeRow.Reset();
        if (int code = removeRow.Bind(1, row).Run())
            return code;
    }
    std::vector<fs::path> files;
    Statement location(m_db, "SELECT location FROM item WHERE pid = ?");
    Statement removeMembership(m_db, "DELETE FROM container_items WHERE item_pid = ?");
    Statement removeItem(m_db, "DELETE FROM item WHERE pid = ?");
    for (int64_t pid : doomedItems) {
        location.Reset();
        if (location.Bind(1, pid).Step() == SQLITE_ROW) {
            std::string relative = location.Text(0);
            std::replace(relative.begin(), relative.end(), ':', '/');
            files.push_back(m_mediaRoot / relative.substr(relative.starts_with('/') ? 1 : 0));
        }
        removeMembership.Reset();
        removeItem.Reset();
        if (int code = removeMembership.Bind(1, pid).Run())
            return code;
        if (int code = removeItem.Bind(1, pid).Run())
            return code;
    }
    for (const auto& file : files) {
        if (!removal.Add(file))
            return VEXA_E_IO;
    }
    return VEXA_OK;
}

int TrackStore::AddPlaylist(const std::string& name) {
    if (name.empty())
        return VEXA_E_INVALID_ARGUMENT;
    Statement insert(m_db, "INSERT INTO container(name) VALUES (?)");
    return insert.Bind(1, std::string_view(name)).Run();
}

int TrackStore::DeletePlaylist(int position) {
    int64_t containerPid = 0;
    if (position == 0)
        return VEXA_E_PROTECTED;
    if (int code = ContainerAt(position, &containerPid))
        return code;
    Statement items(m_db, "DELETE FROM container_items WHERE container_pid = ?");
    if (int code = items.Bind(1, containerPid).Run())
        return code;
    Statement container(m_db, "DELETE FROM container WHERE pid = ?");
    return container.Bind(1, containerPid).Run();
}

int TrackStore::List(PlaylistBuffer& out, const char* libraryName) {
    out.playlists.clear();
    out.tracks.clear();
    out.text.Clear();

    Statement items(m_db, "SELECT pid, artist, album, title, location, format, media_kind, file_size, "
                          "duration_ms FROM item ORDER BY pid");
    Statement containers(m_db, "SELECT pid, name FROM container ORDER BY pid");
    Statement members(m_db,
                      "SELECT container_pid, item_pid FROM container_items ORDER BY container_pid, position");
    std::unordered_map<int64_t, size_t> indexOfPid;
    while (items.Step() == SQLITE_ROW) {
        MediaTrackRecord track{};
        track.artist = KeepColumn(out.text, items, 1);
        track.album = KeepColumn(out.text, items, 2);
        track.title = KeepColumn(out.text, items, 3);
        track.path = KeepColumn(out.text, items, 4);
        track.format = KeepColumn(out.text, items, 5);
        track.mediaKind = static_cast<int32_t>(items.Int(6));
        track.fileSize = static_cast<int32_t>(std::min<int64_t>(items.Int(7), INT32_MAX));
        track.duration = static_cast<int32_t>(std::min<int64_t>(items.Int(8), INT32_MAX));
        indexOfPid.emplace(items.Int(0), out.tracks.size());
        out.tracks.push_back(track);
    }
    if (items.Result() != VEXA_OK)
        return items.Result();
    const size_t librarySize = out.tracks.size();

    // Playlist tracks are copies of the library's records; their texts are shared.
    std::vector<std::pair<const char*, std::pair<size_t, size_t>>> spans; // name, (first, count)
    spans.push_back({out.text.Add(libraryName ? libraryName : ""), {0, librarySize}});
    std::map<int64_t, size_t> spanOfContainer;
    while (containers.Step() == SQLITE_ROW) {
        spanOfContainer[containers.Int(0)] = spans.size();
        spans.push_back({out.text.Add(containers.TextView(1)), {0, 0}});
    }
    std::vector<std::vector<size_t>> memberIndexes(spans.size());
    while (members.Step() == SQLITE_ROW) {
        auto span = spanOfContainer.find(members.Int(0));
        auto track = indexOfPid.find(members.Int(1));
        if (span != spanOfContainer.end() && track != indexOfPid.end())
            memberIndexes[span->second].push_back(track->second);
    }
    if (containers.Result() != VEXA_OK || members.Result() != VEXA_OK)
        return containers.Result() != VEXA_OK ? containers.Result() : members.Result();
    size_t total = librarySize;
    for (const auto& indexes : memberIndexes)
        total += indexes.size();
    out.tracks.reserve(total);
    for (size_t i = 1; i < spans.size(); ++i) {
        spans[i].second = {out.tracks.size(), memberIndexes[i].size()};
        for (size_t index : memberIndexes[i])
            out.tracks.push_back(out.tracks[index]);
    }
    for (const auto& [name, span] : spans) {
        PlaylistRecord playlist{};
        playlist.name = name;
        playlist.trackCount = static_cast<int32_t>(span.second);
        playlist.tracks = span.second ? out.tracks.data() + span.first : nullptr;
        out.playlists.push_back(playlist);
    }
    return VEXA_OK;
}

} // namespace vexa::sim
