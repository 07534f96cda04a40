#include "MediaInfo.h"

extern "C" {
#include <libavutil/imgutils.h>
}

int MediaInfo::Open(const char* path) {
    Close();
    m_input = mediacore::OpenMediaInput(path);
    if (!m_input)
        return MEDIACORE_ERROR_OPEN;
    duration = mediacore::InputDuration(m_input.get());
    formatName = m_input->iformat->name;
    canSeek = m_input->pb && (m_input->pb->seekable & AVIO_SEEKABLE_NORMAL) && duration > 0;
    m_videoStream = av_find_best_stream(m_input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (m_videoStream < 0)
        return MEDIACORE_OK;
    const AVStream* stream = m_input->streams[m_videoStream];
    // A damaged header may state a negative size: a picture without a usable size has none.
    if (stream->codecpar->width > 0 && stream->codecpar->height > 0) {
        m_codedWidth = stream->codecpar->width;
        m_codedHeight = stream->codecpar->height;
        m_turn = mediacore::TurnOf(stream);
        width = m_turn.ShownWidth(m_codedWidth, m_codedHeight);
        height = m_turn.ShownHeight(m_codedWidth, m_codedHeight);
    }
    videoBitRate = stream->codecpar->bit_rate;
    if (videoBitRate <= 0 && m_input->bit_rate > 0) {
        // Containers such as Matroska keep only the overall rate: take the audio's share off it.
        int64_t audio = 0;
        for (unsigned i = 0; i < m_input->nb_streams; ++i)
            if (m_input->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
                audio += m_input->streams[i]->codecpar->bit_rate;
        videoBitRate = std::max<int64_t>(0, m_input->bit_rate - audio);
    }
    return MEDIACORE_OK;
}

void MediaInfo::Close() {
    m_decoder.reset();
    m_input.reset();
    m_videoStream = -1;
    m_turn = {};
    m_codedWidth = m_codedHeight = 0;
    m_coded.clear();
    duration = 0;
    formatName.clear();
    width = height = 0;
    videoBitRate = 0;
    canSeek = false;
    m_pixels.clear();
    m_image = MediaImage{};
}

const MediaImage* MediaInfo::VideoImage(int64_t time, int flags) {
    if (!m_input || m_videoStream < 0 || width <= 0 || height <= 0)
        return nullptr;
    if (!m_decoder)
        m_decoder = mediacore::OpenDecoder(m_input->streams[m_videoStream]);
    if (!m_decoder)
        return nullptr;
    mediacore::AvFramePtr frame(av_frame_alloc());
    if (!frame || !decodeUntil(std::max<int64_t>(0, time), flags, frame.get()) || !convert(frame.get()))
        return nullptr;
    return &m_image;
}

bool MediaInfo::decodeUntil(int64_t time, int flags, AVFrame* frame) {
    const AVStream* stream = m_input->streams[m_videoStream];
    const int64_t start = m_input->start_time == AV_NOPTS_VALUE ? 0 : m_input->start_time;
    const int64_t target = av_rescale_q(start + time, AV_TIME_BASE_Q, stream->time_base);
    // A failed seek (unseekable input) is not fatal at time 0: decoding from where we are still works.
    if (av_seek_frame(m_input.get(), m_videoStream, target, AVSEEK_FLAG_BACKWARD) < 0 && time > 0)
        return false;
    avcodec_flush_buffers(m_decoder.get());
    mediacore::AvPacketPtr packet(av_packet_alloc());
    mediacore::AvFramePtr latest(av_frame_alloc());
    bool draining = false;
    bool haveFrame = false;
    while (packet && latest) {
        const int received = avcodec_receive_frame(m_decoder.get(), latest.get());
        if (received == 0) {
            haveFrame = true;
            av_frame_unref(frame);
            av_frame_move_ref(frame, latest.get());
            const int64_t pts = frame->best_effort_timestamp;
            if (!(flags & MEDIACORE_IMAGE_EXACT) || pts == AV_NOPTS_VALUE || pts >= target)
                return true;
            continue;
        }
        // Past the last frame, or the decoder gave up: the latest picture is the answer.
        if (received != AVERROR(EAGAIN) || draining)
            return haveFrame;
        const int read = av_read_frame(m_input.get(), packet.get());
        if (read < 0) {
            draining = true;
            avcodec_send_packet(m_decoder.get(), nullptr);
            continue;
        }
        if (packet->stream_index == m_videoStream)
            avcodec_send_packet(m_decoder.get(), packet.get()); // a damaged packet is skipped
        av_packet_unref(packet.get());
    }
    return false;
}

bool MediaInfo::convert(const AVFrame* frame) {
    if (frame->width <= 0 || frame->height <= 0)
        return false;
    mediacore::SwsContextPtr scaler(
        sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), m_codedWidth,
                       m_codedHeight, AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler)
        return false;
    const int stride = width * 4;
    m_pixels.assign(static_cast<size_t>(stride) * height, 0);
    // A turned picture is scaled as coded first, then each pixel is put where it is shown.
    const int codedStride = m_codedWidth * 4;
    std::vector<unsigned char>& scaled = m_turn.IsNone() ? m_pixels : m_coded;
    scaled.resize(static_cast<size_t>(codedStride) * m_codedHeight);
    uint8_t* planes[4] = {scaled.data(), nullptr, nullptr, nullptr};
    int strides[4] = {codedStride, 0, 0, 0};
    if (sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides) !=
        m_codedHeight)
        return false;
    if (!m_turn.IsNone())
        mediacore::TurnPixels(reinterpret_cast<const uint32_t*>(m_coded.data()), m_codedWidth, m_codedHeight,
                              codedStride, m_turn, reinterpret_cast<uint32_t*>(m_pixels.data()), stride);
    // FFmpeg's native-endian RGB32 is QImage::Format_RGB32 once the unused byte is opaque.
    for (size_t i = 3; i < m_pixels.size(); i += 4)
        m_pixels[i] = 0xff;
    m_image = MediaImage{width, height, stride, m_pixels.data()};
    return true;
}
