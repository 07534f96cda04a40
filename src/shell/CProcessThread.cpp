#include "CProcessThread.h"

#include <utility>

#include <QThread>

#include "RunRedirected.h"

CProcessThread::CProcessThread(std::vector<std::string> arguments, IInvokeProcessCallback* callback)
    : m_arguments(std::move(arguments))
    , m_callback(callback) {}

CProcessThread::~CProcessThread() {
    StopAndWait();
}

void CProcessThread::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("ProcessThread"));
    m_succeeded = RunRedirected(m_arguments, m_callback, [this] { return IsStopRequested(); });
}
