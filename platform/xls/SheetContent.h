#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace xlsFile {

struct SheetCell {
    std::u16string text;
    bool hasText = false;
    bool bold = false;
};

// The cells of one sheet, kept in row-major order because that is the order the file stores them in.
class SheetContent {
public:
    explicit SheetContent(std::u16string name);

    const std::u16string& name() const { return m_name; }
    SheetCell& cell(std::uint32_t row, std::uint32_t column);
    SheetCell* findCell(std::uint32_t row, std::uint32_t column);
    void removeCell(std::uint32_t row, std::uint32_t column);

    static std::uint32_t rowOf(std::uint32_t key) { return key >> 8; }
    static std::uint32_t columnOf(std::uint32_t key) { return key & 0xFF; }
    const std::map<std::uint32_t, SheetCell>& cells() const { return m_cells; }

private:
    static std::uint32_t keyOf(std::uint32_t row, std::uint32_t column) { return (row << 8) | column; }

    std::u16string m_name;
    std::map<std::uint32_t, SheetCell> m_cells;
};

} // namespace xlsFile
