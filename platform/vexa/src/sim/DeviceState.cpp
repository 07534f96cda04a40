#include "DeviceState.h"

#include <fstream>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include <vexa/VexaResult.h>

namespace vexa::sim {

std::optional<DeviceState> ReadDeviceState(const std::filesystem::path& stateFile) {
    std::ifstream in(stateFile);
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
