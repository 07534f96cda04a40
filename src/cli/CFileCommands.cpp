#include "CFileCommands.h"

#include <filesystem>
#include <set>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <vexa/vexa.h>

#include "CCliCommand.h"
#include "CCliContext.h"
#include "CCliInterrupt.h"
#include "CCliOutput.h"
#include "CCliProgress.h"
#include "CDeviceFileItem.h"
#include "CDeviceUpload.h"
#include "CliExit.h"

namespace {

QString Name(const CDeviceFileItem& item) {
    return QString::fromStdString(item.GetName());
}

QString DevicePath(const QString& path) {
    if (path.startsWith(QLatin1Char('/')))
        return path;
    return QStringLiteral("/") + path;
}

} // namespace

void CFileCommands::Add(QList<CCliCommand>& commands) {
    CCliCommand list;
    list.name = QStringLiteral("ls");
    list.synopsis = QStringLiteral("[-u UDID] [-l] [--json] PATH");
    list.summary = tr("List a folder of the device.");
    list.options = {QCommandLineOption(QStringLiteral("l"), tr("Show type, size and time of each entry."))};
    list.minArguments = list.maxArguments = 1;
    list.takesJson = true;
    list.run = &CFileCommands::List;
    commands.append(list);

    CCliCommand pull;
    pull.name = QStringLiteral("pull");
    pull.synopsis = QStringLiteral("[-u UDID] DEVICE_PATH LOCAL");
    pull.summary = tr("Copy a file or folder of the device to the computer.");
    pull.minArguments = pull.maxArguments = 2;
    pull.run = &CFileCommands::Pull;
    commands.append(pull);

    CCliCommand push;
    push.name = QStringLiteral("push");
    push.synopsis = QStringLiteral("[-u UDID] LOCAL DEVICE_PATH");
    push.summary = tr("Copy a file or folder of the computer into a folder of the device.");
    push.minArguments = push.maxArguments = 2;
    push.run = &CFileCommands::Push;
    commands.append(push);
}

int CFileCommands::List(CCliContext& context) {
    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    const QString path = DevicePath(context.Argument(0));
    CDeviceFileItem folder(device->manager->GetFileService(), path.toStdString());
    if (!folder.IsLoaded())
        return CCliOutput::Fail(kExitFailed, tr("%1: no such file or folder on the device").arg(path));
    if (folder.IsDirectory() && !folder.HasReadChildren())
        return CCliOutput::Fail(kExitFailed, tr("%1: the folder could not be read").arg(path));
    std::vector<const CDeviceFileItem*> entries;
    if (folder.IsDirectory())
        for (int i = 0; i < folder.GetChildCount(); ++i)
            entries.push_back(folder.GetChild(i));
    else
        entries.push_back(&folder);
    QJsonArray list;
    for (const CDeviceFileItem* entry : entries) {
        const QString modified = QDateTime::fromSecsSinceEpoch(entry->GetModifyTime())
                                     .toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        if (context.Json()) {
            list.append(QJsonObject{{QStringLiteral("name"), Name(*entry)},
                                    {QStringLiteral("type"), entry->IsDirectory() ? QStringLiteral("folder")
                                                                                  : QStringLiteral("file")},
                                    {QStringLiteral("size"), qint64(entry->GetSize())},
                                    {QStringLiteral("modified"), qint64(entry->GetModifyTime())}});
        } else if (context.IsSet(QStringLiteral("l"))) {
            CCliOutput::Line(QStringLiteral("%1 %2 %3 %4")
                                 .arg(entry->IsDirectory() ? QStringLiteral("d") : QStringLiteral("-"))
                                 .arg(qint64(entry->GetSize()), 12)
                                 .arg(modified, Name(*entry)));
        } else {
            CCliOutput::Line(Name(*entry) + (entry->IsDirectory() ? QStringLiteral("/") : QString()));
        }
    }
    if (context.Json())
        CCliOutput::Json(list);
    return kExitOk;
}

int CFileCommands::Pull(CCliContext& context) {
    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    const QString path = DevicePath(context.Argument(0));
    CDeviceFileItem item(device->manager->GetFileService(), path.toStdString());
    if (!item.IsLoaded() || item.IsRoot())
        return CCliOutput::Fail(kExitFailed, tr("%1: no such file or folder on the device").arg(path));
    // Into a folder that is there, under the entry's own name; otherwise as LOCAL itself.
    QString local = context.Argument(1);
    if (QFileInfo(local).isDir())
        local = QDir(local).filePath(Name(item));
    if (QFileInfo::exists(local) && item.IsDirectory())
        return CCliOutput::Fail(kExitFailed, tr("%1 exists already").arg(local));
    if (!item.ExportAs(QFileInfo(local).absoluteFilePath().toStdString()))
        return CCliOutput::Fail(kExitFailed, tr("%1 could not be copied to %2").arg(path, local));
    return CCliInterrupt::Requested() ? kExitCancelled : kExitOk;
}

int CFileCommands::Push(CCliContext& context) {
    const QFileInfo local(context.Argument(0));
    if (!local.exists())
        return CCliOutput::Fail(kExitFailed, tr("%1: no such file or folder").arg(context.Argument(0)));
    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    const QString path = DevicePath(context.Argument(1));
    IFileService* files = device->manager->GetFileService();
    CDeviceFileItem target(files, path.toStdString());
    if (!target.IsLoaded() || !target.IsDirectory()) {
        // A file goes to exactly the path given, as long as its folder is there.
        if (local.isDir())
            return CCliOutput::Fail(kExitFailed, tr("%1: no such folder on the device").arg(path));
        const QString from = local.absoluteFilePath();
        const int result = files ? files->CopyFileToDevice(reinterpret_cast<const char16_t*>(from.utf16()),
                                                           reinterpret_cast<const char16_t*>(path.utf16()))
                                 : int(VEXA_E_UNPLUGGED);
        if (result != VEXA_OK)
            return CCliOutput::Fail(ExitForResult(result),
                                    tr("%1 could not be copied to %2").arg(from, path));
        return kExitOk;
    }
    const std::vector<CDeviceUpload::Step> steps =
        CDeviceUpload::PlanInto(&target, QStringList{local.absoluteFilePath()});
    CCliProgress progress(tr("Copying"));
    const int failed = CDeviceUpload::Run(files, steps, [&progress](size_t done, size_t total) {
        progress.Update(qint64(done), qint64(total), 0, 0);
        return !CCliInterrupt::Requested();
    });
    progress.Finish();
    if (CCliInterrupt::Requested())
        return CCliOutput::Fail(kExitCancelled, tr("cancelled"));
    if (failed > 0)
        return CCliOutput::Fail(kExitFailed, tr("%n entries could not be copied", nullptr, failed));
    return kExitOk;
}
