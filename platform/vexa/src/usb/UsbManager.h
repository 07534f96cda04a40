#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include <vexa/IVexaManager.h>

#include "sim/ResultArena.h"

namespace vexa::usb {

class UsbDevice;

// The manager of one device reached through usbmuxd. Unbound it hands out no services; SetDeviceHandle
// binds it once to a trusted device and makes one of each service for it.
class UsbSnapshot;

class UsbManager : public IVexaManager {
public:
    UsbManager();
    ~UsbManager() override;

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
    // The snapshot the device's contacts, messages and calls are read from; null before a device is bound.
    std::shared_ptr<UsbSnapshot> Snapshot() const;

private:
    std::shared_ptr<UsbDevice> device() const;

    mutable std::mutex m_mutex;
    int m_handle = 0;
    std::shared_ptr<UsbDevice> m_device;
    std::unique_ptr<IFileService> m_fileService;
    std::unique_ptr<IDeviceService> m_deviceService;
    std::unique_ptr<IMediaLibrary> m_mediaLibrary;
    std::unique_ptr<IPhotoLibrary> m_photoLibrary;
    std::unique_ptr<IAlbumLibrary> m_albumLibrary;
    std::unique_ptr<IAppLibrary> m_appLibrary;
    std::unique_ptr<IBookService> m_bookService;
    std::unique_ptr<IContactService> m_contactService;
    std::shared_ptr<UsbSnapshot> m_snapshot;
    // The record keeps its address for the manager's life; texts of earlier readings stay too, since a
    // caller may still hold them.
    DeviceInfo m_info{};
    std::vector<std::unique_ptr<sim::ResultArena>> m_infoTexts;
};

} // namespace vexa::usb
