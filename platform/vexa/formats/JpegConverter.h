#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vexa::formats {

// Pictures a phone keeps as HEIC (or PNG) turned into JPEG files any computer opens. The pixels are
// turned as the picture's own orientation asks, so the JPEG's EXIF (copied from the source) says
// orientation 1: a viewer that reads the tag and one that ignores it show the same picture.
class JpegConverter {
public:
    // Whether a file of this name is converted: .heic, .heif and .png, in any case.
    static bool Converts(const std::filesystem::path& source);
    // Writes `target` from `source`; false (and nothing at `target`) when the source cannot be decoded
    // or the target cannot be written.
    static bool Convert(const std::filesystem::path& source, const std::filesystem::path& target);

    // The EXIF block (from its TIFF header on) with the orientation entry of its first IFD set to 1;
    // false when the block is not TIFF. A block without the entry is left as it is.
    static bool ResetOrientation(std::vector<uint8_t>& tiff);
    // An EXIF block (from its TIFF header on) put into `jpeg` as an APP1 segment after SOI and any
    // JFIF APP0; false for data that is not JPEG or a block too large for one segment.
    static bool InsertExif(std::vector<uint8_t>& jpeg, const std::vector<uint8_t>& tiff);
};

} // namespace vexa::formats
