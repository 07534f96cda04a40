#include "AudioTrack.h"

#include <algorithm>
#include <array>

extern "C" {
#include <libavutil/channel_layout.h>
}

namespace mediacore {

namespace {

// Sample rates AAC can carry; a source at another rate is resampled to the nearest of them.
constexpr std::array kAacRates{96000, 88200, 64000, 48000, 44100, 32000,
                               24000, 22050, 16000, 12000, 11025, 8000};

int outputRate(int sourceRate, int wanted) {
    const int target = wanted > 0 ? wanted : sourceRate;
    return *std::min_element(kAacRates.begin(), kAacRates.end(),
                             [target](int a, int b) { return std::abs(a - target) < std::abs(b - target); });
}

int64_t outputBitRate(const MediaConfig& config, int channels) {
    if (config.audioBitRate > 0)
        return config.audioBitRate;
    // Quality 1..100 spans 48..240 kbit/s for stereo; 0 gives 128 kbit/s. Mono gets half.
    const int64_t stereo =
        config.audioQuality > 0 ? 48000 + 1920 * std::min(config.audioQuality, 100) : 128000;
    return channels == 1 ? stereo / 2 : stereo;
}

} // namespace

int AudioTrack::Open(const AVStream* source, AVFormatContext* output, const MediaConfig& config) {
    m_decoder = OpenDecoder(source);
    if (!m_decoder || m_decoder->sample_rate <= 0 || m_decoder->ch_layout.nb_channels <= 0)
        return MEDIACORE_ERROR_CODEC;
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    AvCodecContextPtr encoder(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!encoder)
        return MEDIACORE_ERROR_CODEC;
    const int channels =
        std::clamp(config.channels > 0 ? config.channels : m_decoder->ch_layout.nb_channels, 1, 2);
    av_channel_layout_default(&encoder->ch_layout, channels);
    encoder->sample_rate = outputRate(m_decoder->sample_rate, config.sampleRate);
    encoder->sample_fmt = AV_SAMPLE_FMT_FLTP;
    encoder->bit_rate = outputBitRate(config, channels);
    encoder->time_base = AVRational{1, encoder->sample_rate};
    encoder->thread_count = 0;
    if (!m_stream.Open(std::move(encoder), codec, nullptr, output))
        return MEDIACORE_ERROR_CODEC;

    AVCodecContext* out = m_stream.Encoder();
    SwrContext* resampler = nullptr;
    if (swr_alloc_set_opts2(&resampler, &out->ch_layout, out->sample_fmt, out->sample_rate,
                            &m_decoder->ch_layout, m_decoder->sample_fmt, m_decoder->sample_rate, 0,
                            nullptr) < 0)
        return MEDIACORE_ERROR_CODEC;
    m_resampler.reset(resampler);
    m_queue.reset(av_audio_fifo_alloc(out->sample_fmt, out->ch_layout.nb_channels, out->frame_size * 4));
    m_decoded.reset(av_frame_alloc());
    m_block.reset(av_frame_alloc());
    if (swr_init(m_resampler.get()) < 0 || !m_queue || !m_decoded || !m_block)
        return MEDIACORE_ERROR_CODEC;
    return MEDIACORE_OK;
}

int AudioTrack::Send(const AVPacket* packet) {
    avcodec_send_packet(m_decoder.get(), packet); // a damaged packet is skipped
    if (!resampleDecoded())
        return MEDIACORE_ERROR_OUTPUT;
    if (packet)
        return encodeQueued(false) ? MEDIACORE_OK : MEDIACORE_ERROR_OUTPUT;
    // The end: what the resampler still holds, the last short block, then the encoder's delay.
    if (!push(nullptr) || !encodeQueued(true) || !m_stream.Encode(nullptr))
        return MEDIACORE_ERROR_OUTPUT;
    return MEDIACORE_OK;
}

bool AudioTrack::resampleDecoded() {
    for (;;) {
        const int received = avcodec_receive_frame(m_decoder.get(), m_decoded.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return true;
        if (received < 0)
            return true; // an undecodable frame is left out
        const bool pushed = push(m_decoded.get());
        av_frame_unref(m_decoded.get());
        if (!pushed)
            return false;
    }
}

bool AudioTrack::push(const AVFrame* frame) {
    const AVCodecContext* out = m_stream.Encoder();
    const int capacity = swr_get_out_samples(m_resampler.get(), frame ? frame->nb_samples : 0);
    if (capacity <= 0)
        return true;
    AvFramePtr converted(av_frame_alloc());
    if (!converted)
        return false;
    converted->format = out->sample_fmt;
    converted->sample_rate = out->sample_rate;
    converted->nb_samples = capacity;
    if (av_channel_layout_copy(&converted->ch_layout, &out->ch_layout) < 0 ||
        av_frame_get_buffer(converted.get(), 0) < 0)
        return false;
    const int samples = swr_convert(m_resampler.get(), converted->data, capacity,
                                    frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr,
                                    frame ? frame->nb_samples : 0);
    if (samples < 0)
        return false;
    return samples == 0 ||
           av_audio_fifo_write(m_queue.get(), reinterpret_cast<void**>(converted->data), samples) == samples;
}

bool AudioTrack::encodeQueued(bool flush) {
    const AVCodecContext* out = m_stream.Encoder();
    while (av_audio_fifo_size(m_queue.get()) >= out->frame_size ||
           (flush && av_audio_fifo_size(m_queue.get()) > 0)) {
        const int samples = std::min(av_audio_fifo_size(m_queue.get()), out->frame_size);
        av_frame_unref(m_block.get());
        m_block->format = out->sample_fmt;
        m_block->sample_rate = out->sample_rate;
        m_block->nb_samples = samples;
        if (av_channel_layout_copy(&m_block->ch_layout, &out->ch_layout) < 0 ||
            av_frame_get_buffer(m_block.get(), 0) < 0 ||
            av_audio_fifo_read(m_queue.get(), reinterpret_cast<void**>(m_block->data), samples) != samples)
            return false;
        m_block->pts = m_samplesWritten;
        m_samplesWritten += samples;
        if (!m_stream.Encode(m_block.get()))
            return false;
    }
    return true;
}

} // namespace mediacore
