#pragma once

#include <list>
#include <memory>

class IActionStrategyCallback;
class IActionStrategyThread;
class IBaseChunk;

// Ties a record list, a strategy kind and a callback together and runs the action on a worker. Must
// outlive the worker: destruction stops it before the next record and waits for it.
class CActionStrategyImpl {
public:
    CActionStrategyImpl(int kind, std::list<IBaseChunk*>* list, IActionStrategyCallback* target);
    ~CActionStrategyImpl();

    CActionStrategyImpl(const CActionStrategyImpl&) = delete;
    CActionStrategyImpl& operator=(const CActionStrategyImpl&) = delete;

    // Stops and forgets an earlier run, then starts a new one; false when no thread could be started.
    // Call on the widget thread.
    bool Start();
    bool IsRunning() const;
    // Stops a run before its next record and waits for the worker (its end is reported).
    void Stop();

private:
    int m_kind;
    std::list<IBaseChunk*>* m_list;
    std::unique_ptr<IActionStrategyThread> m_thread;
    IActionStrategyCallback* m_target;
};
