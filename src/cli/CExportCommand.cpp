#include "CExportCommand.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vexa/BackupContent.h>
#include <vexa/DeviceSnapshot.h>
#include <vexa/vexa.h>

#include "CBackupSource.h"
#include "CCallChunk.h"
#include "CCheckedRecords.h"
#include "CCliCommand.h"
#include "CCliContext.h"
#include "CCliFileExport.h"
#include "CCliInterrupt.h"
#include "CCliOutput.h"
#include "CCliPhotoExport.h"
#include "CCliProgress.h"
#include "CContactRecords.h"
#include "CMessageRecords.h"
#include "CPasswordSource.h"
#include "CPhotoSerialThread.h"
#include "CRecordFileExport.h"
#include "CiBookChunk.h"
#include "CliExit.h"
#include "IBaseChunk.h"
#include "QMusicPlayListChunk.h"
#include "QVideoChunk.h"
#include "ResultReason.h"

namespace {

// The item that holds the records, named as the category's page names it, so that formats that keep
// it (XML) come out as the window writes them.
std::string CategoryItemName(const QString& category) {
    static const std::pair<const char*, const char*> names[] = {
        {"contacts", "Contacts"}, {"messages", "Messages"}, {"music", "Music"}, {"videos", "Video"},
        {"books", "iBooks"},      {"photos", "Photos"},     {"calls", "Calls"}};
    for (const auto& [command, item] : names) {
        if (category == QLatin1String(command))
            return item;
    }
    return CCheckedRecords::kDefaultCategoryName;
}

// The categories and the formats each offers; the first is the default.
const struct Category {
    const char* name;
    QStringList formats;
} kCategories[] = {
    {"contacts", {"vcf", "xml", "xls", "txt", "csv"}},
    {"messages", {"txt", "xml", "xls", "html"}},
    {"calls", {"txt", "xml", "xls", "csv"}},
    {"photos", {"original", "jpeg"}},
    {"music", {"original"}},
    {"videos", {"original"}},
    {"books", {"original"}},
};

const Category* FindCategory(const QString& name) {
    for (const Category& category : kCategories)
        if (name == QLatin1String(category.name))
            return &category;
    return nullptr;
}

struct DeleteRecords {
    std::list<IBaseChunk*>& records;
    ~DeleteRecords() {
        for (IBaseChunk* record : records)
            delete record;
    }
};

} // namespace

void CExportCommand::Add(QList<CCliCommand>& commands) {
    CCliCommand command;
    command.name = QStringLiteral("export");
    command.synopsis =
        QStringLiteral("CATEGORY --to DIR [--format FMT] [-u UDID | --backup DIR] [--password-file F]");
    command.summary = tr("Export contacts, messages, calls, photos, music, videos or books into a folder.");
    command.options = {
        QCommandLineOption(QStringLiteral("to"), tr("The folder to write into; made when missing."),
                           QStringLiteral("DIR")),
        QCommandLineOption(QStringLiteral("format"),
                           tr("The file format: vcf, xml, xls, txt or csv for contacts; txt, xml, xls or "
                              "html for messages; txt, xml, xls or csv for calls; original or jpeg (HEIC and "
                              "PNG pictures converted) for photos."),
                           QStringLiteral("FMT")),
        QCommandLineOption(QStringLiteral("backup"),
                           tr("Read contacts, messages, calls or photos from a backup folder (the one "
                              "that holds Manifest.db) instead of a device."),
                           QStringLiteral("DIR")),
        QCommandLineOption(QStringLiteral("password-file"), tr("The file that holds the backup's password."),
                           QStringLiteral("F")),
    };
    command.minArguments = command.maxArguments = 1;
    command.run = &CExportCommand::Run;
    commands.append(command);
}

QString CExportCommand::FileName(const QString& folder, const QString& category, const QString& format) {
    return QDir(folder).filePath(QStringLiteral("%1.%2").arg(category, format));
}

int CExportCommand::Run(CCliContext& context) {
    const QString name = context.Argument(0);
    const Category* category = FindCategory(name);
    if (!category)
        return CCliOutput::Fail(kExitUsage, tr("unknown category \"%1\": contacts, messages, calls, photos, "
                                               "music, videos or books")
                                                .arg(name));
    const QString folder = context.Value(QStringLiteral("to"));
    if (folder.isEmpty())
        return CCliOutput::Fail(kExitUsage, tr("name the folder to write into with --to DIR"));
    if (context.IsSet(QStringLiteral("backup")) && context.IsSet(QStringLiteral("udid")))
        return CCliOutput::Fail(kExitUsage, tr("name a device or a backup, not both"));
    const QString format = context.IsSet(QStringLiteral("format"))
                               ? context.Value(QStringLiteral("format")).toLower()
                               : (category->formats.isEmpty() ? QString() : category->formats.front());
    if (!category->formats.contains(format))
        return CCliOutput::Fail(kExitUsage,
                                tr("%1 are not exported as \"%2\"; formats: %3")
                                    .arg(name, format, category->formats.join(QStringLiteral(", "))));
    if (context.IsSet(QStringLiteral("backup")))
        return ExportFromBackup(context, name, format, folder);

    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    if (name == QLatin1String("photos"))
        return CCliPhotoExport::FromDevice(device->manager, folder, format == QLatin1String("jpeg"));
    if (!QDir().mkpath(folder))
        return CCliOutput::Fail(kExitFailed, tr("the folder %1 could not be made").arg(folder));
    if (format == QLatin1String("original"))
        return ExportFiles(device->manager, name, folder);
    return ExportRecords(device->manager, name, FileName(folder, name, format),
                         context.Value(QStringLiteral("password-file")));
}

int CExportCommand::ExportFiles(IVexaManager* manager, const QString& category, const QString& folder) {
    std::list<IBaseChunk*> records;
    const DeleteRecords owner{records};
    int result = VEXA_E_UNPLUGGED;
    int kind = kExportMedia;
    if (category == QLatin1String("books")) {
        kind = kExportBooks;
        IBookService* books = manager->GetBookService();
        BookRecord* list = nullptr;
        int count = 0;
        result = books ? books->GetBooks(&list, &count) : result;
        for (int i = 0; result == VEXA_OK && list && i < count; ++i) {
            auto* book = new CiBookChunk(manager);
            if (list[i].present && book->FromRecord(list[i]))
                records.push_back(book);
            else
                delete book;
        }
    } else {
        IMediaLibrary* library = manager->GetMediaLibrary();
        PlaylistRecord* playlists = nullptr;
        int count = 0;
        result = library ? library->GetPlaylists(&count, &playlists) : result;
        // The library is playlist 0.
        if (result == VEXA_OK && count > 0 && playlists)
            records =
                category == QLatin1String("music")
                    ? QMusicPlayListChunk::LibrarySongs(playlists[0], QMusicPlayListChunk::DefaultImage())
                    : QVideoChunk::LibraryVideos(playlists[0], QVideoChunk::DefaultImage());
    }
    if (result != VEXA_OK)
        return CCliOutput::Fail(
            ExitForResult(result),
            WithReason(tr("the %1 could not be read from the device").arg(category), result));
    for (IBaseChunk* record : records)
        record->SetChecked(true);
    CCheckedRecords source(records, CategoryItemName(category));
    CCliFileExport files;
    return CopyOutcome(files, files.Run(source, manager, kind, folder), folder);
}

int CExportCommand::CopyOutcome(const CCliFileExport& copy, int failed, const QString& folder) {
    if (copy.WasCancelled())
        return CCliOutput::Fail(kExitCancelled, tr("cancelled"));
    if (failed < 0)
        return CCliOutput::Fail(kExitFailed, tr("%1 could not be written").arg(folder));
    if (failed > 0)
        return CCliOutput::Fail(kExitFailed, tr("%n entries could not be copied", nullptr, failed));
    CCliOutput::Line(folder);
    return kExitOk;
}

bool CExportCommand::LoadRecords(IVexaManager* manager, const QString& category,
                                 std::list<IBaseChunk*>* records, int* result) {
    if (category == QLatin1String("contacts")) {
        IContactService* service = manager->GetContactService();
        ContactList* list = nullptr;
        *result = service ? service->GetContacts(&list) : int(VEXA_E_UNPLUGGED);
        if (*result == VEXA_OK && list)
            *records = ContactRecords::BuildChunks(*list, manager, nullptr);
    } else if (category == QLatin1String("calls")) {
        IDeviceService* service = manager->GetDeviceService();
        CallHistoryList* list = nullptr;
        *result = service ? service->GetCallHistory(&list) : int(VEXA_E_UNPLUGGED);
        if (*result == VEXA_E_NOT_FOUND && HasDeviceSnapshot(manager) && !DeviceSnapshotEncrypted(manager))
            CCliOutput::Error(tr("the device's backups are not encrypted, and a phone gives its call history "
                                 "only to an encrypted backup: no calls were read"));
        // A phone that never kept a call history exports an empty one, as its page shows none.
        if (*result == VEXA_E_NOT_FOUND)
            *result = VEXA_OK;
        if (*result == VEXA_OK && list)
            *records = CCallChunk::BuildChunks(*list);
    } else {
        IDeviceService* service = manager->GetDeviceService();
        ConversationList* list = nullptr;
        *result = service ? service->GetMessages(&list, 0) : int(VEXA_E_UNPLUGGED);
        if (*result == VEXA_OK && list)
            *records = MessageRecords::BuildChunks(*list);
    }
    for (IBaseChunk* record : *records)
        record->SetChecked(true);
    return *result == VEXA_OK;
}

int CExportCommand::PrepareSnapshot(IVexaManager* manager, const QString& passwordFile) {
    if (!HasDeviceSnapshot(manager))
        return kExitOk;
    CCliProgress bar(tr("Reading the device"));
    const auto onProgress = [](const BackupProgress* progress, void* context) {
        static_cast<CCliProgress*>(context)->Update(qint64(progress->filesDone), qint64(progress->filesTotal),
                                                    qint64(progress->bytesDone),
                                                    qint64(progress->bytesTotal));
        return CCliInterrupt::Requested() ? 1 : 0;
    };
    const int taken = RefreshDeviceSnapshot(manager, onProgress, &bar);
    bar.Finish();
    if (taken != VEXA_OK)
        return CCliOutput::Fail(ExitForResult(taken), WithReason(tr("the device could not be read"), taken));
    if (!DeviceSnapshotEncrypted(manager))
        return kExitOk;
    QString password;
    if (const int exit = CPasswordSource::Require(passwordFile, &password); exit != kExitOk)
        return exit;
    const int unlocked = UnlockDeviceSnapshot(manager, password.toUtf8().constData());
    if (unlocked == VEXA_E_PASSWORD)
        return CCliOutput::Fail(kExitPassword, tr("the password of the device's backups is wrong"));
    if (unlocked != VEXA_OK)
        return CCliOutput::Fail(ExitForResult(unlocked),
                                WithReason(tr("the device could not be read"), unlocked));
    return kExitOk;
}

int CExportCommand::ExportRecords(IVexaManager* manager, const QString& category, const QString& path,
                                  const QString& passwordFile) {
    if (const int ready = PrepareSnapshot(manager, passwordFile); ready != kExitOk)
        return ready;
    std::list<IBaseChunk*> records;
    const DeleteRecords owner{records};
    int result = VEXA_OK;
    if (!LoadRecords(manager, category, &records, &result))
        return CCliOutput::Fail(
            ExitForResult(result),
            WithReason(tr("the %1 could not be read from the device").arg(category), result));
    return WriteRecords(records, category, path, CMessageExport::ThroughService(manager->GetDeviceService()));
}

int CExportCommand::ExportFromBackup(CCliContext& context, const QString& category, const QString& format,
                                     const QString& folder) {
    // A phone leaves out of its backups the songs, videos and books a computer gave it: they are
    // exported from the device itself.
    if (category == QLatin1String("music") || category == QLatin1String("videos"))
        return CCliOutput::Fail(kExitFailed,
                                tr("songs and videos are not kept in a backup: a phone leaves the "
                                   "songs and videos a computer synced to it out of its backups; "
                                   "export them from the device with -u UDID"));
    if (category == QLatin1String("books"))
        return CCliOutput::Fail(kExitFailed, tr("books are not kept in a backup: a phone leaves the books a "
                                                "computer gave it out of its backups; export them from the "
                                                "device with -u UDID"));
    CBackupSource backup;
    if (const int opened = backup.Open(context.Value(QStringLiteral("backup")),
                                       context.Value(QStringLiteral("password-file")));
        opened != kExitOk)
        return opened;
    // A backup stays as it was made: nothing goes into its folder.
    const QString target = QFileInfo(folder).absoluteFilePath() + QLatin1Char('/');
    if (target.startsWith(backup.Folder() + QLatin1Char('/')))
        return CCliOutput::Fail(
            kExitFailed, tr("a backup is read-only: write the export outside %1").arg(backup.Folder()));
    if (category == QLatin1String("photos"))
        return CCliPhotoExport::FromBackup(backup.Content(), folder, format == QLatin1String("jpeg"));
    if (!QDir().mkpath(folder))
        return CCliOutput::Fail(kExitFailed, tr("the folder %1 could not be made").arg(folder));
    std::list<IBaseChunk*> records;
    const DeleteRecords owner{records};
    if (const int loaded = backup.LoadRecords(category, &records); loaded != kExitOk)
        return loaded;
    BackupContent& content = backup.Content();
    return WriteRecords(records, category, FileName(folder, category, format),
                        [&content](const std::string& devicePath, const QString& localPath) {
                            return content.CopyMessageAttachment(devicePath.c_str(),
                                                                 localPath.toUtf8().constData());
                        });
}

int CExportCommand::WriteRecords(const std::list<IBaseChunk*>& records, const QString& category,
                                 const QString& path, const CMessageExport::CopyFile& copy) {
    if (CCliInterrupt::Requested())
        return CCliOutput::Fail(kExitCancelled, tr("cancelled"));
    // Written beside under a name of its own and renamed at the end, so an earlier export is replaced
    // only by a whole one.
    const QFileInfo target(path);
    const QString partial = target.dir().filePath(
        QStringLiteral(".%1.partial.%2").arg(target.completeBaseName(), target.suffix()));
    CCheckedRecords source(records, CategoryItemName(category));
    CMessageExport::Outcome messages;
    if (category == QLatin1String("messages"))
        messages = CMessageExport::Export(records, partial, copy, path);
    else
        messages.result = CRecordFileExport::ExportFile(source, partial.toStdString());
    if (messages.result != CRecordFileExport::Result::Written) {
        QFile::remove(partial);
        return CCliOutput::Fail(kExitFailed, tr("%1 could not be written").arg(path));
    }
    if (CCliInterrupt::Requested()) {
        QFile::remove(partial);
        return CCliOutput::Fail(kExitCancelled, tr("cancelled"));
    }
    std::error_code error;
    std::filesystem::rename(partial.toStdString(), path.toStdString(), error);
    if (error) {
        QFile::remove(partial);
        return CCliOutput::Fail(kExitFailed, tr("%1 could not be written").arg(path));
    }
    if (messages.missed > 0)
        CCliOutput::Error(
            tr("%n attachment(s) could not be copied; the export names them", nullptr, messages.missed));
    CCliOutput::Line(path);
    return kExitOk;
}
