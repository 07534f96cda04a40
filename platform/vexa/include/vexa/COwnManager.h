#pragma once

#include <memory>

#include "vexa.h"

// A device manager owned by its holder and given back through DeleteVexaManager when it goes.
struct COwnManagerRelease {
    void operator()(IVexaManager* manager) const { DeleteVexaManager(&manager); }
};
using COwnManager = std::unique_ptr<IVexaManager, COwnManagerRelease>;

// A manager bound to the device `deviceHandle`; none when it cannot be bound. A job that outlives a
// nested event loop uses one of its own: the device's removal during that loop releases the view's
// manager, while the job's own keeps answering (with "unplugged") until the job lets it go.
inline COwnManager OwnManagerFor(int deviceHandle) {
    COwnManager own(GetVexaManager());
    if (own && own->SetDeviceHandle(deviceHandle) != 0)
        own.reset();
    return own;
}

// The same for the device `manager` serves; none without a manager.
inline COwnManager OwnManagerFor(IVexaManager* manager) {
    return manager ? OwnManagerFor(manager->GetDeviceHandle()) : nullptr;
}
