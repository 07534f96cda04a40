#pragma once

#include <QObject>
#include <QPointer>

#include "QUtilThread.h"

// Watches an object across a nested event loop: a modal dialog, a message, a wait that keeps events
// flowing. The loop may deliver the removal of the object's device, which halts the object's job
// and deletes the object. Code that goes on after the loop asks Gone() before it touches the object
// or its device again.
class CModalGuard {
public:
    template <typename T>
    explicit CModalGuard(T* object)
        : m_object(object)
        , m_job(dynamic_cast<QUtilThread*>(object)) {}

    bool Gone() const { return m_object.isNull() || (m_job != nullptr && m_job->IsHalted()); }

private:
    QPointer<QObject> m_object;
    QUtilThread* m_job;
};
