#include "CActionStrategyCallbackAdapter.h"

#include <QByteArray>

#include "CBlockingCall.h"
#include "IActionStrategyCallback.h"

CActionStrategyCallbackAdapter::CActionStrategyCallbackAdapter(IActionStrategyCallback* target,
                                                               std::function<bool()> stopRequested)
    : m_target(target)
    , m_stopRequested(std::move(stopRequested)) {
    if (m_target != nullptr) {
        m_target->OnBegin();
    }
}

CActionStrategyCallbackAdapter::~CActionStrategyCallbackAdapter() {
    if (m_ended) {
        return;
    }
    if (m_target != nullptr && m_missedProgress && m_missedProgress->first <= m_missedProgress->second) {
        m_target->OnProgress(m_missedProgress->first, m_missedProgress->second);
    }
    ReportEnd();
}

void CActionStrategyCallbackAdapter::EmitEnd() {
    // The slot may end the adapter's owner, so nothing here touches the adapter after the target call.
    Deliver([this] { ReportEnd(); });
}

void CActionStrategyCallbackAdapter::EmitProgress(quint64 done, quint64 total) {
    IActionStrategyCallback* target = m_target;
    const bool delivered = Deliver([target, done, total] {
        if (target != nullptr && done <= total) {
            target->OnProgress(done, total);
        }
    });
    if (!delivered) {
        m_missedProgress.emplace(done, total);
    }
}

void CActionStrategyCallbackAdapter::EmitMsg(const char* text) {
    IActionStrategyCallback* target = m_target;
    Deliver([target, copy = QByteArray(text)] {
        if (target != nullptr) {
            target->OnMsg(copy.isNull() ? nullptr : copy.constData());
        }
    });
}

void CActionStrategyCallbackAdapter::EmitError(const char* text) {
    IActionStrategyCallback* target = m_target;
    Deliver([target, copy = QByteArray(text)] {
        if (target != nullptr) {
            target->OnError(copy.isNull() ? nullptr : copy.constData());
        }
    });
}

bool CActionStrategyCallbackAdapter::Deliver(std::function<void()> call) {
    return CBlockingCall::Run(this, std::move(call), m_stopRequested);
}

void CActionStrategyCallbackAdapter::ReportEnd() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    if (m_target != nullptr) {
        m_target->OnEnd();
    }
}
