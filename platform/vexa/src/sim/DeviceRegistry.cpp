#include "DeviceRegistry.h"

#include <set>

#include <vexa/vexa.h>

#include "SimDevice.h"

namespace fs = std::filesystem;

namespace vexa::sim {

std::vector<DeviceRegistry::Change> DeviceRegistry::SetRoot(const fs::path& root) {
    std::lock_guard lock(m_mutex);
    std::vector<Change> changes;
    if (root == m_root) {
        return changes;
    }
    while (!m_devices.empty()) {
        removeLocked(m_devices.begin()->first, changes);
    }
    m_root = root;
    return changes;
}

fs::path DeviceRegistry::Root() const {
    std::lock_guard lock(m_mutex);
    return m_root;
}

void DeviceRegistry::removeLocked(int handle, std::vector<Change>& changes) {
    auto it = m_devices.find(handle);
    if (it == m_devices.end()) {
        return;
    }
    it->second.device->MarkRemoved();
    m_handleOfUdid.erase(it->second.device->Udid());
    m_devices.erase(it);
    changes.push_back({VEXA_DEVICE_REMOVED, handle});
}

std::vector<DeviceRegistry::Change> DeviceRegistry::Scan() {
    std::lock_guard lock(m_mutex);
    std::vector<Change> changes;
    std::map<std::string, DeviceState> present;
    std::error_code error;
    if (!m_root.empty()) {
        for (fs::directory_iterator it(m_root, error), end; !error && it != end; it.increment(error)) {
            if (!SimDevice::IsDeviceFolder(it->path())) {
                continue;
            }
            const auto state = ReadDeviceState(it->path() / "state");
            if (state && state->plugged) {
                present[it->path().filename().string()] = *state;
            }
        }
    }
    std::vector<int> gone;
    for (const auto& [handle, entry] : m_devices) {
        auto found = present.find(entry.device->Udid());
        if (found == present.end() || found->second != entry.state) {
            gone.push_back(handle);
        }
    }
    for (int handle : gone) {
        removeLocked(handle, changes);
    }
    for (const auto& [udid, state] : present) {
        if (m_handleOfUdid.count(udid) != 0) {
            continue;
        }
        const int handle = m_nextHandle++;
        m_devices[handle] = Entry{std::make_shared<SimDevice>(m_root / udid), state};
        m_handleOfUdid[udid] = handle;
        changes.push_back({VEXA_DEVICE_ARRIVED, handle});
    }
    return changes;
}

std::shared_ptr<SimDevice> DeviceRegistry::Find(int handle) const {
    std::lock_guard lock(m_mutex);
    auto it = m_devices.find(handle);
    return it == m_devices.end() ? nullptr : it->second.device;
}

bool DeviceRegistry::IsWifi(int handle) const {
    std::lock_guard lock(m_mutex);
    auto it = m_devices.find(handle);
    return it != m_devices.end() && it->second.state.wifi;
}

std::vector<int> DeviceRegistry::Handles() const {
    std::lock_guard lock(m_mutex);
    std::vector<int> handles;
    for (const auto& entry : m_devices) {
        handles.push_back(entry.first);
    }
    return handles;
}

} // namespace vexa::sim
