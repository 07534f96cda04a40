#include "MediaMuxer.h"

#include <system_error>

extern "C" {
#include <libavutil/dict.h>
}

#include "mediacore/MediaLog.h"

namespace vexa::formats {

AvInputPtr OpenInput(const char* path) {
    mediacore::RouteFfmpegLog();
    AVFormatContext* context = nullptr;
    if (avformat_open_input(&context, path, nullptr, nullptr) < 0)
        return nullptr;
    AvInputPtr input(context);
    if (avformat_find_stream_info(input.get(), nullptr) < 0)
        return nullptr;
    return input;
}

MediaMuxer::~MediaMuxer() {
    close();
    if (!m_finished && !m_path.empty()) {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
}

bool MediaMuxer::Open(const std::filesystem::path& path, const std::map<std::string, std::string>& tags) {
    mediacore::RouteFfmpegLog();
    const std::string name = path.string();
    if (avformat_alloc_output_context2(&m_context, nullptr, nullptr, name.c_str()) < 0 || !m_context)
        return false;
    // Keep library version strings out of the file so equal specs give equal bytes across builds.
    m_context->flags |= AVFMT_FLAG_BITEXACT;
    for (const auto& [key, value] : tags) {
        if (!value.empty())
            av_dict_set(&m_context->metadata, key.c_str(), value.c_str(), 0);
    }
    if (!(m_context->oformat->flags & AVFMT_NOFILE) &&
        avio_open(&m_context->pb, name.c_str(), AVIO_FLAG_WRITE) < 0)
        return false;
    // Only a file this muxer created is removed when writing fails.
    m_path = path;
    return true;
}

bool MediaMuxer::NeedsGlobalHeader() const {
    return m_context && (m_context->oformat->flags & AVFMT_GLOBALHEADER);
}

AVStream* MediaMuxer::AddStream(const AVCodecContext* codec) {
    AVStream* stream = avformat_new_stream(m_context, nullptr);
    if (!stream)
        return nullptr;
    if (avcodec_parameters_from_context(stream->codecpar, codec) < 0)
        return nullptr;
    stream->time_base = codec->time_base;
    return stream;
}

bool MediaMuxer::Begin() {
    m_headerWritten = avformat_write_header(m_context, nullptr) >= 0;
    return m_headerWritten;
}

bool MediaMuxer::Write(AVPacket* packet, AVRational codecTimeBase, AVStream* stream) {
    av_packet_rescale_ts(packet, codecTimeBase, stream->time_base);
    packet->stream_index = stream->index;
    return av_interleaved_write_frame(m_context, packet) >= 0;
}

bool MediaMuxer::Finish() {
    if (!m_headerWritten || av_write_trailer(m_context) < 0)
        return false;
    m_headerWritten = false;
    close();
    m_finished = true;
    return true;
}

void MediaMuxer::close() {
    if (!m_context)
        return;
    if (m_context->pb && !(m_context->oformat->flags & AVFMT_NOFILE))
        avio_closep(&m_context->pb);
    avformat_free_context(m_context);
    m_context = nullptr;
}

} // namespace vexa::formats
