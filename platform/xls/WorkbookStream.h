#pragma once

#include "XLSResult.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace xlsFile {

class BiffStream;
class SharedStringTable;
class SheetContent;

// Lays out the BIFF8 "Workbook" stream: the globals (fonts, formats, sheet list, shared strings)
// followed by one substream per sheet.
class WorkbookStream {
public:
    // Positions in the stream are 32-bit, and beyond 2 GB some readers treat them as signed.
    static constexpr std::size_t kMaxSize = 0x7FFFFFFF;

    explicit WorkbookStream(const std::vector<std::shared_ptr<SheetContent>>& sheets);

    XLSResult build(std::vector<std::uint8_t>& data) const;

private:
    std::vector<std::size_t> writeGlobals(BiffStream& stream, const SharedStringTable& strings) const;
    static void writeWindow1(BiffStream& stream);
    static void writeFonts(BiffStream& stream);
    static void writeFormats(BiffStream& stream);
    std::size_t writeBoundSheet(BiffStream& stream, const SheetContent& sheet) const;

    const std::vector<std::shared_ptr<SheetContent>>& m_sheets;
};

} // namespace xlsFile
