#pragma once

#include "XLSResult.h"

#include <cstddef>
#include <string>

namespace xlsFile {

// Writes a file under a temporary name beside it and renames it into place on commit, so a failed
// save never leaves a half-written workbook where a good one was. Uncommitted files are removed.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    XLSResult open();
    XLSResult write(const void* data, std::size_t size);
    XLSResult commit();

private:
    void discard();

    std::string m_path;
    std::string m_temporaryPath;
    int m_descriptor = -1;
    bool m_failed = false;
};

} // namespace xlsFile
