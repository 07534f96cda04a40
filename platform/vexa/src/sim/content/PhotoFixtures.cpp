#include "PhotoFixtures.h"

#include <vexa/VexaResult.h>

#include "../SimDevice.h"
#include "ContentSchema.h"
#include "DeviceFiles.h"
#include "PhotoStore.h"

namespace vexa::sim {

int AddPhotoFile(const std::filesystem::path& deviceFolder, const std::filesystem::path& source,
                 const SimPhoto& photo) {
    const std::filesystem::path media = ContentSchema::MediaRoot(deviceFolder);
    PhotoStore probe(nullptr, media);
    const std::filesystem::path target = probe.FileOf(photo.devicePath.c_str());
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    std::filesystem::remove(target, error);
    if (int code = DeviceFiles::CopyIn(source, target))
        return code;
    SimDevice device(deviceFolder);
    auto session = device.Database().Lock();
    if (session.Result())
        return session.Result();
    if (!ContentSchema::EnsureDeviceTables(session.Handle()))
        return VEXA_E_DATABASE;
    NewPhoto row;
    row.kind = photo.kind;
    row.date = photo.date;
    row.width = photo.width;
    row.height = photo.height;
    row.devicePath = photo.devicePath;
    return PhotoStore(session.Handle(), media).Insert(row, nullptr);
}

} // namespace vexa::sim
