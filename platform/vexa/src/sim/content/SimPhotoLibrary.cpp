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
    const std::filesystem::path relative = std::filesystem::path(devicePath).relative_path();
    const auto small = device.ResolveDevicePath(
        ios::PhotoLibraryReader::ThumbnailFile("/", relative.parent_path().generic_string(),
                                               relative.filename().string())
            .generic_string());
    auto thumbnail = small && std::filesystem::is_regular_file(*small, error) ? cache.Get(*small) : nullptr;
    if (!thumbnail)
        thumbnail = cache.Get(*file);
    if (!thumbnail)
        return VEXA_E_UNSUPPORTED;
    *data = thumbnail->data();
    *length = static_cast<int32_t>(thumbnail->size());
    keep = thumbnail;
    return VEXA_OK;
}

SimPhotoLibrary::SimPhotoLibrary(std::shared_ptr<SimDevice> device)
    : m_access(std::move(device)) {}

int SimPhotoLibrary::ReadList(const char* operation, PhotoListBuffer& out) {
    ios::PhotoLibrary library;
    {
        int code = VEXA_OK;
        auto photos = m_access.BeginPhotos(operation, code);
        if (code)
            return code;
        if ((code = PhotoLibraryStore::Read(m_access.Device().PhotoDatabase().File(), library,
                                            ios::PhotoLibraryReader::Parts::Assets)))
            return code;
    }
    std::vector<const ios::PhotoAsset*> assets;
    assets.reserve(library.assets.size());
    for (const auto& asset : library.assets)
        assets.push_back(&asset);
    FillPhotoRecords(assets, m_access.Device().MediaRoot(), out);
    m_unreadable.KeepOnly(out.records);
    return VEXA_OK;
}

int SimPhotoLibrary::PrepareList() {
    return ReadList("PrepareList", m_lists.ForCurrentThread());
}

int SimPhotoLibrary::GetPhotoList(PhotoRecord** records, int* count) {
    if (!records || !count)
        return VEXA_E_INVALID_ARGUMENT;
    auto& buffer = m_lists.ForCurrentThread();
    // Without a PrepareList on this thread the list is read now.
    if (int code = buffer.records.empty() ? ReadList("GetPhotoList", buffer)
                                          : m_access.Device().CheckCall("GetPhotoList"))
        return code;
    *records = buffer.records.empty() ? nullptr : buffer.records.data();
    *count = static_cast<int>(buffer.records.size());
    return VEXA_OK;
}

int SimPhotoLibrary::LoadThumbnail(PhotoRecord* record) {
    if (!record)
        return VEXA_E_INVALID_ARGUMENT;
    if (int code = m_access.Device().CheckCall("LoadThumbnail"))
        return code;
    const int code = FillThumbnail(m_access.Device(), m_thumbnails, record->path, &record->thumbnail,
                                   &record->thumbnailLength, m_handedOut.ForCurrentThread().bytes);
    if (UnreadablePhotos::IsFileFault(code) && record->path)
        m_unreadable.Add(record->path);
    return code;
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
    auto session = m_access.BeginPhotos("DeletePhotos", code);
    if (code)
        return code;
    PendingRemoval removal(m_access.Device().WorkFolder("trash"));
    Transaction transaction(session);
    if (transaction.Result())
        return transaction.Result();
    PhotoLibraryStore store(session.Handle(), m_access.Device().MediaRoot());
    if ((code = store.Delete(ids, m_deleted, removal)) || (code = store.Finish()) ||
        (code = transaction.Commit()))
        return code;
    removal.Commit();
    return VEXA_OK;
}

int SimPhotoLibrary::GetDeleteProgress() {
    return m_deleted;
}

} // namespace vexa::sim
