#include "CThreadWait.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

void WaitForThread(QThread* thread) {
    if (thread == nullptr || thread->isFinished() || !thread->isRunning()) {
        if (thread)
            thread->wait();
        return;
    }
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    // The thread may have ended between the check and the connection.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, thread] {
        if (thread->isFinished())
            loop.quit();
    });
    poll.start(50);
    loop.exec();
    thread->wait();
}
