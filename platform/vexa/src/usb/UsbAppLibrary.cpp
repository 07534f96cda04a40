#include "UsbAppLibrary.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

#include <libimobiledevice/installation_proxy.h>

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <vexa/VexaResult.h>

#include "AfcConnection.h"
#include "PlistValue.h"
#include "ServiceExchange.h"
#include "UsbDevice.h"

namespace vexa::usb {

namespace {

constexpr const char* kStagingFolder = "/PublicStaging";
constexpr const char* kInstallationProxy = "com.apple.mobile.installation_proxy";
constexpr const char* kSpringboard = "com.apple.springboardservices";
constexpr uint32_t kUploadChunk = 256 * 1024;
// The bar of an install: the upload to the staging folder fills its first part, the device's own
// progress the rest.
constexpr int kUploadShare = 40;

// An installation_proxy command and its status messages until "Complete" or an error. `onStatus` sees
// every message (the list of a browse, the percentage of an install).
int RunCommand(const UsbDevice& device, plist_t command, const std::function<void(plist_t)>& onStatus,
               instproxy_error_t& deviceError) {
    deviceError = INSTPROXY_E_SUCCESS;
    ServiceExchange exchange(device, kInstallationProxy);
    int result = exchange.Send(command);
    while (result == VEXA_OK) {
        PlistPtr status;
        if ((result = exchange.Receive(status)) != VEXA_OK) {
            break;
        }
        if (plist_get_node_type(status.get()) != PLIST_DICT) {
            return VEXA_E_PROTOCOL;
        }
        char* name = nullptr;
        char* description = nullptr;
        uint64_t code = 0;
        deviceError = instproxy_status_get_error(status.get(), &name, &description, &code);
        std::free(name);
        std::free(description);
        if (deviceError != INSTPROXY_E_SUCCESS) {
            return VEXA_E_IO;
        }
        onStatus(status.get());
        if (PlistString(status.get(), "Status") == "Complete") {
            return VEXA_OK;
        }
    }
    return result;
}

PlistPtr NewCommand(const char* name) {
    PlistPtr command(plist_new_dict());
    plist_dict_set_item(command.get(), "Command", plist_new_string(name));
    return command;
}

// Copies the package into the staging folder, telling `progress` the share sent so far (0 to 100).
int UploadPackage(const UsbDevice& device, const QString& local, const std::string& staged,
                  const std::function<void(int)>& progress) {
    QFile source(local);
    if (!source.open(QIODevice::ReadOnly)) {
        return VEXA_APP_PUT_FILE_ERROR;
    }
    std::unique_ptr<AfcConnection> connection;
    int result = AfcConnection::OpenMedia(device, connection);
    if (result != VEXA_OK) {
        return result;
    }
    AfcClient& afc = connection->Client();
    afc_error_t error = afc.MakeDirectory(kStagingFolder);
    uint64_t handle = 0;
    if (error == AFC_E_SUCCESS || error == AFC_E_OBJECT_EXISTS) {
        error = afc.OpenFile(staged, AFC_FOPEN_WRONLY, handle);
    }
    const qint64 total = std::max<qint64>(source.size(), 1);
    qint64 sent = 0;
    bool sourceFailed = false;
    if (error == AFC_E_SUCCESS) {
        error = afc.WriteFile(
            handle,
            [&](char* buffer, size_t capacity) -> int64_t {
                const qint64 got =
                    source.read(buffer, static_cast<qint64>(std::min<size_t>(capacity, kUploadChunk)));
                if (got > 0) {
                    sent += got;
                    progress(static_cast<int>(sent * 100 / total));
                }
                return got;
            },
            sourceFailed);
    }
    if (handle != 0 && afc.CloseFile(handle) != AFC_E_SUCCESS && error == AFC_E_SUCCESS) {
        error = AFC_E_IO_ERROR;
    }
    if (error != AFC_E_SUCCESS || sourceFailed) {
        afc.RemovePath(staged, false);
        if (sourceFailed && error == AFC_E_SUCCESS) {
            return VEXA_APP_PUT_FILE_ERROR;
        }
        if (!device.IsConnected()) {
            return VEXA_E_UNPLUGGED;
        }
        return error == AFC_E_NO_SPACE_LEFT ? int(VEXA_E_NO_SPACE) : int(VEXA_APP_PUT_FILE_ERROR);
    }
    return result;
}

void RemoveStaged(const UsbDevice& device, const std::string& staged) {
    std::unique_ptr<AfcConnection> connection;
    if (AfcConnection::OpenMedia(device, connection) == VEXA_OK) {
        connection->Client().RemovePath(staged, false);
    }
}

// The failures whose reason the user can act on; the others end as the app library's own codes.
bool TellsTheUser(int result) {
    return result == VEXA_E_UNPLUGGED || result == VEXA_E_TIMEOUT || result == VEXA_E_NOT_TRUSTED ||
           result == VEXA_E_NO_SPACE;
}

void copyText(char (&target)[200], const std::string& text) {
    const size_t length = std::min(text.size(), sizeof target - 1);
    std::memcpy(target, text.data(), length);
    target[length] = 0;
}

int32_t clamp32(uint64_t value) {
    return static_cast<int32_t>(std::min<uint64_t>(value, INT32_MAX));
}

} // namespace

UsbAppLibrary::UsbAppLibrary(std::shared_ptr<UsbDevice> device)
    : m_device(std::move(device)) {}

int UsbAppLibrary::GetApplistInfo(AppRecord** records, int* count) {
    if (records == nullptr || count == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    PlistPtr command = NewCommand("Browse");
    PlistPtr options(instproxy_client_options_new());
    instproxy_client_options_add(options.get(), "ApplicationType", "User", nullptr);
    instproxy_client_options_set_return_attributes(
        options.get(), "CFBundleIdentifier", "CFBundleDisplayName", "CFBundleName",
        "CFBundleShortVersionString", "CFBundleVersion", "StaticDiskUsage", "DynamicDiskUsage", nullptr);
    plist_dict_set_item(command.get(), "ClientOptions", options.release());
    // The device sends the list in parts.
    PlistPtr apps(plist_new_array());
    instproxy_error_t deviceError = INSTPROXY_E_SUCCESS;
    const int browsed = RunCommand(
        *m_device, command.get(),
        [&](plist_t status) {
            plist_t part = plist_dict_get_item(status, "CurrentList");
            for (uint32_t i = 0;
                 part && plist_get_node_type(part) == PLIST_ARRAY && i < plist_array_get_size(part); ++i) {
                plist_array_append_item(apps.get(), plist_copy(plist_array_get_item(part, i)));
            }
        },
        deviceError);
    if (browsed != VEXA_OK) {
        return browsed;
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
        record.fileSize =
            clamp32(PlistUnsigned(app, "StaticDiskUsage") + PlistUnsigned(app, "DynamicDiskUsage"));
    }
    *records = kept == 0 ? nullptr : list;
    *count = kept;
    return VEXA_OK;
}

int UsbAppLibrary::GetAppListIcon(AppRecord* records, int count) {
    if ((records == nullptr && count > 0) || count < 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    if (count == 0) {
        return VEXA_OK;
    }
    ServiceExchange springboard(*m_device, kSpringboard);
    if (springboard.Result() != VEXA_OK) {
        return springboard.Result();
    }
    auto& arena = m_icons.ForCurrentThread();
    arena.Clear();
    for (int i = 0; i < count; ++i) {
        PlistPtr request(plist_new_dict());
        plist_dict_set_item(request.get(), "command", plist_new_string("getIconPNGData"));
        plist_dict_set_item(request.get(), "bundleId", plist_new_string(records[i].id));
        PlistPtr answer;
        int result = springboard.Send(request.get());
        if (result == VEXA_OK) {
            result = springboard.Receive(answer);
        }
        if (result != VEXA_OK) {
            return result;
        }
        // An app without an icon keeps none; any other error ends the pass.
        if (const std::string error = PlistString(answer.get(), "Error");
            !error.empty() && error != "IconNotFound") {
            return VEXA_E_IO;
        }
        plist_t data = plist_get_node_type(answer.get()) == PLIST_DICT
                           ? plist_dict_get_item(answer.get(), "pngData")
                           : nullptr;
        if (data == nullptr || plist_get_node_type(data) != PLIST_DATA) {
            continue;
        }
        char* png = nullptr;
        uint64_t size = 0;
        plist_get_data_val(data, &png, &size);
        if (png != nullptr && size > 0 && size < INT32_MAX) {
            records[i].icon = arena.KeepBytes(std::vector<uint8_t>(png, png + size));
            records[i].iconLength = static_cast<int32_t>(size);
        }
        std::free(png);
    }
    return VEXA_OK;
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
    m_installProgress = 0;
    const int upload = UploadPackage(
        *m_device, local, staged, [this](int percent) { m_installProgress = kUploadShare * percent / 100; });
    if (upload != VEXA_OK) {
        m_installProgress = -1;
        return TellsTheUser(upload) ? upload : int(VEXA_APP_PUT_FILE_ERROR);
    }
    PlistPtr command = NewCommand("Install");
    plist_dict_set_item(command.get(), "PackagePath", plist_new_string(staged.c_str() + 1));
    instproxy_error_t deviceError = INSTPROXY_E_SUCCESS;
    const int installed = RunCommand(
        *m_device, command.get(),
        [&](plist_t status) {
            int percent = -1;
            instproxy_status_get_percent_complete(status, &percent);
            if (percent >= 0) {
                m_installProgress = kUploadShare + (100 - kUploadShare) * std::min(percent, 100) / 100;
            }
        },
        deviceError);
    if (m_device->IsConnected()) {
        RemoveStaged(*m_device, staged); // not every device removes the package it installed from
    }
    m_installProgress = -1;
    if (installed == VEXA_OK) {
        return VEXA_OK;
    }
    if (deviceError == INSTPROXY_E_DEVICE_OS_VERSION_TOO_LOW) {
        return VEXA_APP_OS_TOO_OLD;
    }
    // The device's own refusal is the install error; a lost, locked or full device says so.
    return deviceError == INSTPROXY_E_SUCCESS && TellsTheUser(installed) ? installed
                                                                         : int(VEXA_APP_INSTALL_ERROR);
}

int UsbAppLibrary::GetInstallProgress() const {
    return m_installProgress;
}

int UsbAppLibrary::UninstallApp(const char* appId) {
    if (appId == nullptr || *appId == 0) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    PlistPtr command = NewCommand("Uninstall");
    plist_dict_set_item(command.get(), "ApplicationIdentifier", plist_new_string(appId));
    instproxy_error_t deviceError = INSTPROXY_E_SUCCESS;
    const int removed = RunCommand(
        *m_device, command.get(), [](plist_t) {}, deviceError);
    if (removed == VEXA_OK || removed == VEXA_E_UNPLUGGED) {
        return removed;
    }
    return VEXA_APP_UNINSTALL_FAILED;
}

int UsbAppLibrary::BackupApp(const char*, const char*, int) {
    // Devices stopped offering app archives long ago; the app view says so.
    return VEXA_APP_BACKUP_FAILED;
}

std::unique_ptr<IAppLibrary> CreateUsbAppLibrary(std::shared_ptr<UsbDevice> device) {
    return std::make_unique<UsbAppLibrary>(std::move(device));
}

} // namespace vexa::usb
