#include "CBlockingCall.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include <QObject>
#include <QThread>

namespace {

using namespace std::chrono_literals;

// How often a waiting worker looks at its stop request; the stop event has a lock of its own, so the
// worker cannot sleep on both at once.
constexpr auto kStopPoll = 20ms;

struct CallState {
    enum class Stage { Pending, Running, Done, Abandoned };
    std::mutex mutex;
    std::condition_variable changed;
    Stage stage = Stage::Pending;
};

// Orders the posting thread's making (and release) of the queued function before the context thread
// uses it. Qt's event queue already does, but under a lock inside Qt that the race checker cannot see.
std::mutex g_handOver;

} // namespace

bool CBlockingCall::Run(QObject* context, std::function<void()> call,
                        const std::function<bool()>& stopRequested) {
    if (!context)
        return false;
    if (context->thread() == QThread::currentThread()) {
        call();
        return true;
    }
    auto state = std::make_shared<CallState>();
    // The event owns the function and a share of the state: when the context dies with the event still
    // queued, both are released with it.
    std::unique_lock handOver(g_handOver);
    QMetaObject::invokeMethod(
        context,
        [state, call = std::move(call)] {
            { const std::lock_guard order(g_handOver); }
            {
                std::lock_guard lock(state->mutex);
                if (state->stage == CallState::Stage::Abandoned)
                    return;
                state->stage = CallState::Stage::Running;
            }
            call();
            std::lock_guard lock(state->mutex);
            state->stage = CallState::Stage::Done;
            state->changed.notify_all();
        },
        Qt::QueuedConnection);
    handOver.unlock();

    std::unique_lock lock(state->mutex);
    while (state->stage != CallState::Stage::Done) {
        if (stopRequested && stopRequested()) {
            // A call that is running may be the very one inside which the other thread waits for us.
            state->stage = CallState::Stage::Abandoned;
            return false;
        }
        state->changed.wait_for(lock, kStopPoll);
    }
    return true;
}
