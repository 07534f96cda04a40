#pragma once

#include "XLSResult.h"

#include <cstdint>
#include <vector>

namespace xlsFile {

class AtomicFile;

// Wraps one "Workbook" stream in a Compound File (version 3, 512-byte sectors). Sector order: the
// stream, one directory sector, the FAT sectors, then the DIFAT sectors that list FAT sectors beyond
// the 109 the header holds.
class CompoundFile {
public:
    static constexpr std::size_t kSectorSize = 512;
    // Streams below this size would belong in the mini stream; the workbook is padded up to it so it
    // always lives in regular sectors, which Excel does as well.
    static constexpr std::size_t kMiniStreamCutoff = 4096;

    explicit CompoundFile(const std::vector<std::uint8_t>& workbook);

    XLSResult write(AtomicFile& file) const;

private:
    std::vector<std::uint8_t> header() const;
    std::vector<std::uint8_t> directory() const;
    std::vector<std::uint8_t> fat() const;
    std::vector<std::uint8_t> difat() const;
    std::uint32_t fatSector(std::uint32_t index) const { return m_streamSectors + 1 + index; }
    std::uint32_t difatSector(std::uint32_t index) const {
        return m_streamSectors + 1 + m_fatSectors + index;
    }

    const std::vector<std::uint8_t>& m_workbook;
    std::uint32_t m_streamSize = 0;
    std::uint32_t m_streamSectors = 0;
    std::uint32_t m_fatSectors = 0;
    std::uint32_t m_difatSectors = 0;
};

} // namespace xlsFile
