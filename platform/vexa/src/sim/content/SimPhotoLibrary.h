#pragma once

#include <atomic>
#include <memory>

#include <vexa/VexaServices.h>

#include "../ResultArena.h"
#include "ContentAccess.h"
#include "PhotoLibraryStore.h"
#include "ThumbnailCache.h"
#include "UnreadablePhotos.h"

namespace vexa::sim {

// Every photo of one simulated device, oldest first, with thumbnails on request.
class SimPhotoLibrary final : public IPhotoLibrary {
public:
    explicit SimPhotoLibrary(std::shared_ptr<SimDevice> device);

    int PrepareList() override;
    int GetPhotoList(PhotoRecord** records, int* count) override;
    int LoadThumbnail(PhotoRecord* record) override;
    int DeletePhotos(const char* const* photoIds, int count, int kind, const char* text) override;
    int GetDeleteProgress() override;
    // The photos whose thumbnails could not be made from their files so far.
    int GetUnreadableCount() override { return m_unreadable.Count(); }

private:
    int ReadList(const char* operation, PhotoListBuffer& out);

    ContentAccess m_access;
    PerThreadResults<PhotoListBuffer> m_lists;
    ThumbnailCache m_thumbnails;
    // The thumbnail each thread was handed last; its bytes stay valid until that thread loads another.
    struct HandedOut {
        std::shared_ptr<const std::vector<uint8_t>> bytes;
    };
    PerThreadResults<HandedOut> m_handedOut;
    std::atomic<int> m_deleted{0};
    UnreadablePhotos m_unreadable;
};

// Shared by both photo services: fills a record's thumbnail from the phone's own small copy when there
// is one, else from its file; `keep` holds the bytes.
int FillThumbnail(SimDevice& device, ThumbnailCache& cache, const char* devicePath, const uint8_t** data,
                  int32_t* length, std::shared_ptr<const std::vector<uint8_t>>& keep);

} // namespace vexa::sim
