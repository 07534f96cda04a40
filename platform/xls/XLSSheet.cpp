#include "XLSSheet.h"

#include "SheetContent.h"
#include "Utf16Text.h"

#include <new>
#include <utility>

namespace xlsFile {

namespace {

std::string utf16ToUtf8(std::u16string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i];
        if (isHighSurrogate(text[i]) && i + 1 < text.size()) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (codePoint < 0x80) {
            result.push_back(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            result.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
            result.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            result.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
            result.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            result.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
            result.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
    return result;
}

} // namespace

XLSSheet::XLSSheet(std::shared_ptr<SheetContent> content)
    : m_content(std::move(content)) {}

std::string XLSSheet::name() const {
    return m_content ? utf16ToUtf8(m_content->name()) : std::string();
}

XLSResult XLSSheet::setText(unsigned row, unsigned column, const char* text) {
    if (text == nullptr)
        return isValid() ? XLSResult::InvalidArgument : XLSResult::InvalidSheet;
    return setText(row, column, std::string_view(text));
}

XLSResult XLSSheet::setText(unsigned row, unsigned column, std::string_view text) {
    if (const XLSResult check = checkCell(row, column); check != XLSResult::Ok)
        return check;
    try {
        // Only the part a cell can hold is decoded, so a huge text costs no more than a full cell.
        std::u16string converted = utf8ToUtf16(text.substr(0, 4 * (kMaxTextLength + 1)));
        const bool truncated = converted.size() > kMaxTextLength;
        if (truncated)
            converted = std::u16string(truncateUtf16(converted, kMaxTextLength));
        SheetCell& cell = m_content->cell(row, column);
        cell.text = std::move(converted);
        cell.hasText = true;
        return truncated ? XLSResult::TextTruncated : XLSResult::Ok;
    } catch (const std::bad_alloc&) {
        return XLSResult::OutOfMemory;
    }
}

XLSResult XLSSheet::setFontBold(unsigned row, unsigned column, int option) {
    if (const XLSResult check = checkCell(row, column); check != XLSResult::Ok)
        return check;
    if (option != kBold && option != kNotBold)
        return XLSResult::InvalidArgument;
    if (option == kBold) {
        try {
            m_content->cell(row, column).bold = true;
        } catch (const std::bad_alloc&) {
            return XLSResult::OutOfMemory;
        }
    } else if (SheetCell* cell = m_content->findCell(row, column)) {
        cell->bold = false;
        if (!cell->hasText)
            m_content->removeCell(row, column);
    }
    return XLSResult::Ok;
}

XLSResult XLSSheet::checkCell(unsigned row, unsigned column) const {
    if (!m_content)
        return XLSResult::InvalidSheet;
    if (row >= kMaxRows)
        return XLSResult::RowOutOfRange;
    if (column >= kMaxColumns)
        return XLSResult::ColumnOutOfRange;
    return XLSResult::Ok;
}

} // namespace xlsFile
