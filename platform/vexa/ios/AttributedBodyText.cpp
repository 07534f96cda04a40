#include "AttributedBodyText.h"

#include <cstring>

namespace vexa::ios {

namespace {

// Tags of the typedstream format: bytes 0x80 to 0x91 are reserved; where an integer is expected any
// other byte is the signed value itself.
constexpr uint8_t kTagInt16 = 0x81;
constexpr uint8_t kTagInt32 = 0x82;
constexpr uint8_t kTagNew = 0x84;
constexpr uint8_t kFirstTag = 0x80;
constexpr uint8_t kLastTag = 0x91;
constexpr uint8_t kStreamerVersion = 4;
constexpr char kLittleEndianSignature[] = "streamtyped";
constexpr char kBigEndianSignature[] = "typedstream";
constexpr size_t kSignatureLength = sizeof kLittleEndianSignature - 1;

class Cursor {
public:
    Cursor(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size) {}

    size_t Left() const { return m_size - m_at; }
    const uint8_t* Here() const { return m_data + m_at; }
    void Skip(size_t count) { m_at += count; }

    bool Byte(uint8_t& value) {
        if (Left() < 1)
            return false;
        value = m_data[m_at++];
        return true;
    }

    // A signed integer: one byte, or a tag and two or four bytes in the stream's byte order.
    bool Integer(int64_t& value) {
        uint8_t first = 0;
        if (!Byte(first))
            return false;
        if (first == kTagInt16 || first == kTagInt32) {
            const size_t width = first == kTagInt16 ? 2 : 4;
            if (Left() < width)
                return false;
            uint32_t bits = 0;
            for (size_t i = 0; i < width; ++i) {
                const size_t shift = m_bigEndian ? (width - 1 - i) * 8 : i * 8;
                bits |= uint32_t(m_data[m_at + i]) << shift;
            }
            m_at += width;
            value = width == 2 ? int64_t(int16_t(bits)) : int64_t(int32_t(bits));
            return true;
        }
        if (first >= kFirstTag && first <= kLastTag)
            return false;
        value = int8_t(first);
        return true;
    }

    // Streamer version, signature (which also gives the byte order) and system version.
    bool Header() {
        uint8_t version = 0;
        uint8_t signatureLength = 0;
        if (!Byte(version) || version != kStreamerVersion || !Byte(signatureLength) ||
            signatureLength != kSignatureLength || Left() < kSignatureLength)
            return false;
        if (std::memcmp(Here(), kBigEndianSignature, kSignatureLength) == 0)
            m_bigEndian = true;
        else if (std::memcmp(Here(), kLittleEndianSignature, kSignatureLength) != 0)
            return false;
        Skip(kSignatureLength);
        int64_t systemVersion = 0;
        return Integer(systemVersion);
    }

    // Moves past the first new one-byte type string "+" (the raw bytes of an NSString) and answers
    // whether there was one.
    bool FindStringBytesType() {
        static constexpr uint8_t kPattern[] = {kTagNew, 0x01, '+'};
        while (Left() >= sizeof kPattern) {
            if (std::memcmp(Here(), kPattern, sizeof kPattern) == 0) {
                Skip(sizeof kPattern);
                return true;
            }
            Skip(1);
        }
        return false;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
    bool m_bigEndian = false;
};

bool IsUtf8(const uint8_t* text, size_t size) {
    size_t i = 0;
    while (i < size) {
        const uint8_t lead = text[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        uint32_t code = 0;
        uint32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, smallest = 0x10000;
        } else {
            return false;
        }
        if (size - i < length)
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((text[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (text[i + k] & 0x3F);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

} // namespace

bool AttributedBodyText(const uint8_t* data, size_t size, std::string& text) {
    text.clear();
    if (data == nullptr)
        return false;
    Cursor cursor(data, size);
    int64_t length = 0;
    // The root object's first member is its string: the bytes after the "+" type, preceded by their count.
    if (!cursor.Header() || !cursor.FindStringBytesType() || !cursor.Integer(length) || length < 0 ||
        uint64_t(length) > cursor.Left())
        return false;
    if (!IsUtf8(cursor.Here(), size_t(length)))
        return false;
    text.assign(reinterpret_cast<const char*>(cursor.Here()), size_t(length));
    return true;
}

std::string WithoutAttachmentMarks(std::string_view text) {
    static constexpr std::string_view kMark = "\xEF\xBF\xBC"; // U+FFFC in UTF-8
    std::string plain;
    plain.reserve(text.size());
    size_t start = 0;
    for (size_t found = text.find(kMark); found != std::string_view::npos; found = text.find(kMark, start)) {
        plain.append(text.substr(start, found - start));
        start = found + kMark.size();
    }
    plain.append(text.substr(start));
    return plain;
}

} // namespace vexa::ios
