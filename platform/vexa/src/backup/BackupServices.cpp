#include "BackupServices.h"

#include <string>

#include <QString>

namespace vexa::backup {

namespace {

// Out-parameters are cleared so a caller that ignores the result still reads an empty answer.
template <class Record> int Nothing(Record** records, int* count, int result) {
    if (records)
        *records = nullptr;
    if (count)
        *count = 0;
    return result;
}

std::string Utf8(const char16_t* text) {
    return text ? QString::fromUtf16(text).toStdString() : std::string();
}

} // namespace

int BackupContactService::GetContacts(ContactList** list) {
    return m_backup->With([list](BackupContent& content) { return content.GetContacts(list); });
}

int BackupDeviceService::GetBackups(BackupRecord** records, int* count) {
    return Nothing(records, count, VEXA_OK);
}

int BackupDeviceService::GetMessages(ConversationList** list, int) {
    return m_backup->With([list](BackupContent& content) { return content.GetMessages(list); });
}

int BackupDeviceService::CopyMessageAttachment(const char* path, const char16_t* localPath) {
    if (!path || !localPath || !*localPath)
        return VEXA_E_INVALID_ARGUMENT;
    const std::string local = Utf8(localPath);
    return m_backup->With([path, &local](BackupContent& content) {
        return content.CopyMessageAttachment(path, local.c_str());
    });
}

int BackupDeviceService::GetCallHistory(CallHistoryList** list) {
    return m_backup->With([list](BackupContent& content) { return content.GetCallHistory(list); });
}

int BackupPhotoLibrary::PrepareList() {
    PhotoRecord* records = nullptr;
    int count = 0;
    return GetPhotoList(&records, &count);
}

int BackupPhotoLibrary::GetPhotoList(PhotoRecord** records, int* count) {
    if (!records || !count)
        return VEXA_E_INVALID_ARGUMENT;
    return m_backup->With(
        [records, count](BackupContent& content) { return content.GetPhotos(records, count); });
}

int BackupPhotoLibrary::LoadThumbnail(PhotoRecord* record) {
    if (!record || !record->path)
        return VEXA_E_INVALID_ARGUMENT;
    std::string local;
    const int copied = m_backup->With(
        [record, &local](BackupContent& content) { return content.CachedPhotoFile(record->path, &local); });
    if (copied != VEXA_OK)
        return copied;
    Thumbnail thumbnail = m_thumbnails.Get(std::filesystem::u8path(local));
    if (!thumbnail)
        return VEXA_E_UNSUPPORTED;
    record->thumbnail = thumbnail->data();
    record->thumbnailLength = static_cast<int32_t>(thumbnail->size());
    std::lock_guard lock(m_handedOutMutex);
    m_handedOut[std::this_thread::get_id()] = std::move(thumbnail);
    return VEXA_OK;
}

int BackupAlbumLibrary::GetAlbumList(AlbumRecord** albums, int* count) {
    return Nothing(albums, count, VEXA_OK);
}

int BackupAlbumLibrary::GetAlbumPhotos(PhotoRecord** records, int* count, const char*) {
    return Nothing(records, count, VEXA_E_NOT_FOUND);
}

int BackupAlbumLibrary::CreateAlbum(const char16_t*, AlbumRecord** created) {
    return Nothing(created, nullptr, kBackupReadOnly);
}

int BackupFileService::CopyFileToComputer(const char16_t* devicePath, const char16_t* localPath) {
    const std::string device = Utf8(devicePath);
    const std::string local = Utf8(localPath);
    return m_backup->With([&device, &local](BackupContent& content) -> int {
        if (!content.HasPhotoFile(device.c_str()))
            return VEXA_E_NOT_FOUND;
        return content.CopyPhotoFile(device.c_str(), local.c_str());
    });
}

int BackupFileService::ReadDirectory(const char*, int* count, DirectoryEntryRecord** entries) {
    return Nothing(entries, count, VEXA_E_NOT_SUPPORTED_YET);
}

int BackupFileService::OpenAppContainer(const char*, IFileService** container) {
    return Nothing(container, nullptr, VEXA_E_NOT_SUPPORTED_YET);
}

int BackupAppLibrary::GetApplistInfo(AppRecord** records, int* count) {
    return Nothing(records, count, VEXA_E_NOT_SUPPORTED_YET);
}

} // namespace vexa::backup
