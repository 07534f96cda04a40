#pragma once

#include <memory>
#include <string>

class IFileService;
class IVexaManager;

// A file service of a manager of its own, bound to the same device as a view's manager. A job that
// runs behind a modal dialog uses it: unplugging the device during the dialog deletes the view's
// manager, while this one lives until the job is done (and answers "unplugged" meanwhile).
class CFileServiceLease {
public:
    // `appId` non-empty: the service of that app's container instead of the device's file system.
    CFileServiceLease(int deviceHandle, const std::string& appId);
    ~CFileServiceLease();

    CFileServiceLease(const CFileServiceLease&) = delete;
    CFileServiceLease& operator=(const CFileServiceLease&) = delete;

    // Null when no manager could be bound or the container could not be opened.
    IFileService* Files() const { return m_files; }

private:
    IVexaManager* m_manager = nullptr;
    IFileService* m_container = nullptr;
    IFileService* m_files = nullptr;
};
