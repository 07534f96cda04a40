#include "OrderedJobs.h"

#include <algorithm>

namespace vexa::sim {

OrderedJobs::OrderedJobs(size_t count, Job job, unsigned threads)
    : m_count(count)
    , m_job(std::move(job))
    , m_results(count, kNotRun)
    , m_finished(count, 0) {
    const size_t workers = std::min<size_t>(std::max(threads, 1u), count);
    for (size_t i = 0; i < workers; ++i)
        m_threads.emplace_back(&OrderedJobs::work, this);
}

OrderedJobs::~OrderedJobs() {
    Stop();
    for (std::thread& thread : m_threads)
        thread.join();
}

unsigned OrderedJobs::DefaultThreads() {
    return std::clamp(std::thread::hardware_concurrency(), 2u, 4u);
}

void OrderedJobs::Stop() {
    std::lock_guard lock(m_mutex);
    m_stop = true;
    m_changed.notify_all();
}

int OrderedJobs::Wait(size_t index) {
    std::unique_lock lock(m_mutex);
    if (index >= m_count)
        return kNotRun;
    m_consumed = std::max(m_consumed, index);
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return m_finished[index] || (m_stop && index >= m_next); });
    return m_finished[index] ? m_results[index] : kNotRun;
}

void OrderedJobs::work() {
    for (;;) {
        size_t index = 0;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock,
                           [&] { return m_stop || m_next >= m_count || m_next < m_consumed + kWindow; });
            if (m_stop || m_next >= m_count)
                return;
            index = m_next++;
        }
        const int result = m_job(index);
        std::lock_guard lock(m_mutex);
        m_results[index] = result;
        m_finished[index] = 1;
        if (result != 0)
            m_stop = true;
        m_changed.notify_all();
    }
}

} // namespace vexa::sim
