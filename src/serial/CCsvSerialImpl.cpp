#include "CCsvSerialImpl.h"

#include <fstream>
#include <string_view>

namespace {

void WriteValue(std::ofstream& out, std::string_view value) {
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
        out << value;
        return;
    }
    out << '"';
    for (char c : value) {
        if (c == '"')
            out << '"';
        out << c;
    }
    out << '"';
}

void WriteLine(std::ofstream& out, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            out << ',';
        WriteValue(out, values[i]);
    }
    out << "\r\n";
}

} // namespace

bool CCsvSerialImpl::SaveFile(const char* path) const {
    if (!path)
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << "\xEF\xBB\xBF";
    const Table table = Rows({&Root()}, {});
    if (!table.rows.empty())
        WriteLine(out, table.columns);
    std::vector<std::string> values(table.columns.size());
    for (const Row& row : table.rows) {
        for (std::size_t i = 0; i < table.columns.size(); ++i)
            values[i] = table.Value(row, table.columns[i]);
        WriteLine(out, values);
    }
    // A full disk shows only when the buffer reaches it.
    out.close();
    return !out.fail();
}
