#include "StreamEncoder.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

#include "mediacore/MediaLog.h"
#include "MediaMuxer.h"

namespace vexa::formats {

StreamEncoder::StreamEncoder(MediaMuxer& muxer)
    : m_muxer(muxer)
    , m_packet(av_packet_alloc()) {}

bool StreamEncoder::OpenAudio(const AVCodec* codec, int sampleRate, int64_t bitRate) {
    if (!codec)
        return false;
    m_codec.reset(avcodec_alloc_context3(codec));
    if (!m_codec)
        return false;
    m_codec->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    m_codec->sample_rate = sampleRate;
    m_codec->bit_rate = bitRate;
    av_channel_layout_default(&m_codec->ch_layout, 1);
    m_codec->time_base = AVRational{1, sampleRate};
    // Test tones need no psychoacoustic care: the fastest settings keep a demo device quick to make.
    av_opt_set(m_codec->priv_data, "aac_coder", "fast", 0);
    m_codec->compression_level = 9;
    return open(codec);
}

bool StreamEncoder::OpenVideo(const AVCodec* codec, int width, int height, int framesPerSecond) {
    if (!codec)
        return false;
    m_codec.reset(avcodec_alloc_context3(codec));
    if (!m_codec)
        return false;
    m_codec->width = width;
    m_codec->height = height;
    m_codec->pix_fmt = AV_PIX_FMT_YUV420P;
    m_codec->time_base = AVRational{1, framesPerSecond};
    m_codec->framerate = AVRational{framesPerSecond, 1};
    m_codec->gop_size = framesPerSecond;
    m_codec->bit_rate = 400000;
    // One thread keeps the encoded bytes identical from run to run.
    m_codec->thread_count = 1;
    av_opt_set(m_codec->priv_data, "preset", "ultrafast", 0);
    av_opt_set(m_codec->priv_data, "x264-params", "log=-1", 0);
    return open(codec);
}

bool StreamEncoder::open(const AVCodec* codec) {
    mediacore::RouteFfmpegLog();
    m_codec->flags |= AV_CODEC_FLAG_BITEXACT;
    if (m_muxer.NeedsGlobalHeader())
        m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(m_codec.get(), codec, nullptr) < 0)
        return false;
    m_stream = m_muxer.AddStream(m_codec.get());
    return m_stream != nullptr && m_packet != nullptr;
}

bool StreamEncoder::Send(const AVFrame* frame) {
    if (avcodec_send_frame(m_codec.get(), frame) < 0)
        return false;
    for (;;) {
        const int received = avcodec_receive_packet(m_codec.get(), m_packet.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return true;
        if (received < 0)
            return false;
        const bool written = m_muxer.Write(m_packet.get(), m_codec->time_base, m_stream);
        av_packet_unref(m_packet.get());
        if (!written)
            return false;
    }
}

} // namespace vexa::formats
