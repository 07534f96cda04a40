#pragma once

#include "IActionStrategy.h"

// Deletes a record from the device and, once the device agreed, destroys the chunk and erases its node.
// A record the device refused stays in the list untouched.
class CActionStrategy_Delete : public IActionStrategy {
public:
    void Execute(std::list<IBaseChunk*>* list, std::list<IBaseChunk*>::iterator node, int flags) override;
};
