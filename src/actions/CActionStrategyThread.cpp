#include "IActionStrategyThread.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QScopeGuard>
#include <QThread>

#include "CActionStrategyCallbackAdapter.h"
#include "HandleKeeper.h"
#include "IActionStrategy.h"
#include "IBaseChunk.h"

namespace {
bool IsCheckedRecord(const IBaseChunk* record) {
    return record != nullptr && record->IsChecked();
}

void Report(CActionStrategyCallbackAdapter* adapter, quint64 done, quint64 total) {
    if (adapter != nullptr) {
        adapter->EmitProgress(done, total);
    }
}
} // namespace

IActionStrategyThread::IActionStrategyThread(int kind, std::list<IBaseChunk*>* list,
                                             IActionStrategyCallback* target)
    : m_kind(kind)
    , m_list(list)
    , m_adapter(new CActionStrategyCallbackAdapter(target, [this] { return IsStopRequested(); })) {}

IActionStrategyThread::~IActionStrategyThread() {
    StopAndWait();
    // On the widget thread, after the join: no queued report can still be on its way to the adapter.
    // A thread that never ran reports its end directly here.
    delete m_adapter;
}

CActionStrategyThread::~CActionStrategyThread() {
    StopAndWait();
}

void CActionStrategyThread::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("ActionStrategyThread"));
    // Declared first, so it runs last: the end tells the target that the records are its own again.
    CActionStrategyCallbackAdapter* const adapter = Adapter();
    const auto reportEnd = qScopeGuard([adapter] { adapter->EmitEnd(); });
    ObjectHandleKeeper<IActionStrategy> strategy(CreateActionStrategy(m_kind).release());
    if (!strategy || m_list == nullptr) {
        return;
    }
    // Nothing checked: no progress at all, only the end.
    const quint64 total = std::count_if(m_list->begin(), m_list->end(), IsCheckedRecord);
    if (total == 0) {
        return;
    }
    Report(adapter, 0, total);
    quint64 done = 0;
    // Walking from the end: erasing the current node leaves every node before it in place, so `next`
    // (the node after the current one, or the end) stays valid whatever the strategy erased.
    auto next = m_list->end();
    while (next != m_list->begin() && !IsStopRequested()) {
        const auto node = std::prev(next);
        const std::size_t sizeBefore = m_list->size();
        if (IsCheckedRecord(*node)) {
            strategy->Execute(m_list, node, 0);
            Report(adapter, done, total);
            ++done;
        }
        if (m_list->size() == sizeBefore) {
            next = node;
        }
    }
    // A stopped walk still fills the bar, so the dialog always ends complete.
    Report(adapter, total, total);
}
