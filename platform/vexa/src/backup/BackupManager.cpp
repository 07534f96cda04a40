#include "BackupManager.h"

#include <cctype>
#include <cstring>
#include <filesystem>

#include <vexa/VexaResult.h>

#include "BackupServices.h"
#include "usb/UnsupportedServices.h"

namespace vexa::backup {

namespace {

// "iPhone15,2" is an iPhone: the device class is the product type's leading letters.
std::string DeviceClassOf(const std::string& productType) {
    size_t letters = 0;
    while (letters < productType.size() && std::isalpha(static_cast<unsigned char>(productType[letters])))
        ++letters;
    return productType.substr(0, letters);
}

} // namespace

BackupManager::BackupManager(std::unique_ptr<BackupContent> content, int handle)
    : m_handle(handle) {
    BackupSummary summary = content->Summary();
    // Backups are kept in folders named after the device's UDID when Info.plist does not name it.
    if (summary.uniqueId.empty()) {
        const std::filesystem::path folder = std::filesystem::path(content->Folder()).lexically_normal();
        summary.uniqueId = (folder.has_filename() ? folder : folder.parent_path()).filename().string();
    }
    m_backup = std::make_shared<SharedBackup>(std::move(content));
    m_fileService = std::make_unique<BackupFileService>(m_backup);
    m_deviceService = std::make_unique<BackupDeviceService>(m_backup, handle);
    m_mediaLibrary = std::make_unique<usb::UnsupportedMediaLibrary>();
    m_photoLibrary = std::make_unique<BackupPhotoLibrary>(m_backup);
    m_albumLibrary = std::make_unique<BackupAlbumLibrary>();
    m_appLibrary = std::make_unique<BackupAppLibrary>();
    m_bookService = std::make_unique<usb::UnsupportedBookService>();
    m_contactService = std::make_unique<BackupContactService>(m_backup);

    // The texts keep their addresses for the manager's life: reserved before any is pointed at.
    m_infoTexts.reserve(DP_Count);
    auto set = [this](DeviceProperty property, std::string text) {
        if (!text.empty())
            m_info.properties[property] = m_infoTexts.emplace_back(std::move(text)).c_str();
    };
    set(DP_DeviceName, summary.deviceName);
    set(DP_DeviceClass, DeviceClassOf(summary.productType));
    set(DP_ProductType, summary.productType);
    set(DP_ProductVersion, summary.iosVersion);
    set(DP_BuildVersion, summary.buildVersion);
    set(DP_SerialNumber, summary.serialNumber);
    set(DP_UniqueDeviceID, summary.uniqueId);
    set(DP_PhoneNumber, summary.phoneNumber);
    // The device's clock as the backup caught it: when the backup was made.
    if (summary.backupDate > 0)
        set(DP_TimeIntervalSince1970, std::to_string(summary.backupDate));
    m_info.batteryLevel = -1;
}

BackupManager::~BackupManager() = default;

IFileService* BackupManager::GetFileService() {
    return m_fileService.get();
}

IMediaLibrary* BackupManager::GetMediaLibrary() {
    return m_mediaLibrary.get();
}

void* BackupManager::GetPhotoLibrary(int kind) {
    if (kind == 1)
        return m_photoLibrary.get();
    if (kind == 2)
        return m_albumLibrary.get();
    return nullptr;
}

IAppLibrary* BackupManager::GetAppLibrary() {
    return m_appLibrary.get();
}

IBookService* BackupManager::GetBookService() {
    return m_bookService.get();
}

IDeviceService* BackupManager::GetDeviceService() {
    return m_deviceService.get();
}

IContactService* BackupManager::GetContactService() {
    return m_contactService.get();
}

int BackupManager::SetDeviceHandle(int handle) {
    return handle == m_handle ? VEXA_OK : VEXA_E_EXISTS;
}

int BackupManager::GetDeviceHandle() {
    return m_handle;
}

bool BackupManager::GetDeviceInfo(DeviceInfo** info) {
    if (!info)
        return false;
    *info = &m_info;
    return true;
}

int BackupManager::GetDiskInfo(DiskInfo* info) {
    if (!info)
        return VEXA_E_INVALID_ARGUMENT;
    std::memset(info, 0, sizeof(*info));
    return VEXA_OK;
}

int BackupManager::GetDiskInfoLegacy(DiskInfo* info) {
    return GetDiskInfo(info);
}

} // namespace vexa::backup
