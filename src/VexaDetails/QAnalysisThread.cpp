#include "QAnalysisThread.h"

#include "QAnalysisCallbackAdapter.h"

QAnalysisThread::~QAnalysisThread() {
    // The derived destructor stopped the worker already; the adapter must not go before that.
    StopAndWait();
    delete m_adapter;
}

QAnalysisCallbackAdapter* QAnalysisThread::SetCallback(IAnalysisCallback* callback) {
    // A running load reports through the old adapter: it ends before the adapter goes.
    StopAndWait();
    delete m_adapter;
    m_adapter = new QAnalysisCallbackAdapter(callback, [this] { return IsStopRequested(); });
    return m_adapter;
}
