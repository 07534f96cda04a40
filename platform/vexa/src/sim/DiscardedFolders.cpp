#include "DiscardedFolders.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace vexa::sim {

namespace {

class Deleter {
public:
    Deleter()
        : m_thread([this] { run(); }) {}
    ~Deleter() {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    Deleter(const Deleter&) = delete;
    Deleter& operator=(const Deleter&) = delete;

    void Add(fs::path folder) {
        {
            std::lock_guard lock(m_mutex);
            m_queue.push_back(std::move(folder));
        }
        m_wake.notify_one();
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_queue.empty()) {
                return; // stopping, and everything queued is gone
            }
            const fs::path folder = std::move(m_queue.front());
            m_queue.pop_front();
            lock.unlock();
            std::error_code error;
            fs::remove_all(folder, error);
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<fs::path> m_queue;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace

void DiscardedFolders::Discard(fs::path folder) {
    static Deleter deleter;
    deleter.Add(std::move(folder));
}

} // namespace vexa::sim
