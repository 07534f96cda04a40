#include "ZipWriter.h"

#include <zip.h>

namespace vexa::formats {

namespace {

// A fixed time stamp keeps archives of the same content byte-identical.
constexpr time_t kEntryTime = 1577836800; // 2020-01-01

} // namespace

ZipWriter::~ZipWriter() {
    if (m_archive)
        zip_discard(m_archive);
}

bool ZipWriter::Open(const std::filesystem::path& path) {
    int error = 0;
    m_archive = zip_open(path.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    return m_archive != nullptr;
}

bool ZipWriter::Add(const std::string& name, std::vector<uint8_t> data, bool compress) {
    if (!m_archive)
        return false;
    m_buffers.push_back(std::move(data));
    const std::vector<uint8_t>& buffer = m_buffers.back();
    zip_source_t* source = zip_source_buffer(m_archive, buffer.data(), buffer.size(), 0);
    if (!source)
        return false;
    const zip_int64_t index =
        zip_file_add(m_archive, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    const auto entry = static_cast<zip_uint64_t>(index);
    return zip_set_file_compression(m_archive, entry, compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) == 0 &&
           zip_file_set_mtime(m_archive, entry, kEntryTime, 0) == 0;
}

bool ZipWriter::Add(const std::string& name, const std::string& text, bool compress) {
    return Add(name, std::vector<uint8_t>(text.begin(), text.end()), compress);
}

bool ZipWriter::Close() {
    if (!m_archive)
        return false;
    const bool closed = zip_close(m_archive) == 0;
    if (!closed)
        zip_discard(m_archive);
    m_archive = nullptr;
    m_buffers.clear();
    return closed;
}

} // namespace vexa::formats
