#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vexa::sim {

// The connection of a simulated device, kept in its one-line `state` file ("plugged usb",
// "unplugged wifi", ...) so that another process can plug and unplug it cheaply and atomically.
struct DeviceState {
    bool plugged = true;
    bool wifi = false;

    bool operator==(const DeviceState&) const = default;
};

// Nothing when the file is missing or unreadable: the device is not (yet) published.
std::optional<DeviceState> ReadDeviceState(const std::filesystem::path& stateFile);
// Written to a temporary name and renamed, so a reader never sees half a line.
int WriteDeviceState(const std::filesystem::path& stateFile, const DeviceState& state);

// Reads a small control file whole. A file that is larger than `limit`, is not a regular file (a FIFO would
// block the reader) or is a symbolic link (it could lead out of the simulator's folder) is refused with
// VEXA_E_IO; a missing file answers VEXA_E_NOT_FOUND.
int ReadSmallFile(const std::filesystem::path& file, size_t limit, std::string& content);

// Replaces `file` with `content` atomically (temporary file in the same folder, fsync, rename).
int WriteFileAtomically(const std::filesystem::path& file, const std::string& content);

} // namespace vexa::sim
