#include "CCliPhotoExport.h"

#include <QDir>

#include <vexa/BackupContent.h>
#include <vexa/vexa.h>

#include "CBackupFiles.h"
#include "CCliFileExport.h"
#include "CCliOutput.h"
#include "CExportCommand.h"
#include "CPhotoExportFiles.h"
#include "CPhotoSerialThread.h"
#include "CliExit.h"
#include "IBaseSerial.h"
#include "ResultReason.h"

std::vector<std::pair<std::string, std::string>>
CCliPhotoExport::Files(const PhotoRecord* records, int count,
                       const std::function<bool(const std::string&)>& exists) {
    std::vector<const PhotoRecord*> all;
    for (int i = 0; i < count; ++i)
        all.push_back(&records[i]);
    return CPhotoExportFiles::Of(all, exists);
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
    const auto exists = CPhotoExportFiles::OnDevice(manager->GetFileService());
    const int exit = Copy(manager, Files(records, count, exists), folder, toJpeg);
    // The list leaves out the photos whose files are gone; the user learns how many stayed behind.
    if (const int unreadable = library->GetUnreadableCount(); unreadable > 0)
        CCliOutput::Error(tr("%n photo(s) could not be read from the device", nullptr, unreadable));
    return exit;
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
