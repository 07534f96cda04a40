// Times a contacts-sized export: 20,000 rows of six text cells, a bold header, one save.
#include "XLSFile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchReport.h"
#include <unistd.h>

namespace {

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main() {
    constexpr unsigned kRows = 20000;
    constexpr unsigned kColumns = 6;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("bench_xls_" + std::to_string(::getpid()) + ".xls");

    const auto start = std::chrono::steady_clock::now();
    xlsFile::XLSFile workbook(file.string().c_str(), xlsFile::kCreateNew);
    xlsFile::XLSSheet sheet = workbook.newSheet("Sheet1");
    const char* header[kColumns] = {"id", "Name", "Type", "PhoneNumber", "Type", "PhoneNumber"};
    for (unsigned column = 0; column < kColumns; ++column) {
        sheet.setText(0, column + 1, header[column]);
        sheet.setFontBold(0, column + 1, xlsFile::kBold);
    }
    for (unsigned row = 1; row <= kRows; ++row) {
        const std::string number = std::to_string(row);
        sheet.setText(row, 1, number);
        sheet.setText(row, 2, "Contact \xE5\xA7\x93\xE5\x90\x8D " + number);
        sheet.setText(row, 3, "mobile");
        sheet.setText(row, 4, "+49 30 " + std::to_string(1000000 + row));
        sheet.setText(row, 5, "home");
        sheet.setText(row, 6, "+49 40 " + std::to_string(2000000 + row));
    }
    const double fillMs = millisecondsSince(start);
    const auto saveStart = std::chrono::steady_clock::now();
    const xlsFile::XLSResult result = workbook.save();
    const double saveMs = millisecondsSince(saveStart);

    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    std::filesystem::remove(file, error);
    if (result != xlsFile::XLSResult::Ok) {
        std::fprintf(stderr, "save failed: %s\n", xlsFile::resultText(result));
        return 1;
    }
    std::printf("xls: %u rows x %u text cells: fill %.1f ms, save %.1f ms, total %.1f ms, %.2f MB\n", kRows,
                kColumns, fillMs, saveMs, fillMs + saveMs, static_cast<double>(size) / (1024.0 * 1024.0));
    BenchWatch("xls.fill", fillMs, "ms");
    BenchWatch("xls.save", saveMs, "ms");
    return 0;
}
