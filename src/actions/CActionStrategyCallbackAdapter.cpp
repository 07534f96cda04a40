#include "CActionStrategyCallbackAdapter.h"

#include <QThread>

#include "IActionStrategyCallback.h"
#include "SyncAnnotations.h"

CActionStrategyCallbackAdapter::CActionStrategyCallbackAdapter(IActionStrategyCallback* target)
    : m_target(target) {
    // The worker waits for end, progress, error and messages: the texts it passes live on its stack.
    connect(this, &CActionStrategyCallbackAdapter::begin, this, &CActionStrategyCallbackAdapter::OnBegin);
    connect(this, &CActionStrategyCallbackAdapter::end, this, &CActionStrategyCallbackAdapter::OnEnd,
            Qt::BlockingQueuedConnection);
    connect(this, &CActionStrategyCallbackAdapter::progress, this,
            &CActionStrategyCallbackAdapter::OnProgress, Qt::BlockingQueuedConnection);
    connect(this, &CActionStrategyCallbackAdapter::error, this, &CActionStrategyCallbackAdapter::OnError,
            Qt::BlockingQueuedConnection);
    connect(this, &CActionStrategyCallbackAdapter::msg, this, &CActionStrategyCallbackAdapter::OnMsg,
            Qt::BlockingQueuedConnection);
    emit begin();
}

CActionStrategyCallbackAdapter::~CActionStrategyCallbackAdapter() {
    EmitEnd();
}

void CActionStrategyCallbackAdapter::EmitEnd() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    if (IsOnOwnThread()) {
        OnEnd();
    } else {
        emit end();
        // The slot ran on the widget thread and returned before this emit did.
        VEXA_HAPPENS_AFTER(this);
    }
}

void CActionStrategyCallbackAdapter::EmitProgress(quint64 done, quint64 total) {
    if (IsOnOwnThread()) {
        OnProgress(done, total);
    } else {
        emit progress(done, total);
        VEXA_HAPPENS_AFTER(this);
    }
}

void CActionStrategyCallbackAdapter::EmitMsg(const char* text) {
    if (IsOnOwnThread()) {
        OnMsg(text);
    } else {
        emit msg(text);
        VEXA_HAPPENS_AFTER(this);
    }
}

void CActionStrategyCallbackAdapter::EmitError(const char* text) {
    if (IsOnOwnThread()) {
        OnError(text);
    } else {
        emit error(text);
        VEXA_HAPPENS_AFTER(this);
    }
}

void CActionStrategyCallbackAdapter::OnBegin() {
    if (m_target != nullptr) {
        m_target->OnBegin();
    }
}

void CActionStrategyCallbackAdapter::OnEnd() {
    if (m_target != nullptr) {
        m_target->OnEnd();
    }
    VEXA_HAPPENS_BEFORE(this);
}

void CActionStrategyCallbackAdapter::OnProgress(quint64 done, quint64 total) {
    if (m_target != nullptr && done <= total) {
        m_target->OnProgress(done, total);
    }
    VEXA_HAPPENS_BEFORE(this);
}

void CActionStrategyCallbackAdapter::OnError(const char* text) {
    if (m_target != nullptr) {
        m_target->OnError(text);
    }
    VEXA_HAPPENS_BEFORE(this);
}

void CActionStrategyCallbackAdapter::OnMsg(const char* text) {
    if (m_target != nullptr) {
        m_target->OnMsg(text);
    }
    VEXA_HAPPENS_BEFORE(this);
}

bool CActionStrategyCallbackAdapter::IsOnOwnThread() const {
    return QThread::currentThread() == thread();
}
