#include "CPhotoSerialAction_Media.h"

#include <vexa/IVexaManager.h>

CPhotoSerialAction_Media::CPhotoSerialAction_Media(IVexaManager* manager)
    : CPhotoSerialFileAction("Path", "Title")
    , m_files(manager != nullptr ? manager->GetFileService() : nullptr) {}
