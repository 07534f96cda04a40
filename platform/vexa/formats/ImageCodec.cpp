#include "ImageCodec.h"

extern "C" {
#include <libavutil/imgutils.h>
}

#include "mediacore/MediaLog.h"

namespace vexa::formats {

namespace {

AVPixelFormat PixelFormatFor(AVCodecID codecId) {
    return codecId == AV_CODEC_ID_MJPEG ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_RGB24;
}

AvFramePtr NewFrame(int width, int height, AVPixelFormat format) {
    AvFramePtr frame(av_frame_alloc());
    if (!frame)
        return nullptr;
    frame->width = width;
    frame->height = height;
    frame->format = format;
    if (av_frame_get_buffer(frame.get(), 0) < 0)
        return nullptr;
    return frame;
}

} // namespace

bool ImageCodec::EncodeRgb(const std::vector<uint8_t>& rgb, int width, int height, AVCodecID codecId,
                           std::vector<uint8_t>& encoded) {
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t>(width) * height * 3)
        return false;
    // The scaler's vector code reads whole blocks past the end of a row, so the pixels go into a
    // frame buffer of libavutil's, which is padded for that; a bare vector ends where its data ends.
    AvFramePtr frame = NewFrame(width, height, AV_PIX_FMT_RGB24);
    if (!frame)
        return false;
    av_image_copy_plane(frame->data[0], frame->linesize[0], rgb.data(), width * 3, width * 3, height);
    return EncodeFrame(frame.get(), codecId, encoded);
}

bool ImageCodec::EncodeFrame(const AVFrame* frame, AVCodecID codecId, std::vector<uint8_t>& encoded) {
    mediacore::RouteFfmpegLog();
    const AVCodec* codec = avcodec_find_encoder(codecId);
    if (!codec)
        return false;
    const AVPixelFormat format = PixelFormatFor(codecId);
    AvFramePtr converted = Convert(frame, frame->width, frame->height, format);
    AvCodecContextPtr context(avcodec_alloc_context3(codec));
    AvPacketPtr packet(av_packet_alloc());
    if (!converted || !context || !packet)
        return false;
    context->width = frame->width;
    context->height = frame->height;
    context->pix_fmt = format;
    context->time_base = AVRational{1, 25};
    context->flags |= AV_CODEC_FLAG_BITEXACT | AV_CODEC_FLAG_QSCALE;
    context->global_quality = FF_QP2LAMBDA * 4;
    if (avcodec_open2(context.get(), codec, nullptr) < 0 ||
        avcodec_send_frame(context.get(), converted.get()) < 0 ||
        avcodec_send_frame(context.get(), nullptr) < 0 ||
        avcodec_receive_packet(context.get(), packet.get()) < 0)
        return false;
    encoded.assign(packet->data, packet->data + packet->size);
    return true;
}

AvFramePtr ImageCodec::Decode(const std::filesystem::path& image) {
    mediacore::RouteFfmpegLog();
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, image.string().c_str(), nullptr, nullptr) < 0)
        return nullptr;
    AvInputPtr input(raw);
    if (avformat_find_stream_info(input.get(), nullptr) < 0)
        return nullptr;
    const int streamIndex = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (streamIndex < 0)
        return nullptr;
    const AVCodecParameters* parameters = input->streams[streamIndex]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    AvCodecContextPtr context(decoder ? avcodec_alloc_context3(decoder) : nullptr);
    AvPacketPtr packet(av_packet_alloc());
    AvFramePtr frame(av_frame_alloc());
    if (!context || !packet || !frame || avcodec_parameters_to_context(context.get(), parameters) < 0 ||
        avcodec_open2(context.get(), decoder, nullptr) < 0)
        return nullptr;
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        const bool ours = packet->stream_index == streamIndex;
        const int sent = ours ? avcodec_send_packet(context.get(), packet.get()) : 0;
        av_packet_unref(packet.get());
        if (sent < 0)
            return nullptr;
        if (ours && avcodec_receive_frame(context.get(), frame.get()) >= 0)
            return frame;
    }
    avcodec_send_packet(context.get(), nullptr);
    if (avcodec_receive_frame(context.get(), frame.get()) >= 0)
        return frame;
    return nullptr;
}

AvFramePtr ImageCodec::Convert(const AVFrame* source, int width, int height, AVPixelFormat format) {
    mediacore::RouteFfmpegLog();
    if (source->width <= 0 || source->height <= 0 || width <= 0 || height <= 0)
        return nullptr;
    SwsContextPtr scaler(sws_getContext(source->width, source->height,
                                        static_cast<AVPixelFormat>(source->format), width, height, format,
                                        SWS_BICUBIC, nullptr, nullptr, nullptr));
    AvFramePtr target = NewFrame(width, height, format);
    if (!scaler || !target)
        return nullptr;
    if (sws_scale(scaler.get(), source->data, source->linesize, 0, source->height, target->data,
                  target->linesize) != height)
        return nullptr;
    return target;
}

} // namespace vexa::formats
