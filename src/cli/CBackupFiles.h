#pragma once

#include <vexa/IVexaManager.h>
#include <vexa/VexaResult.h>

class BackupContent;

// A backup's camera roll standing in for a device's files, so the window's photo export copies out of a
// backup as it copies from a device: only the copy to the computer is offered, everything that would
// change the backup is refused, and the manager hands out no other service.
class CBackupFiles : public IVexaManager, public IFileService {
public:
    explicit CBackupFiles(BackupContent& backup)
        : m_backup(backup) {}

    IFileService* GetFileService() override { return this; }
    IMediaLibrary* GetMediaLibrary() override { return nullptr; }
    void* GetPhotoLibrary(int) override { return nullptr; }
    IAppLibrary* GetAppLibrary() override { return nullptr; }
    IBookService* GetBookService() override { return nullptr; }
    IDeviceService* GetDeviceService() override { return nullptr; }
    IContactService* GetContactService() override { return nullptr; }
    int SetDeviceHandle(int) override { return kReadOnly; }
    int GetDeviceHandle() override { return 0; }
    bool GetDeviceInfo(DeviceInfo**) override { return false; }
    int GetDiskInfo(DiskInfo*) override { return kReadOnly; }
    int GetDiskInfoLegacy(DiskInfo*) override { return kReadOnly; }

    int CopyFileToComputer(const char16_t* devicePath, const char16_t* localPath) override;
    int CopyFileToDevice(const char16_t*, const char16_t*) override { return kReadOnly; }
    int MakeDirectory(const char*) override { return kReadOnly; }
    int RemovePath(const char*) override { return kReadOnly; }
    int RenamePath(const char*, const char*) override { return kReadOnly; }
    int ReadDirectory(const char*, int*, DirectoryEntryRecord**) override { return kReadOnly; }
    int OpenAppContainer(const char*, IFileService**) override { return kReadOnly; }
    int CloseAppContainer(IFileService*) override { return 0; }

private:
    static constexpr int kReadOnly = VEXA_E_NOT_SUPPORTED_YET;

    BackupContent& m_backup;
};
