#include "ExifSegment.h"

#include <utility>

namespace vexa::formats {

namespace {

constexpr uint16_t kImageDescription = 0x010E;
constexpr uint16_t kDateTime = 0x0132;
constexpr uint16_t kExifPointer = 0x8769;
constexpr uint16_t kDateTimeOriginal = 0x9003;
constexpr uint16_t kTypeAscii = 2;
constexpr uint16_t kTypeLong = 4;

struct Entry {
    uint16_t tag;
    uint16_t type;
    std::string text; // ASCII value; empty for the Exif pointer
};

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value >> 16);
    Put16(out, value & 0xFFFF);
}

// Writes one IFD at tiff.size(); values longer than four bytes go after it. Returns where the
// Exif pointer's value sits, so the caller can fill it in.
size_t WriteIfd(std::vector<uint8_t>& tiff, const std::vector<Entry>& entries) {
    const size_t start = tiff.size();
    size_t dataOffset = start + 2 + entries.size() * 12 + 4;
    std::vector<uint8_t> data;
    size_t pointerAt = 0;
    Put16(tiff, static_cast<uint32_t>(entries.size()));
    for (const Entry& entry : entries) {
        Put16(tiff, entry.tag);
        Put16(tiff, entry.type);
        if (entry.type == kTypeLong) {
            Put32(tiff, 1);
            pointerAt = tiff.size();
            Put32(tiff, 0);
            continue;
        }
        const uint32_t count = static_cast<uint32_t>(entry.text.size() + 1);
        Put32(tiff, count);
        if (count <= 4) {
            std::string padded = entry.text;
            padded.resize(4, '\0');
            tiff.insert(tiff.end(), padded.begin(), padded.end());
        } else {
            Put32(tiff, static_cast<uint32_t>(dataOffset + data.size()));
            data.insert(data.end(), entry.text.begin(), entry.text.end());
            data.push_back(0);
            if (data.size() % 2)
                data.push_back(0);
        }
    }
    Put32(tiff, 0); // no next IFD
    tiff.insert(tiff.end(), data.begin(), data.end());
    return pointerAt;
}

} // namespace

ExifSegment::ExifSegment(std::string description, std::string dateTimeOriginal)
    : m_description(std::move(description))
    , m_dateTime(std::move(dateTimeOriginal)) {}

std::vector<uint8_t> ExifSegment::Bytes() const {
    std::vector<uint8_t> tiff{'M', 'M', 0, 42, 0, 0, 0, 8};
    std::vector<Entry> first;
    if (!m_description.empty())
        first.push_back({kImageDescription, kTypeAscii, m_description});
    if (!m_dateTime.empty()) {
        first.push_back({kDateTime, kTypeAscii, m_dateTime});
        first.push_back({kExifPointer, kTypeLong, {}});
    }
    const size_t pointerAt = WriteIfd(tiff, first);
    if (!m_dateTime.empty()) {
        const uint32_t exifOffset = static_cast<uint32_t>(tiff.size());
        for (int shift = 0; shift < 4; ++shift)
            tiff[pointerAt + shift] = static_cast<uint8_t>(exifOffset >> (24 - 8 * shift));
        WriteIfd(tiff, {{kDateTimeOriginal, kTypeAscii, m_dateTime}});
    }
    std::vector<uint8_t> segment{0xFF, 0xE1};
    Put16(segment, static_cast<uint32_t>(2 + 6 + tiff.size()));
    const char header[] = {'E', 'x', 'i', 'f', 0, 0};
    segment.insert(segment.end(), header, header + 6);
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    return segment;
}

bool ExifSegment::InsertInto(std::vector<uint8_t>& jpeg) const {
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8)
        return false;
    size_t at = 2;
    if (jpeg[2] == 0xFF && jpeg[3] == 0xE0 && jpeg.size() >= 6)
        at = 4 + (static_cast<size_t>(jpeg[4]) << 8 | jpeg[5]);
    if (at > jpeg.size())
        return false;
    const std::vector<uint8_t> segment = Bytes();
    if (segment.size() > 0xFFFF + 2u)
        return false;
    jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(at), segment.begin(), segment.end());
    return true;
}

} // namespace vexa::formats
