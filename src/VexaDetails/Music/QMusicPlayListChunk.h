#pragma once

#include <list>
#include <string>

#include <QString>

#include "IMediaChunk.h"

struct MediaTrackRecord;
struct PlaylistRecord;

// One song of the device's library or of one of its playlists. The title is the chunk's name; the
// other fields are kept as the table shows them.
class QMusicPlayListChunk : public IMediaChunk {
public:
    // The song the library listed at `itemPosition` of the playlist at `playlistPosition`.
    // `image` is the picture file the playlist list shows beside it.
    static QMusicPlayListChunk* FromTrack(const MediaTrackRecord& track, int playlistPosition,
                                          int itemPosition, const std::string& image);
    // The songs and other audio items of the library (playlist 0), in its order; the caller owns them.
    static std::list<IBaseChunk*> LibrarySongs(const PlaylistRecord& library, const std::string& image);
    // The image every song carries; call on the interface thread.
    static std::string DefaultImage();

    // "mm:ss" of a duration in milliseconds; hours are dropped.
    static QString TimeText(qint64 milliseconds);
    // "x.xx MB" of a byte count.
    static QString SizeText(qint64 bytes);

    // One "PlayLists" item: Title, Image, Artist, Album, Time, Size, Format, Path.
    void Serialize(IBaseSerial* writer) override;

    // The title as the table shows and sorts it, made once with the record.
    QString titleText;
    std::string image;
    std::string artist;
    std::string album;
    std::string time;
    std::string size;
    std::string format;
    std::string path; // the device path as the library gave it, ":" between the components
};
