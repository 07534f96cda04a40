#include "CPhotoSerialAction_Photo.h"

#include <algorithm>
#include <filesystem>

#include <vexa/IVexaManager.h>

#include "CExportFileName.h"
#include "formats/JpegConverter.h"

namespace {
constexpr const char* kPathField = "path";
constexpr const char* kTitleField = "title";
} // namespace

CPhotoSerialAction_Photo::CPhotoSerialAction_Photo(IVexaManager* manager, Pictures pictures)
    : CPhotoSerialFileAction(kPathField, kTitleField)
    , m_manager(manager)
    , m_pictures(pictures) {}

IFileService* CPhotoSerialAction_Photo::FileService() {
    return m_manager != nullptr ? m_manager->GetFileService() : nullptr;
}

int CPhotoSerialAction_Photo::Lanes() {
    IFileService* files = FileService();
    return files != nullptr ? files->CopyLanes() : 1;
}

bool CPhotoSerialAction_Photo::Converts(const PhotoSerialEntry& entry) const {
    return m_pictures == ToJpeg && vexa::formats::JpegConverter::Converts(EntryText(entry, kPathField));
}

std::string CPhotoSerialAction_Photo::LocalPath(const char* destination, const PhotoSerialEntry& entry) {
    if (!Converts(entry))
        return CPhotoSerialFileAction::LocalPath(destination, entry);
    const std::string devicePath = EntryText(entry, kPathField);
    const std::string title = std::filesystem::path(EntryText(entry, kTitleField)).stem().string();
    if (destination == nullptr || title.empty())
        return {};
    return NamePath(destination, title, ".JPG", devicePath);
}

IPhotoSerialAction::Result CPhotoSerialAction_Photo::Execute(const char* destination,
                                                             const PhotoSerialEntry* entry) {
    if (entry == nullptr || !Converts(*entry))
        return CPhotoSerialFileAction::Execute(destination, entry);
    const std::string localPath = LocalPath(destination, *entry);
    if (localPath.empty())
        return Skipped;
    // The original comes beside the JPEG under a hidden name and goes once it is converted.
    std::string devicePath = EntryText(*entry, kPathField);
    std::replace(devicePath.begin(), devicePath.end(), ':', '/');
    const std::filesystem::path jpeg(localPath);
    const std::string original = (jpeg.parent_path() / ("." + jpeg.filename().string() + ".original" +
                                                        CExportFileName::DeviceExtension(devicePath)))
                                     .string();
    const Result copied = CopyRecord(*entry, devicePath, original);
    if (copied != Copied)
        return copied;
    const bool converted =
        RemoveLocal(localPath) && vexa::formats::JpegConverter::Convert(original, localPath);
    RemoveLocal(original);
    return converted ? Copied : Failed;
}
