#pragma once

#include <filesystem>

namespace vexa::sim {

// Deletes folders that nothing needs any more on a thread of its own, so that an operation whose last
// step set a large folder aside (the device's content a restore replaced) does not wait for it to go.
// Deletions still queued when the process ends are finished first.
class DiscardedFolders {
public:
    static void Discard(std::filesystem::path folder);
};

} // namespace vexa::sim
