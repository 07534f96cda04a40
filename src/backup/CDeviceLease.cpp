#include "CDeviceLease.h"

#include <condition_variable>
#include <map>
#include <mutex>

#include "IDeviceDirectory.h"

namespace {

struct LeaseTable {
    std::mutex lock;
    std::condition_variable released;
    std::map<IVexaManager*, int> counts;
};

LeaseTable& Table() {
    static LeaseTable table;
    return table;
}

} // namespace

std::unique_ptr<CDeviceLease> CDeviceLease::Take(const IDeviceDirectory& directory, IVexaManager* manager) {
    if (manager == nullptr || !directory.IsConnected(manager))
        return nullptr;
    return std::make_unique<CDeviceLease>(manager);
}

void CDeviceLease::WaitForRelease(IVexaManager* manager) {
    LeaseTable& table = Table();
    std::unique_lock lock(table.lock);
    table.released.wait(lock, [&table, manager] { return table.counts.count(manager) == 0; });
}

CDeviceLease::CDeviceLease(IVexaManager* manager)
    : m_manager(manager) {
    LeaseTable& table = Table();
    std::lock_guard lock(table.lock);
    ++table.counts[manager];
}

CDeviceLease::~CDeviceLease() {
    LeaseTable& table = Table();
    {
        std::lock_guard lock(table.lock);
        auto it = table.counts.find(m_manager);
        if (it != table.counts.end() && --it->second == 0)
            table.counts.erase(it);
    }
    table.released.notify_all();
}
