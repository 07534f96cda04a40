#include "QUtilThread.h"

#include <system_error>

#include <QCoreApplication>
#include <QDebug>
#include <QEventLoop>
#include <QThread>

QUtilThread::QUtilThread() = default;

QUtilThread::~QUtilThread() {
    StopAndWait();
}

bool QUtilThread::Start() {
    if (m_halted)
        return false;
    StopAndWait();
    m_stopEvent.Reset();
    m_running = true;
    try {
        m_thread = std::thread(&QUtilThread::ThreadMain, this);
    } catch (const std::system_error& error) {
        m_running = false;
        qDebug() << "QUtilThread::Start can't create thread:" << error.what();
        return false;
    }
    return true;
}

bool QUtilThread::IsStopRequested() const {
    return m_stopEvent.IsSet();
}

bool QUtilThread::IsRunning() const {
    return m_running;
}

bool QUtilThread::WaitForStop(std::chrono::milliseconds timeout) const {
    return m_stopEvent.WaitFor(timeout);
}

void QUtilThread::RequestStop() {
    m_stopEvent.Set();
}

void QUtilThread::Halt() {
    m_halted = true;
    StopAndWait();
}

void QUtilThread::StopAndWait() {
    m_stopEvent.Set();
    WaitForThread();
}

void QUtilThread::WaitForThread() {
    if (!m_thread.joinable()) {
        return;
    }
    if (m_thread.get_id() == std::this_thread::get_id()) {
        // Run() cannot wait for itself; the thread ends when Run() returns.
        qDebug() << "QUtilThread::WaitForThread called from its own thread";
        m_thread.detach();
        return;
    }
    // A thread without an event dispatcher (or a process without an application object) has no
    // events to keep flowing, so it joins directly.
    const bool canPumpEvents = QCoreApplication::instance() != nullptr && QThread::currentThread() &&
                               QThread::currentThread()->eventDispatcher() != nullptr;
    if (canPumpEvents) {
        QEventLoop loop;
        std::unique_lock lock(m_finishMutex);
        // A wait nested in this one may have joined the run and started the next: wait for that one too.
        while (m_running) {
            m_waitLoops.push_back(&loop);
            lock.unlock();
            loop.exec();
            lock.lock();
            std::erase(m_waitLoops, &loop);
        }
    }
    JoinFinishedThread();
}

void QUtilThread::JoinFinishedThread() {
    if (m_thread.joinable())
        m_thread.join();
    m_running = false;
}

void QUtilThread::ThreadMain() {
    Run();
    std::lock_guard lock(m_finishMutex);
    m_running = false;
    // By name, not by member pointer: a member pointer travels in a functor object that this thread and
    // the waiter share and release through a count the race checker cannot see.
    for (QEventLoop* loop : m_waitLoops)
        QMetaObject::invokeMethod(loop, "quit", Qt::QueuedConnection);
}
