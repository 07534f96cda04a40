#include "QAnalysisCallbackAdapter.h"

#include <cstring>
#include <memory>

#include "CBlockingCall.h"

QAnalysisCallbackAdapter::QAnalysisCallbackAdapter(IAnalysisCallback* callback,
                                                   std::function<bool()> stopRequested, QObject* parent)
    : QObject(parent)
    , m_callback(callback)
    , m_stopRequested(std::move(stopRequested)) {
    connect(this, &QAnalysisCallbackAdapter::analysisBegin, this, &QAnalysisCallbackAdapter::OnAnalysisBegin);
    connect(this, &QAnalysisCallbackAdapter::analysisEnd, this, &QAnalysisCallbackAdapter::OnAnalysisEnd);
    connect(this, &QAnalysisCallbackAdapter::analysisSize, this, &QAnalysisCallbackAdapter::OnAnalysisSize);
    connect(this, &QAnalysisCallbackAdapter::analysisError, this, &QAnalysisCallbackAdapter::OnAnalysisError);
}

QAnalysisCallbackAdapter::~QAnalysisCallbackAdapter() {
    emit analysisEnd();
}

void QAnalysisCallbackAdapter::EmitBegin() {
    if (m_callback)
        emit analysisBegin();
}

void QAnalysisCallbackAdapter::EmitEnd() {
    if (m_callback)
        emit analysisEnd();
}

void QAnalysisCallbackAdapter::EmitSize(quint64 size) {
    if (m_callback)
        emit analysisSize(size);
}

void QAnalysisCallbackAdapter::EmitProgress(RecoverType type, IBaseChunk* chunk, quint64 current,
                                            quint64 total) {
    if (!m_callback)
        return;
    IAnalysisCallback* callback = m_callback;
    CBlockingCall::Run(
        this,
        [callback, type, chunk, current, total] {
            callback->OnAnalysisProgress(type, chunk, current, total);
        },
        m_stopRequested);
}

void QAnalysisCallbackAdapter::EmitError(const char* message) {
    if (!m_callback || !message)
        return;
    const size_t length = std::strlen(message);
    char* copy = new char[length + 1];
    std::memcpy(copy, message, length + 1);
    emit analysisError(copy);
}

void QAnalysisCallbackAdapter::OnAnalysisBegin() {
    if (m_callback)
        m_callback->OnAnalysisBegin();
}

void QAnalysisCallbackAdapter::OnAnalysisEnd() {
    if (m_callback)
        m_callback->OnAnalysisEnd();
}

void QAnalysisCallbackAdapter::OnAnalysisSize(quint64 size) {
    if (m_callback)
        m_callback->OnAnalysisSize(size);
}

void QAnalysisCallbackAdapter::OnAnalysisError(char* message) {
    std::unique_ptr<char[]> text(message);
    if (m_callback && text)
        m_callback->OnAnalysisError(text.get());
}
