#pragma once

#include <list>
#include <string>

#include <QString>

#include "IMediaChunk.h"

struct MediaTrackRecord;
struct PlaylistRecord;

// One video of the device's library (a music video or a movie). The title is the chunk's name; the
// other fields are kept as the table shows them.
class QVideoChunk : public IMediaChunk {
public:
    // The video the library listed at `itemPosition` of its whole-library playlist.
    static QVideoChunk* FromTrack(const MediaTrackRecord& track, int itemPosition, const std::string& image);
    // The picture every video carries; call on the interface thread.
    static std::string DefaultImage();
    // The music videos and movies of the library (playlist 0), in its order; the caller owns them.
    static std::list<IBaseChunk*> LibraryVideos(const PlaylistRecord& library, const std::string& image);

    // One "Apps" item: Title, Image, Time, Size, Format, Gerne, Path.
    void Serialize(IBaseSerial* writer) override;

    // The title as the table shows and sorts it, made once with the record.
    QString titleText;
    std::string image;
    std::string time;
    std::string size;
    std::string format;
    std::string Gerne; // the record's first text field
    std::string path;  // the device path as the library gave it, ":" between the components
};
