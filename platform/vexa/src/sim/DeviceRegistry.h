#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "DeviceState.h"

namespace vexa::sim {

class SimDevice;

// The devices present under the simulator root, each known by a handle for as long as it stays
// connected. A handle is never given out twice in one process: a device that comes back, or changes
// between cable and Wi-Fi, arrives under a new handle.
class DeviceRegistry {
public:
    struct Change {
        int mode; // VEXA_DEVICE_ARRIVED or VEXA_DEVICE_REMOVED
        int handle;
    };

    // Switching to another root removes every device of the old one.
    std::vector<Change> SetRoot(const std::filesystem::path& root);
    std::filesystem::path Root() const;
    // Compares the root with the devices known so far.
    std::vector<Change> Scan();

    std::shared_ptr<SimDevice> Find(int handle) const;
    bool IsWifi(int handle) const;
    std::vector<int> Handles() const;

private:
    struct Entry {
        std::shared_ptr<SimDevice> device;
        DeviceState state;
    };
    void removeLocked(int handle, std::vector<Change>& changes);

    mutable std::mutex m_mutex;
    std::filesystem::path m_root;
    std::map<int, Entry> m_devices;
    std::map<std::string, int> m_handleOfUdid;
    int m_nextHandle = 1;
};

} // namespace vexa::sim
