#include "SimManager.h"

#include <cstdio>
#include <map>
#include <string>

#include <vexa/VexaResult.h>

#include "ContentServices.h"
#include "DeviceRegistry.h"
#include "DiskUsage.h"
#include "SimDevice.h"
#include "SimDeviceService.h"
#include "SimFileService.h"
#include "content/LegacyContent.h"

namespace vexa::sim {

SimManager::SimManager(DeviceRegistry& registry)
    : m_registry(registry) {}

SimManager::~SimManager() = default;

IFileService* SimManager::GetFileService() {
    std::lock_guard lock(m_mutex);
    return m_fileService.get();
}

IMediaLibrary* SimManager::GetMediaLibrary() {
    std::lock_guard lock(m_mutex);
    return m_mediaLibrary.get();
}

void* SimManager::GetPhotoLibrary(int kind) {
    std::lock_guard lock(m_mutex);
    if (kind == 1) {
        return m_photoLibrary.get();
    }
    if (kind == 2) {
        return m_albumLibrary.get();
    }
    return nullptr;
}

IAppLibrary* SimManager::GetAppLibrary() {
    std::lock_guard lock(m_mutex);
    return m_appLibrary.get();
}

IBookService* SimManager::GetBookService() {
    std::lock_guard lock(m_mutex);
    return m_bookService.get();
}

IDeviceService* SimManager::GetDeviceService() {
    std::lock_guard lock(m_mutex);
    return m_deviceService.get();
}

IContactService* SimManager::GetContactService() {
    std::lock_guard lock(m_mutex);
    return m_contactService.get();
}

int SimManager::SetDeviceHandle(int handle) {
    std::lock_guard lock(m_mutex);
    if (m_device) {
        // Services already handed out stay tied to the first device.
        return handle == m_handle ? VEXA_OK : VEXA_E_EXISTS;
    }
    std::shared_ptr<SimDevice> device = m_registry.Find(handle);
    if (!device) {
        return VEXA_E_NOT_FOUND;
    }
    if (!device->IsConnected()) {
        return VEXA_E_UNPLUGGED;
    }
    if (int moved = MoveLegacyContent(*device); moved != VEXA_OK) {
        std::fprintf(stderr,
                     "vexa: the contacts, messages, books and photos of %s could not be moved to where a "
                     "phone keeps them (error %d); they are tried again at the next connection\n",
                     device->Udid().c_str(), moved);
    }
    m_fileService = std::make_unique<SimFileService>(device, device->MediaRoot(), false);
    m_deviceService = std::make_unique<SimDeviceService>(device, handle);
    m_mediaLibrary = CreateMediaLibrary(device);
    m_photoLibrary = CreatePhotoLibrary(device);
    m_albumLibrary = CreateAlbumLibrary(device);
    m_appLibrary = CreateAppLibrary(device);
    m_bookService = CreateBookService(device);
    m_contactService = CreateContactService(device);
    m_device = std::move(device);
    m_handle = handle;
    return VEXA_OK;
}

int SimManager::GetDeviceHandle() {
    std::lock_guard lock(m_mutex);
    return m_handle;
}

bool SimManager::GetDeviceInfo(DeviceInfo** info) {
    if (info == nullptr) {
        return false;
    }
    std::lock_guard lock(m_mutex);
    if (!m_device || m_device->CheckCall("GetDeviceInfo") != VEXA_OK) {
        return false;
    }
    const DeviceInfoFile file = m_device->Info();
    if (file.profile.properties.empty()) {
        return false;
    }
    bool changed = m_infoTexts.empty();
    for (int i = 0; i < DP_Count && !changed; ++i) {
        auto it = file.profile.properties.find(kDevicePropertyNames[i]);
        const char* now = m_info.properties[i];
        changed = (it == file.profile.properties.end()) != (now == nullptr) ||
                  (now != nullptr && it->second != now);
    }
    if (changed) {
        auto& texts = *m_infoTexts.emplace_back(std::make_unique<ResultArena>());
        for (int i = 0; i < DP_Count; ++i) {
            auto it = file.profile.properties.find(kDevicePropertyNames[i]);
            m_info.properties[i] = it == file.profile.properties.end() ? nullptr : texts.Keep(it->second);
        }
    }
    m_info.batteryLevel = file.profile.batteryLevel;
    *info = &m_info;
    return true;
}

int SimManager::fillDiskInfo(const char* operation, DiskInfo* info) {
    if (info == nullptr) {
        return VEXA_E_INVALID_ARGUMENT;
    }
    std::shared_ptr<SimDevice> device;
    {
        std::lock_guard lock(m_mutex);
        device = m_device;
    }
    if (!device) {
        return VEXA_E_NOT_FOUND;
    }
    if (int check = device->CheckCall(operation); check != VEXA_OK) {
        return check;
    }
    DiskInfo filled{};
    DiskUsage::Measure(*device).FillDiskInfo(*device, filled);
    *info = filled;
    return VEXA_OK;
}

int SimManager::GetDiskInfo(DiskInfo* info) {
    return fillDiskInfo("GetDiskInfo", info);
}

int SimManager::GetDiskInfoLegacy(DiskInfo* info) {
    return fillDiskInfo("GetDiskInfoLegacy", info);
}

} // namespace vexa::sim
