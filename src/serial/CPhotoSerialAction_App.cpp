#include "CPhotoSerialAction_App.h"

#include <QDebug>

#include <vexa/IVexaManager.h>

#include "CExportFileName.h"
#include "CPhotoSerialFileAction.h"

CPhotoSerialAction_App::CPhotoSerialAction_App(IVexaManager* manager)
    : m_apps(manager != nullptr ? manager->GetAppLibrary() : nullptr) {}

CPhotoSerialAction_App::~CPhotoSerialAction_App() = default;

IPhotoSerialAction::Result CPhotoSerialAction_App::Execute(const char* destination,
                                                           const PhotoSerialEntry* entry) {
    if (destination == nullptr || entry == nullptr) {
        return Skipped;
    }
    const std::string id = EntryText(*entry, "id");
    const std::string title = EntryText(*entry, "Title");
    if (id.empty() || title.empty()) {
        return Skipped;
    }
    if (!m_names) {
        m_names = std::make_unique<CExportFileName>(destination);
    }
    const std::string localPath = m_names->PathFor(title, ".ipa", id);
    if (m_apps == nullptr || !CPhotoSerialFileAction::RemoveLocal(localPath)) {
        return Failed;
    }
    if (const int result = m_apps->BackupApp(id.c_str(), localPath.c_str(), 1); result != 0) {
        qDebug() << "CPhotoSerialAction_App::Execute can't archive" << id.c_str() << result;
        CPhotoSerialFileAction::RemoveLocal(localPath);
        return Failed;
    }
    return Copied;
}
