#include "CDeviceLock.h"

CDeviceLock::CDeviceLock()
    : m_guard(Mutex()) {}

CDeviceLock::~CDeviceLock() = default;

std::mutex& CDeviceLock::Mutex() {
    static std::mutex mutex;
    return mutex;
}
