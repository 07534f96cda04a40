#pragma once

#include <cstdint>

#include "AvPtr.h"
#include "EncodedStream.h"
#include "MediaConfig.h"

namespace mediacore {

// The picture of a conversion: decodes the source stream, scales it into the output size and frame-rate
// grid, and encodes H.264.
class VideoTrack {
public:
    int Open(const AVStream* source, AVFormatContext* input, AVFormatContext* output,
             const MediaConfig& config);
    // One packet of the source (null at the end, which also flushes the encoder).
    int Send(const AVPacket* packet, int64_t startTime);
    int64_t ConvertedTime() const { return m_convertedTime; }
    int64_t FramesWritten() const { return m_framesWritten; }

private:
    bool encodeDecoded(int64_t startTime);
    bool encode(AVFrame* frame, int64_t startTime);

    const AVStream* m_source = nullptr;
    AvCodecContextPtr m_decoder;
    EncodedStream m_stream;
    SwsContextPtr m_scaler;
    AvFramePtr m_decoded;
    AvFramePtr m_scaled;
    AVRounding m_rounding = AV_ROUND_NEAR_INF;
    int64_t m_lastPts = AV_NOPTS_VALUE;
    int64_t m_convertedTime = 0;
    int64_t m_framesWritten = 0;
};

} // namespace mediacore
