#pragma once

#include "CPhotoSerialFileAction.h"

class IVexaManager;

// Books: fields "Path", "Title" and "Format". A PDF is copied as it is; an EPUB that the device keeps
// as a folder is copied into a working folder and zipped into one archive, named after the title
// with the extension of the device folder's name.
class CPhotoSerialAction_iBook : public CPhotoSerialFileAction {
public:
    explicit CPhotoSerialAction_iBook(IVexaManager* manager);

protected:
    IFileService* FileService() override { return m_files; }
    Result CopyRecord(const PhotoSerialEntry& entry, const std::string& devicePath,
                      const std::string& localPath) override;

private:
    Result ZipFolder(const std::string& devicePath, const std::string& archive);

    IFileService* m_files;
};
