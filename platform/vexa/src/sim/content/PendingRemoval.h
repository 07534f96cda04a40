#pragma once

#include <filesystem>
#include <utility>
#include <vector>

namespace vexa::sim {

// Files and folders a change deletes are first moved into the device's trash folder (same file system,
// so a rename); Commit() deletes them for good once the database change has been committed, and a
// removal that is never committed puts everything back where it was.
class PendingRemoval {
public:
    explicit PendingRemoval(std::filesystem::path trashFolder);
    ~PendingRemoval();
    PendingRemoval(const PendingRemoval&) = delete;
    PendingRemoval& operator=(const PendingRemoval&) = delete;

    // False when the path could not be moved aside (it then stays where it is). A missing path is fine.
    bool Add(const std::filesystem::path& path);
    void Commit();

private:
    std::filesystem::path m_trash;
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> m_moved; // (original, in trash)
    bool m_committed = false;
};

} // namespace vexa::sim
