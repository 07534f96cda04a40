#include "DeviceState.h"

#include <fstream>
#include <sstream>
#include <string>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vexa/VexaResult.h>

namespace vexa::sim {

namespace {
// "unplugged wifi" and a line end; anything much longer is not a state file.
constexpr size_t kStateFileLimit = 256;
} // namespace

int ReadSmallFile(const std::filesystem::path& file, size_t limit, std::string& content) {
    content.clear();
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        return errno == ENOENT ? VEXA_E_NOT_FOUND : VEXA_E_IO;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<uint64_t>(info.st_size) > limit) {
        ::close(fd);
        return VEXA_E_IO;
    }
    // The size may change while reading; never take more than the limit.
    content.resize(limit + 1);
    size_t used = 0;
    while (used < content.size()) {
        const ssize_t n = ::read(fd, content.data() + used, content.size() - used);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        used += static_cast<size_t>(n);
    }
    ::close(fd);
    content.resize(used);
    if (used > limit) {
        content.clear();
        return VEXA_E_IO;
    }
    return VEXA_OK;
}

std::optional<DeviceState> ReadDeviceState(const std::filesystem::path& stateFile) {
    std::string text;
    if (ReadSmallFile(stateFile, kStateFileLimit, text) != VEXA_OK) {
        return std::nullopt;
    }
    std::istringstream in(text);
    std::string connection, transport;
    if (!(in >> connection)) {
        return std::nullopt;
    }
    in >> transport;
    DeviceState state;
    state.plugged = connection == "plugged";
    state.wifi = transport == "wifi";
    return state;
}

int WriteDeviceState(const std::filesystem::path& stateFile, const DeviceState& state) {
    std::string line = state.plugged ? "plugged" : "unplugged";
    line += state.wifi ? " wifi\n" : " usb\n";
    return WriteFileAtomically(stateFile, line);
}

int WriteFileAtomically(const std::filesystem::path& file, const std::string& content) {
    std::filesystem::path temp = file;
    temp += ".tmp." + std::to_string(::getpid()) + "." + std::to_string(gettid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return VEXA_E_IO;
    }
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n <= 0) {
            break;
        }
        written += static_cast<size_t>(n);
    }
    const bool ok = written == content.size() && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok || ::rename(temp.c_str(), file.c_str()) != 0) {
        ::unlink(temp.c_str());
        return VEXA_E_IO;
    }
    return VEXA_OK;
}

} // namespace vexa::sim
