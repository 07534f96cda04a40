#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace vexa::formats {

// The date a JPEG's EXIF block gives for the picture: DateTimeOriginal in the Exif sub-IFD, else
// DateTime in IFD0, as seconds since 1970 (the camera's wall clock taken as UTC). `head` holds the
// start of the file; a block that is cut off, loops or points outside it gives nothing.
std::optional<int64_t> ReadExifTime(const std::vector<uint8_t>& head);

} // namespace vexa::formats
