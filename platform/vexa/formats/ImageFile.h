#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexa::formats {

// A picture drawn from seed: the same spec always gives the same pixels.
struct ImageSpec {
    int width = 640;
    int height = 480;
    int seed = 0;
    std::string caption;          // EXIF ImageDescription of a JPEG
    std::string dateTimeOriginal; // "YYYY:MM:DD HH:MM:SS", EXIF DateTimeOriginal of a JPEG
};

bool WriteJpeg(const std::filesystem::path& path, const ImageSpec& spec);
bool WritePng(const std::filesystem::path& path, const ImageSpec& spec);

// Any still image FFmpeg decodes, scaled to fit maxSide (never enlarged), as JPEG bytes; empty on failure.
std::vector<uint8_t> MakeJpegThumbnail(const std::filesystem::path& image, int maxSide);

} // namespace vexa::formats
