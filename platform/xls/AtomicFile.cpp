#include "AtomicFile.h"

#include <cerrno>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xlsFile {

AtomicFile::AtomicFile(std::string path)
    : m_path(std::move(path)) {}

AtomicFile::~AtomicFile() {
    discard();
}

XLSResult AtomicFile::open() {
    struct stat info {};
    if (m_path.empty() || (::stat(m_path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)))
        return XLSResult::FileNotWritable;
    std::random_device randomDevice;
    std::mt19937 generator(randomDevice());
    for (int attempt = 0; attempt < 16; ++attempt) {
        m_temporaryPath = m_path + ".tmp" + std::to_string(generator() % 1000000);
        // 0666 lets the umask decide the permissions, as for any file the user creates.
        m_descriptor = ::open(m_temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_descriptor >= 0)
            return XLSResult::Ok;
        if (errno != EEXIST)
            break;
    }
    m_temporaryPath.clear();
    return XLSResult::FileNotWritable;
}

XLSResult AtomicFile::write(const void* data, std::size_t size) {
    if (m_descriptor < 0 || m_failed)
        return XLSResult::WriteFailed;
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(m_descriptor, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_failed = true;
            return XLSResult::WriteFailed;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return XLSResult::Ok;
}

XLSResult AtomicFile::commit() {
    if (m_descriptor < 0 || m_failed)
        return XLSResult::WriteFailed;
    const int descriptor = std::exchange(m_descriptor, -1);
    if (::close(descriptor) != 0 || ::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0) {
        discard();
        return XLSResult::WriteFailed;
    }
    m_temporaryPath.clear();
    return XLSResult::Ok;
}

void AtomicFile::discard() {
    if (m_descriptor >= 0)
        ::close(std::exchange(m_descriptor, -1));
    if (!m_temporaryPath.empty())
        ::unlink(m_temporaryPath.c_str());
    m_temporaryPath.clear();
}

} // namespace xlsFile
