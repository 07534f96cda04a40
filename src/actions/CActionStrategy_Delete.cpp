#include "CActionStrategy_Delete.h"

#include "IBaseChunk.h"

std::unique_ptr<IActionStrategy> CreateActionStrategy(int kind) {
    if (kind == kActionStrategyDelete) {
        return std::make_unique<CActionStrategy_Delete>();
    }
    return nullptr;
}

void CActionStrategy_Delete::Execute(std::list<IBaseChunk*>* list, std::list<IBaseChunk*>::iterator node,
                                     int) {
    if (list == nullptr) {
        return;
    }
    IBaseChunk* record = *node;
    if (record != nullptr && record->DeleteFromDevice()) {
        delete record;
        list->erase(node);
    }
}
