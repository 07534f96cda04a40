#include "PendingRemoval.h"

#include <atomic>
#include <string>

namespace vexa::sim {

namespace fs = std::filesystem;

PendingRemoval::PendingRemoval(fs::path trashFolder)
    : m_trash(std::move(trashFolder)) {}

PendingRemoval::~PendingRemoval() {
    if (m_committed)
        return;
    // Put back in reverse order, so a folder comes back before anything that was inside it.
    for (auto it = m_moved.rbegin(); it != m_moved.rend(); ++it) {
        std::error_code error;
        fs::rename(it->second, it->first, error);
    }
}

bool PendingRemoval::Add(const fs::path& path) {
    static std::atomic<unsigned> counter{0};
    std::error_code error;
    if (!fs::exists(fs::symlink_status(path, error)))
        return true;
    fs::create_directories(m_trash, error);
    const fs::path target = m_trash / (std::to_string(counter++) + "-" + path.filename().string());
    fs::rename(path, target, error);
    if (error)
        return false;
    m_moved.emplace_back(path, target);
    return true;
}

void PendingRemoval::Commit() {
    m_committed = true;
    for (const auto& moved : m_moved) {
        std::error_code error;
        fs::remove_all(moved.second, error);
    }
    m_moved.clear();
}

} // namespace vexa::sim
