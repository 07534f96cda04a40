#include "VideoClip.h"

#include <algorithm>
#include <cmath>

#include <QtGlobal>

#include "ToneSource.h"

namespace vexa::formats {

namespace {

constexpr int kFramesPerSecond = 25;

struct Yuv {
    uint8_t y, u, v;
};

Yuv YuvOfHue(int hue, double saturation, double value) {
    const double h = ((hue % 360) + 360) % 360 / 60.0;
    const double c = value * saturation;
    const double x = c * (1 - std::abs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (h < 1) {
        r = c, g = x;
    } else if (h < 2) {
        r = x, g = c;
    } else if (h < 3) {
        g = c, b = x;
    } else if (h < 4) {
        g = x, b = c;
    } else if (h < 5) {
        r = x, b = c;
    } else {
        r = c, b = x;
    }
    const double m = value - c;
    r = (r + m) * 255, g = (g + m) * 255, b = (b + m) * 255;
    return Yuv{static_cast<uint8_t>(16 + 0.257 * r + 0.504 * g + 0.098 * b),
               static_cast<uint8_t>(128 - 0.148 * r - 0.291 * g + 0.439 * b),
               static_cast<uint8_t>(128 + 0.439 * r - 0.368 * g - 0.071 * b)};
}

// A tinted background with a lighter square that crosses the picture once per clip.
void DrawFrame(AVFrame* frame, int hue, int index, int frameCount) {
    const Yuv background = YuvOfHue(hue, 0.6, 0.5);
    const Yuv square = YuvOfHue(hue + 180, 0.5, 0.95);
    const int side = std::max(2, frame->height / 3) & ~1;
    const int left = (frame->width - side) * index / std::max(1, frameCount - 1) & ~1;
    const int top = (frame->height - side) / 2 & ~1;
    for (int y = 0; y < frame->height; ++y) {
        uint8_t* row = frame->data[0] + y * frame->linesize[0];
        for (int x = 0; x < frame->width; ++x) {
            const bool inside = x >= left && x < left + side && y >= top && y < top + side;
            row[x] = static_cast<uint8_t>((inside ? square.y : background.y) + (x + y + index) % 8);
        }
    }
    for (int y = 0; y < frame->height / 2; ++y) {
        for (int x = 0; x < frame->width / 2; ++x) {
            const bool inside = 2 * x >= left && 2 * x < left + side && 2 * y >= top && 2 * y < top + side;
            frame->data[1][y * frame->linesize[1] + x] = inside ? square.u : background.u;
            frame->data[2][y * frame->linesize[2] + x] = inside ? square.v : background.v;
        }
    }
}

} // namespace

VideoClip::VideoClip(const VideoSpec& spec, MediaMuxer& muxer)
    : m_spec(spec)
    , m_video(muxer)
    , m_audio(muxer) {}

bool VideoClip::Open() {
    const AVCodec* h264 = avcodec_find_encoder_by_name("libx264");
    if (h264 && m_video.OpenVideo(h264, m_spec.width, m_spec.height, kFramesPerSecond))
        return openAudio();
    qWarning("WriteVideoFile: no usable H.264 encoder, writing MPEG-4 Visual video instead");
    return m_video.OpenVideo(avcodec_find_encoder(AV_CODEC_ID_MPEG4), m_spec.width, m_spec.height,
                             kFramesPerSecond) &&
           openAudio();
}

bool VideoClip::Encode() {
    const int frameCount = std::max(1, static_cast<int>(m_spec.seconds * kFramesPerSecond));
    ToneSource tone(m_audio.Context(), 330 + m_spec.hue % 360, m_spec.seconds);
    AvFramePtr picture(av_frame_alloc());
    if (!picture)
        return false;
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = m_spec.width;
    picture->height = m_spec.height;
    if (av_frame_get_buffer(picture.get(), 0) < 0)
        return false;
    int index = 0;
    while (index < frameCount || !tone.Finished()) {
        const bool videoFirst =
            index < frameCount &&
            (tone.Finished() || av_compare_ts(index, m_video.Context()->time_base, tone.NextPts(),
                                              m_audio.Context()->time_base) <= 0);
        if (videoFirst) {
            if (av_frame_make_writable(picture.get()) < 0)
                return false;
            DrawFrame(picture.get(), m_spec.hue, index, frameCount);
            picture->pts = index++;
            if (!m_video.Send(picture.get()))
                return false;
        } else {
            const AVFrame* samples = tone.Next();
            if (!samples || !m_audio.Send(samples))
                return false;
        }
    }
    return m_video.Send(nullptr) && m_audio.Send(nullptr);
}

bool VideoClip::openAudio() {
    return m_audio.OpenAudio(avcodec_find_encoder(AV_CODEC_ID_AAC), 44100, 64000);
}

} // namespace vexa::formats
