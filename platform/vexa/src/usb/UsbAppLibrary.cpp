#include "UsbAppLibrary.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
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

// Follows an install's or uninstall's status messages until the device reports it complete or failed, or is
// unplugged.
class CommandWatch {
public:
    static void OnStatus(plist_t command, plist_t status, void* self) {
        (void)command;
        auto* watch = static_cast<CommandWatch*>(self);
        char* name = nullptr;
        char* description = nullptr;
        uint64_t code = 0;
        const instproxy_error_t error = instproxy_status_get_error(status, &name, &description, &code);
        std::free(name);
        std::free(description);
        int percent = -1;
        instproxy_status_get_percent_complete(status, &percent);
        std::lock_guard lock(watch->m_mutex);
        if (error != INSTPROXY_E_SUCCESS) {
            watch->m_result = error;
            watch->m_done = true;
        } else if (PlistString(status, "Status") == "Complete") {
            watch->m_done = true;
        } else if (percent >= 0) {
            watch->m_percent = percent;
        }
        watch->m_changed.notify_all();
    }

    instproxy_error_t Wait(const UsbDevice& device) {
        std::unique_lock lock(m_mutex);
        while (!m_done) {
            // A device that is pulled out stops sending: do not wait for the connection to time out.
            if (!device.IsConnected()) {
                return INSTPROXY_E_CONN_FAILED;
            }
            m_changed.wait_for(lock, std::chrono::milliseconds(100));
        }
        return m_result;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_done = false;
    int m_percent = 0;
    instproxy_error_t m_result = INSTPROXY_E_SUCCESS;
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
    instproxy_client_options_set_return_attributes(
        options.get(), "CFBundleIdentifier", "CFBundleDisplayName", "CFBundleName",
        "CFBundleShortVersionString", "CFBundleVersion", "StaticDiskUsage", "DynamicDiskUsage", nullptr);
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
    // The staging copy is named after the package and removed once the device has read it.
    const std::string staged = std::string(kStagingFolder) + "/" + QFileInfo(local).fileName().toStdString();
    UsbFileService files(m_device);
    const int made = files.MakeDirectory(kStagingFolder);
    if (made != VEXA_OK && made != VEXA_E_EXISTS) {
        return made == VEXA_E_UNPLUGGED ? made : int(VEXA_APP_PUT_FILE_ERROR);
    }
    const int uploaded =
        files.CopyFileToDevice(ipaPath, QString::fromStdString(staged).toStdU16String().c_str());
    if (uploaded != VEXA_OK) {
        return uploaded == VEXA_E_UNPLUGGED ? uploaded : int(VEXA_APP_PUT_FILE_ERROR);
    }
    InstallationProxy proxy(*m_device);
    if (proxy.Client() == nullptr) {
        return lostOr(*m_device, VEXA_APP_INSTALL_ERROR);
    }
    CommandWatch watch;
    instproxy_error_t error =
        instproxy_install(proxy.Client(), staged.c_str() + 1, nullptr, &CommandWatch::OnStatus, &watch);
    if (error == INSTPROXY_E_SUCCESS) {
        error = watch.Wait(*m_device);
    }
    files.RemovePath(staged.c_str()); // not every device removes the package it installed from
    if (error == INSTPROXY_E_SUCCESS) {
        return VEXA_OK;
    }
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
    // 1.3.0 answers success for a call without a status callback before the device has said anything.
    CommandWatch watch;
    instproxy_error_t error =
        instproxy_uninstall(proxy.Client(), appId, nullptr, &CommandWatch::OnStatus, &watch);
    if (error == INSTPROXY_E_SUCCESS) {
        error = watch.Wait(*m_device);
    }
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
