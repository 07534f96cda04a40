// The table of device-library operations the program calls, each reached the way the user reaches it.
// A new operation joins the sweep with one more entry here: its name for the fault control, how the
// user reaches it, the message a failure must show, and an action that drives the real views.
//
// Not in the table: the service accessors (GetFileService, GetDeviceService, ...), which make no device
// call. The program calls no backup, file or message operation yet.

#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <vexa/vexa.h>

#include "AddContactsDlg.h"
#include "AddContactsWidget.h"
#include "CContactChunk.h"
#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "QContactsModel.h"
#include "QContactsView.h"
#include "QDeviceInformationWidget.h"
#include "QGroupNameDlg.h"
#include "QMySortModel.h"
#include "QNavigateWidget.h"
#include "QOperatePanel.h"
#include "QPlayAnalysisTread.h"
#include "TreeModel.h"
#include "TreeNode.h"

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

} // namespace

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
        .dialogsOnDeviceObjects = true,
        .act = [](SweepDevice& device) { return AddThroughEditor(device, QString()); },
        .verify =
            [](SweepDevice& device) { return HasContact(device, g_lastFirst + QStringLiteral("|Sweep|")); },
    });

    operations.push_back({
        .operation = QStringLiteral("SaveContact"),
        .path = QStringLiteral("Edit a contact's row in the editor"),
        .message = QStringLiteral("Modify contact failed!"),
        .dialogsOnDeviceObjects = true,
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
        .dialogsOnDeviceObjects = true,
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
        .dialogsOnDeviceObjects = true,
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
        .dialogsOnDeviceObjects = true,
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
        .dialogsOnDeviceObjects = true,
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
        .dialogsOnDeviceObjects = true,
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
        .dialogsOnDeviceObjects = true,
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
        .dialogsOnDeviceObjects = true,
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

    return operations;
}
