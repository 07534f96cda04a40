#include "JpegBatch.h"

#include <algorithm>
#include <thread>

#include "JpegConverter.h"

namespace vexa::formats {

std::vector<bool> JpegBatch::Run(const std::vector<Job>& jobs, std::atomic<int>* done,
                                 const std::atomic<bool>* stop, int workers) {
    std::vector<char> converted(jobs.size(), 0);
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++) {
            if (stop && stop->load())
                return;
            converted[i] = JpegConverter::Convert(jobs[i].source, jobs[i].target) ? 1 : 0;
            if (done)
                done->fetch_add(1);
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t count = std::min<size_t>(jobs.size(), workers > 0 ? size_t(workers) : cores);
    std::vector<std::thread> threads;
    for (size_t i = 1; i < count; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    return std::vector<bool>(converted.begin(), converted.end());
}

} // namespace vexa::formats
