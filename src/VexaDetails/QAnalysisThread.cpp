#include "QAnalysisThread.h"

#include "QAnalysisCallbackAdapter.h"

QAnalysisThread::~QAnalysisThread() {
    // The derived destructor stopped the worker already; the adapter must not go before that.
    StopAndWait();
    delete m_adapter;
}

QAnalysisCallbackAdapter* QAnalysisThread::SetCallback(IAnalysisCallback* callback) {
    delete m_adapter;
    m_adapter = new QAnalysisCallbackAdapter(callback);
    return m_adapter;
}
