#include "DeviceLink.h"

#include <arpa/inet.h>

#include "PlistFraming.h"
#include "WireChannel.h"

namespace vexa::emulator {

using formats::Plist;
using formats::PlistPtr;

DeviceLink::DeviceLink(ServiceContext& context)
    : m_context(context) {}

bool DeviceLink::ExchangeVersion(uint64_t major) {
    if (!Send("DLMessageVersionExchange", {plist_new_uint(major), plist_new_uint(0)}))
        return false;
    std::string name;
    PlistPtr reply = Receive(name);
    if (!reply || name != "DLMessageVersionExchange" ||
        Plist::StringValue(plist_array_get_item(reply.get(), 1)) != "DLVersionsOk")
        return false;
    return Send("DLMessageDeviceReady", {});
}

bool DeviceLink::Send(const char* name, std::vector<plist_t> items) {
    PlistPtr message(plist_new_array());
    plist_array_append_item(message.get(), plist_new_string(name));
    for (plist_t item : items)
        plist_array_append_item(message.get(), item);
    PlistPtr error(plist_new_array());
    plist_array_append_item(error.get(), plist_new_string("DLMessageProcessMessage"));
    plist_t errorDictionary = plist_new_dict();
    plist_dict_set_item(errorDictionary, "ErrorCode", plist_new_uint(105));
    plist_dict_set_item(errorDictionary, "ErrorDescription", plist_new_string("Internal failure"));
    plist_array_append_item(error.get(), errorDictionary);
    return SendAnswer(m_context, PlistFraming::MakeAnswer(message.get(), error.get(), true));
}

PlistPtr DeviceLink::Receive(std::string& name) {
    PlistPtr message = PlistFraming::Read(m_context.channel);
    if (!message || plist_get_node_type(message.get()) != PLIST_ARRAY ||
        plist_array_get_size(message.get()) < 1)
        return nullptr;
    name = Plist::StringValue(plist_array_get_item(message.get(), 0));
    return message;
}

bool DeviceLink::ReceiveStatus(int64_t& code, PlistPtr& content) {
    std::string name;
    PlistPtr message = Receive(name);
    if (!message || name != "DLMessageStatusResponse")
        return false;
    uint64_t value = 0;
    plist_t codeNode = plist_array_get_item(message.get(), 1);
    if (codeNode && plist_get_node_type(codeNode) == PLIST_UINT)
        plist_get_uint_val(codeNode, &value);
    code = static_cast<int64_t>(value);
    plist_t item = plist_array_get_item(message.get(), 3);
    content.reset(item ? plist_copy(item) : nullptr);
    return true;
}

bool DeviceLink::SendProcessMessage(plist_t dictionary) {
    return Send("DLMessageProcessMessage", {dictionary});
}

bool DeviceLink::WriteRaw(const void* data, size_t length) {
    return m_context.channel.WriteAll(data, length);
}

bool DeviceLink::WriteBe32(uint32_t value) {
    value = htonl(value);
    return WriteRaw(&value, sizeof value);
}

bool DeviceLink::ReadRaw(void* data, size_t length) {
    return m_context.channel.ReadExact(data, length);
}

bool DeviceLink::ReadBe32(uint32_t& value) {
    if (!ReadRaw(&value, sizeof value))
        return false;
    value = ntohl(value);
    return true;
}

} // namespace vexa::emulator
