#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>

#include <vexa/vexa.h>

#include "CPackageRename.h"
#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "QAppsChunk.h"
#include "QAppsView.h"
#include "QAppsViewModel.h"
#include "QOperatePanel.h"
#include "SweepKit.h"
#include "TreeNode.h"
#include "formats/IpaFile.h"

namespace {

const char* const kSweepAppId = "org.vexa.sweep";

QAppsView* AppsView(const SweepDevice& device) {
    TreeNode* node = device.Category(SUB_ITEM_APPS);
    return node ? qobject_cast<QAppsView*>(node->Binding().view) : nullptr;
}

QString SweepPackage() {
    return ExportRoot().filePath(QStringLiteral("Sweep App ü.ipa"));
}

QStringList DeviceApps(const SweepDevice& device) {
    QStringList ids;
    device.WithManager([&](IVexaManager* manager) {
        AppRecord* records = nullptr;
        int count = 0;
        if (manager->GetAppLibrary()->GetApplistInfo(&records, &count) != 0)
            return false;
        for (int i = 0; i < count; ++i)
            ids << QString::fromUtf8(records[i].id);
        return true;
    });
    return ids;
}

// Presses the Apps node (its first press loads the page) or Refresh on the page, and waits for the pass.
bool LoadApps(SweepDevice& device) {
    QPointer<QAppsView> view = AppsView(device);
    TreeNode* node = device.Category(SUB_ITEM_APPS);
    if (!view || !node)
        return false;
    QSignalSpy finished(view.data(), &QBaseDetailsView::loadFinished);
    QSignalSpy listed(view.data(), &QAppsView::emitRefreshAppNode);
    device.JustBeforeCall();
    return LoadPage(device, node, view, finished) && listed.count() > 0;
}

// The package on the computer, the app on the device (unless `installed` is false) and the page loaded
// with the app's row current.
void EnsureApp(SweepDevice& device, bool installed) {
    vexa::formats::AppBundle app;
    app.bundleId = kSweepAppId;
    app.displayName = "Sweep App";
    app.version = app.shortVersion = "1.0";
    app.executable = "Sweep";
    QImage icon(60, 60, QImage::Format_RGB32);
    icon.fill(Qt::darkCyan);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    icon.save(&png, "PNG");
    app.iconPng.assign(png.data().begin(), png.data().end());
    if (!QFileInfo::exists(SweepPackage()))
        vexa::formats::WriteIpa(SweepPackage().toStdString(), app);
    const bool present = DeviceApps(device).contains(QLatin1String(kSweepAppId));
    device.WithManager([&](IVexaManager* manager) {
        IAppLibrary* apps = manager->GetAppLibrary();
        if (installed && !present)
            return apps->InstallApp(reinterpret_cast<const char16_t*>(SweepPackage().utf16())) == 0;
        if (!installed && present)
            return apps->UninstallApp(kSweepAppId) == 0;
        return true;
    });
    LoadApps(device);
    if (QAppsView* view = AppsView(device))
        view->SelectApp(QLatin1String(kSweepAppId));
}

// Runs an install or an uninstall to its end; true when the device reported success.
bool AwaitAppChange(QAppsView* view, const QSignalSpy& done) {
    return Await(view, [&] { return done.count() > 0 && !view->InstallDialog(); }) && done.count() == 1 &&
           done.first().at(0).toInt() == 0;
}

QString PackageLeftovers(SweepDevice&) {
    QStringList left;
    if (!QFileInfo::exists(SweepPackage()))
        left << QStringLiteral("the package lost its name");
    const QString temporary = CPackageRename::TemporaryPath(SweepPackage());
    if (QFileInfo::exists(temporary))
        left << temporary;
    return left.join(QLatin1String(", "));
}

// The app backups the rows wrote into the export folder.
QStringList BackupFiles() {
    return QDir(ExportRoot().path()).entryList({QStringLiteral("backup*")}, QDir::Files);
}

void RemoveBackupFiles(SweepDevice&) {
    for (const QString& name : BackupFiles())
        QFile::remove(ExportRoot().filePath(name));
}

} // namespace

void AddAppsOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"GetApplistInfo", "press the Apps node, then Refresh on its page (worker)",
                 "Get app number failed! Please refresh!"},
        .prepare = [](SweepDevice& device) { EnsureApp(device, true); },
        .act = LoadApps,
        .verify =
            [](SweepDevice& device) {
                // The page and the tree's count agree with the device.
                QAppsView* view = AppsView(device);
                TreeNode* node = device.Category(SUB_ITEM_APPS);
                const int count = int(DeviceApps(device).size());
                return view && node && view->RecordCount() == count &&
                       node->Text().endsWith(QStringLiteral(" (%1)").arg(count));
            },
    });

    operations.push_back({
        .call = {"GetAppListIcon", "Refresh on the Apps page (worker)",
                 "Get app icon failed! Please refresh!"},
        .prepare = [](SweepDevice& device) { EnsureApp(device, true); },
        .act = LoadApps,
        .verify =
            [](SweepDevice& device) {
                QAppsView* view = AppsView(device);
                const int row = view ? view->AppsModel()->rowCount() - 1 : -1;
                return row >= 0 && !view->AppsModel()->AppAt(row)->Icon().isNull();
            },
    });

    operations.push_back({
        // The device's own failure codes have their texts; any other failure code reads as code 7.
        .call = {"InstallApp", "the Apps page's add button, a package chosen in the file dialog (worker)",
                 "Write playlist error!"},
        .prepare = [](SweepDevice& device) { EnsureApp(device, false); },
        .act =
            [](SweepDevice& device) {
                QPointer<QAppsView> view = AppsView(device);
                if (!view)
                    return false;
                QSignalSpy done(view.data(), &QAppsView::InstallDone);
                ChooseFileWhenShown(device, SweepPackage());
                emit view->OperatePanel()->addOperate();
                return AwaitAppChange(view, done);
            },
        .verify = [](SweepDevice& device) { return DeviceApps(device).contains(QLatin1String(kSweepAppId)); },
        .leftovers = PackageLeftovers,
    });

    operations.push_back({
        .call = {"UninstallApp", "Uninstall of the current row on the Apps page, answered yes (worker)",
                 "Write playlist error!"},
        .prepare = [](SweepDevice& device) { EnsureApp(device, true); },
        .act =
            [](SweepDevice& device) {
                QPointer<QAppsView> view = AppsView(device);
                if (!view || !view->CurrentApp())
                    return false;
                QSignalSpy done(view.data(), &QAppsView::InstallDone);
                device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
                view->UninstallApp();
                return AwaitAppChange(view, done);
            },
        .verify =
            [](SweepDevice& device) { return !DeviceApps(device).contains(QLatin1String(kSweepAppId)); },
    });

    operations.push_back({
        .call = {"BackupApp", "Backup > Back app on the Apps page's current row, into a chosen file (worker)",
                 "Backup App failed!"},
        .prepare =
            [](SweepDevice& device) {
                EnsureApp(device, true);
                RemoveBackupFiles(device);
            },
        .act =
            [](SweepDevice& device) {
                QPointer<QAppsView> view = AppsView(device);
                if (!view || !view->CurrentApp())
                    return false;
                QSignalSpy result(view.data(), &QAppsView::emitBackupResult);
                const QString target =
                    ExportRoot().filePath(QStringLiteral("backup%1.ipa").arg(device.Next()));
                ChooseFileWhenShown(device, target);
                view->BackupApp();
                return Await(view, [&] { return result.count() > 0; }) && result.count() == 1 &&
                       result.first().at(0).toInt() == 0 && QFileInfo(target).size() > 0;
            },
        .leftovers = [](SweepDevice&) { return BackupFiles().join(QLatin1String(", ")); },
        .finish = RemoveBackupFiles,
    });
}
