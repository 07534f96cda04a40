#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include <vexa/IVexaManager.h>

#include "ResultArena.h"

namespace vexa::sim {

class DeviceRegistry;
class SimDevice;
class SimFileService;
class SimDeviceService;

// The manager of one simulated device. Unbound it hands out no services (null); SetDeviceHandle binds it
// once to a connected device and makes one of each service for it.
class SimManager : public IVexaManager {
public:
    explicit SimManager(DeviceRegistry& registry);
    ~SimManager() override;

    IFileService* GetFileService() override;
    IMediaLibrary* GetMediaLibrary() override;
    void* GetPhotoLibrary(int kind) override;
    IAppLibrary* GetAppLibrary() override;
    IBookService* GetBookService() override;
    IDeviceService* GetDeviceService() override;
    IContactService* GetContactService() override;
    int SetDeviceHandle(int handle) override;
    int GetDeviceHandle() override;
    bool GetDeviceInfo(DeviceInfo** info) override;
    int GetDiskInfo(DiskInfo* info) override;
    int GetDiskInfoLegacy(DiskInfo* info) override;

private:
    int fillDiskInfo(const char* operation, DiskInfo* info);

    DeviceRegistry& m_registry;
    mutable std::mutex m_mutex;
    int m_handle = 0;
    std::shared_ptr<SimDevice> m_device;
    std::unique_ptr<SimFileService> m_fileService;
    std::unique_ptr<SimDeviceService> m_deviceService;
    std::unique_ptr<IMediaLibrary> m_mediaLibrary;
    std::unique_ptr<IPhotoLibrary> m_photoLibrary;
    std::unique_ptr<IAlbumLibrary> m_albumLibrary;
    std::unique_ptr<IAppLibrary> m_appLibrary;
    std::unique_ptr<IBookService> m_bookService;
    std::unique_ptr<IContactService> m_contactService;
    // The device record keeps its address for the manager's life; texts of earlier readings are kept
    // too, since a caller may still hold them.
    DeviceInfo m_info{};
    std::vector<std::unique_ptr<ResultArena>> m_infoTexts;
};

} // namespace vexa::sim
