#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QTest>

#include <vexa/vexa.h>

#include "CSystemFileChunk.h"
#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "PostedEvents.h"
#include "QSystemModel.h"
#include "QSystemSortModel.h"
#include "QSystemView.h"
#include "QSystemfileTreeModel.h"
#include "SweepKit.h"
#include "TreeNode.h"

namespace {

const char* const kSweepFolder = "/VexaSweepFiles";

QStringList DeviceNames(SweepDevice& device, const char* folder) {
    QStringList names;
    device.WithManager([&names, folder](IVexaManager* manager) {
        int count = 0;
        DirectoryEntryRecord* entries = nullptr;
        if (manager->GetFileService()->ReadDirectory(folder, &count, &entries) != 0)
            return false;
        for (int i = 0; i < count; ++i)
            names << QString::fromUtf8(entries[i].name);
        return true;
    });
    return names;
}

// The folder holds exactly "entry.txt": what an earlier cell made or renamed is gone.
void EnsureSweepFolder(SweepDevice& device) {
    device.WithManager([](IVexaManager* manager) {
        IFileService* files = manager->GetFileService();
        files->RemovePath(kSweepFolder);
        const QString local = ExportRoot().filePath(QStringLiteral("entry.txt"));
        QFile file(local);
        if (!file.open(QIODevice::WriteOnly) || file.write("entry") != 5)
            return false;
        file.close();
        const QString target = QString::fromUtf8(kSweepFolder) + QStringLiteral("/entry.txt");
        return files->MakeDirectory(kSweepFolder) == 0 &&
               files->CopyFileToDevice(reinterpret_cast<const char16_t*>(local.utf16()),
                                       reinterpret_cast<const char16_t*>(target.utf16())) == 0;
    });
}

// The file system page, loaded, showing the sweep's folder as it is on the device now.
QPointer<QSystemView> SweepFolderShown(SweepDevice& device) {
    TreeNode* node = device.Category(SUB_ITEM_SYSTEM);
    QPointer<QSystemView> view = node ? qobject_cast<QSystemView*>(node->Binding().view) : nullptr;
    if (!view)
        return nullptr;
    if (!view->RootItem()) {
        device.Press(node);
        (void)QTest::qWaitFor([&] { return !view || view->RootItem(); }, kSweepWaitMs);
    }
    if (!view || !view->RootItem())
        return nullptr;
    view->onClickedTree(view->TreeModel()->IndexOf(view->RootItem()));
    view->OnRefresh();
    CDeviceFileItem* folder = view->FindItem(kSweepFolder);
    if (!folder)
        return nullptr;
    view->ShowFolder(folder);
    view->OnRefresh();
    QCoreApplication::processEvents();
    return view;
}

// Runs a file system action and answers whether it ended without a message.
bool WithoutMessage(SweepDevice& device, const std::function<bool()>& action) {
    const int before = int(device.Dialogs()->Messages().size());
    const bool done = action();
    RunPostedEvents();
    return done && device.Dialogs()->Messages().size() == before;
}

} // namespace

void AddFileSystemOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"ReadDirectory", "Refresh on the File System page with a folder chosen in its tree",
                 "The folder /VexaSweepFiles could not be read."},
        .worker = false,
        // The page is brought to the folder before the fault: every step there reads folders too.
        .prepare =
            [](SweepDevice& device) {
                EnsureSweepFolder(device);
                SweepFolderShown(device);
            },
        .act =
            [](SweepDevice& device) {
                TreeNode* node = device.Category(SUB_ITEM_SYSTEM);
                QPointer<QSystemView> view =
                    node ? qobject_cast<QSystemView*>(node->Binding().view) : nullptr;
                return view && view->FindItem(kSweepFolder) && WithoutMessage(device, [&] {
                           device.JustBeforeCall();
                           view->OnRefresh();
                           return view && view->FindItem("/VexaSweepFiles/entry.txt") != nullptr;
                       });
            },
    });

    operations.push_back({
        .call = {"MakeDirectory", "New Folder on the File System page", "The folder \"New Folder"},
        .worker = false,
        .prepare = EnsureSweepFolder,
        .act =
            [](SweepDevice& device) {
                QPointer<QSystemView> view = SweepFolderShown(device);
                return view && WithoutMessage(device, [&] {
                           device.JustBeforeCall();
                           view->OnNewFolder();
                           return true;
                       });
            },
        .verify =
            [](SweepDevice& device) {
                return !DeviceNames(device, kSweepFolder).filter(QStringLiteral("New Folder")).isEmpty();
            },
    });

    operations.push_back({
        .call = {"RenamePath", "edit a name in the File System page's table",
                 "The entry \"entry.txt\" could not be renamed."},
        .worker = false,
        .prepare = EnsureSweepFolder,
        .act =
            [](SweepDevice& device) {
                QPointer<QSystemView> view = SweepFolderShown(device);
                if (!view)
                    return false;
                QSystemModel* model = view->ContentModel();
                const int row = model->RowOf(view->FindItem("/VexaSweepFiles/entry.txt"));
                return row >= 0 && WithoutMessage(device, [&] {
                           device.JustBeforeCall();
                           return model->setData(model->index(row, 0), QStringLiteral("renamed.txt"));
                       });
            },
        .verify =
            [](SweepDevice& device) { return DeviceNames(device, kSweepFolder).contains("renamed.txt"); },
    });

    operations.push_back({
        .call = {"RemovePath", "Delete on the File System page after a click on an entry, answer yes",
                 "The entry \"entry.txt\" could not be deleted."},
        .worker = false,
        .prepare = EnsureSweepFolder,
        .act =
            [](SweepDevice& device) {
                QPointer<QSystemView> view = SweepFolderShown(device);
                if (!view)
                    return false;
                const int row = view->ContentModel()->RowOf(view->FindItem("/VexaSweepFiles/entry.txt"));
                if (row < 0)
                    return false;
                view->onClickedTable(
                    view->ContentProxy()->mapFromSource(view->ContentModel()->index(row, 0)));
                device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
                const int before = int(device.Dialogs()->Messages().size());
                view->OnDelete();
                RunPostedEvents();
                return device.Dialogs()->Messages().size() == before + 1;
            },
        .verify =
            [](SweepDevice& device) { return !DeviceNames(device, kSweepFolder).contains("entry.txt"); },
    });

    operations.push_back({
        .call = {"CopyFileToDevice", "drop two computer files on the File System page's table (copy thread)",
                 "Some items could not be copied to the device"},
        .prepare = EnsureSweepFolder,
        .act =
            [](SweepDevice& device) {
                QPointer<QSystemView> view = SweepFolderShown(device);
                if (!view)
                    return false;
                QStringList locals;
                for (const char* name : {"upload-a.txt", "upload-b.txt"}) {
                    locals << ExportRoot().filePath(QString::fromLatin1(name));
                    QFile file(locals.last());
                    if (!file.open(QIODevice::WriteOnly) || file.write(name) <= 0)
                        return false;
                }
                return WithoutMessage(device, [&] {
                    device.JustBeforeCall();
                    return view && view->UploadInto(view->FindItem(kSweepFolder), locals);
                });
            },
        .verify =
            [](SweepDevice& device) {
                const QStringList names = DeviceNames(device, kSweepFolder);
                return names.contains("upload-a.txt") && names.contains("upload-b.txt");
            },
    });
}
