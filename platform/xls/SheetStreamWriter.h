#pragma once

#include "SheetContent.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace xlsFile {

class BiffStream;
class SharedStringTable;

// Writes one worksheet substream: cells in blocks of 32 rows, each block indexed by a DBCELL record and
// every block listed in the INDEX record, which is how Excel finds rows without reading every cell.
class SheetStreamWriter {
public:
    // Cell formats written by the workbook globals.
    static constexpr std::uint16_t kDefaultFormat = 15;
    static constexpr std::uint16_t kBoldFormat = 16;

    SheetStreamWriter(BiffStream& stream, const SharedStringTable& strings);

    void write(const SheetContent& sheet, bool selected);

private:
    using CellIterator = std::map<std::uint32_t, SheetCell>::const_iterator;
    struct Extent {
        std::uint32_t firstRow = 0;
        std::uint32_t rowsEnd = 0;
        std::uint16_t firstColumn = 0;
        std::uint16_t columnsEnd = 0;
    };

    static Extent extentOf(const SheetContent& sheet);
    std::size_t writeIndex(const Extent& extent, std::size_t blockCount);
    void writeDimensions(const Extent& extent);
    // Writes the rows of one block and returns the iterator past its last cell.
    CellIterator writeBlock(CellIterator begin, CellIterator end, std::vector<std::uint32_t>& dbCells);
    void writeRow(std::uint32_t row, CellIterator begin, CellIterator end);
    void writeCell(std::uint32_t key, const SheetCell& cell);
    void writeWindow(bool selected);

    BiffStream& m_stream;
    const SharedStringTable& m_strings;
};

} // namespace xlsFile
