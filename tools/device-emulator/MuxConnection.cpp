#include "MuxConnection.h"

#include <mutex>
#include <string>

#include <arpa/inet.h>

#include "EmulatedDevice.h"
#include "Emulator.h"
#include "MuxProtocol.h"
#include "ServiceRouter.h"
#include "WireChannel.h"

namespace vexa::emulator {

using formats::Plist;
using formats::PlistPtr;

namespace {

bool writeBody(WireChannel& channel, plist_t body, uint32_t tag) {
    const std::vector<uint8_t> frame = MuxProtocol::Frame(body, tag);
    return channel.WriteAll(frame.data(), frame.size());
}

bool listDevices(Emulator& emulator, WireChannel& channel, uint32_t tag) {
    PlistPtr body(plist_new_dict());
    plist_t list = plist_new_array();
    for (const auto& device : emulator.Devices()) {
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, "MessageType", plist_new_string("Attached"));
        plist_dict_set_item(entry, "DeviceID", plist_new_uint(device->DeviceId()));
        plist_dict_set_item(entry, "Properties", MuxProtocol::DeviceProperties(*device).release());
        plist_array_append_item(list, entry);
    }
    plist_dict_set_item(body.get(), "DeviceList", list);
    return writeBody(channel, body.get(), tag);
}

// After Listen the client only hears events; what it still sends is ignored until it leaves.
void listen(Emulator& emulator, WireChannel& channel, uint32_t tag) {
    if (!MuxProtocol::WriteResult(channel, tag, MuxProtocol::Ok))
        return;
    const int id = emulator.AddListener([&channel](const std::vector<uint8_t>& event) {
        return channel.WriteAll(event.data(), event.size());
    });
    char discard[256];
    while (channel.ReadExact(discard, 1)) {
    }
    emulator.RemoveListener(id);
}

// The client gives the port in network byte order.
bool connect(Emulator& emulator, WireChannel& channel, const MuxProtocol::Message& message) {
    const auto device =
        emulator.FindDevice(static_cast<int>(Plist::Unsigned(message.body.get(), "DeviceID")));
    if (!device) {
        MuxProtocol::WriteResult(channel, message.tag, MuxProtocol::BadDevice);
        return false;
    }
    const uint16_t port = ntohs(static_cast<uint16_t>(Plist::Unsigned(message.body.get(), "PortNumber")));
    std::optional<ServicePort> service;
    if (port == EmulatedDevice::kLockdownPort)
        service = ServicePort{"lockdown", {}, false};
    else
        service = device->TakeServicePort(port);
    if (!service) {
        MuxProtocol::WriteResult(channel, message.tag, MuxProtocol::ConnectionRefused);
        return false;
    }
    if (MuxProtocol::WriteResult(channel, message.tag, MuxProtocol::Ok))
        ServeDeviceConnection(emulator, device, channel, *service);
    return false;
}

bool pairRecordRequest(Emulator& emulator, WireChannel& channel, const MuxProtocol::Message& message,
                       const std::string& type) {
    const std::string udid = Plist::String(message.body.get(), "PairRecordID");
    if (type == "ReadPairRecord") {
        std::vector<uint8_t> record;
        if (!emulator.PairRecords().Read(udid, record))
            return MuxProtocol::WriteResult(channel, message.tag, MuxProtocol::BadDevice);
        PlistPtr body(plist_new_dict());
        plist_dict_set_item(body.get(), "PairRecordData",
                            plist_new_data(reinterpret_cast<const char*>(record.data()), record.size()));
        return writeBody(channel, body.get(), message.tag);
    }
    if (type == "SavePairRecord") {
        const bool saved =
            emulator.PairRecords().Save(udid, Plist::Data(message.body.get(), "PairRecordData"));
        return MuxProtocol::WriteResult(channel, message.tag,
                                        saved ? MuxProtocol::Ok : MuxProtocol::BadCommand);
    }
    const bool removed = emulator.PairRecords().Remove(udid);
    return MuxProtocol::WriteResult(channel, message.tag, removed ? MuxProtocol::Ok : MuxProtocol::BadDevice);
}

// False when the connection has ended or been handed over.
bool serveOne(Emulator& emulator, WireChannel& channel, const MuxProtocol::Message& message) {
    if (message.version != MuxProtocol::kPlistVersion || message.type != MuxProtocol::kPlistMessage)
        return MuxProtocol::WriteResult(channel, message.tag, MuxProtocol::BadVersion);
    if (!message.body)
        return MuxProtocol::WriteResult(channel, message.tag, MuxProtocol::BadCommand);
    const std::string type = Plist::String(message.body.get(), "MessageType");
    if (type == "ListDevices")
        return listDevices(emulator, channel, message.tag);
    if (type == "Listen") {
        listen(emulator, channel, message.tag);
        return false;
    }
    if (type == "Connect")
        return connect(emulator, channel, message);
    if (type == "ReadBUID") {
        PlistPtr body(plist_new_dict());
        plist_dict_set_item(body.get(), "BUID",
                            plist_new_string(emulator.PairRecords().SystemBuid().c_str()));
        return writeBody(channel, body.get(), message.tag);
    }
    if (type == "ReadPairRecord" || type == "SavePairRecord" || type == "DeletePairRecord")
        return pairRecordRequest(emulator, channel, message, type);
    return MuxProtocol::WriteResult(channel, message.tag, MuxProtocol::BadCommand);
}

} // namespace

void ServeMuxClient(Emulator& emulator, std::unique_ptr<WireChannel> channel) {
    if (!emulator.Register(channel.get()))
        return;
    MuxProtocol::Message message;
    while (MuxProtocol::Read(*channel, message) && serveOne(emulator, *channel, message)) {
    }
    emulator.Unregister(channel.get());
}

} // namespace vexa::emulator
