#pragma once

#include "CPhotoSerialFileAction.h"

class IVexaManager;

// Songs, videos and playlist entries: fields "Path" and "Title".
class CPhotoSerialAction_Media : public CPhotoSerialFileAction {
public:
    explicit CPhotoSerialAction_Media(IVexaManager* manager);

protected:
    IFileService* FileService() override { return m_files; }

private:
    IFileService* m_files;
};
