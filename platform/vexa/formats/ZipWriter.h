#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

struct zip;

namespace vexa::formats {

// Builds a zip archive in entry order. Nothing reaches the target path unless Close() succeeds.
class ZipWriter {
public:
    ZipWriter() = default;
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    bool Open(const std::filesystem::path& path);
    bool Add(const std::string& name, std::vector<uint8_t> data, bool compress = true);
    bool Add(const std::string& name, const std::string& text, bool compress = true);
    bool Close();

private:
    zip* m_archive = nullptr;
    std::deque<std::vector<uint8_t>> m_buffers; // libzip reads them only in zip_close()
};

} // namespace vexa::formats
