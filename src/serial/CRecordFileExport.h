#pragma once

#include <string>

class ISerialable;

// Writes a source's records to a file in the format its extension names (.vcf, .xml, .xls, .txt,
// .csv, .html, any letter case), creating the missing folders first. Widget-free, so it runs in tests and
// benchmarks as it runs behind the save dialog.
class CRecordFileExport {
public:
    enum class Result { Written, NoWriter, WriteFailed };

    // NoWriter when the extension names no writer (nothing is written then); WriteFailed when the
    // folder or the file could not be written.
    static Result ExportFile(ISerialable& source, const std::string& utf8Path);
    // True only when the file was written.
    static bool Export(ISerialable& source, const std::string& utf8Path);

private:
    template <typename Writer> static bool run(ISerialable& source, const std::string& utf8Path);
};
