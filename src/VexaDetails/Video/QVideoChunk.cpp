#include "QVideoChunk.h"

#include <vexa/VexaRecords.h>

#include "IBaseSerial.h"
#include "LanguageService.h"
#include "QMusicPlayListChunk.h"

QVideoChunk* QVideoChunk::FromTrack(const MediaTrackRecord& track, int itemPosition,
                                    const std::string& image) {
    auto* chunk = new QVideoChunk;
    chunk->image = image;
    if (track.title) {
        chunk->SetName(track.title);
        chunk->titleText = QString::fromUtf8(track.title);
    }
    if (track.artist)
        chunk->Gerne = track.artist;
    if (track.format)
        chunk->format = track.format;
    if (track.path)
        chunk->path = track.path;
    chunk->SetPlaylistPosition(0);
    chunk->SetItemPosition(itemPosition);
    // Videos read their time and size as songs do.
    chunk->time = QMusicPlayListChunk::TimeText(track.duration).toStdString();
    chunk->size = QMusicPlayListChunk::SizeText(track.fileSize).toStdString();
    return chunk;
}

std::string QVideoChunk::DefaultImage() {
    return (ResourceRoot() + QStringLiteral("/image/Music-Video_icon.png")).toStdString();
}

std::list<IBaseChunk*> QVideoChunk::LibraryVideos(const PlaylistRecord& library, const std::string& image) {
    std::list<IBaseChunk*> videos;
    for (int i = 0; library.tracks && i < library.trackCount; ++i) {
        const int kind = library.tracks[i].mediaKind;
        if (kind == MEDIA_MUSIC_VIDEO || kind == MEDIA_MOVIE)
            videos.push_back(FromTrack(library.tracks[i], i, image));
    }
    return videos;
}

void QVideoChunk::Serialize(IBaseSerial* writer) {
    if (!writer)
        return;
    writer->BeginItem("Apps", -1);
    writer->WriteString("Title", GetName().c_str());
    writer->WriteString("Image", image.c_str());
    writer->WriteString("Time", time.c_str());
    writer->WriteString("Size", size.c_str());
    writer->WriteString("Format", format.c_str());
    writer->WriteString("Gerne", Gerne.c_str());
    writer->WriteString("Path", path.c_str());
    // Names the exported file; the page shows it in the genre column.
    writer->WriteString("Artist", Gerne.c_str());
    writer->EndItem();
}
