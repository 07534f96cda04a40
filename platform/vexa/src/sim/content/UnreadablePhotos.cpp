#include "UnreadablePhotos.h"

#include <unordered_set>

#include <vexa/VexaResult.h>

namespace vexa::sim {

bool UnreadablePhotos::IsFileFault(int code) {
    return code == VEXA_E_UNSUPPORTED || code == VEXA_E_NOT_FOUND;
}

void UnreadablePhotos::Add(const std::string& devicePath) {
    std::lock_guard lock(m_mutex);
    m_paths.insert(devicePath);
}

void UnreadablePhotos::KeepOnly(const std::vector<PhotoRecord>& records) {
    std::lock_guard lock(m_mutex);
    if (m_paths.empty())
        return;
    std::unordered_set<std::string_view> listed;
    listed.reserve(records.size());
    for (const auto& record : records) {
        if (record.path)
            listed.insert(record.path);
    }
    std::erase_if(m_paths, [&](const std::string& path) { return !listed.count(path); });
}

int UnreadablePhotos::Count() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_paths.size());
}

} // namespace vexa::sim
