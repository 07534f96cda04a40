#include "SheetStreamWriter.h"

#include "BiffStream.h"
#include "SharedStringTable.h"
#include "SheetContent.h"

#include <algorithm>
#include <set>

namespace xlsFile {

namespace {

constexpr std::uint16_t kRecordIndex = 0x020B;
constexpr std::uint16_t kRecordDefColWidth = 0x0055;
constexpr std::uint16_t kRecordDimensions = 0x0200;
constexpr std::uint16_t kRecordRow = 0x0208;
constexpr std::uint16_t kRecordLabelSst = 0x00FD;
constexpr std::uint16_t kRecordBlank = 0x0201;
constexpr std::uint16_t kRecordDbCell = 0x00D7;
constexpr std::uint16_t kRecordWindow2 = 0x023E;

constexpr std::uint32_t kRowsPerBlock = 32;
constexpr std::size_t kRowRecordSize = 20;

std::uint32_t blockOf(std::uint32_t key) {
    return SheetContent::rowOf(key) / kRowsPerBlock;
}

} // namespace

SheetStreamWriter::SheetStreamWriter(BiffStream& stream, const SharedStringTable& strings)
    : m_stream(stream)
    , m_strings(strings) {}

void SheetStreamWriter::write(const SheetContent& sheet, bool selected) {
    const auto& cells = sheet.cells();
    std::set<std::uint32_t> blocks;
    for (const auto& entry : cells)
        blocks.insert(blockOf(entry.first));

    m_stream.beginSubstream(BiffStream::Substream::Worksheet);

    const Extent extent = extentOf(sheet);
    const std::size_t indexPosition = writeIndex(extent, blocks.size());
    writeDimensions(extent);

    std::vector<std::uint32_t> dbCells;
    for (auto it = cells.begin(); it != cells.end();)
        it = writeBlock(it, cells.end(), dbCells);
    // The INDEX record lists the DBCELL positions after its four fixed fields.
    for (std::size_t i = 0; i < dbCells.size(); ++i)
        m_stream.patchU32(indexPosition + 4 + 16 + 4 * i, dbCells[i]);

    writeWindow(selected);
    m_stream.endSubstream();
}

SheetStreamWriter::Extent SheetStreamWriter::extentOf(const SheetContent& sheet) {
    Extent extent;
    const auto& cells = sheet.cells();
    if (cells.empty())
        return extent;
    extent.firstRow = SheetContent::rowOf(cells.begin()->first);
    extent.rowsEnd = SheetContent::rowOf(cells.rbegin()->first) + 1;
    std::uint32_t firstColumn = 0xFF;
    std::uint32_t lastColumn = 0;
    for (const auto& entry : cells) {
        firstColumn = std::min(firstColumn, SheetContent::columnOf(entry.first));
        lastColumn = std::max(lastColumn, SheetContent::columnOf(entry.first));
    }
    extent.firstColumn = static_cast<std::uint16_t>(firstColumn);
    extent.columnsEnd = static_cast<std::uint16_t>(lastColumn + 1);
    return extent;
}

// Returns the stream position of the INDEX record; its DBCELL positions are filled in later.
std::size_t SheetStreamWriter::writeIndex(const Extent& extent, std::size_t blockCount) {
    const std::size_t indexPosition = m_stream.position();
    m_stream.beginRecord(kRecordIndex);
    m_stream.u32(0);
    m_stream.u32(extent.firstRow);
    m_stream.u32(extent.rowsEnd);
    const std::size_t defColWidthPosition = indexPosition + 4 + 16 + 4 * blockCount;
    m_stream.u32(static_cast<std::uint32_t>(defColWidthPosition));
    m_stream.zeros(4 * blockCount);
    m_stream.endRecord();

    m_stream.beginRecord(kRecordDefColWidth);
    m_stream.u16(8);
    m_stream.endRecord();
    return indexPosition;
}

void SheetStreamWriter::writeDimensions(const Extent& extent) {
    m_stream.beginRecord(kRecordDimensions);
    m_stream.u32(extent.firstRow);
    m_stream.u32(extent.rowsEnd);
    m_stream.u16(extent.firstColumn);
    m_stream.u16(extent.columnsEnd);
    m_stream.u16(0);
    m_stream.endRecord();
}

SheetStreamWriter::CellIterator SheetStreamWriter::writeBlock(CellIterator begin, CellIterator end,
                                                              std::vector<std::uint32_t>& dbCells) {
    const std::uint32_t block = blockOf(begin->first);
    CellIterator blockEnd = begin;
    while (blockEnd != end && blockOf(blockEnd->first) == block)
        ++blockEnd;

    const std::size_t firstRowPosition = m_stream.position();
    for (CellIterator it = begin; it != blockEnd;) {
        const std::uint32_t row = SheetContent::rowOf(it->first);
        CellIterator rowEnd = it;
        while (rowEnd != blockEnd && SheetContent::rowOf(rowEnd->first) == row)
            ++rowEnd;
        writeRow(row, it, rowEnd);
        it = rowEnd;
    }

    // DBCELL offsets: to the first ROW record, then from the second ROW record to the first cell of
    // the first row, then from each row's first cell to the next row's.
    std::vector<std::size_t> firstCellPositions;
    std::uint32_t previousRow = 0xFFFFFFFF;
    for (CellIterator it = begin; it != blockEnd; ++it) {
        const std::uint32_t row = SheetContent::rowOf(it->first);
        if (row != previousRow)
            firstCellPositions.push_back(m_stream.position());
        previousRow = row;
        writeCell(it->first, it->second);
    }

    const std::size_t dbCellPosition = m_stream.position();
    dbCells.push_back(static_cast<std::uint32_t>(dbCellPosition));
    m_stream.beginRecord(kRecordDbCell);
    m_stream.u32(static_cast<std::uint32_t>(dbCellPosition - firstRowPosition));
    std::size_t reference = firstRowPosition + kRowRecordSize;
    for (const std::size_t position : firstCellPositions) {
        m_stream.u16(static_cast<std::uint16_t>(position - reference));
        reference = position;
    }
    m_stream.endRecord();
    return blockEnd;
}

void SheetStreamWriter::writeRow(std::uint32_t row, CellIterator begin, CellIterator end) {
    const std::uint32_t firstColumn = SheetContent::columnOf(begin->first);
    const std::uint32_t lastColumn = SheetContent::columnOf(std::prev(end)->first);
    m_stream.beginRecord(kRecordRow);
    m_stream.u16(static_cast<std::uint16_t>(row));
    m_stream.u16(static_cast<std::uint16_t>(firstColumn));
    m_stream.u16(static_cast<std::uint16_t>(lastColumn + 1));
    m_stream.u16(0x00FF); // default height
    m_stream.u16(0);
    m_stream.u16(0);
    m_stream.u16(0x0100);
    m_stream.u16(kDefaultFormat);
    m_stream.endRecord();
}

void SheetStreamWriter::writeCell(std::uint32_t key, const SheetCell& cell) {
    const std::uint16_t format = cell.bold ? kBoldFormat : kDefaultFormat;
    m_stream.beginRecord(cell.hasText ? kRecordLabelSst : kRecordBlank);
    m_stream.u16(static_cast<std::uint16_t>(SheetContent::rowOf(key)));
    m_stream.u16(static_cast<std::uint16_t>(SheetContent::columnOf(key)));
    m_stream.u16(format);
    if (cell.hasText)
        m_stream.u32(m_strings.indexOf(cell.text));
    m_stream.endRecord();
}

void SheetStreamWriter::writeWindow(bool selected) {
    // Grid lines, headers, zeros, automatic grid colour, outline symbols, page view off.
    std::uint16_t flags = 0x00B6;
    if (selected)
        flags |= 0x0600; // selected and shown
    m_stream.beginRecord(kRecordWindow2);
    m_stream.u16(flags);
    m_stream.u16(0);
    m_stream.u16(0);
    m_stream.u32(64);
    m_stream.u16(0);
    m_stream.u16(0);
    m_stream.u32(0);
    m_stream.endRecord();
}

} // namespace xlsFile
