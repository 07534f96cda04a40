#include "formats/AudioFile.h"

#include <algorithm>
#include <cctype>
#include <map>

#include <QtGlobal>

#include "MediaMuxer.h"
#include "StreamEncoder.h"
#include "ToneSource.h"

namespace vexa::formats {

namespace {

std::map<std::string, std::string> TagsOf(const AudioSpec& spec) {
    std::map<std::string, std::string> tags{
        {"title", spec.title}, {"artist", spec.artist}, {"album", spec.album}, {"genre", spec.genre}};
    if (spec.trackNumber > 0)
        tags["track"] = std::to_string(spec.trackNumber);
    if (spec.year > 0)
        tags["date"] = std::to_string(spec.year);
    return tags;
}

const AVCodec* EncoderFor(const std::string& suffix) {
    if (suffix == ".mp3")
        return avcodec_find_encoder(AV_CODEC_ID_MP3);
    if (suffix == ".m4a")
        return avcodec_find_encoder(AV_CODEC_ID_AAC);
    return nullptr;
}

bool Encode(const std::filesystem::path& path, const AudioSpec& spec) {
    std::string suffix = path.extension().string();
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    const AVCodec* codec = EncoderFor(suffix);
    if (!codec || spec.seconds <= 0 || spec.frequencyHz <= 0) {
        qWarning("WriteAudioFile: cannot write %s", path.string().c_str());
        return false;
    }
    MediaMuxer muxer;
    StreamEncoder encoder(muxer);
    if (!muxer.Open(path, TagsOf(spec)) || !encoder.OpenAudio(codec, 44100, 96000) || !muxer.Begin())
        return false;
    ToneSource tone(encoder.Context(), spec.frequencyHz, spec.seconds);
    while (!tone.Finished()) {
        const AVFrame* frame = tone.Next();
        if (!frame || !encoder.Send(frame))
            return false;
    }
    return encoder.Send(nullptr) && muxer.Finish();
}

} // namespace

bool WriteAudioFile(const std::filesystem::path& path, const AudioSpec& spec) {
    try {
        return Encode(path, spec);
    } catch (const std::exception& error) {
        qWarning("WriteAudioFile: %s", error.what());
        return false;
    }
}

} // namespace vexa::formats
