#pragma once

#include "XLSResult.h"
#include "XLSSheet.h"

#include <memory>
#include <string>
#include <vector>

namespace xlsFile {

class SheetContent;

// Open modes of XLSFile.
enum OpenMode : int {
    kCreateNew = 0,
};

// A binary Excel 97-2003 workbook held in memory and written to its path by save(). All cells are
// text cells; a cell's font is regular or bold. Nothing throws: every failure is a result code.
class XLSFile {
public:
    static constexpr std::size_t kMaxSheetNameLength = 31;

    // path is UTF-8. kCreateNew is the only mode: a new workbook that replaces the file on save().
    explicit XLSFile(const char* path, int mode = kCreateNew);
    ~XLSFile();
    XLSFile(const XLSFile&) = delete;
    XLSFile& operator=(const XLSFile&) = delete;
    XLSFile(XLSFile&&) noexcept;
    XLSFile& operator=(XLSFile&&) noexcept;

    // Appends a sheet named by UTF-8 text. An invalid or duplicate name gives an invalid sheet
    // handle; result, when given, says why.
    XLSSheet newSheet(const char* name, XLSResult* result = nullptr);
    std::size_t sheetCount() const { return m_sheets.size(); }
    const std::string& path() const { return m_path; }

    // Writes the workbook; the previous file at the path is replaced only when writing succeeded.
    XLSResult save();

private:
    XLSResult checkSheetName(const std::u16string& name) const;

    std::string m_path;
    int m_mode;
    std::vector<std::shared_ptr<SheetContent>> m_sheets;
};

} // namespace xlsFile
