#include "CCliPhotoExport.h"

#include <map>
#include <set>

#include <QDir>

#include <vexa/BackupContent.h>
#include <vexa/vexa.h>

#include "CBackupFiles.h"
#include "CCliFileExport.h"
#include "CCliOutput.h"
#include "CExportCommand.h"
#include "CPhotoSerialThread.h"
#include "CliExit.h"
#include "IBaseSerial.h"
#include "ResultReason.h"

namespace {

constexpr const char* kClipExtension = ".MOV";

bool IsStill(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return false;
    const QString extension = QString::fromStdString(path.substr(dot)).toLower();
    return extension != QLatin1String(".mov") && extension != QLatin1String(".mp4") &&
           extension != QLatin1String(".m4v");
}

std::string WithExtension(const std::string& name, const char* extension) {
    const size_t dot = name.rfind('.');
    const size_t slash = name.rfind('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? name.substr(0, dot) : name) + extension;
}

} // namespace

std::vector<std::pair<std::string, std::string>>
CCliPhotoExport::Files(const PhotoRecord* records, int count,
                       const std::function<bool(const std::string&)>& exists) {
    std::set<std::string> listed;
    for (int i = 0; i < count; ++i)
        listed.insert(records[i].path ? records[i].path : "");
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 0; i < count; ++i) {
        const PhotoRecord& record = records[i];
        if (!record.path || !record.fileName)
            continue;
        files.emplace_back(record.path, record.fileName);
        const std::string clip = WithExtension(record.path, kClipExtension);
        if (IsStill(record.path) && !listed.count(clip) && exists(clip))
            files.emplace_back(clip, WithExtension(record.fileName, kClipExtension));
    }
    return files;
}

void CCliPhotoExport::Serialize(IBaseSerial* writer) {
    if (!writer)
        return;
    writer->BeginItem("Photos", -1);
    int item = 0;
    for (const auto& [path, title] : m_files) {
        writer->BeginItem("Photo", item++);
        writer->WriteString("path", path.c_str());
        writer->WriteString("title", title.c_str());
        writer->EndItem();
    }
    writer->EndItem();
}

int CCliPhotoExport::Copy(IVexaManager* source, const std::vector<std::pair<std::string, std::string>>& files,
                          const QString& folder, bool toJpeg) {
    if (!QDir().mkpath(folder))
        return CCliOutput::Fail(kExitFailed, tr("the folder %1 could not be made").arg(folder));
    CCliPhotoExport photos;
    photos.m_files = files;
    CCliFileExport copy;
    const int failed = copy.Run(photos, source, toJpeg ? kExportPhotosAsJpeg : kExportPhotos, folder);
    return CExportCommand::CopyOutcome(copy, failed, folder);
}

int CCliPhotoExport::FromDevice(IVexaManager* manager, const QString& folder, bool toJpeg) {
    IPhotoLibrary* library = manager->GetPhotos();
    PhotoRecord* records = nullptr;
    int count = 0;
    int result = library ? library->PrepareList() : int(VEXA_E_UNPLUGGED);
    if (result == VEXA_OK)
        result = library->GetPhotoList(&records, &count);
    if (result != VEXA_OK)
        return CCliOutput::Fail(ExitForResult(result),
                                WithReason(tr("the photos could not be read from the device"), result));
    // A clip is looked for in its folder's listing, read once a folder.
    IFileService* files = manager->GetFileService();
    std::map<std::string, std::set<std::string>> folders;
    const auto exists = [files, &folders](const std::string& path) {
        const size_t slash = path.rfind('/');
        const std::string parent = slash == std::string::npos ? std::string("/") : path.substr(0, slash);
        auto [it, added] = folders.try_emplace(parent);
        DirectoryEntryRecord* entries = nullptr;
        int count = 0;
        if (added && files && files->ReadDirectory(parent.c_str(), &count, &entries) == VEXA_OK)
            for (int i = 0; i < count; ++i)
                if (entries[i].name)
                    it->second.insert(entries[i].name);
        return it->second.count(path.substr(slash + 1)) > 0;
    };
    return Copy(manager, Files(records, count, exists), folder, toJpeg);
}

int CCliPhotoExport::FromBackup(BackupContent& backup, const QString& folder, bool toJpeg) {
    PhotoRecord* records = nullptr;
    int count = 0;
    if (const int result = backup.GetPhotos(&records, &count); result != VEXA_OK)
        return CCliOutput::Fail(ExitForResult(result),
                                WithReason(tr("the photos could not be read from the backup"), result));
    CBackupFiles files(backup);
    const auto exists = [&backup](const std::string& path) { return backup.HasPhotoFile(path.c_str()); };
    return Copy(&files, Files(records, count, exists), folder, toJpeg);
}
