#pragma once

#include <memory>

#include <vexa/vexa.h>

// A device manager of a job's own, bound to the device another manager serves. A job that outlives a
// nested event loop uses one: the device's removal during that loop releases the view's manager, while
// the job's own keeps answering (with "unplugged") until the job lets it go.
struct COwnManagerRelease {
    void operator()(IVexaManager* manager) const { DeleteVexaManager(&manager); }
};
using COwnManager = std::unique_ptr<IVexaManager, COwnManagerRelease>;

inline COwnManager OwnManagerFor(int deviceHandle) {
    COwnManager own(GetVexaManager());
    if (own && own->SetDeviceHandle(deviceHandle) != 0)
        own.reset();
    return own;
}
