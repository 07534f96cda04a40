// The table of device-library operations the program calls, each reached the way the user reaches it.
// A new operation joins the sweep with one more entry here: its name for the fault control, how the
// user reaches it, the message a failure must show, and an action that drives the real views.
//
// Not in the table: the service accessors (GetFileService, GetDeviceService, ...), which make no device
// call. The program calls no backup operation yet.
//
// Not yet reachable from a view, so not yet in the table (the photos and books pages read nothing and
// the actions below have no button yet); each joins once its page loads:
// - AddBook (the add-book action), DeletePhotos and GetDeleteProgress (the photo delete action),
//   ImportPhotoFile (the transfer dialog's import into an album);
// - the book export's folder listing and copy (ReadDirectory, CopyFileToComputer of an unpacked EPUB)
//   and the app export's archive (BackupApp, in the table through the Apps page's own backup), both
//   on the export button of the books and apps pages;
// - the drag-out of checked records (the same copy), which no view offers yet.
// The file export's copy itself is in the table through the music page, whose songs the sweep puts in
// until the page reads the device's library.

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
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
#include "CContactChunk.h"
#include "CPackageRename.h"
#include "CPhotoSerialDlg.h"
#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
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
#include "QMessageFlow.h"
#include "QMySortModel.h"
#include "QNavigateWidget.h"
#include "QOperatePanel.h"
#include "QPlayAnalysisTread.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "formats/IpaFile.h"
#include "qmessageView.h"

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

QString g_lastPlaylist;

void EnsurePlaylist(SweepDevice& device) {
    g_lastPlaylist = QStringLiteral("List%1").arg(device.Next());
    device.WithManager([](IVexaManager* manager) {
        const QString name = g_lastPlaylist;
        return manager->GetMediaLibrary()->AddPlaylist(reinterpret_cast<const char16_t*>(name.utf16())) == 0;
    });
    QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
    if (!loader)
        return;
    loader->Start();
    (void)QTest::qWaitFor([&] { return !loader || !loader->IsRunning(); }, kWaitMs);
    QCoreApplication::processEvents();
}

TreeNode* ChildNamed(TreeNode* parent, const QString& text) {
    for (TreeNode* child : parent ? parent->Children() : QList<TreeNode*>()) {
        if (child->Text() == text || child->Text().startsWith(text + QLatin1String(" (")))
            return child;
    }
    return nullptr;
}

// Waits for a playlist reload that a change started, then lets the tree take its names.
bool WaitPlaylistLoader(const QPointer<QPlayAnalysisTread>& loader) {
    const bool ended = QTest::qWaitFor([&] { return !loader || !loader->IsRunning(); }, kWaitMs);
    QCoreApplication::processEvents();
    return ended;
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

// A song of the music page as the page will hold it once it reads the device's library: the export
// copies the file its path names and calls it after its title.
class SweepSong : public IBaseChunk {
public:
    SweepSong(QString title, QString path)
        : m_title(std::move(title))
        , m_path(std::move(path)) {
        SetName(m_title.toStdString());
    }
    void Serialize(IBaseSerial* writer) override {
        writer->BeginItem("Item", -1);
        writer->WriteString("Title", m_title.toUtf8().constData());
        writer->WriteString("Path", m_path.toUtf8().constData());
        writer->EndItem();
    }

private:
    QString m_title;
    QString m_path;
};

// The songs the export row copies: their device files and the bytes each holds.
constexpr int kSongCount = 3;
QString SongTitle(int i) {
    return QStringLiteral("Sweep Song %1").arg(i);
}
QByteArray SongBytes(int i) {
    return QByteArray(64 * 1024, char('a' + i));
}
QString SongDevicePath(int i) {
    return QStringLiteral("/VexaSweep/song%1.mp3").arg(i);
}

QTemporaryDir& ExportRoot() {
    static QTemporaryDir root;
    return root;
}
// The folder of the export the last action ran.
QString g_exportFolder;

// Puts the song files on the device and the checked, selected songs on the music page (it reads nothing
// from the device yet, so the sweep fills it).
void EnsureSongs(SweepDevice& device) {
    device.WithManager([](IVexaManager* manager) {
        IFileService* files = manager->GetFileService();
        files->MakeDirectory("/VexaSweep");
        bool ok = true;
        for (int i = 0; i < kSongCount; ++i) {
            const QString local = ExportRoot().filePath(QStringLiteral("upload%1.mp3").arg(i));
            QFile file(local);
            if (!file.open(QIODevice::WriteOnly) || file.write(SongBytes(i)) != SongBytes(i).size())
                return false;
            file.close();
            const QString target = SongDevicePath(i);
            ok = ok && files->CopyFileToDevice(reinterpret_cast<const char16_t*>(local.utf16()),
                                               reinterpret_cast<const char16_t*>(target.utf16())) == 0;
        }
        return ok;
    });
    QBaseDetailsView* view = device.MusicView();
    if (!view)
        return;
    if (view->GetChunkCount() == 0) {
        for (int i = 0; i < kSongCount; ++i) {
            auto* song = new SweepSong(SongTitle(i), SongDevicePath(i));
            song->SetChecked(true);
            view->AddChunk(song);
        }
        view->Model()->Reset();
    }
    device.Press(device.Category(SUB_ITEM_MEDIA)->FindChildOfKind(NODE_MUSIC));
    view->TableView()->selectAll();
}

// Presses the export button on the music page, picks a fresh folder in the folder dialog and waits
// for the transfer dialog (a healthy one may close before anything sees it); its last line, when it
// stays open on a failure, counts as the message.
bool ExportSongs(SweepDevice& device) {
    QPointer<QBaseDetailsView> view = device.MusicView();
    if (!view || view->SelectedCount() == 0)
        return false;
    g_exportFolder = ExportRoot().filePath(QStringLiteral("export%1").arg(device.Next()));
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
        QFile file(g_exportFolder + QLatin1Char('/') + SongTitle(i) + QStringLiteral(".mp3"));
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != SongBytes(i))
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
        for (int i = 0; i < kSongCount; ++i) {
            QFile file(path);
            whole = whole || (it.fileName() == SongTitle(i) + QStringLiteral(".mp3") &&
                              file.open(QIODevice::ReadOnly) && file.readAll() == SongBytes(i));
        }
        if (!whole)
            partial << it.fileName();
    }
    return partial.join(QLatin1String(", "));
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
        .operation = QStringLiteral("GetPlaylists"),
        .path = QStringLiteral("the playlist tree reloads (loader thread)"),
        .message = QStringLiteral("Get playlist failed"),
        .worker = true,
        .act =
            [](SweepDevice& device) {
                QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
                if (!loader)
                    return false;
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                loader->Start();
                WaitPlaylistLoader(loader);
                QTest::qWait(20);
                return loader && loader->LastResult() == 0 && device.Dialogs()->Messages().size() == before;
            },
        .verify =
            [](SweepDevice& device) {
                TreeNode* playlists = device.Category(SUB_ITEM_PLAYLIST);
                return playlists && int(playlists->Children().size()) == int(device.DevicePlaylists().size());
            },
    });

    operations.push_back({
        .operation = QStringLiteral("AddPlaylist"),
        .path = QStringLiteral("New Playlist from a playlist's menu in the tree"),
        .message = QStringLiteral("The playlist could not be changed"),
        .prepare = EnsurePlaylist,
        .act =
            [](SweepDevice& device) {
                QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
                TreeNode* list = ChildNamed(device.Category(SUB_ITEM_PLAYLIST), g_lastPlaylist);
                if (!loader || !list)
                    return false;
                g_lastPlaylist = QStringLiteral("New%1").arg(device.Next());
                device.Dialogs()->WhenShown<QInputDialog>([&device](QInputDialog* dialog) {
                    dialog->setTextValue(g_lastPlaylist);
                    device.JustBeforeCall();
                    dialog->accept();
                });
                device.Navigate()->PrepareTreeMenu(device.Navigate()->Model()->IndexOf(list));
                const int before = int(device.Dialogs()->Messages().size());
                device.Navigate()->OnActionNewPlist();
                WaitPlaylistLoader(loader);
                return device.Dialogs()->Messages().size() == before;
            },
        .verify = [](SweepDevice& device) { return device.DevicePlaylists().contains(g_lastPlaylist); },
    });

    operations.push_back({
        .operation = QStringLiteral("DeletePlaylist"),
        .path = QStringLiteral("Delete Playlist from its menu in the tree"),
        .message = QStringLiteral("The playlist could not be changed"),
        .prepare = EnsurePlaylist,
        .act =
            [](SweepDevice& device) {
                QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
                TreeNode* list = ChildNamed(device.Category(SUB_ITEM_PLAYLIST), g_lastPlaylist);
                if (!loader || !list)
                    return false;
                device.Navigate()->PrepareTreeMenu(device.Navigate()->Model()->IndexOf(list));
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                device.Navigate()->OnActionDelPlist();
                WaitPlaylistLoader(loader);
                return device.Dialogs()->Messages().size() == before;
            },
        .verify = [](SweepDevice& device) { return !device.DevicePlaylists().contains(g_lastPlaylist); },
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

    operations.push_back({
        .operation = QStringLiteral("CopyFileToComputer"),
        .path = QStringLiteral("Export to PC of checked songs on the music page into a chosen folder "
                               "(the page loads nothing yet; the sweep puts the songs in)"),
        .message = QStringLiteral("%1 file(s) could not be copied.").arg(kSongCount),
        .worker = true,
        .prepare = EnsureSongs,
        .act = ExportSongs,
        .leftovers = PartialExportFiles,
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
                    dialog->selectFile(SweepPackage());
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
                    dialog->selectFile(target);
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

    return operations;
}
