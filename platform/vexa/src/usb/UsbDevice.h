#pragma once

#include <atomic>
#include <string>

namespace vexa::usb {

// One device that usbmuxd reports over USB, known by its library handle. Every service connects to it
// afresh through usbmuxd by its udid, so the object only carries identity and whether it is still there.
class UsbDevice {
public:
    UsbDevice(int handle, std::string udid)
        : m_handle(handle)
        , m_udid(std::move(udid)) {}

    int Handle() const { return m_handle; }
    const std::string& Udid() const { return m_udid; }
    bool IsConnected() const { return m_connected.load(); }
    void MarkRemoved() { m_connected.store(false); }

private:
    const int m_handle;
    const std::string m_udid;
    std::atomic<bool> m_connected{true};
};

} // namespace vexa::usb
