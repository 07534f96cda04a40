#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace xlsFile {

// Builds a BIFF8 record stream in memory: little-endian values inside length-prefixed records.
class BiffStream {
public:
    // The largest record body BIFF8 allows; longer data continues in CONTINUE records.
    static constexpr std::size_t kMaxRecordBody = 8224;

    void beginRecord(std::uint16_t type);
    void endRecord();
    // Convenience for records without a body.
    void emptyRecord(std::uint16_t type);

    // The BOF record that opens a substream, and the EOF record that closes it.
    enum class Substream : std::uint16_t {
        WorkbookGlobals = 0x0005,
        Worksheet = 0x0010,
    };
    void beginSubstream(Substream type);
    void endSubstream();

    void u8(std::uint8_t value);
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void zeros(std::size_t count);
    // Characters as 8-bit (every unit below 256) or as UTF-16LE.
    void characters(std::u16string_view text, bool compressed);

    void patchU32(std::size_t position, std::uint32_t value);

    std::size_t position() const { return m_data.size(); }
    std::size_t recordStart() const { return m_recordStart; }
    std::size_t recordBodySize() const { return m_data.size() - m_recordStart - 4; }
    std::size_t recordRoom() const { return kMaxRecordBody - recordBodySize(); }

    const std::vector<std::uint8_t>& data() const { return m_data; }
    std::vector<std::uint8_t> release() { return std::move(m_data); }

private:
    std::vector<std::uint8_t> m_data;
    std::size_t m_recordStart = 0;
};

} // namespace xlsFile
