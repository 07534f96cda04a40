#include "PendingLocalFile.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace vexa::usb {

namespace fs = std::filesystem;

namespace {

// A nameless file is linked in through its /proc entry, which needs no privilege; without /proc the
// hidden name is used.
bool CanLinkNamelessFiles() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

int OpenRetrying(const char* path, int flags) {
    int fd;
    do {
        fd = ::open(path, flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

PendingLocalFile::PendingLocalFile(fs::path destination)
    : m_destination(std::move(destination))
    , m_part(m_destination.parent_path() / ("." + m_destination.filename().string() + ".vexa-part")) {}

PendingLocalFile::~PendingLocalFile() {
    if (m_placed)
        return;
    m_file.Close();
    RemovePart();
}

bool PendingLocalFile::Open() {
    if (CanLinkNamelessFiles()) {
        const fs::path folder = m_destination.parent_path();
        m_file.Reset(OpenRetrying(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY));
        if (m_file.Get() >= 0)
            return true;
    }
    // The file system keeps no nameless files (or the folder cannot be written, which the hidden
    // name finds out too).
    m_file.Reset(OpenRetrying(m_part.c_str(), O_WRONLY | O_CREAT | O_TRUNC));
    m_partExists = m_file.Get() >= 0;
    return m_partExists;
}

bool PendingLocalFile::LinkUnder(const fs::path& name) const {
    const std::string self = "/proc/self/fd/" + std::to_string(m_file.Get());
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool PendingLocalFile::Commit() {
    if (m_file.Get() < 0 || m_placed)
        return m_placed;
    if (!m_partExists) {
        // The common case, a new name, takes one step. A file already there is replaced by a rename,
        // so it stays whole until the new one takes its place.
        if (LinkUnder(m_destination)) {
            m_placed = true;
        } else if (errno == EEXIST) {
            std::error_code ignored;
            fs::remove(m_part, ignored); // left by a copy that was cut off
            m_partExists = LinkUnder(m_part);
        }
    }
    // A failed close can be the first sign of a full disk: the file is then not whole.
    const bool closed = m_file.Close();
    if (m_placed && !closed) {
        std::error_code ignored;
        fs::remove(m_destination, ignored);
        m_placed = false;
    }
    if (m_partExists && closed) {
        std::error_code error;
        fs::rename(m_part, m_destination, error);
        m_placed = !error;
        m_partExists = !m_placed;
    }
    RemovePart();
    return m_placed;
}

void PendingLocalFile::RemovePart() {
    if (m_partExists) {
        std::error_code ignored;
        fs::remove(m_part, ignored);
        m_partExists = false;
    }
}

} // namespace vexa::usb
