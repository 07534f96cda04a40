#include "ExifDate.h"

#include <cstring>
#include <string>

#include "ImageProbe.h"

namespace vexa::formats {

namespace {

constexpr uint16_t kTagDateTime = 0x0132;
constexpr uint16_t kTagExifIfd = 0x8769;
constexpr uint16_t kTagDateTimeOriginal = 0x9003;
constexpr uint16_t kTypeAscii = 2;

// A TIFF structure inside the APP1 segment; every read is checked against its bounds.
class Tiff {
public:
    Tiff(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size) {
        m_little = size >= 2 && data[0] == 'I' && data[1] == 'I';
    }

    bool Valid() const {
        return m_size >= 8 &&
               ((m_data[0] == 'I' && m_data[1] == 'I') || (m_data[0] == 'M' && m_data[1] == 'M')) &&
               U16(2) == 42;
    }
    uint16_t U16(size_t at) const {
        if (at + 2 > m_size)
            return 0;
        return m_little ? uint16_t(m_data[at] | m_data[at + 1] << 8)
                        : uint16_t(m_data[at] << 8 | m_data[at + 1]);
    }
    uint32_t U32(size_t at) const {
        if (at + 4 > m_size)
            return 0;
        const uint32_t a = m_data[at], b = m_data[at + 1], c = m_data[at + 2], d = m_data[at + 3];
        return m_little ? (a | b << 8 | c << 16 | d << 24) : (a << 24 | b << 16 | c << 8 | d);
    }

    // The value of an ASCII tag, or the offset held by a LONG tag (as text of digits is not needed).
    bool Find(uint32_t ifd, uint16_t tag, std::string* text, uint32_t* offset) const {
        if (ifd == 0 || ifd + 2 > m_size)
            return false;
        const uint16_t entries = U16(ifd);
        for (uint32_t i = 0; i < entries; ++i) {
            const size_t entry = ifd + 2 + size_t(i) * 12;
            if (entry + 12 > m_size)
                return false;
            if (U16(entry) != tag)
                continue;
            if (offset) {
                *offset = U32(entry + 8);
                return true;
            }
            const uint32_t count = U32(entry + 4);
            if (U16(entry + 2) != kTypeAscii || count == 0)
                return false;
            const size_t at = count <= 4 ? entry + 8 : U32(entry + 8);
            if (at + count > m_size)
                return false;
            text->assign(reinterpret_cast<const char*>(m_data + at),
                         strnlen(reinterpret_cast<const char*>(m_data + at), count));
            return true;
        }
        return false;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    bool m_little = false;
};

// The TIFF block of the first "Exif" APP1 segment.
bool FindExif(const std::vector<uint8_t>& head, size_t& start, size_t& size) {
    size_t at = 2;
    while (at + 4 <= head.size() && head[at] == 0xFF) {
        const uint8_t marker = head[at + 1];
        const size_t length = size_t(head[at + 2]) << 8 | head[at + 3];
        if (marker == 0xDA || marker == 0xD9 || length < 2)
            return false;
        if (marker == 0xE1 && length >= 8 && at + 10 <= head.size() &&
            std::memcmp(&head[at + 4], "Exif\0\0", 6) == 0) {
            start = at + 10;
            size = std::min(length - 8, head.size() - start);
            return true;
        }
        at += 2 + length;
    }
    return false;
}

} // namespace

std::optional<int64_t> ReadExifTime(const std::vector<uint8_t>& head) {
    size_t start = 0, size = 0;
    if (!FindExif(head, start, size))
        return std::nullopt;
    const Tiff tiff(head.data() + start, size);
    if (!tiff.Valid())
        return std::nullopt;
    const uint32_t ifd0 = tiff.U32(4);
    std::string text;
    uint32_t exifIfd = 0;
    if (tiff.Find(ifd0, kTagExifIfd, nullptr, &exifIfd) && exifIfd != ifd0 &&
        tiff.Find(exifIfd, kTagDateTimeOriginal, &text, nullptr)) {
        if (auto time = ParseExifDateTime(text))
            return time;
    }
    if (tiff.Find(ifd0, kTagDateTime, &text, nullptr))
        return ParseExifDateTime(text);
    return std::nullopt;
}

} // namespace vexa::formats
