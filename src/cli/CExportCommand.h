#pragma once

#include <list>

#include <QCoreApplication>
#include <QList>
#include <QString>

#include "CMessageExport.h"

struct CCliCommand;
class CCliContext;
class IBaseChunk;
class IVexaManager;

// export CATEGORY --to DIR [--format FMT]: a category's records (of a device, or for contacts,
// messages and calls of a backup folder) into one file of the format, written by the record writers the
// export button of the window uses, or the files its records name copied into DIR by the window's file
// export.
class CCliFileExport;

class CExportCommand {
    Q_DECLARE_TR_FUNCTIONS(CExportCommand)
public:
    static void Add(QList<CCliCommand>& commands);

    // The file a record export of `category` in `format` writes inside `folder`.
    static QString FileName(const QString& folder, const QString& category, const QString& format);
    // The exit code and message of a file copy that returned `failed` (below 0: the folder could not be
    // written; above 0: that many entries were not copied); the folder's name on success.
    static int CopyOutcome(const CCliFileExport& copy, int failed, const QString& folder);

private:
    static int Run(CCliContext& context);
    static int ExportFiles(IVexaManager* manager, const QString& category, const QString& folder);
    static int ExportRecords(IVexaManager* manager, const QString& category, const QString& path,
                             const QString& passwordFile);
    // A real device's contacts, messages and calls are read from its snapshot: brought up to date
    // first, and unlocked with the password of its backups when they are encrypted.
    static int PrepareSnapshot(IVexaManager* manager, const QString& passwordFile);
    // Contacts, messages or calls read from the backup folder --backup names.
    static int ExportFromBackup(CCliContext& context, const QString& category, const QString& format,
                                const QString& folder);
    // `records` into `path`, replacing an earlier file only once the new one is whole. Messages take
    // their attachments along through `copy`.
    static int WriteRecords(const std::list<IBaseChunk*>& records, const QString& category,
                            const QString& path, const CMessageExport::CopyFile& copy = {});
    // The device's records of the category, every one checked; false after the complaint.
    static bool LoadRecords(IVexaManager* manager, const QString& category, std::list<IBaseChunk*>* records,
                            int* result);
};
