#include "formats/AudioProbe.h"

#include <QtGlobal>

#include "FfmpegPtr.h"

namespace vexa::formats {

namespace {

// Enough packets to get past a damaged start; a real song decodes within the first few.
constexpr int kMaximumPackets = 64;

bool DecodesAFrame(AVFormatContext* input, int streamIndex, AVCodecContext* decoder) {
    AvPacketPtr packet(av_packet_alloc());
    AvFramePtr frame(av_frame_alloc());
    if (!packet || !frame)
        return false;
    for (int read = 0; read < kMaximumPackets && av_read_frame(input, packet.get()) >= 0; ++read) {
        const bool ours = packet->stream_index == streamIndex;
        const int sent = ours ? avcodec_send_packet(decoder, packet.get()) : -1;
        av_packet_unref(packet.get());
        if (sent < 0)
            continue;
        if (avcodec_receive_frame(decoder, frame.get()) == 0 && frame->nb_samples > 0)
            return true;
    }
    // Frames the decoder still holds count as well.
    avcodec_send_packet(decoder, nullptr);
    return avcodec_receive_frame(decoder, frame.get()) == 0 && frame->nb_samples > 0;
}

} // namespace

bool HasDecodableAudio(const std::filesystem::path& path) {
    try {
        const AvInputPtr input = OpenInput(path.string().c_str());
        if (!input)
            return false;
        const AVCodec* codec = nullptr;
        const int stream = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
        if (stream < 0 || !codec)
            return false;
        AvCodecContextPtr decoder(avcodec_alloc_context3(codec));
        if (!decoder || avcodec_parameters_to_context(decoder.get(), input->streams[stream]->codecpar) < 0 ||
            avcodec_open2(decoder.get(), codec, nullptr) < 0)
            return false;
        return DecodesAFrame(input.get(), stream, decoder.get());
    } catch (const std::exception& error) {
        qWarning("HasDecodableAudio: %s", error.what());
        return false;
    }
}

} // namespace vexa::formats
