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
    if (entry == nullptr) {
        return Skipped;
    }
    const std::string localPath = LocalPath(destination, *entry);
    if (localPath.empty()) {
        return Skipped;
    }
    const std::string id = EntryText(*entry, "id");
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

std::string CPhotoSerialAction_App::LocalPath(const char* destination, const PhotoSerialEntry& entry) {
    const std::string id = EntryText(entry, "id");
    const std::string title = EntryText(entry, "Title");
    if (destination == nullptr || id.empty() || title.empty()) {
        return {};
    }
    if (!m_names || m_names->Folder().rfind(destination, 0) != 0) {
        m_names = std::make_unique<CExportFileName>(destination);
    }
    return m_names->PathFor(title, ".ipa", id);
}
