#pragma once

#include "VexaRecords.h"
#include "VexaResult.h"

// What a media library can offer beside IMediaLibrary: songs it already holds joining another playlist.
// A caller asks for it with dynamic_cast on the library; a library without it keeps each song in the
// one playlist it was added with.
class IMediaPlaylistEditor {
public:
    virtual ~IMediaPlaylistEditor() = default;
    // Puts the songs at `positions` into the user playlist at `playlist` as well, after its last song; a
    // song already in it stays where it is.
    virtual int AddToPlaylist(const MediaPosition* positions, int count, int playlist) = 0;
};
