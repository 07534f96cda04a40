#include "CompoundFile.h"

#include "AtomicFile.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace xlsFile {

namespace {

constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSectorMark = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSectorMark = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::uint32_t kEntriesPerSector = CompoundFile::kSectorSize / 4;
constexpr std::uint32_t kHeaderDifatEntries = 109;
constexpr std::size_t kDirectoryEntrySize = 128;

void put16(std::vector<std::uint8_t>& buffer, std::size_t offset, std::uint16_t value) {
    buffer[offset] = static_cast<std::uint8_t>(value & 0xFF);
    buffer[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::vector<std::uint8_t>& buffer, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        buffer[offset + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

std::uint32_t sectorsFor(std::size_t bytes, std::size_t perSector) {
    return static_cast<std::uint32_t>((bytes + perSector - 1) / perSector);
}

struct DirectoryEntry {
    std::u16string_view name;
    std::uint8_t type;
    std::uint32_t child;
    std::uint32_t startSector;
    std::uint32_t size;
};

void putEntry(std::vector<std::uint8_t>& buffer, std::size_t offset, const DirectoryEntry& entry) {
    for (std::size_t i = 0; i < entry.name.size(); ++i)
        put16(buffer, offset + 2 * i, entry.name[i]);
    put16(buffer, offset + 64, static_cast<std::uint16_t>(2 * (entry.name.size() + 1)));
    buffer[offset + 66] = entry.type;
    buffer[offset + 67] = 1; // black: a single entry is a valid red-black tree
    put32(buffer, offset + 68, kNoStream);
    put32(buffer, offset + 72, kNoStream);
    put32(buffer, offset + 76, entry.child);
    put32(buffer, offset + 116, entry.startSector);
    put32(buffer, offset + 120, entry.size);
}

} // namespace

// FAT and DIFAT sectors are themselves listed in the FAT, so their counts are found by iterating
// until they cover every sector including themselves.
CompoundFile::CompoundFile(const std::vector<std::uint8_t>& workbook)
    : m_workbook(workbook)
    , m_streamSize(static_cast<std::uint32_t>(std::max(workbook.size(), kMiniStreamCutoff)))
    , m_streamSectors(sectorsFor(m_streamSize, kSectorSize)) {
    for (;;) {
        const std::uint32_t total = m_streamSectors + 1 + m_fatSectors + m_difatSectors;
        const std::uint32_t fatNeeded = sectorsFor(total, kEntriesPerSector);
        const std::uint32_t difatNeeded =
            fatNeeded > kHeaderDifatEntries
                ? sectorsFor(fatNeeded - kHeaderDifatEntries, kEntriesPerSector - 1)
                : 0;
        if (fatNeeded == m_fatSectors && difatNeeded == m_difatSectors)
            break;
        m_fatSectors = fatNeeded;
        m_difatSectors = difatNeeded;
    }
}

XLSResult CompoundFile::write(AtomicFile& file) const {
    const std::vector<std::uint8_t> headerSector = header();
    const std::vector<std::uint8_t> padding(std::size_t(m_streamSectors) * kSectorSize - m_workbook.size(),
                                            0);
    const std::vector<std::uint8_t> directorySector = directory();
    const std::vector<std::uint8_t> fatSectors = fat();
    const std::vector<std::uint8_t> difatSectors = difat();
    const std::span<const std::uint8_t> parts[] = {headerSector,    m_workbook, padding,
                                                   directorySector, fatSectors, difatSectors};
    for (const std::span<const std::uint8_t> part : parts) {
        if (const XLSResult result = file.write(part.data(), part.size()); result != XLSResult::Ok)
            return result;
    }
    return XLSResult::Ok;
}

std::vector<std::uint8_t> CompoundFile::header() const {
    std::vector<std::uint8_t> buffer(kSectorSize, 0);
    constexpr std::uint8_t kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(std::begin(kSignature), std::end(kSignature), buffer.begin());
    put16(buffer, 24, 0x003E);
    put16(buffer, 26, 0x0003);
    put16(buffer, 28, 0xFFFE);
    put16(buffer, 30, 9); // 512-byte sectors
    put16(buffer, 32, 6); // 64-byte mini sectors
    put32(buffer, 44, m_fatSectors);
    put32(buffer, 48, m_streamSectors);
    put32(buffer, 56, kMiniStreamCutoff);
    put32(buffer, 60, kEndOfChain);
    put32(buffer, 64, 0);
    put32(buffer, 68, m_difatSectors > 0 ? difatSector(0) : kEndOfChain);
    put32(buffer, 72, m_difatSectors);
    for (std::uint32_t i = 0; i < kHeaderDifatEntries; ++i)
        put32(buffer, 76 + 4 * i, i < m_fatSectors ? fatSector(i) : kFreeSector);
    return buffer;
}

std::vector<std::uint8_t> CompoundFile::directory() const {
    std::vector<std::uint8_t> buffer(kSectorSize, 0);
    putEntry(buffer, 0, {u"Root Entry", 5, 1, kEndOfChain, 0});
    putEntry(buffer, kDirectoryEntrySize, {u"Workbook", 2, kNoStream, 0, m_streamSize});
    for (std::size_t offset = 2 * kDirectoryEntrySize; offset < kSectorSize; offset += kDirectoryEntrySize) {
        put32(buffer, offset + 68, kNoStream);
        put32(buffer, offset + 72, kNoStream);
        put32(buffer, offset + 76, kNoStream);
    }
    return buffer;
}

std::vector<std::uint8_t> CompoundFile::fat() const {
    std::vector<std::uint8_t> buffer(std::size_t(m_fatSectors) * kSectorSize, 0xFF);
    for (std::uint32_t sector = 0; sector + 1 < m_streamSectors; ++sector)
        put32(buffer, 4 * sector, sector + 1);
    put32(buffer, 4 * (m_streamSectors - 1), kEndOfChain);
    put32(buffer, 4 * m_streamSectors, kEndOfChain); // the directory
    for (std::uint32_t i = 0; i < m_fatSectors; ++i)
        put32(buffer, 4 * fatSector(i), kFatSectorMark);
    for (std::uint32_t i = 0; i < m_difatSectors; ++i)
        put32(buffer, 4 * difatSector(i), kDifatSectorMark);
    return buffer;
}

// Each DIFAT sector lists 127 FAT sectors and ends with the number of the next DIFAT sector.
std::vector<std::uint8_t> CompoundFile::difat() const {
    std::vector<std::uint8_t> buffer(std::size_t(m_difatSectors) * kSectorSize, 0xFF);
    for (std::uint32_t index = kHeaderDifatEntries; index < m_fatSectors; ++index) {
        const std::uint32_t position = index - kHeaderDifatEntries;
        const std::uint32_t sector = position / (kEntriesPerSector - 1);
        const std::uint32_t slot = position % (kEntriesPerSector - 1);
        put32(buffer, sector * kSectorSize + 4 * slot, fatSector(index));
    }
    for (std::uint32_t sector = 0; sector < m_difatSectors; ++sector) {
        const std::uint32_t next = sector + 1 < m_difatSectors ? difatSector(sector + 1) : kEndOfChain;
        put32(buffer, sector * kSectorSize + kSectorSize - 4, next);
    }
    return buffer;
}

} // namespace xlsFile
