#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "formats/ImageFile.h"

namespace vexa::formats {

// An HEVC-coded HEIF still as a phone's camera saves it (".HEIC"), drawn as WriteJpeg draws the same
// spec; the caption and date are not written. False when the encoder is missing or the file cannot be
// written.
bool WriteHeic(const std::filesystem::path& path, const ImageSpec& spec);
// As a phone held sideways saves it: the drawing is stored as it is, and `orientation` (EXIF 1 to 8) tells
// a viewer how to turn it; `exif` (from its TIFF header on, may be empty) is kept as the file's EXIF.
bool WriteHeic(const std::filesystem::path& path, const ImageSpec& spec, int orientation,
               const std::vector<uint8_t>& exif);

// The pixels WriteJpeg and WriteHeic encode for a spec: 8-bit RGB, row after row.
std::vector<uint8_t> DrawImage(const ImageSpec& spec);

} // namespace vexa::formats
