#pragma once

#include <algorithm>
#include <functional>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

// Runs the event loop until `done` holds or `timeoutMs` have passed, looking at `done` at least every
// `sliceMs`.
inline void ProcessUntil(const std::function<bool()>& done, int timeoutMs, int sliceMs = 5) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, sliceMs);
}

// The GUI thread's heartbeat: the longest gap between two ticks of a 2 ms timer from construction to
// Stop(), which is how long the GUI thread went without handling a timer.
class BenchHeartbeat {
public:
    BenchHeartbeat() {
        m_ticker.setInterval(2);
        QObject::connect(&m_ticker, &QTimer::timeout,
                         [this] { m_longest = std::max(m_longest, m_beat.restart()); });
        m_beat.start();
        m_ticker.start();
    }

    // The longest gap in milliseconds so far, the one open now included; the heartbeat goes on.
    qint64 LongestSoFar() const { return std::max(m_longest, m_beat.elapsed()); }

    // The longest gap in milliseconds. With `countOpenGap` it first waits (a second at most) for one
    // more tick, so the gap that is open now, such as the pause of showing what was loaded, counts too.
    qint64 Stop(bool countOpenGap) {
        if (countOpenGap) {
            const qint64 since = m_beat.elapsed();
            ProcessUntil([&] { return m_beat.elapsed() < since; }, 1000);
        }
        m_ticker.stop();
        return m_longest;
    }

private:
    QTimer m_ticker;
    QElapsedTimer m_beat;
    qint64 m_longest = 0;
};

// A page load as a user sees it: `start` begins it (a press), the event loop runs until `done` holds
// (a minute at most), and `settle` lays out and paints the result. The milliseconds from `start` to the
// end of `settle`.
inline double TimeLoad(const std::function<void()>& start, const std::function<bool()>& done,
                       const std::function<void()>& settle) {
    QElapsedTimer clock;
    clock.start();
    start();
    ProcessUntil(done, 60000);
    settle();
    return double(clock.nsecsElapsed()) / 1e6;
}
