#pragma once

#include "AvPtr.h"

namespace mediacore {

// An encoder and the output stream it feeds: drains the encoder into the muxer.
class EncodedStream {
public:
    // Opens the encoder (already configured by the caller) and adds its stream to the output.
    bool Open(AvCodecContextPtr encoder, const AVCodec* codec, AVDictionary** options,
              AVFormatContext* output);
    // One frame in (null to flush); every packet the encoder hands back is written. False on failure.
    bool Encode(const AVFrame* frame);
    AVCodecContext* Encoder() const { return m_encoder.get(); }
    AVStream* Stream() const { return m_stream; }

private:
    AvCodecContextPtr m_encoder;
    AVFormatContext* m_output = nullptr;
    AVStream* m_stream = nullptr;
    AvPacketPtr m_packet;
};

} // namespace mediacore
