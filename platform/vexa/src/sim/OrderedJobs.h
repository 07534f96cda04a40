#pragma once

#include <climits>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vexa::sim {

// Runs job(0) .. job(count - 1) on a few worker threads and hands their results to one consumer in
// index order. Copying many files goes faster on several threads, while what has to stay in order (the
// manifest, the progress, the fault control) stays on the consumer's thread. A job answers 0 for
// success; after a failure no further job starts. The workers keep at most a window of jobs ahead of
// the consumer, so stopping part-way leaves little done in vain.
class OrderedJobs {
public:
    using Job = std::function<int(size_t)>;
    static constexpr int kNotRun = INT_MIN;

    OrderedJobs(size_t count, Job job, unsigned threads = DefaultThreads());
    // Stops the jobs not yet started and waits for the running ones.
    ~OrderedJobs();
    OrderedJobs(const OrderedJobs&) = delete;
    OrderedJobs& operator=(const OrderedJobs&) = delete;

    // The result of job `index`, once it has run; kNotRun when the jobs stopped before it started.
    int Wait(size_t index);
    void Stop();

    // Two threads at least, so the reading of one file overlaps the writing of another; four at most.
    static unsigned DefaultThreads();

private:
    void work();

    static constexpr size_t kWindow = 64;

    const size_t m_count;
    const Job m_job;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_next = 0;     // the next job to start
    size_t m_consumed = 0; // the job the consumer waits for
    bool m_stop = false;
    std::vector<int> m_results;
    std::vector<char> m_finished;
    std::vector<std::thread> m_threads;
};

} // namespace vexa::sim
