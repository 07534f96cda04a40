#include "CPhotoSerialFileAction.h"

#include <algorithm>
#include <filesystem>

#include <QDebug>
#include <QString>

#include <vexa/VexaServices.h>

#include "CExportFileName.h"

namespace fs = std::filesystem;

CPhotoSerialFileAction::CPhotoSerialFileAction(const char* pathField, const char* titleField)
    : m_pathField(pathField)
    , m_titleField(titleField) {}

CPhotoSerialFileAction::~CPhotoSerialFileAction() = default;

IPhotoSerialAction::Result CPhotoSerialFileAction::Execute(const char* destination,
                                                           const PhotoSerialEntry* entry) {
    if (entry == nullptr) {
        return Skipped;
    }
    const std::string localPath = LocalPath(destination, *entry);
    if (localPath.empty()) {
        return Skipped;
    }
    std::string devicePath = EntryText(*entry, m_pathField);
    std::replace(devicePath.begin(), devicePath.end(), ':', '/');
    return CopyRecord(*entry, devicePath, localPath);
}

std::string CPhotoSerialFileAction::LocalPath(const char* destination, const PhotoSerialEntry& entry) {
    const std::string devicePath = EntryText(entry, m_pathField);
    const std::string title = Title(entry);
    if (destination == nullptr || devicePath.empty() || title.empty()) {
        return {};
    }
    return NamePath(destination, title, CExportFileName::DeviceExtension(devicePath), devicePath);
}

std::string CPhotoSerialFileAction::Title(const PhotoSerialEntry& entry) {
    return EntryText(entry, m_titleField);
}

IPhotoSerialAction::Result CPhotoSerialFileAction::CopyRecord(const PhotoSerialEntry&,
                                                              const std::string& devicePath,
                                                              const std::string& localPath) {
    return CopyFile(FileService(), devicePath, localPath);
}

IPhotoSerialAction::Result CPhotoSerialFileAction::CopyFile(IFileService* files,
                                                            const std::string& devicePath,
                                                            const std::string& localPath) {
    if (files == nullptr || !RemoveLocal(localPath)) {
        qDebug() << "Get file failed!";
        return Failed;
    }
    const QString device = QString::fromStdString(devicePath);
    const QString local = QString::fromStdString(localPath);
    const int result = files->CopyFileToComputer(reinterpret_cast<const char16_t*>(device.utf16()),
                                                 reinterpret_cast<const char16_t*>(local.utf16()));
    if (result != 0) {
        qDebug() << "Get file failed!" << result << device;
        RemoveLocal(localPath);
        return Failed;
    }
    return Copied;
}

bool CPhotoSerialFileAction::RemoveLocal(const std::string& localPath) {
    std::error_code error;
    const auto status = fs::symlink_status(localPath, error);
    if (!fs::exists(status)) {
        return true;
    }
    if (fs::is_directory(status)) {
        return false;
    }
    // A link is removed itself, never followed: its target may lie outside the export folder. A
    // read-only file needs no change of mode, removing it only takes the folder's permission.
    return fs::remove(localPath, error);
}

std::string CPhotoSerialFileAction::NamePath(const char* destination, std::string_view title,
                                             std::string_view extension, const std::string& recordKey) {
    std::lock_guard lock(m_namesMutex);
    if (!m_names || m_names->Folder().rfind(destination, 0) != 0) {
        m_names = std::make_unique<CExportFileName>(destination);
    }
    return m_names->PathFor(title, extension, recordKey);
}
