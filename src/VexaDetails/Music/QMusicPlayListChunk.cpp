#include "QMusicPlayListChunk.h"

#include <vexa/VexaRecords.h>

#include "IBaseSerial.h"
#include "LanguageService.h"

QMusicPlayListChunk* QMusicPlayListChunk::FromTrack(const MediaTrackRecord& track, int playlistPosition,
                                                    int itemPosition, const std::string& image) {
    auto* chunk = new QMusicPlayListChunk;
    chunk->image = image;
    if (track.title) {
        chunk->SetName(track.title);
        chunk->titleText = QString::fromUtf8(track.title);
    }
    if (track.artist)
        chunk->artist = track.artist;
    if (track.album)
        chunk->album = track.album;
    if (track.format)
        chunk->format = track.format;
    if (track.path)
        chunk->path = track.path;
    chunk->SetPlaylistPosition(playlistPosition);
    chunk->SetItemPosition(itemPosition);
    chunk->time = TimeText(track.duration).toStdString();
    chunk->size = SizeText(track.fileSize).toStdString();
    return chunk;
}

std::list<IBaseChunk*> QMusicPlayListChunk::LibrarySongs(const PlaylistRecord& library,
                                                         const std::string& image) {
    // Besides songs the library lists the other audio items the device keeps.
    std::list<IBaseChunk*> songs;
    for (int i = 0; library.tracks && i < library.trackCount; ++i) {
        const int kind = library.tracks[i].mediaKind;
        if (kind == MEDIA_SONG || kind == MEDIA_AUDIO_OTHER)
            songs.push_back(FromTrack(library.tracks[i], 0, i, image));
    }
    return songs;
}

std::string QMusicPlayListChunk::DefaultImage() {
    return (ResourceRoot() + QStringLiteral("/image/details/Playlist_icon.png")).toStdString();
}

QString QMusicPlayListChunk::TimeText(qint64 milliseconds) {
    const qint64 minutes = (milliseconds / 60000) % 60;
    const qint64 seconds = (milliseconds / 1000) % 60;
    return QStringLiteral("%1:%2")
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

QString QMusicPlayListChunk::SizeText(qint64 bytes) {
    const float megabytes = float(bytes) / 1048576.0f;
    return QStringLiteral("%1 MB").arg(double(megabytes), 0, 'f', 2);
}

void QMusicPlayListChunk::Serialize(IBaseSerial* writer) {
    if (!writer)
        return;
    writer->BeginItem("PlayLists", -1);
    writer->WriteString("Title", GetName().c_str());
    writer->WriteString("Image", image.c_str());
    writer->WriteString("Artist", artist.c_str());
    writer->WriteString("Album", album.c_str());
    writer->WriteString("Time", time.c_str());
    writer->WriteString("Size", size.c_str());
    writer->WriteString("Format", format.c_str());
    writer->WriteString("Path", path.c_str());
    writer->EndItem();
}
