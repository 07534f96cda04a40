#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include <vexa/vexa.h>

namespace vexa::sim {

class DeviceRegistry;

// The library's notification thread. It rescans the simulator root every 50 ms (a change made by
// vexa-simctl in another process is seen well within half a second) and calls the registered callback
// with arrivals and removals, one at a time and in order, so a removal never overtakes its arrival.
// A newly registered callback first hears of every device already present.
class DeviceListener {
public:
    // `afterRound` runs on the thread after each round of notifications (it makes the demo device when
    // one is due, so removals from a previous root are not held up by it); it answers true when it
    // changed the root, which the next round, at once, reports.
    DeviceListener(DeviceRegistry& registry, std::function<bool()> afterRound);
    ~DeviceListener();
    DeviceListener(const DeviceListener&) = delete;
    DeviceListener& operator=(const DeviceListener&) = delete;

    // Once it returns, the previous callback is no longer running (unless the callback itself called it):
    // its owner may be destroyed right after.
    void SetCallback(VexaListenerCallback callback);
    // Removals caused outside the thread (a new root) are delivered by the next round.
    void Wake();
    // Waits until the callback set last has heard of every device present: a round that began after
    // it was set (or after the last Wake) has ended without changing the root. False after `timeout`.
    bool WaitUntilReported(std::chrono::milliseconds timeout);

private:
    void run();
    void deliver(int mode, int handle);

    DeviceRegistry& m_registry;
    std::function<bool()> m_afterRound;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_woken = false;
    VexaListenerCallback m_callback = nullptr;
    bool m_callbackChanged = false;
    int m_delivering = 0; // callbacks in flight, run without the lock
    std::condition_variable m_delivered;
    std::set<int> m_announced; // handles the current callback has been told about
    uint64_t m_roundsStarted = 0;
    uint64_t m_reportRound = 0; // the first round that reports the present devices to the callback
    uint64_t m_quietRound = 0;  // the last round that ended without changing the root
    std::condition_variable m_roundEnded;
    std::thread m_thread;
};

} // namespace vexa::sim
