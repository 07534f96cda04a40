#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <libimobiledevice/libimobiledevice.h>
#include <libimobiledevice/service.h>

#include "PlistValue.h"

namespace vexa::usb {

class UsbDevice;

// The device-link protocol of a device service such as mobilebackup2: binary property lists framed by a
// 32-bit big-endian length, each an array whose first item names the message ("DLMessageProcessMessage",
// "DLMessageUploadFiles", ...), with raw file streams between them. Spoken on libimobiledevice's service
// layer because plists and raw data share one connection; every read has a deadline.
class DeviceLinkConnection {
public:
    // Larger messages are refused rather than allocated: a file list of a whole device stays far below.
    static constexpr uint32_t kMaxMessage = 64u << 20;

    explicit DeviceLinkConnection(const UsbDevice& device);
    ~DeviceLinkConnection();
    DeviceLinkConnection(const DeviceLinkConnection&) = delete;
    DeviceLinkConnection& operator=(const DeviceLinkConnection&) = delete;

    // Starts `service` through lockdown and connects to it; a VexaResult.
    int Open(const char* service);
    // The device offers its protocol version; majors from 300 on are accepted (300 and 400 are both in
    // use), then the device says it is ready.
    int ExchangeVersion();

    // How long the device may stay silent before a read fails with VEXA_E_TIMEOUT.
    void SetSilenceLimit(std::chrono::milliseconds limit) { m_silenceLimit = limit; }
    // Asked about every quarter second while the device is silent; anything but VEXA_OK ends the wait
    // with that result (a cancel).
    void SetWaitCheck(std::function<int()> check) { m_waitCheck = std::move(check); }

    // Sends [name, items...]; the message takes the items over.
    int Send(const char* name, std::vector<plist_t> items);
    int SendProcessMessage(plist_t dictionary);
    // The answer to a DLMessage* request of the device; `content` (taken over) may be null.
    int SendStatus(uint64_t code, const std::string& description, plist_t content = nullptr);
    // The next message; its name in `name`. VEXA_E_PROTOCOL for anything but an array named by a string.
    int Receive(PlistPtr& message, std::string& name);

    int ReadExact(void* data, size_t length);
    int ReadBe32(uint32_t& value);
    int WriteAll(const void* data, size_t length);
    int WriteBe32(uint32_t value);

    // Tells the device the host is leaving; best effort.
    void Disconnect();

private:
    // Reads what is there (at most `length`), waiting within the silence limit; a VexaResult.
    int readSome(char* data, size_t length, size_t& got);
    int lostConnection() const;

    const UsbDevice& m_device;
    idevice_t m_idevice = nullptr;
    service_client_t m_client = nullptr;
    std::chrono::milliseconds m_silenceLimit{5000};
    std::function<int()> m_waitCheck;
    // Small protocol fields are served from here instead of one receive each.
    std::vector<char> m_buffer;
    size_t m_bufferStart = 0;
    size_t m_bufferEnd = 0;
};

} // namespace vexa::usb
