#pragma once

#include <atomic>
#include <filesystem>
#include <vector>

namespace vexa::formats {

// Many pictures converted to JPEG through JpegConverter, several at once: one picture per worker, as
// many workers as the machine has cores (a decoder of one picture is mostly single-threaded).
class JpegBatch {
public:
    struct Job {
        std::filesystem::path source;
        std::filesystem::path target;
    };

    // Converts every job; `converted[i]` tells whether job i was written. `done`, when given, counts
    // the jobs finished so far (another thread may read it); `stop`, when given and set, leaves the
    // jobs not yet started undone. `workers` 0 takes the number of cores.
    static std::vector<bool> Run(const std::vector<Job>& jobs, std::atomic<int>* done = nullptr,
                                 const std::atomic<bool>* stop = nullptr, int workers = 0);
};

} // namespace vexa::formats
