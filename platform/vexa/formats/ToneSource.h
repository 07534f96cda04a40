#pragma once

#include <cstdint>

#include "FfmpegPtr.h"

namespace vexa::formats {

// Successive frames of a sine tone in the sample format an audio encoder asks for.
class ToneSource {
public:
    ToneSource(const AVCodecContext* codec, double frequencyHz, double seconds);

    bool Finished() const { return m_nextSample >= m_totalSamples; }
    int64_t NextPts() const { return m_nextSample; }
    // The next frame, or null when finished or out of memory.
    AVFrame* Next();

private:
    void fill(AVFrame* frame, int samples) const;

    const AVCodecContext* m_codec;
    double m_frequencyHz;
    int64_t m_totalSamples;
    int64_t m_nextSample = 0;
    AvFramePtr m_frame;
};

} // namespace vexa::formats
