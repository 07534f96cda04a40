#include "VideoTrack.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavutil/opt.h>
}

#include "PictureTurn.h"

namespace mediacore {

namespace {

// Faster presets cost file size rather than picture: this one converts 720p several times faster than
// real time on two idle cores, and still ahead of it when the machine is busy with other work.
constexpr const char* kPreset = "superfast";
constexpr int kDefaultCrf = 23;

// Fits width x height into the box without enlarging, keeping the shape; H.264 wants even sizes.
void fitInto(int& width, int& height, int boxWidth, int boxHeight) {
    const double scale = std::min({1.0, double(boxWidth) / width, double(boxHeight) / height});
    width = std::max(2, int(std::lround(width * scale)) & ~1);
    height = std::max(2, int(std::lround(height * scale)) & ~1);
}

AVRational outputRate(const AVStream* source, AVFormatContext* input, const MediaConfig& config) {
    if (config.frameRateNumerator > 0 && config.frameRateDenominator > 0)
        return AVRational{config.frameRateNumerator, config.frameRateDenominator};
    const AVRational guessed = av_guess_frame_rate(input, const_cast<AVStream*>(source), nullptr);
    const double rate = guessed.den > 0 ? av_q2d(guessed) : 0;
    return rate > 0 && rate <= 120 ? guessed : AVRational{0, 1};
}

} // namespace

int VideoTrack::Open(const AVStream* source, AVFormatContext* input, AVFormatContext* output,
                     const MediaConfig& config) {
    m_source = source;
    m_decoder = OpenDecoder(source);
    if (!m_decoder)
        return MEDIACORE_ERROR_CODEC;
    int width = m_decoder->width;
    int height = m_decoder->height;
    if (width <= 0 || height <= 0)
        return MEDIACORE_ERROR_CODEC;
    // The pixels keep their coded orientation and the matrix goes along: no quality lost, no time spent,
    // and the phone shows it upright as it does its own recordings. The box is meant for the picture as
    // shown, so a turned clip fits its pixels into the box turned too.
    const PictureTurn turn = TurnOf(source);
    const int boxWidth = config.width > 0 ? config.width : turn.ShownWidth(width, height);
    const int boxHeight = config.height > 0 ? config.height : turn.ShownHeight(width, height);
    fitInto(width, height, turn.SwapsSides() ? boxHeight : boxWidth,
            turn.SwapsSides() ? boxWidth : boxHeight);

    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec)
        codec = avcodec_find_encoder(AV_CODEC_ID_H264);
    AvCodecContextPtr encoder(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!encoder)
        return MEDIACORE_ERROR_CODEC;
    encoder->width = width;
    encoder->height = height;
    encoder->pix_fmt = AV_PIX_FMT_YUV420P;
    AVRational sampleAspect = av_guess_sample_aspect_ratio(input, const_cast<AVStream*>(source), nullptr);
    encoder->sample_aspect_ratio = sampleAspect.num > 0 ? sampleAspect : AVRational{1, 1};
    const AVRational rate = outputRate(source, input, config);
    // Thinning to a lower rate puts each frame in the slot it starts in, so the last slot ends with the
    // source; otherwise the nearest slot absorbs small timestamp jitter.
    const AVRational sourceRate = av_guess_frame_rate(input, const_cast<AVStream*>(source), nullptr);
    m_rounding = rate.num > 0 && sourceRate.num > 0 && av_cmp_q(rate, sourceRate) < 0 ? AV_ROUND_DOWN
                                                                                      : AV_ROUND_NEAR_INF;
    // A source without a usable rate (variable-rate Windows Media, some FLV) keeps its own timing in ms.
    encoder->time_base = rate.num > 0 ? av_inv_q(rate) : AVRational{1, 1000};
    encoder->framerate = rate.num > 0 ? rate : AVRational{30, 1};
    encoder->thread_count = 0;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "preset", kPreset, 0);
    av_dict_set(&options, "profile", "main", 0);
    if (config.videoBitRate > 0) {
        encoder->bit_rate = config.videoBitRate;
    } else {
        // Quality 1..100 maps onto x264's constant-quality scale 51..18 (lower is better).
        const double crf =
            config.videoQuality > 0 ? 51.0 - std::min(config.videoQuality, 100) * 0.33 : kDefaultCrf;
        av_dict_set(&options, "crf", std::to_string(crf).c_str(), 0);
    }
    const bool opened = m_stream.Open(std::move(encoder), codec, &options, output);
    av_dict_free(&options);
    if (!opened || !SetTurn(m_stream.Stream(), turn, width, height))
        return MEDIACORE_ERROR_CODEC;

    m_decoded.reset(av_frame_alloc());
    m_scaled.reset(av_frame_alloc());
    if (!m_decoded || !m_scaled)
        return MEDIACORE_ERROR_CODEC;
    m_scaled->format = AV_PIX_FMT_YUV420P;
    m_scaled->width = width;
    m_scaled->height = height;
    return av_frame_get_buffer(m_scaled.get(), 0) < 0 ? MEDIACORE_ERROR_CODEC : MEDIACORE_OK;
}

int VideoTrack::Send(const AVPacket* packet, int64_t startTime) {
    // A damaged packet is skipped: the decoder picks up again at the next key frame.
    avcodec_send_packet(m_decoder.get(), packet);
    if (!encodeDecoded(startTime))
        return MEDIACORE_ERROR_OUTPUT;
    if (!packet && !m_stream.Encode(nullptr))
        return MEDIACORE_ERROR_OUTPUT;
    return MEDIACORE_OK;
}

bool VideoTrack::encodeDecoded(int64_t startTime) {
    for (;;) {
        const int received = avcodec_receive_frame(m_decoder.get(), m_decoded.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return true;
        if (received < 0)
            return true; // an undecodable frame is left out
        const bool encoded = encode(m_decoded.get(), startTime);
        av_frame_unref(m_decoded.get());
        if (!encoded)
            return false;
    }
}

bool VideoTrack::encode(AVFrame* frame, int64_t startTime) {
    AVCodecContext* encoder = m_stream.Encoder();
    int64_t pts = m_lastPts == AV_NOPTS_VALUE ? 0 : m_lastPts + 1;
    if (frame->best_effort_timestamp != AV_NOPTS_VALUE) {
        const int64_t start = av_rescale_q(startTime, AV_TIME_BASE_Q, m_source->time_base);
        pts = av_rescale_q_rnd(frame->best_effort_timestamp - start, m_source->time_base, encoder->time_base,
                               m_rounding);
    }
    // Frames that land on a slot already filled are dropped: that is how a lower frame rate is honoured.
    if (m_lastPts != AV_NOPTS_VALUE && pts <= m_lastPts)
        return true;
    pts = std::max<int64_t>(pts, 0);

    AVFrame* picture = frame;
    if (frame->width != encoder->width || frame->height != encoder->height ||
        frame->format != AV_PIX_FMT_YUV420P) {
        m_scaler.reset(sws_getCachedContext(
            m_scaler.release(), frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
            encoder->width, encoder->height, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr));
        // The encoder may still hold the previous picture; writing into it needs a fresh buffer then.
        if (!m_scaler || av_frame_make_writable(m_scaled.get()) < 0)
            return false;
        sws_scale(m_scaler.get(), frame->data, frame->linesize, 0, frame->height, m_scaled->data,
                  m_scaled->linesize);
        picture = m_scaled.get();
    }
    picture->pts = pts;
    // The source's key frames mean nothing to the new encoding; x264 would obey them.
    picture->pict_type = AV_PICTURE_TYPE_NONE;
    if (!m_stream.Encode(picture))
        return false;
    m_lastPts = pts;
    ++m_framesWritten;
    m_convertedTime = av_rescale_q(pts, encoder->time_base, AV_TIME_BASE_Q);
    return true;
}

} // namespace mediacore
