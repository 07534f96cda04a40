#pragma once

#include <QObject>

class IActionStrategyCallback;

// Carries a worker's notifications to an IActionStrategyCallback on the thread that created the
// adapter (the widget thread). The worker waits until each notification has been handled, so texts
// and records it passes stay valid. Construction reports begin at once; destruction reports end.
//
// Notify through the Emit...() operations: they call the target directly when already on the
// adapter's thread, where a blocking signal would wait for itself forever.
class CActionStrategyCallbackAdapter : public QObject {
    Q_OBJECT
public:
    explicit CActionStrategyCallbackAdapter(IActionStrategyCallback* target);
    ~CActionStrategyCallbackAdapter() override;

    IActionStrategyCallback* Target() const { return m_target; }

    void EmitEnd();
    void EmitProgress(quint64 done, quint64 total);
    void EmitMsg(const char* text);
    void EmitError(const char* text);

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
    void OnError(const char* text);
    void OnMsg(const char* text);

private:
    bool IsOnOwnThread() const;

    IActionStrategyCallback* m_target;
    bool m_ended = false;
};
