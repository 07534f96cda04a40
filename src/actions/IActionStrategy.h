#pragma once

#include <list>
#include <memory>

class IBaseChunk;

// Strategy kinds a batch action can run. Any other kind does nothing.
enum ActionStrategyKind : int { kActionStrategyDelete = 0 };

// What a batch action does to one record. The worker thread walks the records and calls Execute() for
// each checked one; the strategy may erase the node it is given.
class IActionStrategy {
public:
    IActionStrategy() = default;
    virtual ~IActionStrategy() = default;

    IActionStrategy(const IActionStrategy&) = delete;
    IActionStrategy& operator=(const IActionStrategy&) = delete;

    // Hooks around a whole walk; no strategy needs them yet and the worker does not call them.
    virtual void BeginAll() {}
    // Acts on the record at `node` of `list`. May erase `node`; every other node stays valid.
    virtual void Execute(std::list<IBaseChunk*>* list, std::list<IBaseChunk*>::iterator node, int flags) = 0;
    virtual void EndAll() {}
};

// The strategy of `kind`, or null for a kind this program does not know.
std::unique_ptr<IActionStrategy> CreateActionStrategy(int kind);
