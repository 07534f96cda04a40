#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct zip;

namespace vexa::formats {

// Reads entries of a zip archive. Open() refuses archives whose entry names could leave an extraction
// folder (absolute, "..", backslashes), so callers may use the names as paths.
class ZipReader {
public:
    struct Entry {
        std::string name;
        uint64_t size = 0;
    };

    ZipReader() = default;
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool Open(const std::filesystem::path& path);
    const std::vector<Entry>& Entries() const { return m_entries; }
    bool Contains(const std::string& name) const;
    // Refuses entries larger than maxBytes, so a forged size cannot exhaust memory.
    bool Read(const std::string& name, std::vector<uint8_t>& data, uint64_t maxBytes = 64u << 20) const;

private:
    zip* m_archive = nullptr;
    std::vector<Entry> m_entries;
};

// A relative path of plain components: not empty, not absolute, no "." or ".." parts, no backslash.
bool IsSafeRelativePath(const std::string& path);

} // namespace vexa::formats
