#pragma once

#include <cstdint>

#include "AvPtr.h"
#include "EncodedStream.h"
#include "MediaConfig.h"

namespace mediacore {

// The sound of a conversion: decodes the source stream, resamples it to the output's rate and channels,
// and encodes AAC in the encoder's fixed frame size.
class AudioTrack {
public:
    int Open(const AVStream* source, AVFormatContext* output, const MediaConfig& config);
    // One packet of the source (null at the end, which also flushes the encoder).
    int Send(const AVPacket* packet);

private:
    bool resampleDecoded();
    bool push(const AVFrame* frame);
    bool encodeQueued(bool flush);

    AvCodecContextPtr m_decoder;
    EncodedStream m_stream;
    SwrContextPtr m_resampler;
    AvAudioFifoPtr m_queue;
    AvFramePtr m_decoded;
    AvFramePtr m_block;
    int64_t m_samplesWritten = 0;
};

} // namespace mediacore
