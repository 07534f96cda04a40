#include "CPhotoSerialCallbackAdapter.h"

#include <QThread>

#include "IPhotoSerialCallback.h"

CPhotoSerialCallbackAdapter::CPhotoSerialCallbackAdapter(IPhotoSerialCallback* target)
    : m_target(target) {
    connect(this, &CPhotoSerialCallbackAdapter::begin, this, &CPhotoSerialCallbackAdapter::OnBegin);
    connect(this, &CPhotoSerialCallbackAdapter::end, this, &CPhotoSerialCallbackAdapter::OnEnd,
            Qt::BlockingQueuedConnection);
    connect(this, &CPhotoSerialCallbackAdapter::progress, this, &CPhotoSerialCallbackAdapter::OnProgress,
            Qt::BlockingQueuedConnection);
    connect(this, &CPhotoSerialCallbackAdapter::msg, this, &CPhotoSerialCallbackAdapter::OnMsg,
            Qt::BlockingQueuedConnection);
    connect(this, &CPhotoSerialCallbackAdapter::error, this, &CPhotoSerialCallbackAdapter::OnError,
            Qt::BlockingQueuedConnection);
    emit begin();
}

CPhotoSerialCallbackAdapter::~CPhotoSerialCallbackAdapter() {
    Finish();
}

void CPhotoSerialCallbackAdapter::EmitProgress(quint64 done, quint64 total) {
    if (IsOnOwnThread()) {
        OnProgress(done, total);
    } else {
        emit progress(done, total);
    }
}

void CPhotoSerialCallbackAdapter::EmitMsg(const char* text) {
    if (IsOnOwnThread()) {
        OnMsg(text);
    } else {
        BeginHandOver();
        emit msg(text);
        EndHandOver();
    }
}

void CPhotoSerialCallbackAdapter::EmitError(const char* text) {
    if (IsOnOwnThread()) {
        OnError(text);
    } else {
        BeginHandOver();
        emit error(text);
        EndHandOver();
    }
}

void CPhotoSerialCallbackAdapter::Finish() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    if (IsOnOwnThread()) {
        OnEnd();
    } else {
        emit end();
    }
}

void CPhotoSerialCallbackAdapter::OnBegin() {
    if (m_target != nullptr) {
        m_target->OnBegin();
    }
}

void CPhotoSerialCallbackAdapter::OnEnd() {
    if (m_target != nullptr) {
        m_target->OnEnd();
    }
}

void CPhotoSerialCallbackAdapter::OnProgress(quint64 done, quint64 total) {
    if (m_target != nullptr && done <= total) {
        m_target->OnProgress(done, total);
    }
}

void CPhotoSerialCallbackAdapter::OnMsg(const char* text) {
    EndHandOver();
    if (m_target != nullptr && text != nullptr) {
        m_target->OnMsg(text);
    }
    BeginHandOver();
}

void CPhotoSerialCallbackAdapter::OnError(const char* text) {
    EndHandOver();
    if (m_target != nullptr && text != nullptr) {
        m_target->OnError(text);
    }
    BeginHandOver();
}

void CPhotoSerialCallbackAdapter::BeginHandOver() {
    m_handOvers.fetch_add(1, std::memory_order_release);
}

void CPhotoSerialCallbackAdapter::EndHandOver() {
    (void)m_handOvers.load(std::memory_order_acquire);
}

bool CPhotoSerialCallbackAdapter::IsOnOwnThread() const {
    return QThread::currentThread() == thread();
}
