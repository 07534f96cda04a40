#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ServiceContext.h"
#include "formats/Plist.h"

namespace vexa::emulator {

// The device-link layer under mobilebackup2: binary plist arrays whose first item names the message
// ("DLMessageProcessMessage", "DLMessageUploadFiles", ...), and raw file streams between them.
class DeviceLink {
public:
    // The file stream's codes before each piece of data.
    static constexpr uint8_t kCodeSuccess = 0x00;
    static constexpr uint8_t kCodeLocalError = 0x06;
    static constexpr uint8_t kCodeRemoteError = 0x0b;
    static constexpr uint8_t kCodeFileData = 0x0c;

    explicit DeviceLink(ServiceContext& context);

    // The device offers `major`.0; false when the host refuses it or goes away.
    bool ExchangeVersion(uint64_t major);

    // Sends ["<name>", items...]; the array takes the items over. Faults planned for the service strike
    // here. False when the connection has ended.
    bool Send(const char* name, std::vector<plist_t> items);
    // The next message as an array with its name in `name`; null when the host has gone.
    formats::PlistPtr Receive(std::string& name);
    // The host's answer to a DL command: ["DLMessageStatusResponse", code, description, content].
    bool ReceiveStatus(int64_t& code, formats::PlistPtr& content);
    bool SendProcessMessage(plist_t dictionary);

    bool WriteRaw(const void* data, size_t length);
    bool WriteBe32(uint32_t value);
    bool ReadRaw(void* data, size_t length);
    bool ReadBe32(uint32_t& value);

private:
    ServiceContext& m_context;
};

} // namespace vexa::emulator
