// The table of device-library operations the program calls, each reached the way the user reaches it.
// A new operation joins the sweep with one more entry here: its name for the fault control, how the
// user reaches it, the message a failure must show, and an action that drives the real views.
//
// Not in the table: the service accessors (GetFileService, GetDeviceService, ...), which make no device
// call; GetBackups, whose failure only leaves the restore window's list empty. The restore and the
// transfer are in SweepBackup.cpp.
//
// Not in the table because the program shows nothing when they fail, on purpose: DeletePhotos and
// GetDeleteProgress (the photo delete action leaves what stayed on the page after its reload) and
// LoadThumbnail (a picture without a thumbnail shows its name). Their failures are driven in the
// photos module's own tests.
// The file export's copy itself is in the table through the music page, and again through a song
// dragged out of it (SweepDrag.cpp).

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vexa/vexa.h>

#include "AddContactsDlg.h"
#include "AddContactsWidget.h"
#include "BackupProgressDialog.h"
#include "BackupWidget.h"
#include "CContactChunk.h"
#include "CPackageRename.h"
#include "CPhotoSerialDlg.h"
#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "SweepVideos.h"
#include "IBaseSerial.h"
#include "QAppsChunk.h"
#include "QAppsView.h"
#include "QAppsViewModel.h"
#include "QBaseDetailsModel.h"
#include "QContactsModel.h"
#include "QContactsView.h"
#include "QDeviceInformationWidget.h"
#include "QGroupNameDlg.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QMessageFlow.h"
#include "QMusicView.h"
#include "QMySortModel.h"
#include "QNavigateWidget.h"
#include "QOperatePanel.h"
#include "QPlayAnalysisTread.h"
#include "QPlayListNameDlg.h"
#include "QPlayListView.h"
#include "SweepBackup.h"
#include "SweepBooks.h"
#include "SweepDrag.h"
#include "SweepPhotos.h"
#include "SweepUsb.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "formats/AudioFile.h"
#include "formats/IpaFile.h"
#include "qmessageView.h"

#include "CSystemFileChunk.h"
#include "QSystemModel.h"
#include "QSystemSortModel.h"
#include "QSystemView.h"
#include "QSystemfileTreeModel.h"

namespace {

constexpr int kWaitMs = 15000;

// Fills the contact editor when it opens and accepts it right after the sweep's hook.
void AnswerEditor(SweepDevice& device, const QString& first, const QString& last, const QString& group) {
    device.Dialogs()->WhenShown<AddContactsDlg>([&device, first, last, group](AddContactsDlg* dialog) {
        AddContactsWidget* form = dialog->Form();
        if (!first.isNull())
            form->findChild<QLineEdit*>(QStringLiteral("m_btn_firstName"))->setText(first);
        form->findChild<QLineEdit*>(QStringLiteral("m_btn_lastName"))->setText(last);
        if (!group.isEmpty()) {
            auto* groups = form->findChild<QComboBox*>(QStringLiteral("m_btn_group"));
            groups->setCurrentIndex(std::max(0, int(groups->findText(group))));
        }
        device.JustBeforeCall();
        dialog->OnBtnYes();
    });
}

bool HasContact(const SweepDevice& device, const QString& line) {
    return device.DeviceContacts().contains(line);
}

// The contact the "add" actions create, under a name no earlier cell used.
QString g_lastFirst;

bool AddThroughEditor(SweepDevice& device, const QString& group) {
    QPointer<QContactsView> view = device.LoadedContacts();
    if (!view)
        return false;
    g_lastFirst = QStringLiteral("Fault%1").arg(device.Next());
    AnswerEditor(device, g_lastFirst, QStringLiteral("Sweep"), group);
    const int before = int(device.Dialogs()->Messages().size());
    emit view->OperatePanel()->addOperate();
    QTest::qWait(20);
    return device.Dialogs()->Messages().size() == before;
}

QString g_lastGroup;

void EnsureUserGroup(SweepDevice& device) {
    g_lastGroup = QStringLiteral("Group%1").arg(device.Next());
    device.WithManager([](IVexaManager* manager) {
        return manager->GetContactService()->CreateGroup(g_lastGroup.toUtf8().constData()) == 0;
    });
    device.LoadedContacts();
}

void EnsureContact(SweepDevice& device) {
    device.WithManager([&device](IVexaManager* manager) {
        const QByteArray first = QStringLiteral("Kept%1").arg(device.Next()).toUtf8();
        ContactRecord record{};
        record.firstName = first.constData();
        record.lastName = "Sweep";
        return manager->GetContactService()->SaveContact(&record, 0) == 0;
    });
    device.LoadedContacts();
}

TreeNode* ChildNamed(TreeNode* parent, const QString& text) {
    for (TreeNode* child : parent ? parent->Children() : QList<TreeNode*>()) {
        if (child->Text() == text || child->Text().startsWith(text + QLatin1String(" (")))
            return child;
    }
    return nullptr;
}

// The model whose storage figures come from the older call, and the phone the sweep otherwise is.
const char* const kLegacyProduct = "iPod2,1";
const char* const kPhoneProduct = "iPhone8,1";

// Presses Refresh on the information page and waits for the storage worker.
bool RefreshStorage(SweepDevice& device) {
    QPointer<QDeviceInformationWidget> page = device.InformationPage();
    if (!page)
        return false;
    device.Press(device.DeviceNode());
    QSignalSpy finished(page.data(), &QDeviceInformationWidget::GetDiskInfoFinished);
    QSignalSpy failed(page.data(), &QDeviceInformationWidget::emitGetDiskInfoFailed);
    device.JustBeforeCall();
    page->onClickRefresh();
    (void)QTest::qWaitFor([&] { return !page || (!page->IsRunning() && finished.count() > 0); }, kWaitMs);
    QCoreApplication::processEvents();
    return page && failed.isEmpty() && page->LastDiskInfo().values[DI_DataCapacity] > 0;
}

// Presses the Messages node (its first press loads the page) or Refresh on the page, and waits for the
// loading thread.
bool LoadMessages(SweepDevice& device) {
    QPointer<qmessageView> view = device.MessagesView();
    TreeNode* node = device.Category(SUB_ITEM_MESSAGES);
    if (!view || !node)
        return false;
    QSignalSpy finished(view.data(), &QBaseDetailsView::loadFinished);
    QSignalSpy failed(view.data(), &qmessageView::emitFailed);
    const bool first = node->PressCount() == 0;
    device.JustBeforeCall();
    device.Press(node);
    if (!first && view)
        emit view->OperatePanel()->refreshOperate();
    (void)QTest::qWaitFor([&] { return !view || (!view->IsRunning() && finished.count() > 0); }, kWaitMs);
    QCoreApplication::processEvents();
    return view && failed.isEmpty() && finished.count() > 0;
}

int DeviceConversations(const SweepDevice& device) {
    int count = -1;
    device.WithManager([&](IVexaManager* manager) {
        ConversationList* list = nullptr;
        if (manager->GetDeviceService()->GetMessages(&list, 0) != 0 || !list)
            return false;
        count = list->count;
        return true;
    });
    return count;
}

// --- Music and playlists -----------------------------------------------------------------------------

constexpr int kSongCount = 3;
QString SongTitle(int i) {
    return QStringLiteral("Sweep Song %1").arg(i);
}

QTemporaryDir& SongRoot() {
    static QTemporaryDir root;
    return root;
}
// Files the sweep hands the program from the computer, and the folders it exports into.
QTemporaryDir& ExportRoot() {
    static QTemporaryDir root;
    return root;
}
QString SongSource(const QString& title) {
    return SongRoot().filePath(title + QStringLiteral(".mp3"));
}
// The folder of the export the last action ran.
QString g_exportFolder;
QString g_lastSong;
QString g_lastPlaylist;

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A short MP3 of that title on the computer.
QString MakeSong(const QString& title) {
    const QString path = SongSource(title);
    if (!QFile::exists(path))
        vexa::formats::WriteAudioFile(path.toStdString(), {.seconds = 1, .title = title.toStdString()});
    return path;
}

QStringList DeviceSongTitles(const SweepDevice& device) {
    QStringList titles;
    device.WithManager([&](IVexaManager* manager) {
        int count = 0;
        PlaylistRecord* playlists = nullptr;
        if (manager->GetMediaLibrary()->GetPlaylists(&count, &playlists) != 0 || count < 1)
            return false;
        for (int i = 0; i < playlists[0].trackCount; ++i)
            titles << QString::fromUtf8(playlists[0].tracks[i].title ? playlists[0].tracks[i].title : "");
        return true;
    });
    return titles;
}

// Puts the songs on the device's library, past the program.
void EnsureDeviceSongs(SweepDevice& device, const QStringList& titles) {
    const QStringList present = DeviceSongTitles(device);
    for (const QString& title : titles) {
        if (present.contains(title))
            continue;
        const QString path = MakeSong(title);
        device.WithManager([&](IVexaManager* manager) {
            const char16_t* paths[] = {reinterpret_cast<const char16_t*>(path.utf16())};
            return manager->GetMediaLibrary()->AddMediaFileData(paths, 1, nullptr, 0) == 0;
        });
    }
}

QMusicView* MusicPage(const SweepDevice& device) {
    return qobject_cast<QMusicView*>(device.MusicView());
}

// Shows the music page and has it read the library (its first press loads it, Refresh later ones).
bool LoadMusic(SweepDevice& device) {
    QPointer<QMusicView> view = MusicPage(device);
    TreeNode* node = device.Category(SUB_ITEM_MEDIA)
                         ? device.Category(SUB_ITEM_MEDIA)->FindChildOfKind(NODE_MUSIC)
                         : nullptr;
    if (!view || !node)
        return false;
    QSignalSpy refreshed(view.data(), &QMusicView::emitRefreshMusicNode);
    const bool first = node->PressCount() == 0;
    device.Press(node);
    if (!first && view)
        emit view->OperatePanel()->refreshOperate();
    (void)QTest::qWaitFor([&] { return !view || (!view->IsRunning() && refreshed.count() > 0); }, kWaitMs);
    QCoreApplication::processEvents();
    return view && refreshed.count() > 0;
}

int RowOfSong(QMusicView* view, const QString& title) {
    for (int row = 0; view && row < view->GetChunkCount(); ++row)
        if (QString::fromStdString(view->GetChunk(row)->GetName()) == title)
            return row;
    return -1;
}

// Checks exactly the songs of those titles (and selects their rows).
bool CheckSongs(QMusicView* view, const QStringList& titles) {
    int found = 0;
    view->TableView()->clearSelection();
    for (int row = 0; row < view->GetChunkCount(); ++row) {
        const bool wanted = titles.contains(QString::fromStdString(view->GetChunk(row)->GetName()));
        view->GetChunk(row)->SetChecked(wanted);
        found += wanted;
    }
    for (int row = 0; row < view->SortModel()->rowCount(); ++row)
        if (titles.contains(view->SortModel()->index(row, 0).data().toString()))
            view->TableView()->selectionModel()->select(
                view->SortModel()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return found == titles.size();
}

void PrepareExport(SweepDevice& device) {
    QStringList titles;
    for (int i = 0; i < kSongCount; ++i)
        titles << SongTitle(i);
    EnsureDeviceSongs(device, titles);
    LoadMusic(device);
    if (QMusicView* view = MusicPage(device))
        CheckSongs(view, titles);
}

// Presses the export button on the music page, picks a fresh folder in the folder dialog and waits
// for the transfer dialog (a healthy one may close before anything sees it); its last line, when it
// stays open on a failure, counts as the message.
bool ExportSongs(SweepDevice& device) {
    QPointer<QBaseDetailsView> view = device.MusicView();
    if (!view || view->SelectedCount() == 0)
        return false;
    g_exportFolder = SongRoot().filePath(QStringLiteral("export%1").arg(device.Next()));
    if (!QDir().mkpath(g_exportFolder))
        return false;
    device.Dialogs()->WhenShown<QFileDialog>([&device](QFileDialog* dialog) {
        dialog->setDirectory(g_exportFolder);
        if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(g_exportFolder);
        device.JustBeforeCall();
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    bool endedOpen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<CPhotoSerialDlg*>(widget);
            if (!dialog || !dialog->isVisible())
                continue;
            if (dialog->IsEnded()) {
                endedOpen = true;
                device.Dialogs()->Note(dialog->Label()->text());
                dialog->CancelButton()->click();
            }
        }
    });
    watch.start(10);
    const int before = int(device.Dialogs()->Messages().size());
    device.Navigate()->OnClickPc();
    watch.stop();
    device.Dialogs()->ForgetHandler();
    // A healthy export closes its dialog by itself, and every song is in the folder.
    if (endedOpen || device.Dialogs()->Messages().size() != before)
        return false;
    for (int i = 0; i < kSongCount; ++i) {
        const QByteArray copied =
            FileBytes(g_exportFolder + QLatin1Char('/') + SongTitle(i) + QStringLiteral(".mp3"));
        if (copied.isEmpty() || copied != FileBytes(SongSource(SongTitle(i))))
            return false;
    }
    return true;
}

// Files in the export's folder that are not a whole song: a failed copy leaves nothing half-written.
QString PartialExportFiles(SweepDevice&) {
    QStringList partial;
    QDirIterator it(g_exportFolder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        bool whole = false;
        for (int i = 0; i < kSongCount; ++i)
            whole = whole || (it.fileName() == SongTitle(i) + QStringLiteral(".mp3") &&
                              FileBytes(path) == FileBytes(SongSource(SongTitle(i))));
        if (!whole)
            partial << it.fileName();
    }
    return partial.join(QLatin1String(", "));
}

QPlayAnalysisTread* ReadPlaylists(SweepDevice& device) {
    QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
    if (!loader)
        return nullptr;
    QSignalSpy read(loader.data(), &QPlayAnalysisTread::refreshPlayList);
    loader->RefreshList();
    (void)QTest::qWaitFor([&] { return !loader || (!loader->IsRunning() && read.count() > 0); }, kWaitMs);
    QCoreApplication::processEvents();
    return loader;
}

void EnsurePlaylist(SweepDevice& device) {
    g_lastPlaylist = QStringLiteral("List%1").arg(device.Next());
    device.WithManager([](IVexaManager* manager) {
        const QString name = g_lastPlaylist;
        return manager->GetMediaLibrary()->AddPlaylist(reinterpret_cast<const char16_t*>(name.utf16())) == 0;
    });
    ReadPlaylists(device);
}

// Runs a change of the playlist loader and waits for the reading that follows it.
bool WaitForReading(QPointer<QPlayAnalysisTread> loader, QSignalSpy& read) {
    (void)QTest::qWaitFor([&] { return !loader || (!loader->IsRunning() && read.count() > 0); }, kWaitMs);
    QTest::qWait(20);
    return loader && read.count() > 0;
}

// --- Backup: the backup window from the Backup home tool, into a folder chosen in the folder dialog.
QString g_backupFolder;

bool BackupThroughWindow(SweepDevice& device) {
    g_backupFolder = ExportRoot().filePath(QStringLiteral("backup%1").arg(device.Next()));
    if (!QDir().mkpath(g_backupFolder))
        return false;
    // The folder is handed to the window as its folder dialog would; the dialog itself is Qt's.
    device.Dialogs()->WhenShown<BackupWidget>([&device](BackupWidget* window) {
        device.JustBeforeCall();
        QTimer::singleShot(0, window, [window] { window->StartBackup(g_backupFolder); });
    });
    // The progress dialog stays open after a success; a failure closes it and shows the message. Once
    // neither is left, the backup window goes too.
    bool succeeded = false;
    bool sawProgress = false;
    // A call that fails at once may end with its message before the progress dialog ever shows.
    const auto messagesBefore = device.Dialogs()->Messages().size();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        BackupWidget* window = nullptr;
        bool busy = false;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible())
                continue;
            if (auto* progress = qobject_cast<BackupProgressDialog*>(widget)) {
                sawProgress = true;
                busy = true;
                if (!progress->IsRunning()) {
                    succeeded = progress->LabelText() == QLatin1String("Backup successfully!");
                    device.Dialogs()->Note(progress->LabelText());
                    progress->accept();
                }
            }
            busy = busy || qobject_cast<QMessageDlg*>(widget);
            if (auto* backup = qobject_cast<BackupWidget*>(widget))
                window = backup;
        }
        const bool told = device.Dialogs()->Messages().size() > messagesBefore;
        if (window && (sawProgress || told) && !busy)
            window->close();
    });
    watch.start(10);
    device.Navigate()->OnClickBackup();
    return succeeded;
}

bool HasBackupIn(SweepDevice& device, const QString& folder) {
    bool found = false;
    device.WithManager([&](IVexaManager* manager) {
        BackupRecord* records = nullptr;
        int count = 0;
        if (manager->GetDeviceService()->GetBackups(&records, &count) != 0)
            return false;
        for (int i = 0; i < count; ++i)
            found = found || QString::fromUtf16(records[i].folder) == folder;
        return true;
    });
    return found;
}

// A failed backup leaves the chosen folder as it found it: empty.
QString BackupFolderLeftovers(SweepDevice&) {
    return QDir(g_backupFolder)
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
        .join(QLatin1Char(' '));
}

} // namespace

// --- File system page: a folder of the sweep's own with one file in it.
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
        (void)QTest::qWaitFor([&] { return !view || view->RootItem(); }, kWaitMs);
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
    QTest::qWait(30);
    return done && device.Dialogs()->Messages().size() == before;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Apps

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
    const bool first = node->PressCount() == 0;
    device.JustBeforeCall();
    device.Press(node);
    if (!first && view)
        emit view->OperatePanel()->refreshOperate();
    (void)QTest::qWaitFor([&] { return !view || (!view->IsRunning() && finished.count() > 0); }, kWaitMs);
    QCoreApplication::processEvents();
    return view && listed.count() > 0;
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
bool AwaitAppChange(SweepDevice& device, QPointer<QAppsView> view, QSignalSpy& done) {
    (void)QTest::qWaitFor([&] { return !view || (done.count() > 0 && !view->InstallDialog()); }, kWaitMs);
    QCoreApplication::processEvents();
    (void)device;
    return view && done.count() == 1 && done.first().at(0).toInt() == 0;
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

QString BackupLeftovers(SweepDevice&) {
    QStringList left;
    for (const QString& name : QDir(ExportRoot().path()).entryList({QStringLiteral("backup*")}, QDir::Files))
        left << name;
    return left.join(QLatin1String(", "));
}

std::vector<SweepOperation> SweepOperations() {
    std::vector<SweepOperation> operations;

    operations.push_back({
        .operation = QStringLiteral("GetDeviceInfo"),
        .path = QStringLiteral("plug the phone in; the arrival reads its record"),
        .message = QStringLiteral("Get device information failed!"),
        .worker = true,
        .unplugBeforeByFault = true,
        .prepare =
            [](SweepDevice& device) {
                device.SetPlugged(false);
                device.WaitGone();
                QTest::qWait(100);
            },
        .act =
            [](SweepDevice& device) {
                const QString failure = QStringLiteral("Get device information failed!");
                device.SetPlugged(true);
                (void)QTest::qWaitFor(
                    [&] { return device.WaitShown(50) || device.Dialogs()->Messages().contains(failure); },
                    kWaitMs);
                return device.DeviceNode() != nullptr;
            },
    });

    operations.push_back({
        .operation = QStringLiteral("GetDiskInfo"),
        .path = QStringLiteral("Refresh on the information page (storage worker)"),
        .message = QStringLiteral("Get diskInfo failed!"),
        .worker = true,
        .act = RefreshStorage,
    });

    operations.push_back({
        .operation = QStringLiteral("GetDiskInfoLegacy"),
        .path = QStringLiteral("Refresh on the information page of a first iPod touch"),
        .message = QStringLiteral("Get diskInfo failed!"),
        .worker = true,
        .prepare = [](SweepDevice& device) { device.EnsureProductType(kLegacyProduct); },
        .act = RefreshStorage,
        .finish = [](SweepDevice& device) { device.EnsureProductType(kPhoneProduct); },
    });

    operations.push_back({
        .operation = QStringLiteral("SetDeviceName"),
        .path = QStringLiteral("rename the phone on the information page"),
        .message = QStringLiteral("Rename failed!"),
        .act =
            [](SweepDevice& device) {
                QPointer<QDeviceInformationWidget> page = device.InformationPage();
                if (!page)
                    return false;
                const QString name = QStringLiteral("Fault Phone %1").arg(device.Next());
                QSignalSpy renamed(page.data(), &QDeviceInformationWidget::refreshTreeRootName);
                device.JustBeforeCall();
                page->OnEmitRefreshTreeRootName(name);
                return !renamed.isEmpty() && device.DeviceNode() && device.DeviceNode()->Text() == name;
            },
        .verify = [](SweepDevice& device) { return device.DeviceName() == device.DeviceNode()->Text(); },
    });

    operations.push_back({
        .operation = QStringLiteral("GetContacts"),
        .path = QStringLiteral("Refresh on the contacts page (loader thread)"),
        .message = QStringLiteral("Get Contact information failed!"),
        .worker = true,
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.ContactsView();
                if (!view)
                    return false;
                device.Press(device.Category(SUB_ITEM_CONTACTS));
                QSignalSpy listed(view.data(), &QContactsView::emitRefreshContactsNode);
                QSignalSpy finished(view.data(), &QBaseDetailsView::loadFinished);
                device.JustBeforeCall();
                emit view->OperatePanel()->refreshOperate();
                (void)QTest::qWaitFor([&] { return !view || (!view->IsRunning() && finished.count() > 0); },
                                      kWaitMs);
                QCoreApplication::processEvents();
                return view && !listed.isEmpty();
            },
        .verify =
            [](SweepDevice& device) {
                QContactsView* view = device.ContactsView();
                return view && view->GetChunkCount() ==
                                   int(device.DeviceContacts().filter(QStringLiteral("|")).size());
            },
    });

    operations.push_back({
        .operation = QStringLiteral("SaveContact"),
        .path = QStringLiteral("Add Contact in the contacts page's editor"),
        .message = QStringLiteral("Add contact failed!"),
        .act = [](SweepDevice& device) { return AddThroughEditor(device, QString()); },
        .verify =
            [](SweepDevice& device) { return HasContact(device, g_lastFirst + QStringLiteral("|Sweep|")); },
    });

    operations.push_back({
        .operation = QStringLiteral("SaveContact"),
        .path = QStringLiteral("Edit a contact's row in the editor"),
        .message = QStringLiteral("Modify contact failed!"),
        .prepare = EnsureContact,
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.LoadedContacts();
                if (!view || view->SortModel()->rowCount() == 0)
                    return false;
                view->ClickTableView(view->SortModel()->index(0, 0));
                auto* chunk = static_cast<CContactChunk*>(view->ContactsModel()->ChunkAt(
                    view->SortModel()->mapToSource(view->SortModel()->index(0, 0)).row()));
                if (!view->StatusPanel() || !chunk)
                    return false;
                g_lastFirst = QString::fromStdString(chunk->firstName);
                const QString last = QStringLiteral("Edited%1").arg(device.Next());
                AnswerEditor(device, QString(), last, QString());
                const int before = int(device.Dialogs()->Messages().size());
                emit view->StatusPanel()->ClickEdit();
                QTest::qWait(20);
                g_lastFirst += QLatin1Char('|') + last;
                return device.Dialogs()->Messages().size() == before;
            },
        .verify =
            [](SweepDevice& device) {
                return !device.DeviceContacts().filter(g_lastFirst + QLatin1Char('|')).isEmpty();
            },
    });

    operations.push_back({
        .operation = QStringLiteral("SetContactGroups"),
        .path = QStringLiteral("Add Contact with a group chosen in the editor"),
        .message = QStringLiteral("The contact was saved, but not put in its group!"),
        .unplugBeforeByFault = true,
        .earlierChange = QStringLiteral("the contact is saved before its group is set"),
        .act = [](SweepDevice& device) { return AddThroughEditor(device, QStringLiteral("Family")); },
        .verify =
            [](SweepDevice& device) {
                return HasContact(device, g_lastFirst + QStringLiteral("|Sweep|Family"));
            },
    });

    operations.push_back({
        .operation = QStringLiteral("DeleteContact"),
        .path = QStringLiteral("check a contact, Delete, answer yes (batch delete worker)"),
        .message = QStringLiteral("Some contacts could not be deleted from the device!"),
        .worker = true,
        .prepare = EnsureContact,
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.LoadedContacts();
                if (!view || view->GetChunkCount() == 0)
                    return false;
                const QString target = QStringLiteral("Kept");
                QString first;
                for (int row = 0; row < view->GetChunkCount(); ++row) {
                    auto* chunk = static_cast<CContactChunk*>(view->GetChunk(row));
                    const bool pick =
                        first.isEmpty() && QString::fromStdString(chunk->firstName).startsWith(target);
                    if (pick)
                        first = QString::fromStdString(chunk->firstName);
                    chunk->SetChecked(pick);
                }
                if (first.isEmpty())
                    return false;
                g_lastFirst = first;
                device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
                const int before = int(device.Dialogs()->Messages().size());
                emit view->OperatePanel()->deleteOperate();
                QTest::qWait(50);
                // A view that went with its device did not delete anything.
                if (!view)
                    return false;
                // The question is the one message a healthy delete shows.
                return device.Dialogs()->Messages().size() == before + 1;
            },
        .verify =
            [](SweepDevice& device) {
                return device.DeviceContacts().filter(g_lastFirst + QLatin1Char('|')).isEmpty();
            },
    });

    operations.push_back({
        .operation = QStringLiteral("CreateGroup"),
        .path = QStringLiteral("New group from a contact group's menu in the tree"),
        .message = QStringLiteral("Create group failed!"),
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.LoadedContacts();
                TreeNode* family = ChildNamed(device.Category(SUB_ITEM_CONTACTS), QStringLiteral("Family"));
                if (!view || !family)
                    return false;
                g_lastGroup = QStringLiteral("Group%1").arg(device.Next());
                device.Dialogs()->WhenShown<QGroupNameDlg>([&device](QGroupNameDlg* dialog) {
                    dialog->SetGroupName(g_lastGroup);
                    device.JustBeforeCall();
                    dialog->OnBtnOk();
                });
                device.Navigate()->PrepareTreeMenu(device.Navigate()->Model()->IndexOf(family));
                const int before = int(device.Dialogs()->Messages().size());
                device.Navigate()->OnActionNewContact();
                (void)QTest::qWaitFor([&] { return !view || !view->IsRunning(); }, kWaitMs);
                QCoreApplication::processEvents();
                return device.Dialogs()->Messages().size() == before;
            },
        .verify = [](SweepDevice& device) { return HasContact(device, QLatin1Char('#') + g_lastGroup); },
    });

    operations.push_back({
        .operation = QStringLiteral("RenameGroup"),
        .path = QStringLiteral("rename a contact group in the tree"),
        .message = QStringLiteral("Rename group failed!"),
        .prepare = EnsureUserGroup,
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.ContactsView();
                if (!view)
                    return false;
                const QString from = g_lastGroup;
                g_lastGroup = QStringLiteral("Renamed%1").arg(device.Next());
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                QMetaObject::invokeMethod(view, "OnRenameGroup", Q_ARG(QString, from),
                                          Q_ARG(QString, g_lastGroup));
                (void)QTest::qWaitFor([&] { return !view || !view->IsRunning(); }, kWaitMs);
                QCoreApplication::processEvents();
                return device.Dialogs()->Messages().size() == before;
            },
        .verify = [](SweepDevice& device) { return HasContact(device, QLatin1Char('#') + g_lastGroup); },
    });

    operations.push_back({
        .operation = QStringLiteral("DeleteGroup"),
        .path = QStringLiteral("Delete group from its menu in the tree, answer yes"),
        .message = QStringLiteral("Delete group failed!"),
        .prepare = EnsureUserGroup,
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.ContactsView();
                TreeNode* group = ChildNamed(device.Category(SUB_ITEM_CONTACTS), g_lastGroup);
                if (!view || !group)
                    return false;
                device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
                device.Navigate()->PrepareTreeMenu(device.Navigate()->Model()->IndexOf(group));
                const int before = int(device.Dialogs()->Messages().size());
                device.Navigate()->OnActionDelContact();
                (void)QTest::qWaitFor([&] { return !view || !view->IsRunning(); }, kWaitMs);
                QCoreApplication::processEvents();
                return device.Dialogs()->Messages().size() == before + 1;
            },
        .verify = [](SweepDevice& device) { return !HasContact(device, QLatin1Char('#') + g_lastGroup); },
    });

    operations.push_back({
        .operation = QStringLiteral("GetMessages"),
        .path = QStringLiteral("press the Messages node, then Refresh on its page (loader thread)"),
        .message = QStringLiteral("Please unlock your device first, and then try again!"),
        .worker = true,
        .act = LoadMessages,
        .verify =
            [](SweepDevice& device) {
                // The page is usable again: it lists what the device holds and shows the first one.
                qmessageView* view = device.MessagesView();
                return view && view->GetChunkCount() > 0 &&
                       view->GetChunkCount() == DeviceConversations(device) &&
                       view->Flow()->CurrentConversation() != nullptr;
            },
    });

    // Music and playlists
    operations.push_back({
        .operation = QStringLiteral("GetPlaylists"),
        .path = QStringLiteral("press Music, then Refresh on the music page (loader thread)"),
        .message = QStringLiteral("Get playlist failed"),
        .worker = true,
        .act =
            [](SweepDevice& device) {
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                return LoadMusic(device) && device.Dialogs()->Messages().size() == before;
            },
        .verify =
            [](SweepDevice& device) {
                QMusicView* view = MusicPage(device);
                return view && view->GetChunkCount() == int(DeviceSongTitles(device).size());
            },
    });

    operations.push_back({
        .operation = QStringLiteral("GetPlaylists"),
        .path = QStringLiteral("Refresh on the playlist page (playlist thread)"),
        .message = QStringLiteral("Get playlist failed"),
        .worker = true,
        .act =
            [](SweepDevice& device) {
                QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
                auto* view =
                    loader ? qobject_cast<QPlayListView*>(device.Category(SUB_ITEM_PLAYLIST)->Binding().view)
                           : nullptr;
                if (!view)
                    return false;
                device.Press(device.Category(SUB_ITEM_PLAYLIST));
                QSignalSpy read(loader.data(), &QPlayAnalysisTread::refreshPlayList);
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                emit view->OperatePanel()->refreshOperate();
                return WaitForReading(loader, read) && device.Dialogs()->Messages().size() == before;
            },
        .verify =
            [](SweepDevice& device) {
                TreeNode* playlists = device.Category(SUB_ITEM_PLAYLIST);
                return playlists && int(playlists->Children().size()) == int(device.DevicePlaylists().size());
            },
    });

    operations.push_back({
        .operation = QStringLiteral("AddMediaFileData"),
        .path = QStringLiteral("drop an MP3 on the music page (add dialog worker)"),
        .message = QStringLiteral("Add musci fialed!"),
        .worker = true,
        .prepare = [](SweepDevice& device) { LoadMusic(device); },
        .act =
            [](SweepDevice& device) {
                QPointer<QMusicView> view = MusicPage(device);
                if (!view)
                    return false;
                g_lastSong = QStringLiteral("Added%1").arg(device.Next());
                const QString file = MakeSong(g_lastSong);
                QSignalSpy refreshed(view.data(), &QMusicView::emitRefreshMusicNode);
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                emit view->sendAddComputerFile(0, {file}, view);
                (void)QTest::qWaitFor([&] { return !view || (!view->IsRunning() && refreshed.count() > 0); },
                                      kWaitMs);
                QCoreApplication::processEvents();
                return view && device.Dialogs()->Messages().size() == before &&
                       RowOfSong(view, g_lastSong) >= 0;
            },
        .verify = [](SweepDevice& device) { return DeviceSongTitles(device).contains(g_lastSong); },
    });

    operations.push_back({
        .operation = QStringLiteral("DelMediaFileData"),
        .path = QStringLiteral("check a song, Delete on the music page, answer yes (delete dialog worker)"),
        .message = QStringLiteral("The selected item(s) could not be deleted from the device!"),
        .worker = true,
        .prepare =
            [](SweepDevice& device) {
                g_lastSong = QStringLiteral("Doomed%1").arg(device.Next());
                EnsureDeviceSongs(device, {g_lastSong});
                LoadMusic(device);
            },
        .act =
            [](SweepDevice& device) {
                QPointer<QMusicView> view = MusicPage(device);
                if (!view || !CheckSongs(view, {g_lastSong}))
                    return false;
                QSignalSpy refreshed(view.data(), &QMusicView::emitRefreshMusicNode);
                device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
                const int before = int(device.Dialogs()->Messages().size());
                emit view->OperatePanel()->deleteOperate();
                (void)QTest::qWaitFor([&] { return !view || (!view->IsRunning() && refreshed.count() > 0); },
                                      kWaitMs);
                QCoreApplication::processEvents();
                // The question is the one message a healthy delete shows.
                return view && device.Dialogs()->Messages().size() == before + 1 &&
                       RowOfSong(view, g_lastSong) < 0;
            },
        .verify = [](SweepDevice& device) { return !DeviceSongTitles(device).contains(g_lastSong); },
    });

    operations.push_back({
        .operation = QStringLiteral("AddPlaylist"),
        .path = QStringLiteral("New Playlist from a playlist's menu in the tree"),
        .message = QStringLiteral("Add playlist failed!"),
        .worker = true,
        .prepare = EnsurePlaylist,
        .act =
            [](SweepDevice& device) {
                QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
                TreeNode* list = ChildNamed(device.Category(SUB_ITEM_PLAYLIST), g_lastPlaylist);
                if (!loader || !list)
                    return false;
                g_lastPlaylist = QStringLiteral("New%1").arg(device.Next());
                device.Dialogs()->WhenShown<QPlayListNameDlg>([&device](QPlayListNameDlg* dialog) {
                    dialog->SetPlayListName(g_lastPlaylist);
                    device.JustBeforeCall();
                    dialog->OnBtnOk();
                });
                device.Navigate()->PrepareTreeMenu(device.Navigate()->Model()->IndexOf(list));
                QSignalSpy read(loader.data(), &QPlayAnalysisTread::refreshPlayList);
                const int before = int(device.Dialogs()->Messages().size());
                device.Navigate()->OnActionNewPlist();
                return WaitForReading(loader, read) && device.Dialogs()->Messages().size() == before &&
                       ChildNamed(device.Category(SUB_ITEM_PLAYLIST), g_lastPlaylist);
            },
        .verify = [](SweepDevice& device) { return device.DevicePlaylists().contains(g_lastPlaylist); },
    });

    operations.push_back({
        .operation = QStringLiteral("DeletePlaylist"),
        .path = QStringLiteral("Delete from a playlist's menu in the tree"),
        .message = QStringLiteral("Dele Playlist failed!"),
        .worker = true,
        .prepare = EnsurePlaylist,
        .act =
            [](SweepDevice& device) {
                QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
                TreeNode* list = ChildNamed(device.Category(SUB_ITEM_PLAYLIST), g_lastPlaylist);
                if (!loader || !list)
                    return false;
                device.Navigate()->PrepareTreeMenu(device.Navigate()->Model()->IndexOf(list));
                QSignalSpy read(loader.data(), &QPlayAnalysisTread::refreshPlayList);
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                device.Navigate()->OnActionDelPlist();
                return WaitForReading(loader, read) && device.Dialogs()->Messages().size() == before &&
                       !ChildNamed(device.Category(SUB_ITEM_PLAYLIST), g_lastPlaylist);
            },
        .verify = [](SweepDevice& device) { return !device.DevicePlaylists().contains(g_lastPlaylist); },
    });

    operations.push_back({
        .operation = QStringLiteral("CopyFileToComputer"),
        .path = QStringLiteral("Export to PC of checked songs on the music page into a chosen folder"),
        .message = QStringLiteral("%1 file(s) could not be copied.").arg(kSongCount),
        .worker = true,
        .prepare = PrepareExport,
        .act = ExportSongs,
        .leftovers = PartialExportFiles,
    });

    // Backup and restore
    operations.push_back({
        .operation = QStringLiteral("BackupDevice"),
        .path = QStringLiteral("Backup home tool, Backup in its window into a chosen folder"),
        .message = QStringLiteral("Opps, backup failed. Please try again!"),
        .worker = true,
        .act = BackupThroughWindow,
        .verify = [](SweepDevice& device) { return HasBackupIn(device, g_backupFolder); },
        .leftovers = BackupFolderLeftovers,
    });

    // Books. GetBooks is not a row: a failed listing shows the empty page without a message, by design.
    operations.push_back({
        .operation = QStringLiteral("AddBook"),
        .path = QStringLiteral("Add on the books page, one PDF chosen in the file dialog (add-book worker)"),
        .message = QStringLiteral("1 book(s) could not be added to the device."),
        .worker = true,
        .prepare = [](SweepDevice& device) { SweepBooks::Loaded(device); },
        .act = SweepBooks::AddThroughDialog,
        .verify = SweepBooks::DeviceHasAddedBook,
    });
    operations.push_back({
        .operation = QStringLiteral("DeleteBook"),
        .path = QStringLiteral("check a book, Delete, answer yes (batch delete worker)"),
        .message = QStringLiteral("Some books could not be deleted from the device!"),
        .worker = true,
        .prepare = [](SweepDevice& device) { SweepBooks::EnsureBook(device, false); },
        .act = SweepBooks::DeleteOne,
        .verify = SweepBooks::DeviceLostDeletedBook,
    });
    operations.push_back({
        .operation = QStringLiteral("ReadDirectory"),
        .path = QStringLiteral("To Computer of an EPUB the device keeps unpacked (folder copy, then zip)"),
        .message = QStringLiteral("1 file(s) could not be copied."),
        .worker = true,
        .prepare = [](SweepDevice& device) { SweepBooks::EnsureBook(device, true); },
        .act = SweepBooks::ExportUnpacked,
        .leftovers = SweepBooks::ExportLeftovers,
    });

    // --- File system page: reading, changing and uploading into a folder of the device.
    operations.push_back({
        .operation = QStringLiteral("ReadDirectory"),
        .path = QStringLiteral("Refresh on the File System page with a folder chosen in its tree"),
        .message = QStringLiteral("The folder /VexaSweepFiles could not be read."),
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
        .operation = QStringLiteral("MakeDirectory"),
        .path = QStringLiteral("New Folder on the File System page"),
        .message = QStringLiteral("The folder \"New Folder"),
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
        .operation = QStringLiteral("RenamePath"),
        .path = QStringLiteral("edit a name in the File System page's table"),
        .message = QStringLiteral("The entry \"entry.txt\" could not be renamed."),
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
        .operation = QStringLiteral("RemovePath"),
        .path = QStringLiteral("Delete on the File System page after a click on an entry, answer yes"),
        .message = QStringLiteral("The entry \"entry.txt\" could not be deleted."),
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
                QTest::qWait(30);
                return device.Dialogs()->Messages().size() == before + 1;
            },
        .verify =
            [](SweepDevice& device) { return !DeviceNames(device, kSweepFolder).contains("entry.txt"); },
    });

    operations.push_back({
        .operation = QStringLiteral("CopyFileToDevice"),
        .path = QStringLiteral("drop two computer files on the File System page's table (copy thread)"),
        .message = QStringLiteral("Some items could not be copied to the device"),
        .worker = true,
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

    // Apps
    operations.push_back({
        .operation = QStringLiteral("GetApplistInfo"),
        .path = QStringLiteral("press the Apps node, then Refresh on its page (worker)"),
        .message = QStringLiteral("Get app number failed! Please refresh!"),
        .worker = true,
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
        .operation = QStringLiteral("GetAppListIcon"),
        .path = QStringLiteral("Refresh on the Apps page (worker)"),
        .message = QStringLiteral("Get app icon failed! Please refresh!"),
        .worker = true,
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
        .operation = QStringLiteral("InstallApp"),
        .path = QStringLiteral("the Apps page's add button, a package chosen in the file dialog (worker)"),
        // The device's own failure codes have their texts; any other failure code reads as code 7.
        .message = QStringLiteral("Write playlist error!"),
        .worker = true,
        .prepare = [](SweepDevice& device) { EnsureApp(device, false); },
        .act =
            [](SweepDevice& device) {
                QPointer<QAppsView> view = AppsView(device);
                if (!view)
                    return false;
                QSignalSpy done(view.data(), &QAppsView::InstallDone);
                device.Dialogs()->WhenShown<QFileDialog>([&device](QFileDialog* dialog) {
                    DialogAnswerer::Choose(dialog, SweepPackage());
                    device.JustBeforeCall();
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                });
                emit view->OperatePanel()->addOperate();
                return AwaitAppChange(device, view, done);
            },
        .verify = [](SweepDevice& device) { return DeviceApps(device).contains(QLatin1String(kSweepAppId)); },
        .leftovers = PackageLeftovers,
    });

    operations.push_back({
        .operation = QStringLiteral("UninstallApp"),
        .path = QStringLiteral("Uninstall of the current row on the Apps page, answered yes (worker)"),
        .message = QStringLiteral("Write playlist error!"),
        .worker = true,
        .prepare = [](SweepDevice& device) { EnsureApp(device, true); },
        .act =
            [](SweepDevice& device) {
                QPointer<QAppsView> view = AppsView(device);
                if (!view || !view->CurrentApp())
                    return false;
                QSignalSpy done(view.data(), &QAppsView::InstallDone);
                device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
                view->UninstallApp();
                return AwaitAppChange(device, view, done);
            },
        .verify =
            [](SweepDevice& device) { return !DeviceApps(device).contains(QLatin1String(kSweepAppId)); },
    });

    operations.push_back({
        .operation = QStringLiteral("BackupApp"),
        .path =
            QStringLiteral("Backup > Back app on the Apps page's current row, into a chosen file (worker)"),
        .message = QStringLiteral("Backup App failed!"),
        .worker = true,
        .prepare =
            [](SweepDevice& device) {
                EnsureApp(device, true);
                for (const QString& name :
                     QDir(ExportRoot().path()).entryList({QStringLiteral("backup*")}, QDir::Files))
                    QFile::remove(ExportRoot().filePath(name));
            },
        .act =
            [](SweepDevice& device) {
                QPointer<QAppsView> view = AppsView(device);
                if (!view || !view->CurrentApp())
                    return false;
                QSignalSpy result(view.data(), &QAppsView::emitBackupResult);
                const QString target =
                    ExportRoot().filePath(QStringLiteral("backup%1.ipa").arg(device.Next()));
                device.Dialogs()->WhenShown<QFileDialog>([&device, target](QFileDialog* dialog) {
                    DialogAnswerer::Choose(dialog, target);
                    device.JustBeforeCall();
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                });
                view->BackupApp();
                (void)QTest::qWaitFor([&] { return !view || result.count() > 0; }, kWaitMs);
                QCoreApplication::processEvents();
                return view && result.count() == 1 && result.first().at(0).toInt() == 0 &&
                       QFileInfo(target).size() > 0;
            },
        .leftovers = BackupLeftovers,
        .finish =
            [](SweepDevice&) {
                for (const QString& name :
                     QDir(ExportRoot().path()).entryList({QStringLiteral("backup*")}, QDir::Files))
                    QFile::remove(ExportRoot().filePath(name));
            },
    });

    AddVideosOperations(operations);
    AddDragOperations(operations);
    AddPhotosOperations(operations);
    AddBackupOperations(operations);
    AddUsbOperations(operations);
    return operations;
}
