#include "UsbManager.h"

#include <string>

#include <vexa/VexaResult.h>

#include "LockdownSession.h"
#include "UnsupportedServices.h"
#include "UsbAppLibrary.h"
#include "UsbBackend.h"
#include "UsbBookService.h"
#include "UsbDevice.h"
#include "UsbDeviceService.h"
#include "UsbFileService.h"
#include "UsbMediaLibrary.h"
#include "UsbPhotoLibrary.h"
#include "UsbSnapshot.h"
#include "UsbSnapshotContacts.h"

namespace vexa::usb {

namespace {

constexpr const char* kBatteryDomain = "com.apple.mobile.battery";
constexpr const char* kDiskUsageDomain = "com.apple.disk_usage";

} // namespace

UsbManager::UsbManager() = default;
UsbManager::~UsbManager() = default;

IFileService* UsbManager::GetFileService() {
    std::lock_guard lock(m_mutex);
    return m_fileService.get();
}

IMediaLibrary* UsbManager::GetMediaLibrary() {
    std::lock_guard lock(m_mutex);
    return m_mediaLibrary.get();
}

void* UsbManager::GetPhotoLibrary(int kind) {
    std::lock_guard lock(m_mutex);
    if (kind == 1) {
        return m_photoLibrary.get();
    }
    if (kind == 2) {
        return m_albumLibrary.get();
    }
    return nullptr;
}

IAppLibrary* UsbManager::GetAppLibrary() {
    std::lock_guard lock(m_mutex);
    return m_appLibrary.get();
}

IBookService* UsbManager::GetBookService() {
    std::lock_guard lock(m_mutex);
    return m_bookService.get();
}

IDeviceService* UsbManager::GetDeviceService() {
    std::lock_guard lock(m_mutex);
    return m_deviceService.get();
}

IContactService* UsbManager::GetContactService() {
    std::lock_guard lock(m_mutex);
    return m_contactService.get();
}

int UsbManager::SetDeviceHandle(int handle) {
    std::lock_guard lock(m_mutex);
    if (m_device) {
        return handle == m_handle ? VEXA_OK : VEXA_E_EXISTS;
    }
    std::shared_ptr<UsbDevice> device = UsbBackend::Instance().Find(handle);
    if (!device) {
        return VEXA_E_NOT_FOUND;
    }
    if (!device->IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    m_fileService = std::make_unique<UsbFileService>(device);
    m_snapshot = std::make_shared<UsbSnapshot>(device);
    m_deviceService = std::make_unique<UsbDeviceService>(device, m_snapshot);
    m_mediaLibrary = std::make_unique<UsbMediaLibrary>(device, std::make_unique<UsbFileService>(device));
    auto photos =
        std::make_shared<UsbPhotoSource>(device, *m_fileService, UsbPhotoSource::CacheFolder(device->Udid()));
    m_photoLibrary = std::make_unique<UsbPhotoLibrary>(photos);
    m_albumLibrary = std::make_unique<UsbAlbumLibrary>(photos);
    m_appLibrary = CreateUsbAppLibrary(device);
    m_bookService = std::make_unique<UsbBookService>(device, std::make_unique<UsbFileService>(device));
    m_contactService = std::make_unique<UsbSnapshotContacts>(m_snapshot);
    m_device = std::move(device);
    m_handle = handle;
    return VEXA_OK;
}

std::shared_ptr<UsbSnapshot> UsbManager::Snapshot() const {
    std::lock_guard lock(m_mutex);
    return m_snapshot;
}

int UsbManager::GetDeviceHandle() {
    std::lock_guard lock(m_mutex);
    return m_handle;
}

std::shared_ptr<UsbDevice> UsbManager::device() const {
    std::lock_guard lock(m_mutex);
    return m_device;
}

bool UsbManager::GetDeviceInfo(DeviceInfo** info) {
    std::shared_ptr<UsbDevice> bound = device();
    if (info == nullptr || !bound) {
        return false;
    }
    LockdownSession session(*bound);
    PlistPtr values;
    if (session.GetValue(nullptr, nullptr, values) != VEXA_OK || !values ||
        plist_get_node_type(values.get()) != PLIST_DICT) {
        return false;
    }
    PlistPtr battery;
    session.GetValue(kBatteryDomain, nullptr, battery);
    const auto level = PlistUnsigned(battery.get(), "BatteryCurrentCapacity", 0);

    std::lock_guard lock(m_mutex);
    // A fresh arena per reading: a caller may still hold the texts of the previous one.
    auto& texts = *m_infoTexts.emplace_back(std::make_unique<sim::ResultArena>());
    for (int i = 0; i < DP_Count; ++i) {
        std::string text;
        const bool present = PlistToText(plist_dict_get_item(values.get(), kDevicePropertyNames[i]), text);
        m_info.properties[i] = present ? texts.Keep(std::move(text)) : nullptr;
    }
    m_info.batteryLevel = static_cast<int32_t>(level > 100 ? 100 : level);
    *info = &m_info;
    return true;
}

int UsbManager::GetDiskInfo(DiskInfo* info) {
    if (info == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    std::shared_ptr<UsbDevice> bound = device();
    if (!bound) {
        return VEXA_E_NOT_FOUND;
    }
    LockdownSession session(*bound);
    PlistPtr usage;
    if (int result = session.GetValue(kDiskUsageDomain, nullptr, usage); result != VEXA_OK) {
        return result;
    }
    if (!usage || plist_get_node_type(usage.get()) != PLIST_DICT) {
        return VEXA_E_PROTOCOL;
    }
    plist_t dictionary = usage.get();
    DiskInfo filled{};
    filled.values[DI_DataCapacity] = PlistUnsigned(dictionary, "TotalDataCapacity");
    filled.values[DI_DataFree] = PlistUnsigned(dictionary, "TotalDataAvailable");
    filled.values[DI_SystemCapacity] = PlistUnsigned(dictionary, "TotalSystemCapacity");
    filled.values[DI_SystemFree] = PlistUnsigned(dictionary, "TotalSystemAvailable");
    // Current devices report the data partition as a whole; the per-category figures come only from
    // devices (and the emulator) that still fill them.
    filled.values[DI_Music] = PlistUnsigned(dictionary, "MusicUsage");
    filled.values[DI_Photos] =
        PlistUnsigned(dictionary, "CameraUsage", PlistUnsigned(dictionary, "PhotoUsage"));
    filled.values[DI_Video] = PlistUnsigned(dictionary, "VideoUsage");
    filled.values[DI_Books] = PlistUnsigned(dictionary, "BooksUsage");
    filled.values[DI_Apps] = PlistUnsigned(dictionary, "MobileApplicationUsage");
    filled.values[DI_Documents] = PlistUnsigned(dictionary, "DocumentsUsage");
    filled.values[DI_Other] = PlistUnsigned(dictionary, "OtherUsage");
    *info = filled;
    return VEXA_OK;
}

int UsbManager::GetDiskInfoLegacy(DiskInfo* info) {
    return GetDiskInfo(info);
}

} // namespace vexa::usb
