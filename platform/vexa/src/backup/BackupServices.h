#pragma once

#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include <vexa/BackupContent.h>
#include <vexa/VexaServices.h>

#include "sim/content/ThumbnailCache.h"

namespace vexa::backup {

// The backup the services of one backup device share. BackupContent serves one thread at a time, so
// every call goes through the lock; a list handed out stays valid until the next call of its kind.
class SharedBackup {
public:
    explicit SharedBackup(std::unique_ptr<BackupContent> content)
        : m_content(std::move(content)) {}

    template <typename Call> auto With(Call call) {
        std::lock_guard lock(m_mutex);
        return call(*m_content);
    }

private:
    std::mutex m_mutex;
    std::unique_ptr<BackupContent> m_content;
};

// The answer of every change: a backup opened for reading never changes.
constexpr int kBackupReadOnly = VEXA_E_READ_ONLY;

class BackupContactService : public IContactService {
public:
    explicit BackupContactService(std::shared_ptr<SharedBackup> backup)
        : m_backup(std::move(backup)) {}

    int GetWriteAccess() override { return kContentReadOnlyBackup; }
    int GetContacts(ContactList** list) override;
    int SaveContact(ContactRecord*, int) override { return kBackupReadOnly; }
    int DeleteContact(const char*) override { return kBackupReadOnly; }
    int CreateGroup(const char*) override { return kBackupReadOnly; }
    int RenameGroup(const char*, const char*) override { return kBackupReadOnly; }
    int DeleteGroup(const char*) override { return kBackupReadOnly; }
    int SetContactGroups(const char*, const char* const*, int) override { return kBackupReadOnly; }

private:
    std::shared_ptr<SharedBackup> m_backup;
};

// Conversations and calls; a backup is neither backed up, restored nor renamed.
class BackupDeviceService : public IDeviceService {
public:
    BackupDeviceService(std::shared_ptr<SharedBackup> backup, int handle)
        : m_backup(std::move(backup))
        , m_handle(handle) {}

    int GetWriteAccess() override { return kContentReadOnlyBackup; }
    int GetDeviceHandle() override { return m_handle; }
    int GetBackups(BackupRecord** records, int* count) override;
    int BackupDevice(const char16_t*, int) override { return kBackupReadOnly; }
    int GetMessages(ConversationList** list, int flags) override;
    int GetCallHistory(CallHistoryList** list) override;
    int RestoreDevice(const char16_t*, const char*) override { return kBackupReadOnly; }
    int SetDeviceName(const char16_t*) override { return kBackupReadOnly; }
    int BackupDeviceWithProgress(const char16_t*, int, BackupProgressCallback, void*) override {
        return kBackupReadOnly;
    }
    int RestoreDeviceWithProgress(const char16_t*, const char*, BackupProgressCallback, void*) override {
        return kBackupReadOnly;
    }
    int CopyMessageAttachment(const char* path, const char16_t* localPath) override;

private:
    std::shared_ptr<SharedBackup> m_backup;
    const int m_handle;
};

// The camera roll as the backup's photo library lists it; thumbnails are made from the files copied
// out of the backup.
class BackupPhotoLibrary : public IPhotoLibrary {
public:
    explicit BackupPhotoLibrary(std::shared_ptr<SharedBackup> backup)
        : m_backup(std::move(backup)) {}

    int GetWriteAccess() override { return kContentReadOnlyBackup; }
    int PrepareList() override;
    int GetPhotoList(PhotoRecord** records, int* count) override;
    int LoadThumbnail(PhotoRecord* record) override;
    int DeletePhotos(const char* const*, int, int, const char*) override { return kBackupReadOnly; }
    int GetDeleteProgress() override { return 0; }

private:
    using Thumbnail = std::shared_ptr<const std::vector<uint8_t>>;

    std::shared_ptr<SharedBackup> m_backup;
    sim::ThumbnailCache m_thumbnails;
    std::mutex m_handedOutMutex;
    // The thumbnail each thread holds, kept alive until that thread loads the next one.
    std::unordered_map<std::thread::id, Thumbnail> m_handedOut;
};

// A backup keeps no albums this library reads: the camera roll is all there is.
class BackupAlbumLibrary : public IAlbumLibrary {
public:
    int GetWriteAccess() override { return kContentReadOnlyBackup; }
    int PrepareList() override { return VEXA_OK; }
    int GetAlbumList(AlbumRecord** albums, int* count) override;
    int GetAlbumPhotos(PhotoRecord** records, int* count, const char*) override;
    int LoadAlbumCover(int) override { return VEXA_E_NOT_FOUND; }
    int CreateAlbum(const char16_t*, AlbumRecord** created) override;
    int PublishAlbum(const char*, const char*, int) override { return kBackupReadOnly; }
    int ReleaseAlbum(AlbumRecord*) override { return VEXA_OK; }
    int ImportPhotoFile(const char16_t*, const char*) override { return kBackupReadOnly; }
    int RenameAlbum(const char*, const char16_t*) override { return kBackupReadOnly; }
    int DeleteAlbum(const char*) override { return kBackupReadOnly; }
    int RemovePhotosFromAlbum(const char*, const char* const*, int) override { return kBackupReadOnly; }
    int QueryAlbum(const char*, int*) override { return VEXA_E_NOT_FOUND; }
};

// The camera roll's files copied to the computer, as a device's file service copies them; the rest of
// the device's file system is not in a form this library browses.
class BackupFileService : public IFileService {
public:
    explicit BackupFileService(std::shared_ptr<SharedBackup> backup)
        : m_backup(std::move(backup)) {}

    int CopyFileToComputer(const char16_t* devicePath, const char16_t* localPath) override;
    int CopyFileToDevice(const char16_t*, const char16_t*) override { return kBackupReadOnly; }
    int MakeDirectory(const char*) override { return kBackupReadOnly; }
    int RemovePath(const char*) override { return kBackupReadOnly; }
    int RenamePath(const char*, const char*) override { return kBackupReadOnly; }
    int ReadDirectory(const char*, int* count, DirectoryEntryRecord** entries) override;
    int OpenAppContainer(const char*, IFileService** container) override;
    int CloseAppContainer(IFileService*) override { return 0; }

private:
    std::shared_ptr<SharedBackup> m_backup;
};

class BackupAppLibrary : public IAppLibrary {
public:
    int GetApplistInfo(AppRecord** records, int* count) override;
    int GetAppListIcon(AppRecord*, int) override { return VEXA_E_NOT_SUPPORTED_YET; }
    int InstallApp(const char16_t*) override { return kBackupReadOnly; }
    int UninstallApp(const char*) override { return kBackupReadOnly; }
    int BackupApp(const char*, const char*, int) override { return VEXA_E_NOT_SUPPORTED_YET; }
    int QueryAppBackup() override { return VEXA_E_UNSUPPORTED; }
};

} // namespace vexa::backup
