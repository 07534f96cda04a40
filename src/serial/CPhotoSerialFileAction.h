#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "IPhotoSerialAction.h"

class CExportFileName;
class IFileService;

// The copy shared by photos, media and books: the record's device file goes into the export folder
// under a name made from its title and the device file's extension. A failed copy leaves nothing
// behind at its local path. Execute and LocalPath may run on several threads at once: the names are
// handed out under a lock.
class CPhotoSerialFileAction : public IPhotoSerialAction {
public:
    CPhotoSerialFileAction(const char* pathField, const char* titleField);
    ~CPhotoSerialFileAction() override;

    Result Execute(const char* destination, const PhotoSerialEntry* entry) override;
    std::string LocalPath(const char* destination, const PhotoSerialEntry& entry) override;

    // Copies one device file to `localPath`, replacing what is there.
    static Result CopyFile(IFileService* files, const std::string& devicePath, const std::string& localPath);
    // Deletes a file (or link) at `localPath`; false when something stays there.
    static bool RemoveLocal(const std::string& localPath);

protected:
    virtual IFileService* FileService() = 0;
    // The name of the record's file before its extension; empty skips the record.
    virtual std::string Title(const PhotoSerialEntry& entry);
    // Copies the record at `devicePath` (":" already turned into "/") to `localPath`.
    virtual Result CopyRecord(const PhotoSerialEntry& entry, const std::string& devicePath,
                              const std::string& localPath);
    // The local path for the record `recordKey` of `title` and `extension` in `destination`.
    std::string NamePath(const char* destination, std::string_view title, std::string_view extension,
                         const std::string& recordKey);

private:
    const char* m_pathField;
    const char* m_titleField;
    std::mutex m_namesMutex;
    std::unique_ptr<CExportFileName> m_names;
};
