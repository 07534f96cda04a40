#include "MuxProtocol.h"

#include <cstring>

#include <arpa/inet.h>

#include "EmulatedDevice.h"
#include "WireChannel.h"

namespace vexa::emulator {

using formats::Plist;
using formats::PlistPtr;

namespace {

constexpr size_t kHeaderSize = 16;
// Apple's USB vendor id and an iPhone's product id; clients only show them.
constexpr uint64_t kProductId = 0x12a8;
constexpr uint64_t kHighSpeed = 480000000;

void putLe32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t getLe32(const uint8_t* in) {
    return in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<uint32_t>(in[3]) << 24);
}

} // namespace

bool MuxProtocol::Read(WireChannel& channel, Message& message) {
    uint8_t header[kHeaderSize];
    if (!channel.ReadExact(header, sizeof header))
        return false;
    const uint32_t length = getLe32(header);
    if (length < kHeaderSize || length > kMaxMessage)
        return false;
    message.version = getLe32(header + 4);
    message.type = getLe32(header + 8);
    message.tag = getLe32(header + 12);
    std::vector<uint8_t> payload(length - kHeaderSize);
    if (!payload.empty() && !channel.ReadExact(payload.data(), payload.size()))
        return false;
    message.body = Plist::Parse(payload);
    return true;
}

std::vector<uint8_t> MuxProtocol::Frame(plist_t body, uint32_t tag) {
    const std::vector<uint8_t> xml = Plist::ToXml(body);
    std::vector<uint8_t> frame(kHeaderSize + xml.size());
    putLe32(frame.data(), static_cast<uint32_t>(frame.size()));
    putLe32(frame.data() + 4, kPlistVersion);
    putLe32(frame.data() + 8, kPlistMessage);
    putLe32(frame.data() + 12, tag);
    std::memcpy(frame.data() + kHeaderSize, xml.data(), xml.size());
    return frame;
}

bool MuxProtocol::WriteResult(WireChannel& channel, uint32_t tag, uint64_t result) {
    PlistPtr body(plist_new_dict());
    plist_dict_set_item(body.get(), "MessageType", plist_new_string("Result"));
    plist_dict_set_item(body.get(), "Number", plist_new_uint(result));
    const std::vector<uint8_t> frame = Frame(body.get(), tag);
    return channel.WriteAll(frame.data(), frame.size());
}

PlistPtr MuxProtocol::DeviceProperties(EmulatedDevice& device) {
    PlistPtr properties(plist_new_dict());
    plist_t dict = properties.get();
    plist_dict_set_item(dict, "DeviceID", plist_new_uint(device.DeviceId()));
    plist_dict_set_item(dict, "SerialNumber", plist_new_string(device.Udid().c_str()));
    if (device.IsWifi()) {
        // A sockaddr_in of a private address, as the muxer reports a device found on the network.
        uint8_t address[16] = {sizeof address, 2, 0, 0, 192, 168, 1, static_cast<uint8_t>(device.DeviceId())};
        plist_dict_set_item(dict, "ConnectionType", plist_new_string("Network"));
        plist_dict_set_item(dict, "NetworkAddress",
                            plist_new_data(reinterpret_cast<const char*>(address), sizeof address));
        plist_dict_set_item(dict, "EscapedFullServiceName",
                            plist_new_string((device.Udid() + "._apple-mobdev2._tcp.local.").c_str()));
    } else {
        plist_dict_set_item(dict, "ConnectionType", plist_new_string("USB"));
        plist_dict_set_item(dict, "ConnectionSpeed", plist_new_uint(kHighSpeed));
        plist_dict_set_item(dict, "LocationID", plist_new_uint(0x01100000u + device.DeviceId()));
        plist_dict_set_item(dict, "ProductID", plist_new_uint(kProductId));
        plist_dict_set_item(dict, "USBSerialNumber", plist_new_string(device.Udid().c_str()));
    }
    return properties;
}

std::vector<uint8_t> MuxProtocol::AttachedEvent(EmulatedDevice& device) {
    PlistPtr body(plist_new_dict());
    plist_dict_set_item(body.get(), "MessageType", plist_new_string("Attached"));
    plist_dict_set_item(body.get(), "DeviceID", plist_new_uint(device.DeviceId()));
    plist_dict_set_item(body.get(), "Properties", DeviceProperties(device).release());
    return Frame(body.get(), 0);
}

std::vector<uint8_t> MuxProtocol::DetachedEvent(int deviceId) {
    PlistPtr body(plist_new_dict());
    plist_dict_set_item(body.get(), "MessageType", plist_new_string("Detached"));
    plist_dict_set_item(body.get(), "DeviceID", plist_new_uint(deviceId));
    return Frame(body.get(), 0);
}

} // namespace vexa::emulator
