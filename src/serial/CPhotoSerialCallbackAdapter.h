#pragma once

#include <atomic>

#include <QObject>

class IPhotoSerialCallback;

// Carries a worker's reports to an IPhotoSerialCallback on the thread that created the adapter (the
// widget thread). The worker waits until each report has been handled, so the texts it passes may
// live on its stack. Qt orders that wait with a semaphore the thread checker cannot see; a counter
// of hand-overs states the same order in our own code. Construction reports begin at once. End is
// reported once: by Finish(), which the worker calls, or else by the destructor.
//
// The adapter is a widget-thread object and is destroyed there, by its owner, never by the worker.
class CPhotoSerialCallbackAdapter : public QObject {
    Q_OBJECT
public:
    explicit CPhotoSerialCallbackAdapter(IPhotoSerialCallback* target);
    ~CPhotoSerialCallbackAdapter() override;

    // Report from any thread; on the adapter's own thread the target is called directly, where a
    // blocking signal would wait for itself.
    void EmitProgress(quint64 done, quint64 total);
    void EmitMsg(const char* text);
    void EmitError(const char* text);
    void Finish();

signals:
    void begin();
    void end();
    void progress(quint64 process, quint64 total);
    void msg(const char* text);
    void error(const char* text);

public slots:
    void OnBegin();
    void OnEnd();
    // Drops a report whose done is greater than its total.
    void OnProgress(quint64 done, quint64 total);
    void OnMsg(const char* text);
    void OnError(const char* text);

private:
    bool IsOnOwnThread() const;

    // Released before a text is handed over and after the slot is done with it; each side acquires.
    void BeginHandOver();
    void EndHandOver();

    IPhotoSerialCallback* m_target;
    bool m_finished = false;
    std::atomic<int> m_handOvers{0};
};
