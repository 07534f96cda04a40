#include "SimPhotoLibrary.h"

#include <vexa/VexaResult.h>

#include "PendingRemoval.h"

namespace vexa::sim {

int FillThumbnail(SimDevice& device, ThumbnailCache& cache, const char* devicePath, const uint8_t** data,
                  int32_t* length, std::shared_ptr<const std::vector<uint8_t>>& keep) {
    if (!devicePath)
        return VEXA_E_INVALID_ARGUMENT;
    const auto file = device.ResolveDevicePath(devicePath);
    if (!file)
        return VEXA_E_PATH_ESCAPE;
    std::error_code error;
    if (!std::filesystem::is_regular_file(*file, error))
        return VEXA_E_NOT_FOUND;
    const auto thumbnail = cache.Get(*file);
    if (!thumbnail)
        return VEXA_E_UNSUPPORTED;
    *data = thumbnail->data();
    *length = static_cast<int32_t>(thumbnail->size());
    keep = thumbnail;
    return VEXA_OK;
}

SimPhotoLibrary::SimPhotoLibrary(std::shared_ptr<SimDevice> device)
    : m_access(std::move(device)) {}

int SimPhotoLibrary::PrepareList() {
    int code = VEXA_OK;
    auto session = m_access.Begin("PrepareList", code);
    if (code)
        return code;
    return PhotoStore(session.Handle(), m_access.Device().MediaRoot()).ListAll(m_lists.ForCurrentThread());
}

int SimPhotoLibrary::GetPhotoList(PhotoRecord** records, int* count) {
    if (!records || !count)
        return VEXA_E_INVALID_ARGUMENT;
    int code = VEXA_OK;
    auto session = m_access.Begin("GetPhotoList", code);
    if (code)
        return code;
    auto& buffer = m_lists.ForCurrentThread();
    // Without a PrepareList on this thread the list is read now.
    if (buffer.records.empty()) {
        if ((code = PhotoStore(session.Handle(), m_access.Device().MediaRoot()).ListAll(buffer)))
            return code;
    }
    *records = buffer.records.empty() ? nullptr : buffer.records.data();
    *count = static_cast<int>(buffer.records.size());
    return VEXA_OK;
}

int SimPhotoLibrary::LoadThumbnail(PhotoRecord* record) {
    if (!record)
        return VEXA_E_INVALID_ARGUMENT;
    if (int code = m_access.Device().CheckCall("LoadThumbnail"))
        return code;
    return FillThumbnail(m_access.Device(), m_thumbnails, record->path, &record->thumbnail,
                         &record->thumbnailLength, m_handedOut.ForCurrentThread().bytes);
}

int SimPhotoLibrary::DeletePhotos(const char* const* photoIds, int count, int, const char*) {
    if (count < 0 || (count > 0 && !photoIds))
        return VEXA_E_INVALID_ARGUMENT;
    std::vector<std::string> ids;
    for (int i = 0; i < count; ++i) {
        if (!photoIds[i])
            return VEXA_E_INVALID_ARGUMENT;
        ids.emplace_back(photoIds[i]);
    }
    m_deleted = 0;
    int code = VEXA_OK;
    auto session = m_access.Begin("DeletePhotos", code);
    if (code)
        return code;
    PendingRemoval removal(m_access.Device().WorkFolder("trash"));
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    PhotoStore store(session.Handle(), m_access.Device().MediaRoot());
    if ((code = store.Delete(ids, m_deleted, removal)) || (code = transaction.Commit()))
        return code;
    removal.Commit();
    return VEXA_OK;
}

int SimPhotoLibrary::GetDeleteProgress() {
    return m_deleted;
}

} // namespace vexa::sim
