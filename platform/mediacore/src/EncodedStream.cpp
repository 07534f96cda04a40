#include "EncodedStream.h"

namespace mediacore {

bool EncodedStream::Open(AvCodecContextPtr encoder, const AVCodec* codec, AVDictionary** options,
                         AVFormatContext* output) {
    m_encoder = std::move(encoder);
    m_output = output;
    m_packet.reset(av_packet_alloc());
    if (output->oformat->flags & AVFMT_GLOBALHEADER)
        m_encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (!m_packet || avcodec_open2(m_encoder.get(), codec, options) < 0)
        return false;
    m_stream = avformat_new_stream(output, nullptr);
    if (!m_stream || avcodec_parameters_from_context(m_stream->codecpar, m_encoder.get()) < 0)
        return false;
    m_stream->time_base = m_encoder->time_base;
    m_stream->sample_aspect_ratio = m_encoder->sample_aspect_ratio;
    return true;
}

bool EncodedStream::Encode(const AVFrame* frame) {
    const int sent = avcodec_send_frame(m_encoder.get(), frame);
    if (sent < 0 && sent != AVERROR_EOF)
        return false;
    for (;;) {
        const int received = avcodec_receive_packet(m_encoder.get(), m_packet.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return true;
        if (received < 0)
            return false;
        // x264 leaves the duration open; without it the file's last picture would count for nothing.
        if (m_packet->duration <= 0 && m_encoder->codec_type == AVMEDIA_TYPE_VIDEO &&
            m_encoder->framerate.num > 0)
            m_packet->duration = av_rescale_q(1, av_inv_q(m_encoder->framerate), m_encoder->time_base);
        av_packet_rescale_ts(m_packet.get(), m_encoder->time_base, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        if (av_interleaved_write_frame(m_output, m_packet.get()) < 0)
            return false;
    }
}

} // namespace mediacore
