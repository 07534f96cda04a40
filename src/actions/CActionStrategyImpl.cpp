#include "CActionStrategyImpl.h"

#include "IActionStrategyThread.h"

CActionStrategyImpl::CActionStrategyImpl(int kind, std::list<IBaseChunk*>* list,
                                         IActionStrategyCallback* target)
    : m_kind(kind)
    , m_list(list)
    , m_target(target) {}

CActionStrategyImpl::~CActionStrategyImpl() = default;

bool CActionStrategyImpl::Start() {
    m_thread.reset();
    m_thread = std::make_unique<CActionStrategyThread>(m_kind, m_list, m_target);
    return m_thread->Start();
}

bool CActionStrategyImpl::IsRunning() const {
    return m_thread != nullptr && m_thread->IsRunning();
}

void CActionStrategyImpl::Stop() {
    m_thread.reset();
}
