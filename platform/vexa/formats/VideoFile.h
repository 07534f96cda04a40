#pragma once

#include <filesystem>
#include <string>

namespace vexa::formats {

// A moving colour pattern (tinted by hue, 0-359) with a tone as its sound track.
struct VideoSpec {
    double seconds = 2;
    int width = 320;
    int height = 240;
    std::string title;
    int hue = 0;
};

// Writes ".mp4", ".mov" or ".m4v" with H.264 video and AAC audio. When this FFmpeg build has no usable
// H.264 encoder the video is MPEG-4 Visual instead, and a warning says so.
bool WriteVideoFile(const std::filesystem::path& path, const VideoSpec& spec);

} // namespace vexa::formats
