#pragma once

#include <string>

#include "FfmpegPtr.h"

namespace vexa::formats {

class MediaMuxer;

// One encoder feeding one stream of a MediaMuxer.
class StreamEncoder {
public:
    explicit StreamEncoder(MediaMuxer& muxer);

    // Audio: mono at sampleRate (a test tone gains nothing from two channels and encodes twice as fast),
    // in the first sample format the encoder offers.
    bool OpenAudio(const AVCodec* codec, int sampleRate, int64_t bitRate);
    // Video: yuv420p at the given frame rate.
    bool OpenVideo(const AVCodec* codec, int width, int height, int framesPerSecond);

    AVCodecContext* Context() const { return m_codec.get(); }
    // Encodes one frame; null drains the encoder.
    bool Send(const AVFrame* frame);

private:
    bool open(const AVCodec* codec);

    MediaMuxer& m_muxer;
    AvCodecContextPtr m_codec;
    AvPacketPtr m_packet;
    AVStream* m_stream = nullptr;
};

} // namespace vexa::formats
