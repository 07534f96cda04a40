#include "QiBookAnalysisThread.h"

QiBookAnalysisThread::QiBookAnalysisThread(IVexaManager* manager, int deviceHandle, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_deviceHandle(deviceHandle) {}

QiBookAnalysisThread::~QiBookAnalysisThread() {
    StopAndWait();
}

void QiBookAnalysisThread::SetPlistPaths(const QString& purchasesPath, const QString& booksPath) {
    m_purchasesPath = purchasesPath;
    m_booksPath = booksPath;
}

void QiBookAnalysisThread::refresh() {
    Start();
}

void QiBookAnalysisThread::Run() {
    m_recordCount = 0;
    if (!IsStopRequested())
        emit emitRefreshiBookNode(m_deviceHandle);
}
