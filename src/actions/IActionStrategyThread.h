#pragma once

#include <list>

#include "QUtilThread.h"

class CActionStrategyCallbackAdapter;
class IActionStrategyCallback;
class IBaseChunk;

// The worker of a batch action: a strategy kind, the records it acts on (not owned) and the adapter
// that reports to the target. Construct it on the widget thread, so the adapter's reports land there.
class IActionStrategyThread : public QUtilThread {
public:
    IActionStrategyThread(int kind, std::list<IBaseChunk*>* list, IActionStrategyCallback* target);
    // Stops the walk before the next record and waits for the thread.
    ~IActionStrategyThread() override;

protected:
    void Run() override = 0;

    // Run() reports through the adapter and ends with its EmitEnd(). The adapter lives on the widget
    // thread and is destroyed there, by this object once the worker is joined.
    CActionStrategyCallbackAdapter* Adapter() const { return m_adapter; }

    int m_kind;
    std::list<IBaseChunk*>* m_list;

private:
    CActionStrategyCallbackAdapter* m_adapter;
};

// Walks the records from last to first and applies the strategy to each checked one, reporting
// progress 0, 0, 1, ..., N-1 and finally N of the N checked records (also after a stop).
class CActionStrategyThread : public IActionStrategyThread {
public:
    using IActionStrategyThread::IActionStrategyThread;
    ~CActionStrategyThread() override;

protected:
    void Run() override;
};
