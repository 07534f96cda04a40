#include "SheetContent.h"

#include <utility>

namespace xlsFile {

SheetContent::SheetContent(std::u16string name)
    : m_name(std::move(name)) {}

SheetCell& SheetContent::cell(std::uint32_t row, std::uint32_t column) {
    return m_cells[keyOf(row, column)];
}

SheetCell* SheetContent::findCell(std::uint32_t row, std::uint32_t column) {
    const auto found = m_cells.find(keyOf(row, column));
    return found == m_cells.end() ? nullptr : &found->second;
}

void SheetContent::removeCell(std::uint32_t row, std::uint32_t column) {
    m_cells.erase(keyOf(row, column));
}

} // namespace xlsFile
