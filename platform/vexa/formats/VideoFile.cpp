#include "formats/VideoFile.h"

#include <algorithm>
#include <cctype>

#include <QtGlobal>

#include "MediaMuxer.h"
#include "VideoClip.h"

namespace vexa::formats {

namespace {

bool Encode(const std::filesystem::path& path, const VideoSpec& spec) {
    std::string suffix = path.extension().string();
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    const bool knownSuffix = suffix == ".mp4" || suffix == ".mov" || suffix == ".m4v";
    if (!knownSuffix || spec.seconds <= 0 || spec.width < 16 || spec.height < 16 || spec.width > 4096 ||
        spec.height > 4096) {
        qWarning("WriteVideoFile: cannot write %s", path.string().c_str());
        return false;
    }
    VideoSpec even = spec;
    even.width &= ~1;
    even.height &= ~1;
    MediaMuxer muxer;
    VideoClip clip(even, muxer);
    if (!muxer.Open(path, {{"title", spec.title}}) || !clip.Open() || !muxer.Begin())
        return false;
    return clip.Encode() && muxer.Finish();
}

} // namespace

bool WriteVideoFile(const std::filesystem::path& path, const VideoSpec& spec) {
    try {
        return Encode(path, spec);
    } catch (const std::exception& error) {
        qWarning("WriteVideoFile: %s", error.what());
        return false;
    }
}

} // namespace vexa::formats
