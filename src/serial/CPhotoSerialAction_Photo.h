#pragma once

#include "CPhotoSerialFileAction.h"

class IVexaManager;

// Photos: fields "path" and "title". The file service is asked for at each copy.
class CPhotoSerialAction_Photo : public CPhotoSerialFileAction {
public:
    explicit CPhotoSerialAction_Photo(IVexaManager* manager);

protected:
    IFileService* FileService() override;

private:
    IVexaManager* m_manager;
};
