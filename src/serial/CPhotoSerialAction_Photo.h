#pragma once

#include "CPhotoSerialFileAction.h"

class IVexaManager;

// Photos: fields "path" and "title". The file service is asked for at each copy. Converting, a HEIC or
// PNG picture arrives as a JPEG of the same name (the original is fetched beside it and removed);
// every other file is copied as it is. Copies and conversions may run on several threads at once.
class CPhotoSerialAction_Photo : public CPhotoSerialFileAction {
public:
    enum Pictures { AsTheyAre, ToJpeg };
    explicit CPhotoSerialAction_Photo(IVexaManager* manager, Pictures pictures = AsTheyAre);

    Result Execute(const char* destination, const PhotoSerialEntry* entry) override;
    std::string LocalPath(const char* destination, const PhotoSerialEntry& entry) override;
    // As many as the file service copies at once: a phone's photos come over several connections.
    int Lanes() override;

protected:
    IFileService* FileService() override;

private:
    bool Converts(const PhotoSerialEntry& entry) const;

    IVexaManager* m_manager;
    Pictures m_pictures;
};
