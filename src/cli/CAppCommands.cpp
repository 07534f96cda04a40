#include "CAppCommands.h"

#include <cstring>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <vexa/vexa.h>

#include "CCliCommand.h"
#include "CCliContext.h"
#include "CCliOutput.h"
#include "CliExit.h"
#include "ResultReason.h"

namespace {
QString Text(const char* fixed, size_t size) {
    return QString::fromUtf8(fixed, qsizetype(strnlen(fixed, size)));
}
} // namespace

void CAppCommands::Add(QList<CCliCommand>& commands) {
    CCliCommand apps;
    apps.name = QStringLiteral("apps");
    apps.synopsis = QStringLiteral("[-u UDID] [--json]");
    apps.summary = tr("List the installed apps: bundle id, version, name.");
    apps.takesJson = true;
    apps.run = &CAppCommands::Apps;
    commands.append(apps);

    CCliCommand install;
    install.name = QStringLiteral("install");
    install.synopsis = QStringLiteral("[-u UDID] FILE.ipa");
    install.summary = tr("Install an app from its .ipa file.");
    install.minArguments = install.maxArguments = 1;
    install.run = &CAppCommands::Install;
    commands.append(install);

    CCliCommand uninstall;
    uninstall.name = QStringLiteral("uninstall");
    uninstall.synopsis = QStringLiteral("[-u UDID] BUNDLE_ID");
    uninstall.summary = tr("Remove an installed app.");
    uninstall.minArguments = uninstall.maxArguments = 1;
    uninstall.run = &CAppCommands::Uninstall;
    commands.append(uninstall);
}

int CAppCommands::Apps(CCliContext& context) {
    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    IAppLibrary* library = device->manager->GetAppLibrary();
    AppRecord* records = nullptr;
    int count = 0;
    const int result = library ? library->GetApplistInfo(&records, &count) : int(VEXA_E_UNPLUGGED);
    if (result != VEXA_OK)
        return CCliOutput::Fail(ExitForResult(result),
                                WithReason(tr("the apps could not be listed"), result));
    QJsonArray list;
    for (int i = 0; records && i < count; ++i) {
        const AppRecord& app = records[i];
        const QString id = Text(app.id, sizeof app.id);
        const QString version = Text(app.version, sizeof app.version);
        const QString name = Text(app.name, sizeof app.name);
        if (context.Json())
            list.append(QJsonObject{{QStringLiteral("bundleId"), id},
                                    {QStringLiteral("name"), name},
                                    {QStringLiteral("version"), version},
                                    {QStringLiteral("appSize"), app.appSize},
                                    {QStringLiteral("size"), app.fileSize}});
        else
            CCliOutput::Line(QStringLiteral("%1\t%2\t%3").arg(id, version, name));
    }
    if (context.Json())
        CCliOutput::Json(list);
    return kExitOk;
}

int CAppCommands::Install(CCliContext& context) {
    const QFileInfo file(context.Argument(0));
    if (!file.isFile())
        return CCliOutput::Fail(kExitFailed, tr("%1 is not a file").arg(context.Argument(0)));
    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    const QString path = file.absoluteFilePath();
    IAppLibrary* library = device->manager->GetAppLibrary();
    const int result = library ? library->InstallApp(reinterpret_cast<const char16_t*>(path.utf16()))
                               : int(VEXA_E_UNPLUGGED);
    if (result != VEXA_OK)
        return CCliOutput::Fail(ExitForResult(result),
                                WithReason(tr("%1 could not be installed").arg(file.fileName()), result));
    return kExitOk;
}

int CAppCommands::Uninstall(CCliContext& context) {
    int exitCode = kExitOk;
    const CConnectedDevice* device = context.Device(&exitCode);
    if (!device)
        return exitCode;
    const QByteArray id = context.Argument(0).toUtf8();
    IAppLibrary* library = device->manager->GetAppLibrary();
    const int result = library ? library->UninstallApp(id.constData()) : int(VEXA_E_UNPLUGGED);
    if (result != VEXA_OK)
        return CCliOutput::Fail(ExitForResult(result),
                                WithReason(tr("%1 could not be removed").arg(context.Argument(0)), result));
    return kExitOk;
}
