#include "formats/ImageFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include <QtGlobal>

#include "ExifSegment.h"
#include "HeicFile.h"
#include "ImageCodec.h"

namespace vexa::formats {

namespace {

constexpr int kMaxSide = 8192;

// xorshift32: small, fast and the same on every platform.
class Random {
public:
    explicit Random(int seed)
        : m_state(static_cast<uint32_t>(seed) * 2654435761u + 0x9E3779B9u) {}
    uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int Below(int bound) { return bound > 0 ? static_cast<int>(Next() % static_cast<uint32_t>(bound)) : 0; }

private:
    uint32_t m_state;
};

// A diagonal gradient between two colours with a few discs on it.
std::vector<uint8_t> Draw(const ImageSpec& spec) {
    Random random(spec.seed);
    uint8_t from[3], to[3];
    for (int c = 0; c < 3; ++c) {
        from[c] = static_cast<uint8_t>(random.Below(256));
        to[c] = static_cast<uint8_t>(random.Below(256));
    }
    std::vector<uint8_t> rgb(static_cast<size_t>(spec.width) * spec.height * 3);
    const int span = spec.width + spec.height;
    for (int y = 0; y < spec.height; ++y) {
        for (int x = 0; x < spec.width; ++x) {
            uint8_t* pixel = &rgb[(static_cast<size_t>(y) * spec.width + x) * 3];
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<uint8_t>(from[c] + (to[c] - from[c]) * (x + y) / span);
        }
    }
    const int discs = 3 + random.Below(4);
    for (int d = 0; d < discs; ++d) {
        const int cx = random.Below(spec.width), cy = random.Below(spec.height);
        const int r = 1 + random.Below(std::max(2, std::min(spec.width, spec.height) / 4));
        const uint8_t colour[3] = {static_cast<uint8_t>(random.Below(256)),
                                   static_cast<uint8_t>(random.Below(256)),
                                   static_cast<uint8_t>(random.Below(256))};
        for (int y = std::max(0, cy - r); y < std::min(spec.height, cy + r); ++y) {
            for (int x = std::max(0, cx - r); x < std::min(spec.width, cx + r); ++x) {
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    std::copy(colour, colour + 3, &rgb[(static_cast<size_t>(y) * spec.width + x) * 3]);
            }
        }
    }
    return rgb;
}

bool ValidSize(const ImageSpec& spec) {
    return spec.width > 0 && spec.height > 0 && spec.width <= kMaxSide && spec.height <= kMaxSide;
}

bool Save(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        qWarning("image: cannot write %s", path.string().c_str());
        return false;
    }
    return true;
}

bool EncodeImage(const std::filesystem::path& path, const ImageSpec& spec, AVCodecID codecId) {
    if (!ValidSize(spec))
        return false;
    std::vector<uint8_t> encoded;
    if (!ImageCodec::EncodeRgb(Draw(spec), spec.width, spec.height, codecId, encoded))
        return false;
    const ExifSegment exif(spec.caption, spec.dateTimeOriginal);
    if (codecId == AV_CODEC_ID_MJPEG && !exif.Empty() && !exif.InsertInto(encoded))
        return false;
    return Save(path, encoded);
}

} // namespace

std::vector<uint8_t> DrawImage(const ImageSpec& spec) {
    return Draw(spec);
}

bool WriteJpeg(const std::filesystem::path& path, const ImageSpec& spec) {
    try {
        return EncodeImage(path, spec, AV_CODEC_ID_MJPEG);
    } catch (const std::exception& error) {
        qWarning("WriteJpeg: %s", error.what());
        return false;
    }
}

bool WritePng(const std::filesystem::path& path, const ImageSpec& spec) {
    try {
        return EncodeImage(path, spec, AV_CODEC_ID_PNG);
    } catch (const std::exception& error) {
        qWarning("WritePng: %s", error.what());
        return false;
    }
}

std::vector<uint8_t> MakeJpegThumbnail(const std::filesystem::path& image, int maxSide) {
    try {
        const AvFramePtr picture = ImageCodec::Decode(image);
        if (!picture || maxSide <= 0)
            return {};
        const double scale =
            std::min(1.0, static_cast<double>(maxSide) / std::max(picture->width, picture->height));
        const int width = std::max(1, static_cast<int>(std::lround(picture->width * scale)));
        const int height = std::max(1, static_cast<int>(std::lround(picture->height * scale)));
        const AvFramePtr scaled = ImageCodec::Convert(picture.get(), width, height, AV_PIX_FMT_RGB24);
        std::vector<uint8_t> jpeg;
        if (!scaled || !ImageCodec::EncodeFrame(scaled.get(), AV_CODEC_ID_MJPEG, jpeg))
            return {};
        return jpeg;
    } catch (const std::exception& error) {
        qWarning("MakeJpegThumbnail: %s", error.what());
        return {};
    }
}

} // namespace vexa::formats
