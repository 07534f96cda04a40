#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "FfmpegPtr.h"

namespace vexa::formats {

// Still pictures through libavcodec: RGB pixels to JPEG or PNG bytes, and image files back to frames.
class ImageCodec {
public:
    // rgb holds width * height * 3 bytes.
    static bool EncodeRgb(const std::vector<uint8_t>& rgb, int width, int height, AVCodecID codecId,
                          std::vector<uint8_t>& encoded);
    static bool EncodeFrame(const AVFrame* frame, AVCodecID codecId, std::vector<uint8_t>& encoded);
    static AvFramePtr Decode(const std::filesystem::path& image);
    // Converts to the pixel format of the codec and to the given size.
    static AvFramePtr Convert(const AVFrame* source, int width, int height, AVPixelFormat format);
};

} // namespace vexa::formats
