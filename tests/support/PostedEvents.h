#pragma once

#include <QMetaObject>
#include <QObject>
#include <QTest>

// Waits until the events posted before the call have run, and the ones they posted in turn: the queued
// result of a worker that ended, then the message it shows once the loop runs. False when they did not
// run within `timeoutMs` (a dialog nobody closes holds them up).
inline bool RunPostedEvents(int timeoutMs = 10000) {
    for (int round = 0; round < 2; ++round) {
        QObject marker;
        bool reached = false;
        QMetaObject::invokeMethod(
            &marker, [&reached] { reached = true; }, Qt::QueuedConnection);
        if (!QTest::qWaitFor([&reached] { return reached; }, timeoutMs))
            return false;
    }
    return true;
}
