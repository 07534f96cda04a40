#include "AvPtr.h"

#include <cstring>

#include "mediacore/MediaLog.h"

namespace mediacore {

AvInputPtr OpenMediaInput(const char* path) {
    RouteFfmpegLog();
    AVFormatContext* raw = nullptr;
    if (!path || avformat_open_input(&raw, path, nullptr, nullptr) < 0)
        return nullptr;
    AvInputPtr input(raw);
    if (std::strcmp(input->iformat->name, "tty") == 0)
        return nullptr;
    if (avformat_find_stream_info(input.get(), nullptr) < 0 || input->nb_streams == 0)
        return nullptr;
    return input;
}

AvCodecContextPtr OpenDecoder(const AVStream* stream) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return nullptr;
    AvCodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0)
        return nullptr;
    context->pkt_timebase = stream->time_base;
    context->thread_count = 0;
    if (avcodec_open2(context.get(), codec, nullptr) < 0)
        return nullptr;
    return context;
}

int64_t InputDuration(const AVFormatContext* input) {
    if (input->duration > 0 && input->duration != AV_NOPTS_VALUE)
        return input->duration;
    int64_t longest = 0;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream* stream = input->streams[i];
        if (stream->duration > 0 && stream->duration != AV_NOPTS_VALUE)
            longest = std::max(longest, av_rescale_q(stream->duration, stream->time_base, AV_TIME_BASE_Q));
    }
    return longest;
}

} // namespace mediacore
