#pragma once

#include "FfmpegPtr.h"
#include "StreamEncoder.h"
#include "formats/VideoFile.h"

namespace vexa::formats {

class MediaMuxer;

// The picture and sound of one clip. Both encoders are opened before the muxer writes its header, so the
// clip is made, opened, then encoded.
class VideoClip {
public:
    VideoClip(const VideoSpec& spec, MediaMuxer& muxer);

    // H.264 when an encoder is usable, else MPEG-4 Visual (with a warning); AAC sound.
    bool Open();
    // A tinted background with a lighter square crossing it, and a tone, interleaved by time.
    bool Encode();

private:
    bool openAudio();

    const VideoSpec& m_spec;
    StreamEncoder m_video;
    StreamEncoder m_audio;
};

} // namespace vexa::formats
