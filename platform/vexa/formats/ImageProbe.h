#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vexa::formats {

struct ImageProbe {
    int width = 0;
    int height = 0;
    // Seconds since 1970 of the EXIF DateTimeOriginal (else DateTime), read as UTC; empty without one.
    std::optional<int64_t> exifTime;
};

// Accepts a JPEG, PNG, GIF or BMP file only when its bytes are of that format, it is complete (a JPEG
// ends in its end-of-image marker, a PNG in IEND, a GIF in its trailer, a BMP is as long as its header
// says) and it decodes. A text file with a picture's name, an empty file or a cut-off download is refused.
bool ProbeCompleteImage(const std::filesystem::path& file, ImageProbe& out);

// "YYYY:MM:DD HH:MM:SS" as seconds since 1970 (UTC); empty for anything else.
std::optional<int64_t> ParseExifDateTime(const std::string& text);

} // namespace vexa::formats
