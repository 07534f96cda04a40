#include "UsbAppLibrary.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <libimobiledevice/installation_proxy.h>
#include <libimobiledevice/sbservices.h>

#include <QFileInfo>
#include <QString>

#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "PlistValue.h"
#include "UsbDevice.h"
#include "UsbFileService.h"

namespace vexa::usb {

namespace {

constexpr const char* kStagingFolder = "/PublicStaging";

// One installation_proxy connection, closed with the object.
class InstallationProxy {
public:
    explicit InstallationProxy(const UsbDevice& device) {
        if (device.IsConnected() && OpenUsbDevice(device.Udid(), &m_device) == IDEVICE_E_SUCCESS) {
            if (instproxy_client_start_service(m_device, &m_client, kClientLabel) != INSTPROXY_E_SUCCESS) {
                m_client = nullptr;
            }
        } else {
            m_device = nullptr;
        }
    }
    ~InstallationProxy() {
        if (m_client != nullptr) {
            instproxy_client_free(m_client);
        }
        if (m_device != nullptr) {
            idevice_free(m_device);
        }
    }
    instproxy_client_t Client() const { return m_client; }

private:
    idevice_t m_device = nullptr;
    instproxy_client_t m_client = nullptr;
};

void copyText(char (&target)[200], const std::string& text) {
    const size_t length = std::min(text.size(), sizeof target - 1);
    std::memcpy(target, text.data(), length);
    target[length] = 0;
}

int32_t clamp32(uint64_t value) {
    return static_cast<int32_t>(std::min<uint64_t>(value, INT32_MAX));
}

int lostOr(const UsbDevice& device, int otherwise) {
    return device.IsConnected() ? otherwise : VEXA_E_UNPLUGGED;
}

} // namespace

UsbAppLibrary::UsbAppLibrary(std::shared_ptr<UsbDevice> device)
    : m_device(std::move(device)) {}

int UsbAppLibrary::GetApplistInfo(AppRecord** records, int* count) {
    if (records == nullptr || count == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    InstallationProxy proxy(*m_device);
    if (proxy.Client() == nullptr) {
        return lostOr(*m_device, VEXA_E_IO);
    }
    PlistPtr options(instproxy_client_options_new());
    instproxy_client_options_add(options.get(), "ApplicationType", "User", nullptr);
    instproxy_client_options_set_return_attributes(options.get(), "CFBundleIdentifier", "CFBundleDisplayName",
                                                   "CFBundleName", "CFBundleShortVersionString", "CFBundleVersion",
                                                   "StaticDiskUsage", "DynamicDiskUsage", nullptr);
    plist_t answer = nullptr;
    const instproxy_error_t error = instproxy_browse(proxy.Client(), options.get(), &answer);
    PlistPtr apps(answer);
    if (error != INSTPROXY_E_SUCCESS) {
        return lostOr(*m_device, VEXA_E_IO);
    }
    if (!apps || plist_get_node_type(apps.get()) != PLIST_ARRAY) {
        return VEXA_E_PROTOCOL;
    }
    auto& arena = m_list.ForCurrentThread();
    arena.Clear();
    const uint32_t total = plist_array_get_size(apps.get());
    auto* list = arena.NewArray<AppRecord>(total);
    int kept = 0;
    for (uint32_t i = 0; i < total; ++i) {
        plist_t app = plist_array_get_item(apps.get(), i);
        const std::string id = PlistString(app, "CFBundleIdentifier");
        if (id.empty()) {
            continue;
        }
        AppRecord& record = list[kept++];
        std::string name = PlistString(app, "CFBundleDisplayName");
        if (name.empty()) {
            name = PlistString(app, "CFBundleName");
        }
        std::string version = PlistString(app, "CFBundleShortVersionString");
        if (version.empty()) {
            version = PlistString(app, "CFBundleVersion");
        }
        copyText(record.name, name.empty() ? id : name);
        copyText(record.id, id);
        copyText(record.version, version);
        record.appSize = clamp32(PlistUnsigned(app, "StaticDiskUsage"));
        record.fileSize = clamp32(PlistUnsigned(app, "DynamicDiskUsage"));
    }
    *records = kept == 0 ? nullptr : list;
    *count = kept;
    return VEXA_OK;
}

int UsbAppLibrary::GetAppListIcon(AppRecord* records, int count) {
    if ((records == nullptr && count > 0) || count < 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    idevice_t device = nullptr;
    if (!m_device->IsConnected() || OpenUsbDevice(m_device->Udid(), &device) != IDEVICE_E_SUCCESS) {
        return VEXA_E_UNPLUGGED;
    }
    sbservices_client_t springboard = nullptr;
    if (sbservices_client_start_service(device, &springboard, kClientLabel) != SBSERVICES_E_SUCCESS) {
        idevice_free(device);
        return lostOr(*m_device, VEXA_E_IO);
    }
    auto& arena = m_icons.ForCurrentThread();
    arena.Clear();
    int result = VEXA_OK;
    for (int i = 0; i < count && result == VEXA_OK; ++i) {
        char* png = nullptr;
        uint64_t size = 0;
        const sbservices_error_t error = sbservices_get_icon_pngdata(springboard, records[i].id, &png, &size);
        if (error == SBSERVICES_E_SUCCESS && png != nullptr && size > 0 && size < INT32_MAX) {
            records[i].icon = arena.KeepBytes(std::vector<uint8_t>(png, png + size));
            records[i].iconLength = static_cast<int32_t>(size);
        } else if (error != SBSERVICES_E_SUCCESS && !m_device->IsConnected()) {
            result = VEXA_E_UNPLUGGED; // an app without an icon keeps none; a lost device ends the run
        }
        std::free(png);
    }
    sbservices_client_free(springboard);
    idevice_free(device);
    return result;
}

int UsbAppLibrary::InstallApp(const char16_t* ipaPath) {
    if (ipaPath == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    const QString local = QString::fromUtf16(ipaPath);
    if (!QFileInfo(local).isFile()) {
        return VEXA_APP_PUT_FILE_ERROR;
    }
    // The staging copy is named after the package; the device removes it once installed.
    const std::string staged = std::string(kStagingFolder) + "/" + QFileInfo(local).fileName().toStdString();
    UsbFileService files(m_device);
    const int made = files.MakeDirectory(kStagingFolder);
    if (made != VEXA_OK && made != VEXA_E_EXISTS) {
        return made == VEXA_E_UNPLUGGED ? made : int(VEXA_APP_PUT_FILE_ERROR);
    }
    const int uploaded = files.CopyFileToDevice(ipaPath, QString::fromStdString(staged).toStdU16String().c_str());
    if (uploaded != VEXA_OK) {
        return uploaded == VEXA_E_UNPLUGGED ? uploaded : int(VEXA_APP_PUT_FILE_ERROR);
    }
    InstallationProxy proxy(*m_device);
    if (proxy.Client() == nullptr) {
        return lostOr(*m_device, VEXA_APP_INSTALL_ERROR);
    }
    // Without a status callback the call waits until the device has finished (or failed).
    const instproxy_error_t error = instproxy_install(proxy.Client(), staged.c_str() + 1, nullptr, nullptr, nullptr);
    if (error == INSTPROXY_E_SUCCESS) {
        return VEXA_OK;
    }
    files.RemovePath(staged.c_str());
    if (error == INSTPROXY_E_DEVICE_OS_VERSION_TOO_LOW) {
        return VEXA_APP_OS_TOO_OLD;
    }
    return lostOr(*m_device, VEXA_APP_INSTALL_ERROR);
}

int UsbAppLibrary::UninstallApp(const char* appId) {
    if (appId == nullptr || *appId == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    InstallationProxy proxy(*m_device);
    if (proxy.Client() == nullptr) {
        return lostOr(*m_device, VEXA_APP_UNINSTALL_FAILED);
    }
    const instproxy_error_t error = instproxy_uninstall(proxy.Client(), appId, nullptr, nullptr, nullptr);
    return error == INSTPROXY_E_SUCCESS ? int(VEXA_OK) : lostOr(*m_device, VEXA_APP_UNINSTALL_FAILED);
}

int UsbAppLibrary::BackupApp(const char*, const char*, int) {
    // Devices stopped offering app archives long ago; the app view says so.
    return VEXA_APP_BACKUP_FAILED;
}

std::unique_ptr<IAppLibrary> CreateUsbAppLibrary(std::shared_ptr<UsbDevice> device) {
    return std::make_unique<UsbAppLibrary>(std::move(device));
}

} // namespace vexa::usb
