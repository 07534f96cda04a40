#pragma once

#include <functional>
#include <optional>
#include <utility>

#include <QObject>

class IActionStrategyCallback;

// Carries a worker's notifications to an IActionStrategyCallback on the thread that created the
// adapter (the widget thread). The worker waits until each notification has been handled there -
// unless it is asked to stop, for then the widget thread is about to wait for the worker, perhaps from
// inside the very notification the worker waits for. Texts are copied, so a notification given up
// while it is being handled never reads the worker's stack.
//
// Construction reports begin at once. End is reported once: by EmitEnd(), or else by the destructor,
// which runs on the widget thread after the worker has finished and first passes on the last progress
// the worker had to give up, so a stopped action still ends with its full bar.
class CActionStrategyCallbackAdapter : public QObject {
    Q_OBJECT
public:
    // `stopRequested` tells, on the worker, whether it is asked to stop; none means never.
    explicit CActionStrategyCallbackAdapter(IActionStrategyCallback* target,
                                            std::function<bool()> stopRequested = {});
    ~CActionStrategyCallbackAdapter() override;

    IActionStrategyCallback* Target() const { return m_target; }

    // From any thread; on the adapter's own thread the target is called directly.
    void EmitEnd();
    // Drops a report whose done is greater than its total.
    void EmitProgress(quint64 done, quint64 total);
    void EmitMsg(const char* text);
    void EmitError(const char* text);

private:
    // Runs `call` on the adapter's thread and waits for it; false when the wait was given up.
    bool Deliver(std::function<void()> call);
    // On the adapter's thread.
    void ReportEnd();

    IActionStrategyCallback* m_target;
    std::function<bool()> m_stopRequested;
    // Only on the adapter's thread.
    bool m_ended = false;
    // Written by the worker, read by the destructor once the worker has finished.
    std::optional<std::pair<quint64, quint64>> m_missedProgress;
};
