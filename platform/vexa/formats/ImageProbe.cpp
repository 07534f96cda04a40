#include "ImageProbe.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "ExifDate.h"
#include "ImageCodec.h"

namespace vexa::formats {

namespace {

enum class Kind { Unknown, Jpeg, Png, Gif, Bmp };

// Only the head (signature, EXIF) and the tail (end markers) decide; large files are not read whole.
constexpr size_t kHeadBytes = 128 * 1024;
constexpr size_t kTailBytes = 4096;

Kind KindOf(const std::vector<uint8_t>& head) {
    auto starts = [&](std::initializer_list<uint8_t> magic) {
        return head.size() >= magic.size() && std::equal(magic.begin(), magic.end(), head.begin());
    };
    if (starts({0xFF, 0xD8, 0xFF}))
        return Kind::Jpeg;
    if (starts({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}))
        return Kind::Png;
    if (starts({'G', 'I', 'F', '8'}))
        return Kind::Gif;
    if (starts({'B', 'M'}) && head.size() >= 26)
        return Kind::Bmp;
    return Kind::Unknown;
}

bool JpegEnds(const std::vector<uint8_t>& tail) {
    // Cameras and editors may pad after the end-of-image marker, so it is looked for near the end.
    for (size_t i = tail.size(); i >= 2; --i)
        if (tail[i - 2] == 0xFF && tail[i - 1] == 0xD9)
            return true;
    return false;
}

bool PngEnds(const std::vector<uint8_t>& tail) {
    static constexpr std::array<uint8_t, 8> kEnd = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    return tail.size() >= kEnd.size() && std::equal(kEnd.begin(), kEnd.end(), tail.end() - kEnd.size());
}

bool GifEnds(const std::vector<uint8_t>& tail) {
    return !tail.empty() && tail.back() == 0x3B;
}

bool BmpComplete(const std::vector<uint8_t>& head, uintmax_t size) {
    const uint32_t declared = head[2] | head[3] << 8 | head[4] << 16 | uint32_t(head[5]) << 24;
    return declared > 26 && size >= declared;
}

} // namespace

bool ProbeCompleteImage(const std::filesystem::path& file, ImageProbe& out) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size == 0)
        return false;
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> head(std::min<uintmax_t>(size, kHeadBytes));
    if (!in.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size())))
        return false;
    std::vector<uint8_t> tail(std::min<uintmax_t>(size, kTailBytes));
    in.seekg(std::streamoff(size - tail.size()));
    if (!in.read(reinterpret_cast<char*>(tail.data()), std::streamsize(tail.size())))
        return false;

    bool complete = false;
    switch (KindOf(head)) {
    case Kind::Jpeg:
        complete = JpegEnds(tail);
        break;
    case Kind::Png:
        complete = PngEnds(tail);
        break;
    case Kind::Gif:
        complete = GifEnds(tail);
        break;
    case Kind::Bmp:
        complete = BmpComplete(head, size);
        break;
    case Kind::Unknown:
        break;
    }
    if (!complete)
        return false;
    const AvFramePtr frame = ImageCodec::Decode(file);
    if (!frame || frame->width <= 0 || frame->height <= 0)
        return false;
    out.width = frame->width;
    out.height = frame->height;
    out.exifTime = KindOf(head) == Kind::Jpeg ? ReadExifTime(head) : std::nullopt;
    return true;
}

std::optional<int64_t> ParseExifDateTime(const std::string& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (text.size() < 19 || std::sscanf(text.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &year, &month, &day, &hour,
                                        &minute, &second) != 6)
        return std::nullopt;
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 60)
        return std::nullopt;
    // Days from the civil date (proleptic Gregorian), so no time zone of the host is involved.
    const int y = year - (month <= 2);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t days = int64_t(era) * 146097 + doe - 719468;
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

} // namespace vexa::formats
