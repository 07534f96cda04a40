#include "AfcConnection.h"

#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "PlistValue.h"
#include "UsbDevice.h"

namespace vexa::usb {

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

AfcConnection::~AfcConnection() {
    if (m_afc != nullptr) {
        afc_client_free(m_afc);
    }
    if (m_houseArrest != nullptr) {
        house_arrest_client_free(m_houseArrest);
    }
    if (m_device != nullptr) {
        idevice_free(m_device);
    }
}

int AfcConnection::OpenMedia(const UsbDevice& device, std::unique_ptr<AfcConnection>& connection) {
    std::unique_ptr<AfcConnection> opened(new AfcConnection);
    if (!device.IsConnected() || OpenUsbDevice(device.Udid(), &opened->m_device) != IDEVICE_E_SUCCESS) {
        opened->m_device = nullptr;
        return VEXA_E_UNPLUGGED;
    }
    const afc_error_t error = afc_client_start_service(opened->m_device, &opened->m_afc, kClientLabel);
    if (error != AFC_E_SUCCESS) {
        opened->m_afc = nullptr;
        return ResultOfAfc(error, device);
    }
    connection = std::move(opened);
    return VEXA_OK;
}

int AfcConnection::OpenAppDocuments(const UsbDevice& device, const std::string& appId,
                                    std::unique_ptr<AfcConnection>& connection) {
    std::unique_ptr<AfcConnection> opened(new AfcConnection);
    if (!device.IsConnected() || OpenUsbDevice(device.Udid(), &opened->m_device) != IDEVICE_E_SUCCESS) {
        opened->m_device = nullptr;
        return VEXA_E_UNPLUGGED;
    }
    if (house_arrest_client_start_service(opened->m_device, &opened->m_houseArrest, kClientLabel) !=
        HOUSE_ARREST_E_SUCCESS) {
        opened->m_houseArrest = nullptr;
        return device.IsConnected() ? VEXA_E_IO : VEXA_E_UNPLUGGED;
    }
    plist_t answer = nullptr;
    if (house_arrest_send_command(opened->m_houseArrest, "VendDocuments", appId.c_str()) !=
            HOUSE_ARREST_E_SUCCESS ||
        house_arrest_get_result(opened->m_houseArrest, &answer) != HOUSE_ARREST_E_SUCCESS) {
        plist_free(answer);
        return device.IsConnected() ? VEXA_E_IO : VEXA_E_UNPLUGGED;
    }
    PlistPtr result(answer);
    // An unknown app, or one that shares no documents, answers with an error instead of "Complete".
    if (PlistString(result.get(), "Status") != "Complete") {
        return VEXA_E_NOT_FOUND;
    }
    const afc_error_t error = afc_client_new_from_house_arrest_client(opened->m_houseArrest, &opened->m_afc);
    if (error != AFC_E_SUCCESS) {
        opened->m_afc = nullptr;
        return ResultOfAfc(error, device);
    }
    connection = std::move(opened);
    return VEXA_OK;
}

} // namespace vexa::usb
