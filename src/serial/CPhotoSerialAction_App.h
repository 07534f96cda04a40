#pragma once

#include <memory>

#include "IPhotoSerialAction.h"

class CExportFileName;
class IAppLibrary;
class IVexaManager;

// Apps: fields "id" and "Title". The app library writes the app as "<title>.ipa" into the folder.
class CPhotoSerialAction_App : public IPhotoSerialAction {
public:
    explicit CPhotoSerialAction_App(IVexaManager* manager);
    ~CPhotoSerialAction_App() override;

    Result Execute(const char* destination, const PhotoSerialEntry* entry) override;
    std::string LocalPath(const char* destination, const PhotoSerialEntry& entry) override;

private:
    IAppLibrary* m_apps;
    std::unique_ptr<CExportFileName> m_names;
};
