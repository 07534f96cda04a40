#pragma once

#include <mutex>

// The one process-wide lock around the device-library calls that read the media lists: the library's
// list buffers are shared per device, so two readers must not overlap. Held only for the call itself.
class CDeviceLock {
public:
    CDeviceLock();
    ~CDeviceLock();

    CDeviceLock(const CDeviceLock&) = delete;
    CDeviceLock& operator=(const CDeviceLock&) = delete;

    static std::mutex& Mutex();

private:
    std::lock_guard<std::mutex> m_guard;
};
