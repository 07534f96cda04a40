#pragma once

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

namespace vexa::sim {

// The photos of a library whose files turned out unreadable when their thumbnails were made: a
// truncated HEIC, a file gone since the list was read. Files are only opened when a page shows them,
// so the count grows as the user scrolls. Shared by the threads that load thumbnails.
class UnreadablePhotos {
public:
    // True when `code`, the answer of a thumbnail load, says the file itself is at fault (and not the
    // connection).
    static bool IsFileFault(int code);

    void Add(const std::string& devicePath);
    // Forgets the files no longer in the library's list.
    void KeepOnly(const std::vector<PhotoRecord>& records);
    int Count() const;

private:
    mutable std::mutex m_mutex;
    std::set<std::string, std::less<>> m_paths;
};

} // namespace vexa::sim
