#include "XLSFile.h"

#include "AtomicFile.h"
#include "CompoundFile.h"
#include "SheetContent.h"
#include "Utf16Text.h"
#include "WorkbookStream.h"

#include <algorithm>
#include <new>

namespace xlsFile {

namespace {

char16_t foldCase(char16_t unit) {
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

bool sameName(const std::u16string& left, const std::u16string& right) {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char16_t a, char16_t b) { return foldCase(a) == foldCase(b); });
}

} // namespace

XLSFile::XLSFile(const char* path, int mode)
    : m_path(path ? path : "")
    , m_mode(mode) {}

XLSFile::~XLSFile() = default;
XLSFile::XLSFile(XLSFile&&) noexcept = default;
XLSFile& XLSFile::operator=(XLSFile&&) noexcept = default;

XLSSheet XLSFile::newSheet(const char* name, XLSResult* result) {
    XLSResult outcome = name ? XLSResult::Ok : XLSResult::InvalidSheetName;
    std::u16string converted;
    if (name) {
        converted = utf8ToUtf16(name);
        outcome = checkSheetName(converted);
    }
    if (outcome == XLSResult::Ok) {
        try {
            m_sheets.push_back(std::make_shared<SheetContent>(std::move(converted)));
        } catch (const std::bad_alloc&) {
            outcome = XLSResult::OutOfMemory;
        }
    }
    if (result)
        *result = outcome;
    return outcome == XLSResult::Ok ? XLSSheet(m_sheets.back()) : XLSSheet();
}

XLSResult XLSFile::checkSheetName(const std::u16string& name) const {
    constexpr std::u16string_view kForbidden = u":\\/?*[]";
    if (name.empty() || name.size() > kMaxSheetNameLength || name.front() == u'\'' || name.back() == u'\'' ||
        name.find_first_of(kForbidden) != std::u16string::npos)
        return XLSResult::InvalidSheetName;
    for (const auto& sheet : m_sheets) {
        if (sameName(sheet->name(), name))
            return XLSResult::DuplicateSheetName;
    }
    return XLSResult::Ok;
}

XLSResult XLSFile::save() {
    if (m_mode != kCreateNew)
        return XLSResult::UnsupportedMode;
    if (m_sheets.empty())
        return XLSResult::NoSheets;
    try {
        std::vector<std::uint8_t> workbook;
        if (const XLSResult built = WorkbookStream(m_sheets).build(workbook); built != XLSResult::Ok)
            return built;
        AtomicFile file(m_path);
        if (const XLSResult opened = file.open(); opened != XLSResult::Ok)
            return opened;
        if (const XLSResult written = CompoundFile(workbook).write(file); written != XLSResult::Ok)
            return written;
        return file.commit();
    } catch (const std::bad_alloc&) {
        return XLSResult::OutOfMemory;
    }
}

} // namespace xlsFile
