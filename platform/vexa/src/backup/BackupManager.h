#pragma once

#include <memory>
#include <string>
#include <vector>

#include <vexa/BackupContent.h>
#include <vexa/IVexaManager.h>

namespace vexa::backup {

class SharedBackup;

// The manager of a backup opened as a device: one of each service, all reading one BackupContent.
class BackupManager : public IVexaManager {
public:
    BackupManager(std::unique_ptr<BackupContent> content, int handle);
    ~BackupManager() override;

    IFileService* GetFileService() override;
    IMediaLibrary* GetMediaLibrary() override;
    void* GetPhotoLibrary(int kind) override;
    IAppLibrary* GetAppLibrary() override;
    IBookService* GetBookService() override;
    IDeviceService* GetDeviceService() override;
    IContactService* GetContactService() override;
    // Bound for life to the handle it was made with.
    int SetDeviceHandle(int handle) override;
    int GetDeviceHandle() override;
    bool GetDeviceInfo(DeviceInfo** info) override;
    // A backup has no storage to report: every figure is 0.
    int GetDiskInfo(DiskInfo* info) override;
    int GetDiskInfoLegacy(DiskInfo* info) override;

private:
    void FillRecord();

    const int m_handle;
    std::shared_ptr<SharedBackup> m_backup;
    std::unique_ptr<IFileService> m_fileService;
    std::unique_ptr<IDeviceService> m_deviceService;
    std::unique_ptr<IMediaLibrary> m_mediaLibrary;
    std::unique_ptr<IPhotoLibrary> m_photoLibrary;
    std::unique_ptr<IAlbumLibrary> m_albumLibrary;
    std::unique_ptr<IAppLibrary> m_appLibrary;
    std::unique_ptr<IBookService> m_bookService;
    std::unique_ptr<IContactService> m_contactService;
    DeviceInfo m_info{};
    std::vector<std::string> m_infoTexts;
};

} // namespace vexa::backup
