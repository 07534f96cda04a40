#pragma once

#include <atomic>
#include <mutex>
#include <unordered_set>

#include <QObject>

class IObsever;

// Carries an action's reports to one observer on the thread that created the adapter (the widget
// thread). The senders may be called from any thread; texts cross as heap copies that the receiving
// slot frees. Copies still queued when the adapter goes are freed by its destructor.
//
// Destroy the adapter on its own thread. Release() lets any thread drop the observer first, so
// reports already queued reach nobody.
class QObseverAdapter : public QObject {
    Q_OBJECT
public:
    explicit QObseverAdapter(IObsever* observer);
    ~QObseverAdapter() override;

    IObsever* Observer() const { return m_observer; }
    void Release() { m_observer = nullptr; }

    void Launch();
    void End();
    void Progress(int progress, int total);
    void Msg(const char* text);
    void Note(const char* text);

signals:
    void launch();
    void end();
    void progress(int progress, int total);
    void msg(const char* msg);
    void note(const char* note);

public slots:
    void OnLaunch();
    void OnEnd();
    // A pair whose progress exceeds its total is dropped.
    void OnProgress(int process, int total);
    void OnMsg(const char* msg);
    void OnNote(const char* note);

private:
    char* Copy(const char* text);
    // Hands a queued copy to the observer, if there still is one, and frees it.
    void Deliver(const char* text, void (IObsever::*report)(const char*));
    // Takes a copy back from the queue; false when it is not one of ours (already freed).
    bool Reclaim(const char* text);

    std::atomic<IObsever*> m_observer;
    std::mutex m_copiesMutex;
    std::unordered_set<const char*> m_copies;
};
