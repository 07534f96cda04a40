#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "CStopEvent.h"

class QEventLoop;

// Base of every long-running job: one worker thread and one stop event. Not a QObject, so a widget can
// take it as a second base. Waiting for the worker keeps the calling thread's events flowing, so a
// window that waits for its job keeps repainting and still receives the job's queued signals.
//
// The object must outlive its thread. A derived class calls StopAndWait() first thing in its own
// destructor: by the time ~QUtilThread() runs, the derived part that Run() uses is already gone.
class QUtilThread {
public:
    QUtilThread();
    virtual ~QUtilThread();

    QUtilThread(const QUtilThread&) = delete;
    QUtilThread& operator=(const QUtilThread&) = delete;

    // Stops and waits for a previous run, then starts Run() on a new thread; false once halted.
    bool Start();
    bool IsStopRequested() const;
    bool IsRunning() const;

    // Stops the job for good and waits for it: the device it works on is gone. The object may live
    // on for a while (it is deleted later, after any event loop that runs inside one of its
    // functions), but it starts nothing any more.
    void Halt();
    bool IsHalted() const { return m_halted; }

protected:
    virtual void Run() = 0;

    // Sleeps inside Run() for up to `timeout`; returns true at once when a stop is requested.
    bool WaitForStop(std::chrono::milliseconds timeout) const;
    void RequestStop();
    void StopAndWait();
    void WaitForThread();

private:
    void ThreadMain();
    void JoinFinishedThread();

    CStopEvent m_stopEvent;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    bool m_halted = false;
    // Guards m_running's transition to false against the waiter installing its event loop.
    std::mutex m_finishMutex;
    // Every wait in progress: an event handled during one wait may start another (a second Start() from
    // a button), and the finishing thread must end them all.
    std::vector<QEventLoop*> m_waitLoops;
};
