#include "ZipReader.h"

#include <algorithm>
#include <memory>

#include <zip.h>

namespace vexa::formats {

namespace {

struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

} // namespace

bool IsSafeRelativePath(const std::string& path) {
    if (path.empty() || path.front() == '/' || path.find('\\') != std::string::npos ||
        path.find('\0') != std::string::npos)
        return false;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        // An empty part is only allowed at the end ("folder/").
        if (part == ".." || part == "." || (part.empty() && end != path.size()))
            return false;
        start = end + 1;
    }
    return true;
}

ZipReader::~ZipReader() {
    if (m_archive)
        zip_discard(m_archive);
}

bool ZipReader::Open(const std::filesystem::path& path) {
    int error = 0;
    m_archive = zip_open(path.string().c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!m_archive)
        return false;
    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(m_archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0 ||
            !(stat.valid & ZIP_STAT_NAME) || !IsSafeRelativePath(stat.name))
            return false;
        m_entries.push_back({stat.name, (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0});
    }
    return true;
}

bool ZipReader::Contains(const std::string& name) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const Entry& entry) { return entry.name == name; });
}

bool ZipReader::Read(const std::string& name, std::vector<uint8_t>& data, uint64_t maxBytes) const {
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& candidate) { return candidate.name == name; });
    if (!m_archive || entry == m_entries.end() || entry->size > maxBytes)
        return false;
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen(m_archive, name.c_str(), 0));
    if (!file)
        return false;
    data.resize(entry->size);
    zip_uint64_t done = 0;
    while (done < entry->size) {
        const zip_int64_t got = zip_fread(file.get(), data.data() + done, entry->size - done);
        if (got <= 0)
            return false;
        done += static_cast<zip_uint64_t>(got);
    }
    return true;
}

} // namespace vexa::formats
