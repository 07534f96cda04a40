#include "CPhotoSerialCallbackAdapter.h"

#include "CBlockingCall.h"
#include "IPhotoSerialCallback.h"

CPhotoSerialCallbackAdapter::CPhotoSerialCallbackAdapter(IPhotoSerialCallback* target,
                                                         std::function<bool()> stopRequested)
    : m_target(target)
    , m_stopRequested(std::move(stopRequested)) {
    if (m_target != nullptr) {
        m_target->OnBegin();
    }
}

CPhotoSerialCallbackAdapter::~CPhotoSerialCallbackAdapter() {
    if (m_finished) {
        return;
    }
    if (m_target != nullptr) {
        if (m_missedProgress && m_missedProgress->first <= m_missedProgress->second) {
            m_target->OnProgress(m_missedProgress->first, m_missedProgress->second);
        }
        if (!m_missedError.isEmpty()) {
            m_target->OnError(m_missedError.constData());
        }
    }
    ReportEnd();
}

void CPhotoSerialCallbackAdapter::EmitProgress(quint64 done, quint64 total) {
    IPhotoSerialCallback* target = m_target;
    const bool delivered = Deliver([target, done, total] {
        if (target != nullptr && done <= total) {
            target->OnProgress(done, total);
        }
    });
    if (!delivered) {
        m_missedProgress.emplace(done, total);
    }
}

void CPhotoSerialCallbackAdapter::EmitMsg(const char* text) {
    if (text == nullptr) {
        return;
    }
    IPhotoSerialCallback* target = m_target;
    Deliver([target, copy = QByteArray(text)] {
        if (target != nullptr) {
            target->OnMsg(copy.constData());
        }
    });
}

void CPhotoSerialCallbackAdapter::EmitError(const char* text) {
    if (text == nullptr) {
        return;
    }
    IPhotoSerialCallback* target = m_target;
    const QByteArray copy(text);
    const bool delivered = Deliver([target, copy] {
        if (target != nullptr) {
            target->OnError(copy.constData());
        }
    });
    if (!delivered) {
        m_missedError = copy;
    }
}

void CPhotoSerialCallbackAdapter::Finish() {
    // The target's end may end the adapter's owner, so nothing touches the adapter after that call.
    Deliver([this] { ReportEnd(); });
}

bool CPhotoSerialCallbackAdapter::Deliver(std::function<void()> call) {
    return CBlockingCall::Run(this, std::move(call), m_stopRequested);
}

void CPhotoSerialCallbackAdapter::ReportEnd() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    if (m_target != nullptr) {
        m_target->OnEnd();
    }
}
