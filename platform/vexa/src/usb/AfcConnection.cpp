#include "AfcConnection.h"

#include <cstring>

#include <arpa/inet.h>

#include <vexa/VexaResult.h>

#include "PlistValue.h"
#include "UsbDevice.h"

namespace vexa::usb {

namespace {

// house_arrest answers with one small property list; anything longer is not its answer.
constexpr uint32_t kMaxHouseArrestAnswer = 64 * 1024;

int resultOfIo(ServiceConnection::Io io, const UsbDevice& device) {
    if (!device.IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    return io == ServiceConnection::Io::TimedOut ? VEXA_E_TIMEOUT : VEXA_E_IO;
}

// Asks house_arrest for the app's documents: a property list framed by its big-endian length each way.
// On "Complete" the same connection goes on as AFC over the app's container.
int vendDocuments(ServiceConnection& service, const std::string& appId, const UsbDevice& device) {
    PlistPtr command(plist_new_dict());
    plist_dict_set_item(command.get(), "Command", plist_new_string("VendDocuments"));
    plist_dict_set_item(command.get(), "Identifier", plist_new_string(appId.c_str()));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(command.get(), &xml, &length);
    std::string packet(4, '\0');
    const uint32_t bigEndian = htonl(length);
    std::memcpy(packet.data(), &bigEndian, 4);
    packet.append(xml, length);
    plist_to_xml_free(xml);
    if (auto io = service.Send(packet.data(), packet.size()); io != ServiceConnection::Io::Ok) {
        return resultOfIo(io, device);
    }
    uint32_t answerLength = 0;
    if (auto io = service.Receive(&answerLength, 4); io != ServiceConnection::Io::Ok) {
        return resultOfIo(io, device);
    }
    answerLength = ntohl(answerLength);
    if (answerLength == 0 || answerLength > kMaxHouseArrestAnswer) {
        return VEXA_E_PROTOCOL;
    }
    std::string answer(answerLength, '\0');
    if (auto io = service.Receive(answer.data(), answer.size()); io != ServiceConnection::Io::Ok) {
        return resultOfIo(io, device);
    }
    plist_t parsed = nullptr;
    plist_from_memory(answer.data(), answerLength, &parsed);
    PlistPtr result(parsed);
    if (!result || plist_get_node_type(result.get()) != PLIST_DICT) {
        return VEXA_E_PROTOCOL;
    }
    // An unknown app, or one that shares no documents, answers with an error instead of "Complete".
    return PlistString(result.get(), "Status") == "Complete" ? VEXA_OK : VEXA_E_NOT_FOUND;
}

} // namespace

int ResultOfAfc(afc_error_t error, const UsbDevice& device) {
    switch (error) {
    case AFC_E_SUCCESS:
        return VEXA_OK;
    case AFC_E_OBJECT_NOT_FOUND:
        return VEXA_E_NOT_FOUND;
    case AFC_E_OBJECT_EXISTS:
        return VEXA_E_EXISTS;
    case AFC_E_DIR_NOT_EMPTY:
        return VEXA_E_NOT_EMPTY;
    case AFC_E_NO_SPACE_LEFT:
        return VEXA_E_NO_SPACE;
    case AFC_E_INVALID_ARG:
    case AFC_E_OBJECT_IS_DIR:
        return VEXA_E_INVALID_ARGUMENT;
    case AFC_E_PERM_DENIED:
        return VEXA_E_PROTECTED;
    case AFC_E_OP_TIMEOUT:
        return device.IsConnected() ? VEXA_E_TIMEOUT : VEXA_E_UNPLUGGED;
    case AFC_E_OP_HEADER_INVALID:
    case AFC_E_UNKNOWN_PACKET_TYPE:
    case AFC_E_TOO_MUCH_DATA:
        return VEXA_E_PROTOCOL;
    default:
        return device.IsConnected() ? VEXA_E_IO : VEXA_E_UNPLUGGED;
    }
}

AfcConnection::AfcConnection(std::unique_ptr<ServiceConnection> service)
    : m_service(std::move(service))
    , m_client(*m_service) {}

int AfcConnection::OpenMedia(const UsbDevice& device, std::unique_ptr<AfcConnection>& connection) {
    std::unique_ptr<ServiceConnection> service;
    if (int opened = ServiceConnection::Open(device, "com.apple.afc", service); opened != VEXA_OK) {
        return opened;
    }
    connection.reset(new AfcConnection(std::move(service)));
    return VEXA_OK;
}

int AfcConnection::OpenAppDocuments(const UsbDevice& device, const std::string& appId,
                                    std::unique_ptr<AfcConnection>& connection) {
    std::unique_ptr<ServiceConnection> service;
    if (int opened = ServiceConnection::Open(device, "com.apple.mobile.house_arrest", service);
        opened != VEXA_OK) {
        return opened;
    }
    if (int vended = vendDocuments(*service, appId, device); vended != VEXA_OK) {
        return vended;
    }
    connection.reset(new AfcConnection(std::move(service)));
    return VEXA_OK;
}

} // namespace vexa::usb
