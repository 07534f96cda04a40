#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// A manual-reset event: once set it stays set until Reset(), and every waiter wakes.
class CStopEvent {
public:
    void Set();
    void Reset();
    bool IsSet() const;
    // Sleeps up to `timeout` and returns early with true when the event is set.
    bool WaitFor(std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_set = false;
};
