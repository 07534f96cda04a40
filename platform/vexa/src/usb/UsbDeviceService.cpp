#include "UsbDeviceService.h"

#include <QString>

#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "UsbDevice.h"
#include "UsbDeviceBackup.h"

namespace vexa::usb {

UsbDeviceService::UsbDeviceService(std::shared_ptr<UsbDevice> device)
    : m_device(std::move(device)) {}

int UsbDeviceService::GetDeviceHandle() {
    return m_device->Handle();
}

int UsbDeviceService::SetDeviceName(const char16_t* name) {
    if (name == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const std::string text = QString::fromUtf16(name).trimmed().toStdString();
    if (text.empty()) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    LockdownSession session(*m_device);
    if (session.Result() != VEXA_OK) {
        return session.Result();
    }
    return session.SetValue(nullptr, "DeviceName", PlistPtr(plist_new_string(text.c_str())));
}

int UsbDeviceService::GetMessages(ConversationList** list, int) {
    if (list != nullptr) {
        *list = nullptr;
    }
    return VEXA_E_NOT_SUPPORTED_YET;
}

int UsbDeviceService::GetBackups(BackupRecord** records, int* count) {
    if (records != nullptr) {
        *records = nullptr;
    }
    if (count != nullptr) {
        *count = 0;
    }
    return VEXA_E_NOT_SUPPORTED_YET;
}

int UsbDeviceService::BackupDevice(const char16_t* folder, int flags) {
    return BackupDeviceWithProgress(folder, flags, nullptr, nullptr);
}

int UsbDeviceService::RestoreDevice(const char16_t* folder, const char* password) {
    return RestoreDeviceWithProgress(folder, password, nullptr, nullptr);
}

int UsbDeviceService::BackupDeviceWithProgress(const char16_t* folder, int, BackupProgressCallback callback,
                                               void* context) {
    if (folder == nullptr || *folder == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const std::string path = QString::fromUtf16(folder).toStdString();
    return UsbDeviceBackup(*m_device, callback, context).Backup(path);
}

int UsbDeviceService::RestoreDeviceWithProgress(const char16_t* folder, const char* password,
                                                BackupProgressCallback callback, void* context) {
    if (folder == nullptr || *folder == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const std::string path = QString::fromUtf16(folder).toStdString();
    return UsbDeviceBackup(*m_device, callback, context).Restore(path, password == nullptr ? "" : password);
}

} // namespace vexa::usb
