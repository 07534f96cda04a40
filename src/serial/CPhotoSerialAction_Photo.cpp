#include "CPhotoSerialAction_Photo.h"

#include <vexa/IVexaManager.h>

CPhotoSerialAction_Photo::CPhotoSerialAction_Photo(IVexaManager* manager)
    : CPhotoSerialFileAction("path", "title")
    , m_manager(manager) {}

IFileService* CPhotoSerialAction_Photo::FileService() {
    return m_manager != nullptr ? m_manager->GetFileService() : nullptr;
}
