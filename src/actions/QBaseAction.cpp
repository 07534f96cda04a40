#include "QBaseAction.h"

#include <QThread>

#include "QObseverAdapter.h"

QBaseAction::QBaseAction(QObject* parent)
    : QObject(parent) {
    DetachAll();
}

QBaseAction::~QBaseAction() {
    DetachAll();
}

void QBaseAction::Attach(IObsever* observer) {
    Detach(observer);
    m_observers[observer] = new QObseverAdapter(observer);
}

bool QBaseAction::Detach(IObsever* observer) {
    const auto found = m_observers.find(observer);
    if (found == m_observers.end()) {
        return false;
    }
    Dispose(found->second);
    m_observers.erase(found);
    return true;
}

void QBaseAction::DetachAll() {
    for (const auto& entry : m_observers) {
        Dispose(entry.second);
    }
    m_observers.clear();
}

void QBaseAction::NotifyLaunch() {
    for (const auto& entry : m_observers) {
        entry.second->Launch();
    }
}

void QBaseAction::NotifyEnd() {
    for (const auto& entry : m_observers) {
        entry.second->End();
    }
}

void QBaseAction::NotifyProgress(int progress, int total) {
    for (const auto& entry : m_observers) {
        entry.second->Progress(progress, total);
    }
}

void QBaseAction::NotifyMsg(const char* msg) {
    for (const auto& entry : m_observers) {
        entry.second->Msg(msg);
    }
}

void QBaseAction::NotifyNote(const char* note) {
    for (const auto& entry : m_observers) {
        entry.second->Note(note);
    }
}

void QBaseAction::Dispose(QObseverAdapter* adapter) {
    // Reports still queued for this relay must not reach an observer that was detached.
    adapter->Release();
    if (adapter->thread() == QThread::currentThread()) {
        delete adapter;
    } else {
        adapter->deleteLater();
    }
}
