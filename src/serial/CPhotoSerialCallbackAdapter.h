#pragma once

#include <functional>
#include <optional>
#include <utility>

#include <QByteArray>
#include <QObject>

class IPhotoSerialCallback;

// Carries a worker's reports to an IPhotoSerialCallback on the thread that created the adapter (the
// widget thread). The worker waits until each report has been handled there - unless it is asked to
// stop, for then the widget thread is about to wait for the worker, perhaps from inside the very report
// the worker waits for. Texts are copied, so a report given up while it is being handled never reads
// the worker's stack.
//
// Construction reports begin at once. End is reported once: by Finish(), which the worker calls, or
// else by the destructor, which first passes on the last progress and error the worker had to give up,
// so a stopped transfer still ends with its bar and its count of failures.
//
// The adapter is a widget-thread object and is destroyed there, by its owner, once the worker has
// finished - never by the worker.
class CPhotoSerialCallbackAdapter : public QObject {
    Q_OBJECT
public:
    // `stopRequested` tells, on the worker, whether it is asked to stop; none means never.
    explicit CPhotoSerialCallbackAdapter(IPhotoSerialCallback* target,
                                         std::function<bool()> stopRequested = {});
    ~CPhotoSerialCallbackAdapter() override;

    // From any thread; on the adapter's own thread the target is called directly.
    // Drops a report whose done is greater than its total.
    void EmitProgress(quint64 done, quint64 total);
    void EmitMsg(const char* text);
    void EmitError(const char* text);
    void Finish();

private:
    // Runs `call` on the adapter's thread and waits for it; false when the wait was given up.
    bool Deliver(std::function<void()> call);
    // On the adapter's thread.
    void ReportEnd();

    IPhotoSerialCallback* m_target;
    std::function<bool()> m_stopRequested;
    // Only on the adapter's thread.
    bool m_finished = false;
    // Written by the worker, read by the destructor once the worker has finished.
    std::optional<std::pair<quint64, quint64>> m_missedProgress;
    QByteArray m_missedError;
};
