#pragma once

#include <functional>

class QObject;

// Runs a function on the thread of a context object and waits until it has run there, the way a
// blocking queued call does, but gives up the wait once the worker is asked to stop. The thread that
// asks a worker to stop usually waits for it next, and while it waits - perhaps deep in nested event
// loops, perhaps inside an earlier call of this kind - it may never get round to the call: a plain
// blocking call would then hold both threads for good.
class CBlockingCall {
public:
    // True when `call` ran; false when the wait was given up because `stopRequested` turned true. A
    // call given up before it started never runs, so it must not be needed for the worker to finish.
    static bool Run(QObject* context, std::function<void()> call, const std::function<bool()>& stopRequested);
};
