#pragma once

#include "XLSResult.h"

#include <memory>
#include <string>
#include <string_view>

namespace xlsFile {

class SheetContent;

// Options of setFontBold().
enum BoldOption : int {
    kBold = 0,
    kNotBold = 1,
};

// A handle to one sheet of an XLSFile. Copies refer to the same sheet, so a copy kept by the caller
// writes into the workbook; a default-constructed handle refers to none and refuses every write.
// Not thread-safe: one thread writes a workbook at a time.
class XLSSheet {
public:
    static constexpr unsigned kMaxRows = 65536;
    static constexpr unsigned kMaxColumns = 256;
    static constexpr std::size_t kMaxTextLength = 32767;

    XLSSheet() = default;
    explicit XLSSheet(std::shared_ptr<SheetContent> content);

    bool isValid() const { return m_content != nullptr; }
    // The sheet name as UTF-8; empty for an invalid handle.
    std::string name() const;

    // Sets a text cell from UTF-8 text (the system code page). Longer texts than a cell holds are
    // stored cut to kMaxTextLength and reported as TextTruncated; a cell's boldness is kept.
    XLSResult setText(unsigned row, unsigned column, const char* text);
    XLSResult setText(unsigned row, unsigned column, std::string_view text);

    // option kBold makes the cell's font bold, kNotBold makes it regular again.
    XLSResult setFontBold(unsigned row, unsigned column, int option);

private:
    XLSResult checkCell(unsigned row, unsigned column) const;

    std::shared_ptr<SheetContent> m_content;
};

} // namespace xlsFile
