#pragma once

#include <string>

class ISerialable;

// Writes a source's records to a file in the format its extension names (.vcf, .xml, .xls, .txt,
// any letter case), creating the missing folders first. Widget-free, so it runs in tests and
// benchmarks as it runs behind the save dialog.
class CRecordFileExport {
public:
    // False when the extension names no writer: nothing is written then. The writers' own
    // failures (folder, open, write) are silent by design.
    static bool Export(ISerialable& source, const std::string& utf8Path);

private:
    template <typename Writer> static void run(ISerialable& source, const std::string& utf8Path);
};
