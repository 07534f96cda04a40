#include "QAnalysisCallbackAdapter.h"

#include <cstring>
#include <memory>

#include "SyncAnnotations.h"

namespace {

// One progress report copied to the heap, so that it outlives the worker's stack frame.
struct ProgressBlock {
    RecoverType type;
    IBaseChunk* chunk;
    quint64 current;
    quint64 total;
};

} // namespace

QAnalysisCallbackAdapter::QAnalysisCallbackAdapter(IAnalysisCallback* callback, QObject* parent)
    : QObject(parent)
    , m_callback(callback) {
    connect(this, &QAnalysisCallbackAdapter::analysisBegin, this, &QAnalysisCallbackAdapter::OnAnalysisBegin);
    connect(this, &QAnalysisCallbackAdapter::analysisEnd, this, &QAnalysisCallbackAdapter::OnAnalysisEnd);
    connect(this, &QAnalysisCallbackAdapter::analysisSize, this, &QAnalysisCallbackAdapter::OnAnalysisSize);
    connect(this, &QAnalysisCallbackAdapter::analysisError, this, &QAnalysisCallbackAdapter::OnAnalysisError);
    connect(this, &QAnalysisCallbackAdapter::analysisProgress, this,
            &QAnalysisCallbackAdapter::OnAnalysisProgress, Qt::BlockingQueuedConnection);
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
    // A blocking connection to our own thread would deadlock; there the slot runs directly.
    if (thread() == QThread::currentThread()) {
        ProgressBlock block{type, chunk, current, total};
        m_callback->OnAnalysisProgress(block.type, block.chunk, block.current, block.total);
        return;
    }
    auto* block = new ProgressBlock{type, chunk, current, total};
    VEXA_HAPPENS_BEFORE(block);
    emit analysisProgress(block);
    // The slot ran on the interface thread and returned before this emit did.
    VEXA_HAPPENS_AFTER(this);
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

void QAnalysisCallbackAdapter::OnAnalysisProgress(void* block) {
    VEXA_HAPPENS_AFTER(block);
    std::unique_ptr<ProgressBlock> progress(static_cast<ProgressBlock*>(block));
    if (m_callback && progress)
        m_callback->OnAnalysisProgress(progress->type, progress->chunk, progress->current, progress->total);
    VEXA_HAPPENS_BEFORE(this);
}

void QAnalysisCallbackAdapter::OnAnalysisError(char* message) {
    std::unique_ptr<char[]> text(message);
    if (m_callback && text)
        m_callback->OnAnalysisError(text.get());
}
