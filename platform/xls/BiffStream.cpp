#include "BiffStream.h"

#include <cassert>

namespace xlsFile {

namespace {

constexpr std::uint16_t kRecordBof = 0x0809;
constexpr std::uint16_t kRecordEof = 0x000A;

} // namespace

void BiffStream::beginRecord(std::uint16_t type) {
    m_recordStart = m_data.size();
    u16(type);
    u16(0);
}

void BiffStream::endRecord() {
    const std::size_t length = recordBodySize();
    assert(length <= kMaxRecordBody);
    m_data[m_recordStart + 2] = static_cast<std::uint8_t>(length & 0xFF);
    m_data[m_recordStart + 3] = static_cast<std::uint8_t>(length >> 8);
}

void BiffStream::emptyRecord(std::uint16_t type) {
    beginRecord(type);
    endRecord();
}

void BiffStream::beginSubstream(Substream type) {
    beginRecord(kRecordBof);
    u16(0x0600); // BIFF8
    u16(static_cast<std::uint16_t>(type));
    u16(0x0DBB);
    u16(0x07CC);
    u32(0);
    u32(0x06);
    endRecord();
}

void BiffStream::endSubstream() {
    emptyRecord(kRecordEof);
}

void BiffStream::u8(std::uint8_t value) {
    m_data.push_back(value);
}

void BiffStream::u16(std::uint16_t value) {
    m_data.push_back(static_cast<std::uint8_t>(value & 0xFF));
    m_data.push_back(static_cast<std::uint8_t>(value >> 8));
}

void BiffStream::u32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        m_data.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

void BiffStream::zeros(std::size_t count) {
    m_data.insert(m_data.end(), count, 0);
}

void BiffStream::characters(std::u16string_view text, bool compressed) {
    if (compressed) {
        for (const char16_t unit : text)
            m_data.push_back(static_cast<std::uint8_t>(unit));
        return;
    }
    for (const char16_t unit : text)
        u16(static_cast<std::uint16_t>(unit));
}

void BiffStream::patchU32(std::size_t position, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        m_data[position + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

} // namespace xlsFile
