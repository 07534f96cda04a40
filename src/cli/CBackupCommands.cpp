#include "CBackupCommands.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>

#include <vexa/vexa.h>

#include "BackupDataThread.h"
#include "CBackupFolder.h"
#include "CBackupLog.h"
#include "CBackupRecord.h"
#include "CCliCommand.h"
#include "CCliContext.h"
#include "CCliInterrupt.h"
#include "CCliOutput.h"
#include "CCliProgress.h"
#include "CDeviceLease.h"
#include "CImportedBackups.h"
#include "CKnownBackups.h"
#include "CPasswordSource.h"
#include "CliExit.h"
#include "RestoreThread.h"
#include "ResultReason.h"

namespace {

constexpr int kInterruptPollMs = 50;

// Runs `thread` to its end in an event loop that draws its progress and hands Ctrl+C on as a cancel.
template <typename Thread> void RunWithProgress(Thread& thread, const QString& label) {
    CCliProgress progress(label);
    QEventLoop loop;
    QObject::connect(&thread, &Thread::emitProgress, &loop,
                     [&progress](qint64 files, qint64 filesTotal, qint64 bytes, qint64 bytesTotal) {
                         progress.Update(files, filesTotal, bytes, bytesTotal);
                     });
    QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer interrupt;
    QObject::connect(&interrupt, &QTimer::timeout, &loop, [&thread] {
        if (CCliInterrupt::Requested())
            thread.Cancel();
    });
    interrupt.start(kInterruptPollMs);
    thread.start();
    loop.exec();
    thread.wait();
    progress.Finish();
}

QJsonObject RecordJson(const CBackupRecord& record, const QString& source) {
    return QJsonObject{{QStringLiteral("folder"), record.folder},
                       {QStringLiteral("name"), record.name},
                       {QStringLiteral("date"), record.dateTime},
                       {QStringLiteral("deviceClass"), record.deviceType},
                       {QStringLiteral("serialNumber"), record.serialNumber},
                       {QStringLiteral("size"), qint64(record.size)},
                       {QStringLiteral("encrypted"), record.encrypted},
                       {QStringLiteral("source"), source}};
}

} // namespace

void CBackupCommands::Add(QList<CCliCommand>& commands) {
    CCliCommand backup;
    backup.name = QStringLiteral("backup");
    backup.synopsis = QStringLiteral("[-u UDID] [--full] DIR");
    backup.summary = tr("Back the whole device up into DIR/<udid>; a backup already there is brought up to "
                        "date.");
    backup.options = {
        QCommandLineOption(QStringLiteral("full"),
                           tr("Copy every file, even when DIR/<udid> holds an earlier backup of the device "
                              "(by default only the files changed since are copied)."))};
    backup.minArguments = backup.maxArguments = 1;
    backup.run = &CBackupCommands::Backup;
    commands.append(backup);

    CCliCommand restore;
    restore.name = QStringLiteral("restore");
    restore.synopsis = QStringLiteral("[-u UDID] DIR [--password-file F]");
    restore.summary = tr("Restore a backup folder onto the device.");
    restore.options = {QCommandLineOption(QStringLiteral("password-file"),
                                          tr("The file that holds the backup's password."),
                                          QStringLiteral("F"))};
    restore.minArguments = restore.maxArguments = 1;
    restore.run = &CBackupCommands::Restore;
    commands.append(restore);

    CCliCommand backups;
    backups.name = QStringLiteral("backups");
    backups.synopsis = QStringLiteral("[--json]");
    backups.summary = tr("List the backups the program knows: its log and the folders added to it.");
    backups.takesDevice = false;
    backups.takesJson = true;
    backups.run = &CBackupCommands::Backups;
    commands.append(backups);
}

int CBackupCommands::Backup(CCliContext& context) {
    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    const QString chosen = QFileInfo(context.Argument(0)).absoluteFilePath();
    if (!QDir().mkpath(chosen))
        return CCliOutput::Fail(kExitFailed, tr("the folder %1 could not be made").arg(chosen));
    // The device library writes the backup beside and swaps it in whole, so the one there stays as it
    // was until the new one is complete.
    const QString folder = CBackupFolder::DeviceFolder(chosen, device->udid);
    BackupDataThread thread;
    thread.SetBackupInfo(folder, device->manager, context.Devices());
    thread.SetFull(context.IsSet(QStringLiteral("full")));
    RunWithProgress(thread, tr("Backing up"));
    if (thread.Succeeded()) {
        CCliOutput::Line(folder);
        // The files unchanged since the folder's earlier backup were taken from it.
        CCliOutput::Line(
            tr("%n files copied (%1 bytes)", nullptr, int(thread.FilesCopied())).arg(thread.BytesCopied()));
        return kExitOk;
    }
    const int result = thread.LastResult();
    if (result == VEXA_E_CANCELLED)
        return CCliOutput::Fail(kExitCancelled,
                                tr("cancelled; the earlier backup in %1 is unchanged").arg(folder));
    if (result == VEXA_E_EXISTS)
        return CCliOutput::Fail(kExitFailed,
                                tr("a backup of this device into %1 is already running").arg(folder));
    return CCliOutput::Fail(ExitForResult(result), WithReason(tr("the backup failed"), result));
}

int CBackupCommands::Restore(CCliContext& context) {
    const QString folder = CBackupFolder::Locate(QFileInfo(context.Argument(0)).absoluteFilePath());
    CBackupRecord record;
    if (CBackupFolder::Read(folder, record) != CBackupFolder::Ok)
        return CCliOutput::Fail(kExitFailed, tr("%1 holds no readable backup").arg(context.Argument(0)));
    QString password;
    if (record.encrypted) {
        if (int exit = CPasswordSource::Require(context.Value(QStringLiteral("password-file")), &password);
            exit != kExitOk)
            return exit;
    }
    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    auto lease = CDeviceLease::Take(*context.Devices(), device->manager);
    RestoreThread thread;
    thread.SetRestoreInfo(device->manager->GetDeviceService(), std::move(lease), folder, password);
    RunWithProgress(thread, tr("Restoring"));
    if (thread.Succeeded())
        return kExitOk;
    const int result = thread.LastResult();
    if (result == VEXA_E_CANCELLED)
        return CCliOutput::Fail(kExitCancelled, tr("cancelled; the device is unchanged"));
    return CCliOutput::Fail(ExitForResult(result), WithReason(tr("the restore failed"), result));
}

int CBackupCommands::Backups(CCliContext& context) {
    QJsonArray list;
    const auto add = [&context, &list](const CBackupRecord& record, const QString& source) {
        if (context.Json())
            list.append(RecordJson(record, source));
        else
            CCliOutput::Line(
                QStringLiteral("%1\t%2\t%3\t%4")
                    .arg(record.folder, record.dateTime, record.name, QString::number(record.size)));
    };
    for (const CKnownBackups::Entry& entry : CKnownBackups::List())
        add(entry.record, entry.fromLog ? QStringLiteral("log") : QStringLiteral("added"));
    if (context.Json())
        CCliOutput::Json(list);
    return kExitOk;
}
