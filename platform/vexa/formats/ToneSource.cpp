#include "ToneSource.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vexa::formats {

ToneSource::ToneSource(const AVCodecContext* codec, double frequencyHz, double seconds)
    : m_codec(codec)
    , m_frequencyHz(frequencyHz)
    , m_totalSamples(static_cast<int64_t>(std::max(0.0, seconds) * codec->sample_rate))
    , m_frame(av_frame_alloc()) {}

AVFrame* ToneSource::Next() {
    if (Finished() || !m_frame)
        return nullptr;
    // Encoders without a fixed frame size (PCM) take any size; 1024 keeps the frames small.
    const int frameSize = m_codec->frame_size > 0 ? m_codec->frame_size : 1024;
    const int samples = static_cast<int>(std::min<int64_t>(frameSize, m_totalSamples - m_nextSample));
    av_frame_unref(m_frame.get());
    m_frame->format = m_codec->sample_fmt;
    m_frame->sample_rate = m_codec->sample_rate;
    m_frame->nb_samples = samples;
    if (av_channel_layout_copy(&m_frame->ch_layout, &m_codec->ch_layout) < 0 ||
        av_frame_get_buffer(m_frame.get(), 0) < 0)
        return nullptr;
    fill(m_frame.get(), samples);
    m_frame->pts = m_nextSample;
    m_nextSample += samples;
    return m_frame.get();
}

void ToneSource::fill(AVFrame* frame, int samples) const {
    const auto format = static_cast<AVSampleFormat>(frame->format);
    const int channels = frame->ch_layout.nb_channels;
    const bool planar = av_sample_fmt_is_planar(format);
    const double step = 2 * std::numbers::pi * m_frequencyHz / m_codec->sample_rate;
    for (int i = 0; i < samples; ++i) {
        // A short fade at both ends avoids clicks; the level stays well below full scale.
        const int64_t position = m_nextSample + i;
        const double fade = std::min({1.0, position / 441.0, (m_totalSamples - position) / 441.0});
        const double value = 0.4 * fade * std::sin(step * static_cast<double>(position));
        for (int channel = 0; channel < channels; ++channel) {
            const int plane = planar ? channel : 0;
            const int index = planar ? i : i * channels + channel;
            switch (av_get_packed_sample_fmt(format)) {
            case AV_SAMPLE_FMT_FLT:
                reinterpret_cast<float*>(frame->data[plane])[index] = static_cast<float>(value);
                break;
            case AV_SAMPLE_FMT_DBL:
                reinterpret_cast<double*>(frame->data[plane])[index] = value;
                break;
            case AV_SAMPLE_FMT_S16:
                reinterpret_cast<int16_t*>(frame->data[plane])[index] = static_cast<int16_t>(value * 32767);
                break;
            case AV_SAMPLE_FMT_S32:
                reinterpret_cast<int32_t*>(frame->data[plane])[index] =
                    static_cast<int32_t>(value * 2147483647.0);
                break;
            default:
                break;
            }
        }
    }
}

} // namespace vexa::formats
