#include "PlaylistEntry.h"

#include <vexa/VexaRecords.h>

#include "QMusicPlayListChunk.h"

PlaylistEntry::PlaylistEntry(const PlaylistRecord& record, int position, const std::string& image)
    : m_name(record.name ? record.name : "")
    , m_position(position) {
    for (int i = 0; record.tracks && i < record.trackCount; ++i) {
        if (record.tracks[i].mediaKind != MEDIA_SONG)
            continue;
        m_songs.push_back(QMusicPlayListChunk::FromTrack(record.tracks[i], position, i, image));
        ++m_songCount;
    }
}

PlaylistEntry::~PlaylistEntry() {
    for (IBaseChunk* chunk : m_songs)
        delete chunk;
}
