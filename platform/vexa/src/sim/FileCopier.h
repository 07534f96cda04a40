#pragma once

#include <filesystem>
#include <functional>

namespace vexa::sim {

// Copies a regular file in kernel space (copy_file_range, falling back to sendfile and then read/write)
// into `target`, which must not exist yet. `keepGoing` is asked between chunks; when it answers false
// the copy stops, the partial target is removed and VEXA_E_UNPLUGGED is returned.
int CopyRegularFile(const std::filesystem::path& source, const std::filesystem::path& target,
                    const std::function<bool()>& keepGoing);

// A name next to nothing else in `folder`, for a file that is renamed into place when complete.
std::filesystem::path UniqueTempName(const std::filesystem::path& folder, const std::string& hint);

} // namespace vexa::sim
