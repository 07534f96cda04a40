#include "formats/MediaInfo.h"

#include <cmath>
#include <cstdlib>

#include <QtGlobal>

#include "FfmpegPtr.h"

extern "C" {
#include <libavutil/display.h>
}

namespace vexa::formats {

namespace {

std::string Tag(const AVFormatContext* input, const char* key) {
    if (const AVDictionaryEntry* entry = av_dict_get(input->metadata, key, nullptr, 0))
        return entry->value;
    // Some containers (Ogg, Matroska) keep the tags on the stream.
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        if (const AVDictionaryEntry* entry = av_dict_get(input->streams[i]->metadata, key, nullptr, 0))
            return entry->value;
    }
    return {};
}

void ReadTags(const AVFormatContext* input, MediaInfo& info) {
    info.title = Tag(input, "title");
    info.artist = Tag(input, "artist");
    info.album = Tag(input, "album");
    info.genre = Tag(input, "genre");
    info.composer = Tag(input, "composer");
    // "3/12" and "2019-05-01" both start with the number wanted.
    info.trackNumber = std::atoi(Tag(input, "track").c_str());
    info.year = std::atoi(Tag(input, "date").c_str());
    if (info.year == 0)
        info.year = std::atoi(Tag(input, "year").c_str());
}

// A clip filmed with the phone upright has landscape pixels and a quarter turn in its track header; the
// size a person sees is the turned one.
bool TurnedOnItsSide(const AVStream* stream) {
    const auto* matrix =
        reinterpret_cast<const int32_t*>(av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!matrix)
        return false;
    const double degrees = std::fabs(av_display_rotation_get(matrix));
    return std::fabs(degrees - 90) < 45;
}

void ReadStreams(const AVFormatContext* input, MediaInfo& info) {
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream* stream = input->streams[i];
        const AVCodecParameters* codec = stream->codecpar;
        if (codec->codec_type == AVMEDIA_TYPE_AUDIO && !info.hasAudio) {
            info.hasAudio = true;
            info.audioCodec = avcodec_get_name(codec->codec_id);
        } else if (codec->codec_type == AVMEDIA_TYPE_VIDEO && !info.hasVideo &&
                   !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            // Cover art inside a song is a picture, not a video.
            info.hasVideo = true;
            info.videoCodec = avcodec_get_name(codec->codec_id);
            info.width = codec->width;
            info.height = codec->height;
            if (TurnedOnItsSide(stream))
                std::swap(info.width, info.height);
        }
    }
}

} // namespace

bool ReadMediaInfo(const std::filesystem::path& path, MediaInfo& info) {
    try {
        info = MediaInfo{};
        const AvInputPtr input = OpenInput(path.string().c_str());
        if (!input)
            return false;
        ReadStreams(input.get(), info);
        if (!info.hasAudio && !info.hasVideo)
            return false;
        ReadTags(input.get(), info);
        info.formatName = input->iformat->name;
        if (input->duration != AV_NOPTS_VALUE && input->duration > 0)
            info.durationSeconds = static_cast<double>(input->duration) / AV_TIME_BASE;
        info.bitRate = input->bit_rate;
        return true;
    } catch (const std::exception& error) {
        qWarning("ReadMediaInfo: %s", error.what());
        return false;
    }
}

} // namespace vexa::formats
