#pragma once

#include "CPhotoSerialFileAction.h"

class IVexaManager;

// Songs, videos and playlist entries: fields "Path", "Title" and "Artist". A file is named
// "Artist - Title", or "Title" when the record has no artist.
class CPhotoSerialAction_Media : public CPhotoSerialFileAction {
public:
    explicit CPhotoSerialAction_Media(IVexaManager* manager);

protected:
    IFileService* FileService() override { return m_files; }
    std::string Title(const PhotoSerialEntry& entry) override;

private:
    IFileService* m_files;
};
