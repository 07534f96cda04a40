#include "CPhotoSerialAction_Media.h"

#include <vexa/IVexaManager.h>

CPhotoSerialAction_Media::CPhotoSerialAction_Media(IVexaManager* manager)
    : CPhotoSerialFileAction("Path", "Title")
    , m_files(manager != nullptr ? manager->GetFileService() : nullptr) {}

std::string CPhotoSerialAction_Media::Title(const PhotoSerialEntry& entry) {
    std::string title = EntryText(entry, "Title");
    const std::string artist = EntryText(entry, "Artist");
    if (title.empty() || artist.empty()) {
        return title;
    }
    return artist + " - " + title;
}
