#include "PhotoFixtures.h"

#include <vexa/VexaResult.h>

#include "../SimDatabase.h"
#include "ContentSchema.h"
#include "DeviceFiles.h"
#include "PhotoLibraryStore.h"

namespace vexa::sim {

int AddPhotoFile(const std::filesystem::path& deviceFolder, const std::filesystem::path& source,
                 const SimPhoto& photo) {
    const std::filesystem::path media = ContentSchema::MediaRoot(deviceFolder);
    const std::filesystem::path target = PhotoLibraryStore(nullptr, media).FileOf(photo.devicePath);
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    std::filesystem::remove(target, error);
    if (int code = DeviceFiles::CopyIn(source, target))
        return code;
    const std::filesystem::path file = PhotoLibraryStore::DatabasePath(deviceFolder);
    std::filesystem::create_directories(file.parent_path(), error);
    SimDatabase library(file, SimDatabase::OpenMode::CreateIfMissing);
    auto session = library.Lock();
    if (session.Result())
        return session.Result();
    if (!PhotoLibraryStore::EnsureTables(session.Handle()))
        return VEXA_E_DATABASE;
    NewPhoto row;
    row.kind = photo.kind;
    row.date = photo.date;
    row.width = photo.width;
    row.height = photo.height;
    row.devicePath = photo.devicePath;
    PhotoLibraryStore store(session.Handle(), media);
    if (int code = store.Insert(row, nullptr))
        return code;
    return store.Finish();
}

} // namespace vexa::sim
