#pragma once

#include <map>

#include <QObject>

#include "ISubjectAction.h"

class QObseverAdapter;

// Keeps one relay per observer and reports to all of them, in ascending order of the observer's
// address. The map changes only on the widget thread while no job runs; the job's thread reads it.
class QBaseAction : public QObject, public ISubjectAction {
    Q_OBJECT
public:
    explicit QBaseAction(QObject* parent = nullptr);
    // A derived action joins its thread first, so no report is being sent while the relays go.
    ~QBaseAction() override;

    void Attach(IObsever* observer) override;
    bool Detach(IObsever* observer) override;
    void DetachAll() override;

    int ObserverCount() const { return static_cast<int>(m_observers.size()); }

protected:
    void NotifyLaunch();
    void NotifyEnd();
    void NotifyProgress(int progress, int total);
    void NotifyMsg(const char* msg);
    void NotifyNote(const char* note);

private:
    // Deletes on the relay's own thread, or leaves it to that thread's event loop.
    static void Dispose(QObseverAdapter* adapter);

    std::map<IObsever*, QObseverAdapter*> m_observers;
};
