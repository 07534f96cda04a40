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
#include "ios/MediaLibraryReader.h"
#include "ios/ReadResult.h"

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

// item_extra.media_kind, the kind the phone's own apps sort by.
int64_t ExtraMediaKindOf(int mediaKind) {
    switch (mediaKind) {
    case MEDIA_MOVIE:
        return 2;
    case MEDIA_MUSIC_VIDEO:
        return 32;
    case MEDIA_AUDIO_OTHER:
        return 8;
    default:
        return 1;
    }
}

constexpr int64_t kFirstMusicFolderId = 3840; // the phone's id of iTunes_Control/Music/F00

} // namespace

TrackStore::TrackStore(sqlite3* mediaDb, fs::path mediaRoot)
    : m_db(mediaDb)
    , m_mediaRoot(std::move(mediaRoot)) {}

TrackStore::~TrackStore() = default;

fs::path TrackStore::NewTrackPath(const std::string& extension) {
    Statement count(m_db, "SELECT COALESCE(MAX(item_pid), 0) + 1 FROM item");
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
    NewTrack track;
    track.title = info.title.empty() ? local.stem().string() : info.title;
    track.artist = info.artist;
    track.album = info.album;
    track.genre = info.genre;
    track.kind = fileKind.format;
    track.folder = fs::relative(target.parent_path(), m_mediaRoot).generic_string();
    track.fileName = target.filename().string();
    track.mediaKind = kind;
    track.fileSize = static_cast<int64_t>(DeviceFiles::Size(target));
    track.durationMs = static_cast<int64_t>(info.durationSeconds * 1000.0 + 0.5);
    int64_t pid = 0;
    int code = Insert(track, &pid);
    if (code == VEXA_OK && containerPid)
        code = Append(containerPid, pid);
    if (code)
        DeviceFiles::Remove(target);
    else
        m_lastAdded = target;
    return code;
}

int64_t TrackStore::MediaTypeOf(int mediaKind) {
    switch (mediaKind) {
    case MEDIA_MOVIE:
        return ios::kMediaTypeMovie;
    case MEDIA_MUSIC_VIDEO:
        return ios::kMediaTypeMusicVideo;
    case MEDIA_AUDIO_OTHER:
        return ios::kMediaTypeAudioBook;
    default:
        return ios::kMediaTypeSong;
    }
}

int TrackStore::MediaKindOf(int64_t mediaType) {
    if (mediaType & ios::kMediaTypeMusicVideo)
        return MEDIA_MUSIC_VIDEO;
    if (ios::IsVideoMediaType(mediaType))
        return MEDIA_MOVIE;
    // A type the library does not record is taken for a song.
    return mediaType == 0 || (mediaType & ios::kMediaTypeSong) ? MEDIA_SONG : MEDIA_AUDIO_OTHER;
}

int TrackStore::IdOf(const char* table, const char* idColumn, const char* textColumn, const std::string& text,
                     int64_t* id) {
    *id = 0;
    if (text.empty())
        return VEXA_OK;
    const std::string key = std::string(table) + '\n' + text;
    if (const auto known = m_ids.find(key); known != m_ids.end()) {
        *id = known->second;
        return VEXA_OK;
    }
    Statement find(m_db,
                   std::string("SELECT ") + idColumn + " FROM " + table + " WHERE " + textColumn + " = ?");
    if (find.Bind(1, std::string_view(text)).Step() == SQLITE_ROW) {
        *id = find.Int(0);
    } else {
        if (find.Result() != VEXA_OK)
            return find.Result();
        Statement insert(m_db, std::string("INSERT INTO ") + table + "(" + textColumn + ") VALUES (?)");
        if (int code = insert.Bind(1, std::string_view(text)).Run())
            return code;
        *id = sqlite3_last_insert_rowid(m_db);
    }
    m_ids.emplace(key, *id);
    return VEXA_OK;
}

int TrackStore::AlbumOf(const std::string& album, int64_t albumArtist, int64_t* id) {
    *id = 0;
    if (album.empty())
        return VEXA_OK;
    const std::string key = "album\n" + std::to_string(albumArtist) + '\n' + album;
    if (const auto known = m_ids.find(key); known != m_ids.end()) {
        *id = known->second;
        return VEXA_OK;
    }
    Statement find(m_db, "SELECT album_pid FROM album WHERE album = ? AND album_artist_pid = ?");
    if (find.Bind(1, std::string_view(album)).Bind(2, albumArtist).Step() == SQLITE_ROW) {
        *id = find.Int(0);
    } else {
        if (find.Result() != VEXA_OK)
            return find.Result();
        Statement insert(m_db, "INSERT INTO album(album, album_artist_pid) VALUES (?, ?)");
        if (int code = insert.Bind(1, std::string_view(album)).Bind(2, albumArtist).Run())
            return code;
        *id = sqlite3_last_insert_rowid(m_db);
    }
    m_ids.emplace(key, *id);
    return VEXA_OK;
}

int TrackStore::Insert(const NewTrack& track, int64_t* pid) {
    int64_t artist = 0, albumArtist = 0, album = 0, genre = 0, location = 0, kind = 0;
    // The phone numbers its music folders from 3840 up; another folder takes the next free id.
    if (track.folder.starts_with("iTunes_Control/Music/F") && track.folder.size() == 24 &&
        !m_ids.count("base_location\n" + track.folder)) {
        Statement folder(m_db,
                         "INSERT INTO base_location(base_location_id, path) SELECT ?1, ?2 WHERE NOT "
                         "EXISTS (SELECT 1 FROM base_location WHERE base_location_id = ?1 OR path = ?2)");
        const int number = std::atoi(track.folder.c_str() + 22);
        if (int code =
                folder.Bind(1, kFirstMusicFolderId + number).Bind(2, std::string_view(track.folder)).Run())
            return code;
    }
    if (int code = IdOf("item_artist", "item_artist_pid", "item_artist", track.artist, &artist))
        return code;
    if (int code = IdOf("album_artist", "album_artist_pid", "album_artist", track.artist, &albumArtist))
        return code;
    if (int code = AlbumOf(track.album, albumArtist, &album))
        return code;
    if (int code = IdOf("genre", "genre_id", "genre", track.genre, &genre))
        return code;
    if (int code = IdOf("base_location", "base_location_id", "path", track.folder, &location))
        return code;
    if (int code = IdOf("location_kind", "location_kind_id", "kind", track.kind, &kind))
        return code;

    // Dates in seconds since 2001, as the phone keeps them.
    if (!m_insertItem) {
        m_insertItem = std::make_unique<Statement>(
            m_db, "INSERT INTO item(media_type, item_artist_pid, album_pid, album_artist_pid, genre_id, "
                  "base_location_id, location_kind_id, in_my_library, date_downloaded) "
                  "VALUES (?,?,?,?,?,?,?,1,strftime('%s','now') - 978307200)");
        m_insertExtra = std::make_unique<Statement>(
            m_db, "INSERT INTO item_extra(item_pid, title, location, file_size, total_time_ms, media_kind, "
                  "date_modified) VALUES (?,?,?,?,?,?,strftime('%s','now') - 978307200)");
    }
    Statement& item = *m_insertItem;
    item.Reset();
    item.Bind(1, MediaTypeOf(track.mediaKind)).Bind(2, artist).Bind(3, album).Bind(4, albumArtist);
    item.Bind(5, genre).Bind(6, location).Bind(7, kind);
    if (int code = item.Run())
        return code;
    *pid = sqlite3_last_insert_rowid(m_db);
    Statement& extra = *m_insertExtra;
    extra.Reset();
    extra.Bind(1, *pid).Bind(2, std::string_view(track.title)).Bind(3, std::string_view(track.fileName));
    extra.Bind(4, track.fileSize).Bind(5, track.durationMs).Bind(6, ExtraMediaKindOf(track.mediaKind));
    return extra.Run();
}

int TrackStore::Append(int64_t containerPid, int64_t itemPid) {
    Statement append(m_db, "INSERT INTO container_items(container_pid, item_pid, position) SELECT ?1, ?2, "
                           "COALESCE(MAX(position), -1) + 1 FROM container_items WHERE container_pid = ?1");
    return append.Bind(1, containerPid).Bind(2, itemPid).Run();
}

int TrackStore::InsertPlaylist(const std::string& name, int64_t* containerPid) {
    Statement insert(m_db, "INSERT INTO container(name, date_created, date_modified) VALUES "
                           "(?, strftime('%s','now') - 978307200, strftime('%s','now') - 978307200)");
    if (int code = insert.Bind(1, std::string_view(name)).Run())
        return code;
    *containerPid = sqlite3_last_insert_rowid(m_db);
    return VEXA_OK;
}

int TrackStore::PlaylistCount(int* count) {
    Statement query(m_db, "SELECT COUNT(*) FROM container WHERE distinguished_kind = 0");
    if (query.Step() != SQLITE_ROW)
        return query.Result() != VEXA_OK ? query.Result() : static_cast<int>(VEXA_E_DATABASE);
    *count = static_cast<int>(query.Int(0)) + 1;
    return VEXA_OK;
}

int TrackStore::ContainerAt(int position, int64_t* containerPid) {
    if (position < 1)
        return VEXA_E_OUT_OF_RANGE;
    Statement query(m_db,
                    "SELECT container_pid FROM container WHERE distinguished_kind = 0 ORDER BY container_pid "
                    "LIMIT 1 OFFSET ?");
    query.Bind(1, position - 1);
    if (query.Step() != SQLITE_ROW)
        return query.Result() != VEXA_OK ? query.Result() : static_cast<int>(VEXA_E_OUT_OF_RANGE);
    *containerPid = query.Int(0);
    return VEXA_OK;
}

int TrackStore::LoadLibrary(std::vector<int64_t>& pids) {
    Statement query(m_db, "SELECT item_pid FROM item ORDER BY item_pid");
    while (query.Step() == SQLITE_ROW)
        pids.push_back(query.Int(0));
    return query.Result();
}

int TrackStore::LoadContainer(int64_t containerPid, std::vector<std::pair<int64_t, int64_t>>& rowsAndPids) {
    Statement query(m_db, "SELECT container_item_pid, item_pid FROM container_items WHERE container_pid = ? "
                          "ORDER BY position, container_item_pid");
    query.Bind(1, containerPid);
    while (query.Step() == SQLITE_ROW)
        rowsAndPids.emplace_back(query.Int(0), query.Int(1));
    return query.Result();
}

int TrackStore::TargetsAt(const std::vector<MediaPosition>& positions, std::vector<PositionTarget>& targets) {
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
            targets.push_back({library[position.item], std::nullopt});
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
        const auto& [row, pid] = found->second[position.item];
        targets.push_back({pid, row});
    }
    return VEXA_OK;
}

int TrackStore::AddToPlaylist(const std::vector<MediaPosition>& positions, int playlist) {
    int64_t containerPid = 0;
    if (int code = ContainerAt(playlist, &containerPid))
        return code;
    std::vector<PositionTarget> targets;
    if (int code = TargetsAt(positions, targets))
        return code;
    Statement append(
        m_db, "INSERT INTO container_items(container_pid, item_pid, position) SELECT ?1, ?2, "
              "(SELECT COALESCE(MAX(position), -1) + 1 FROM container_items WHERE container_pid = ?1) "
              "WHERE NOT EXISTS (SELECT 1 FROM container_items WHERE container_pid = ?1 AND item_pid = ?2)");
    for (const PositionTarget& target : targets) {
        append.Reset();
        if (int code = append.Bind(1, containerPid).Bind(2, target.itemPid).Run())
            return code;
    }
    return VEXA_OK;
}

int TrackStore::Delete(const std::vector<MediaPosition>& positions, PendingRemoval& removal) {
    std::vector<PositionTarget> targets;
    if (int code = TargetsAt(positions, targets))
        return code;
    std::set<int64_t> doomedItems, doomedRows;
    for (const PositionTarget& target : targets) {
        if (target.playlistRow)
            doomedRows.insert(*target.playlistRow);
        else
            doomedItems.insert(target.itemPid);
    }

    Statement removeRow(m_db, "DELETE FROM container_items WHERE container_item_pid = ?");
    for (int64_t row : doomedRows) {
        removeRow.Reset();
        if (int code = removeRow.Bind(1, row).Run())
            return code;
    }
    std::vector<fs::path> files;
    Statement location(
        m_db, "SELECT b.path, e.location FROM item i JOIN item_extra e ON e.item_pid = i.item_pid "
              "JOIN base_location b ON b.base_location_id = i.base_location_id WHERE i.item_pid = ?");
    Statement removeMembership(m_db, "DELETE FROM container_items WHERE item_pid = ?");
    for (int64_t pid : doomedItems) {
        location.Reset();
        if (location.Bind(1, pid).Step() == SQLITE_ROW && !location.Text(1).empty())
            files.push_back(m_mediaRoot / location.Text(0) / location.Text(1));
        removeMembership.Reset();
        if (int code = removeMembership.Bind(1, pid).Run())
            return code;
        for (const char* table : {"item_extra", "item_store", "item_stats", "item"}) {
            Statement remove(m_db, std::string("DELETE FROM ") + table + " WHERE item_pid = ?");
            if (int code = remove.Bind(1, pid).Run())
                return code;
        }
    }
    if (!doomedItems.empty()) {
        if (int code = RemoveUnused())
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
    int64_t containerPid = 0;
    return InsertPlaylist(name, &containerPid);
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
    Statement container(m_db, "DELETE FROM container WHERE container_pid = ?");
    return container.Bind(1, containerPid).Run();
}

int TrackStore::RemoveUnused() {
    m_ids.clear();
    static constexpr const char* kUnused[] = {
        "DELETE FROM item_artist WHERE item_artist_pid NOT IN (SELECT item_artist_pid FROM item)",
        "DELETE FROM album WHERE album_pid NOT IN (SELECT album_pid FROM item)",
        "DELETE FROM album_artist WHERE album_artist_pid NOT IN (SELECT album_artist_pid FROM item) AND "
        "album_artist_pid NOT IN (SELECT album_artist_pid FROM album)",
        "DELETE FROM genre WHERE genre_id NOT IN (SELECT genre_id FROM item)"};
    for (const char* sql : kUnused) {
        Statement remove(m_db, sql);
        if (int code = remove.Run())
            return code;
    }
    return VEXA_OK;
}

int TrackStore::List(PlaylistBuffer& out, const char* libraryName) {
    out.playlists.clear();
    out.tracks.clear();
    out.text.Clear();
    ios::MediaLibrary library;
    if (const int read = ios::MediaLibraryReader::Read(m_db, library); read != ios::kReadOk)
        return read == ios::kReadIoError ? VEXA_E_IO : VEXA_E_DATABASE;
    Fill(library, out, libraryName);
    return VEXA_OK;
}

void TrackStore::Fill(const ios::MediaLibrary& library, PlaylistBuffer& out, const char* libraryName) {
    out.playlists.clear();
    out.tracks.clear();
    out.text.Clear();
    size_t total = library.items.size();
    for (const auto& playlist : library.playlists)
        total += playlist.items.size();
    out.tracks.reserve(total);
    for (const auto& item : library.items) {
        MediaTrackRecord track{};
        track.artist = item.artist.empty() ? nullptr : out.text.Add(item.artist);
        track.album = item.album.empty() ? nullptr : out.text.Add(item.album);
        track.title = out.text.Add(item.title);
        std::string path = ":" + item.path;
        std::replace(path.begin(), path.end(), '/', ':');
        track.path = out.text.Add(path);
        FileKind fileKind{};
        track.format = out.text.Add(!item.fileKind.empty() ? item.fileKind
                                    : KindOf(Lower(fs::path(item.path).extension().string()),
                                             ios::IsVideoMediaType(item.mediaType), fileKind)
                                        ? std::string(fileKind.format)
                                        : std::string());
        track.mediaKind = MediaKindOf(item.mediaType);
        track.fileSize = static_cast<int32_t>(std::min<int64_t>(item.fileSize, INT32_MAX));
        track.duration = static_cast<int32_t>(std::min<int64_t>(item.durationMs, INT32_MAX));
        out.tracks.push_back(track);
    }

    // Playlist tracks are copies of the library's records; their texts are shared.
    PlaylistRecord whole{};
    whole.name = out.text.Add(libraryName ? libraryName : "");
    whole.trackCount = static_cast<int32_t>(library.items.size());
    out.playlists.push_back(whole);
    for (const auto& playlist : library.playlists) {
        PlaylistRecord record{};
        record.name = out.text.Add(playlist.name);
        record.trackCount = static_cast<int32_t>(playlist.items.size());
        for (size_t index : playlist.items)
            out.tracks.push_back(out.tracks[index]);
        out.playlists.push_back(record);
    }
    // The track array is complete: point each playlist at its part of it.
    size_t first = 0;
    for (auto& playlist : out.playlists) {
        playlist.tracks = playlist.trackCount ? out.tracks.data() + first : nullptr;
        first += static_cast<size_t>(playlist.trackCount);
    }
}

} // namespace vexa::sim
