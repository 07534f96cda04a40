#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "CContactChunk.h"
#include "CSingleDetectiPhone.h"
#include "ConnectWidget.h"
#include "DeviceTestRegistry.h"
#include "MessageCatcher.h"
#include "QBaseDetailsView.h"
#include "QContactsView.h"
#include "QDeviceInformationWidget.h"
#include "QImageButton.h"
#include "QMessageFlow.h"
#include "QMySortModel.h"
#include "QNavigateWidget.h"
#include "QOperatePanel.h"
#include "QPagedFlowViewerWidget.h"
#include "QProUtil.h"
#include "QRightFuntionWidget.h"
#include "SimDevices.h"
#include "TestFiles.h"
#include "ToolWidget.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "TreeView.h"
#include "WhenShown.h"
#include "qmessageView.h"
#include "sim/ContentServices.h"

#include <vexa/vexa.h>

// Keeps the addresses the program hands to the desktop instead of starting a browser.
class DesktopUrlCatcher : public QObject {
    Q_OBJECT
public:
    DesktopUrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~DesktopUrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls << url; }
};

// The navigation widget against simulated devices: detection, the device tree, first-press loading,
// counts, context menus, and plugging and unplugging.

namespace {
struct Sim {
    const char* udid;
    const char* name;
};
const Sim kPhone{"00008101-0000000000000F21", "Navigation Phone"};
const Sim kPad{"00008101-0000000000000F22", "Navigation Pad"};
const Sim kNoRecord{"00008101-0000000000000F23", "Navigation Blank"};
const Sim kWifi{"00008101-0000000000000F24", "Navigation Wifi"};
constexpr int kDetectTimeout = 10000;
} // namespace

// Contacts of those first names saved on the device for one test, deleted again when it ends.
struct SavedContacts {
    SavedContacts(IContactService* service, std::initializer_list<const char*> names)
        : service(service) {
        for (const char* name : names) {
            ContactRecord record{};
            record.firstName = name;
            if (service->SaveContact(&record, 0) == 0 && record.id)
                ids.emplace_back(record.id);
        }
    }
    ~SavedContacts() {
        for (const std::string& id : ids)
            service->DeleteContact(id.c_str());
    }
    IContactService* service;
    std::vector<std::string> ids;
};

class tst_Navigation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        m_navigate = new QNavigateWidget;
        m_navigate->resize(960, 600);
        m_navigate->show();
        QVERIFY(Connect(kPhone));
    }

    void cleanupTestCase() {
        delete m_navigate;
        m_navigate = nullptr;
        // The widget released every manager it knew of.
        QVERIFY(CSingleDetectiPhone::Instance()->Managers().isEmpty());
    }

    void cleanup() {
        for (const Sim& sim : {kPhone, kPad, kNoRecord, kWifi})
            SimCtl({"clear-faults", sim.udid});
        m_messages.Clear();
    }

    // Detection

    void deviceGetsNodeCategoriesAndInformationPage() {
        TreeNode* device = NodeNamed(kPhone.name);
        QVERIFY(device);
        // Each category is bound to its view, found by the object names the home tools dispatch on.
        const QStringList objectNames = {"QVideoView", "QPlayListView", "PhotoView",
                                         "QiBookView", "QContactsView", "qmessageView",
                                         "QCallsView", "QAppsView",     "QSystemView"};
        QCOMPARE(device->ChildCount(), objectNames.size());
        for (int kind = 0; kind < objectNames.size(); ++kind)
            QCOMPARE(device->Child(kind)->Binding().view->objectName(), objectNames[kind]);
        TreeNode* media = device->FindChildOfKind(SUB_ITEM_MEDIA);
        QCOMPARE(media->Child(0)->Binding().view, media->Binding().view);
        QCOMPARE(media->Child(1)->Binding().view->objectName(), QStringLiteral("QMusicView"));

        // The information page belongs to the device node; pressing the node shows it.
        QWidget* page = device->Binding().view;
        QVERIFY(qobject_cast<QDeviceInformationWidget*>(page));
        Press(device);
        QCOMPARE(m_navigate->CurrentView(), page);
        QVERIFY(page->isVisible());
        QVERIFY(m_messages.Messages().isEmpty() || !m_messages.Saw("Get device information failed!"));
    }

    void wifiDeviceIsIgnored() {
        // Over the cable first, so the device is known to be detectable.
        SimCtl({"wifi", kWifi.udid, "off"});
        QVERIFY(Connect(kWifi));
        QVERIFY(Disconnect(kWifi));

        QWidget* pageBefore = m_navigate->CurrentPage();
        const int managersBefore = int(CSingleDetectiPhone::Instance()->Managers().size());
        QCOMPARE(SimCtl({"wifi", kWifi.udid, "on"}), 0);
        QCOMPARE(SimCtl({"plug", kWifi.udid}), 0);
        QVERIFY(!QTest::qWaitFor(
            [&] {
                return HandleOf(kWifi.udid) != -1 ||
                       int(CSingleDetectiPhone::Instance()->Managers().size()) != managersBefore;
            },
            1500));
        QVERIFY(!NodeNamed(kWifi.name));
        QCOMPARE(m_navigate->CurrentPage(), pageBefore);
        SimCtl({"unplug", kWifi.udid});
        SimCtl({"wifi", kWifi.udid, "off"});
    }

    void deviceWithoutRecordGetsNoNodeAndItsRemovalIsIgnored() {
        QVERIFY(Connect(kNoRecord));
        QVERIFY(Disconnect(kNoRecord));
        QCOMPARE(SimCtl({"fault", kNoRecord.udid, "GetDeviceInfo", "106"}), 0);
        const auto managersBefore = CSingleDetectiPhone::Instance()->Managers();
        QCOMPARE(SimCtl({"plug", kNoRecord.udid}), 0);

        // The arrival is still reported: the initialising screen says the record is missing.
        QTRY_VERIFY_WITH_TIMEOUT(m_messages.Saw("Get device information failed!"), kDetectTimeout);
        QCOMPARE(m_navigate->CurrentPage()->objectName(), QStringLiteral("InitDeviceWidget"));
        QVERIFY(!NodeNamed(kNoRecord.name));
        const QList<int> handlesAfter = CSingleDetectiPhone::Instance()->Managers().keys();
        QCOMPARE(handlesAfter.size(), managersBefore.size() + 1);
        for (int handle : handlesAfter)
            QVERIFY(managersBefore.contains(handle) ||
                    !CSingleDetectiPhone::Instance()->Records().contains(handle));

        QWidget* page = m_navigate->CurrentPage();
        const int nodes = int(m_navigate->DeviceNodes().size());
        QCOMPARE(SimCtl({"unplug", kNoRecord.udid}), 0);
        QVERIFY(!QTest::qWaitFor(
            [&] {
                return m_navigate->CurrentPage() != page || int(m_navigate->DeviceNodes().size()) != nodes;
            },
            1500));
    }

    void removingOneOfTwoDevicesKeepsTheOther() {
        TreeNode* phone = Connect(kPhone);
        TreeNode* pad = Connect(kPad);
        QVERIFY(phone && pad);
        const int phoneHandle = phone->DeviceHandle();
        QPointer<QWidget> phoneContacts = Category(phone, SUB_ITEM_CONTACTS)->Binding().view;
        QPointer<QWidget> phonePage = phone->Binding().view;
        QPointer<QWidget> padContacts = Category(pad, SUB_ITEM_CONTACTS)->Binding().view;
        auto* tools = m_navigate->findChild<QRightFuntionWidget*>();
        QVERIFY(tools);

        // The survivor's view stays on the right when the other device leaves; so do the home tools, with
        // "To device" disabled as ever.
        Press(Category(phone, SUB_ITEM_CONTACTS));
        QVERIFY(Disconnect(kPad));
        QCOMPARE(m_navigate->CurrentView(), phoneContacts.data());
        QVERIFY(tools->Button("m_btnToComputer")->isEnabled());
        QVERIFY(!tools->Button("m_btnToDevice")->isEnabled());

        // When the view on the right belonged to the device that left, the survivor's page replaces it.
        pad = Connect(kPad);
        QVERIFY(pad);
        padContacts = Category(pad, SUB_ITEM_CONTACTS)->Binding().view;
        Press(Category(pad, SUB_ITEM_CONTACTS));
        QCOMPARE(m_navigate->CurrentView(), padContacts.data());
        QVERIFY(Disconnect(kPad));
        QVERIFY(!padContacts);
        QCOMPARE(NodeNamed(kPhone.name)->DeviceHandle(), phoneHandle);
        QVERIFY(phoneContacts && phonePage);
        QVERIFY(CSingleDetectiPhone::Instance()->ManagerOf(phoneHandle));
        // The page of a device still plugged in: the phone's, or that of one an earlier test left behind.
        QWidget* shown = m_navigate->CurrentView();
        QVERIFY(shown && !shown->isHidden());
        const auto nodes = m_navigate->DeviceNodes();
        QVERIFY(std::any_of(nodes.begin(), nodes.end(),
                            [shown](TreeNode* node) { return node->Binding().view == shown; }));
        QVERIFY(tools->Button("m_btnToComputer")->isEnabled() && tools->Button("m_btnBackup")->isEnabled());
        QVERIFY(!tools->Button("m_btnToDevice")->isEnabled());
    }

    // Tree

    void categoryLoadsOnlyOnItsFirstPress() {
        TreeNode* device = Connect(kPhone);
        QVERIFY(device);
        for (int kind : {int(SUB_ITEM_CONTACTS), int(SUB_ITEM_APPS), int(NODE_MUSIC)}) {
            TreeNode* node = Category(device, kind);
            auto* view = qobject_cast<QBaseDetailsView*>(node->Binding().view);
            QVERIFY(view);
            QSignalSpy loads(view, &QBaseDetailsView::loadFinished);
            const int pressesBefore = node->PressCount();
            Press(node);
            Press(node);
            QTRY_VERIFY_WITH_TIMEOUT(node->Text().endsWith(QLatin1Char(')')), 5000);
            const int expected = pressesBefore == 0 ? 1 : 0;
            QVERIFY(!QTest::qWaitFor([&] { return loads.size() > expected; }, 100));
            QCOMPARE(loads.size(), expected);
            QCOMPARE(m_navigate->CurrentView(), view);
            QCOMPARE(node->State(), int(NODE_STATE_SELECTED));
        }

        // After a restore the category on screen loads again at once, the others on their next press.
        auto* shown = qobject_cast<QBaseDetailsView*>(m_navigate->CurrentView());
        TreeNode* contacts = Category(device, SUB_ITEM_CONTACTS);
        QSignalSpy shownLoads(shown, &QBaseDetailsView::loadFinished);
        QSignalSpy contactLoads(qobject_cast<QBaseDetailsView*>(contacts->Binding().view),
                                &QBaseDetailsView::loadFinished);
        m_navigate->ReloadCategories();
        QVERIFY(shownLoads.wait(5000));
        Press(contacts);
        QTRY_COMPARE_WITH_TIMEOUT(contactLoads.size(), 1, 5000);
    }

    void mediaAndVideoShareOneLoad() {
        // A fresh device each time, pressed Media first and then Video first: the phone's media may have
        // been pressed by other tests.
        for (const auto& [first, second] : {std::pair{int(SUB_ITEM_MEDIA), int(NODE_VIDEO)},
                                            std::pair{int(NODE_VIDEO), int(SUB_ITEM_MEDIA)}}) {
            QVERIFY(!NodeNamed(kPad.name) || Disconnect(kPad));
            TreeNode* pad = Connect(kPad);
            QVERIFY(pad);
            auto* view = qobject_cast<QBaseDetailsView*>(Category(pad, first)->Binding().view);
            QSignalSpy loads(view, &QBaseDetailsView::loadFinished);
            Press(Category(pad, first));
            QTRY_COMPARE_WITH_TIMEOUT(loads.size(), 1, 5000);
            Press(Category(pad, second));
            Press(Category(pad, first));
            QVERIFY(!loads.wait(200));
            QCOMPARE(loads.size(), 1);
            QCOMPARE(Category(pad, NODE_VIDEO)->Text(), QStringLiteral("Video (0)"));
            QCOMPARE(m_navigate->CurrentView(), view);
        }
    }

    void countInNodeTextKeepsCategoryAndSurvivesLanguageChange() {
        TreeNode* pad = Connect(kPad);
        QVERIFY(pad);
        TreeNode* contacts = Category(pad, SUB_ITEM_CONTACTS);
        TreeNode* messages = Category(pad, SUB_ITEM_MESSAGES);
        if (contacts->PressCount() > 0) {
            QVERIFY(Disconnect(kPad));
            pad = Connect(kPad);
            contacts = Category(pad, SUB_ITEM_CONTACTS);
            messages = Category(pad, SUB_ITEM_MESSAGES);
        }
        contacts->SetText("Contacts (12)");
        messages->SetText("Messages");

        emit QProUtil::instance()->languageChanged();
        QCOMPARE(contacts->Text(), QStringLiteral("Contacts (12)"));
        QCOMPARE(messages->Text(), QStringLiteral("Messages"));

        auto* view = qobject_cast<QBaseDetailsView*>(contacts->Binding().view);
        QSignalSpy loads(view, &QBaseDetailsView::loadFinished);
        Press(contacts);
        QTRY_COMPARE_WITH_TIMEOUT(loads.size(), 1, 5000);
        QCOMPARE(m_navigate->CurrentView()->objectName(), QStringLiteral("QContactsView"));
        QTRY_COMPARE_WITH_TIMEOUT(contacts->Text(), QStringLiteral("Contacts (0)"), 5000);
    }

    void playlistsFollowTheDevice() {
        TreeNode* phone = Connect(kPhone);
        QVERIFY(phone);
        TreeNode* playlist = Category(phone, SUB_ITEM_PLAYLIST);
        QTRY_VERIFY_WITH_TIMEOUT(!m_navigate->Tree()->indexWidget(m_navigate->Model()->IndexOf(playlist)),
                                 5000);
        const int before = playlist->ChildCount();
        QVERIFY(!MenuFor(playlist));

        const QString name = QStringLiteral("Road Trip %1").arg(before);
        emit m_navigate->NewPlayList(phone->DeviceHandle(), name);
        QVERIFY(QTest::qWaitFor([&] { return playlist->ChildCount() == before + 1; }, 5000));
        TreeNode* added = playlist->Child(before);
        QCOMPARE(added->Text(), name + QStringLiteral(" (0)"));
        QCOMPARE(added->Kind(), int(NODE_PLAYLIST));

        QMenu* menu = MenuFor(added);
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 2);
        menu->actions().at(1)->trigger();
        QVERIFY(QTest::qWaitFor([&] { return playlist->ChildCount() == before; }, 5000));
        for (TreeNode* child : playlist->Children())
            QVERIFY(!child->Text().startsWith(name));
    }

    void protectedAlbumsAndGroupsCannotBeRenamedOrDeleted() {
        TreeNode* phone = Connect(kPhone);
        QVERIFY(phone);
        TreeModel* model = m_navigate->Model();
        TreeNode* photos = Category(phone, SUB_ITEM_PHOTOS);
        TreeNode* contacts = Category(phone, SUB_ITEM_CONTACTS);
        // Albums under Photos, groups under Contacts.
        const struct {
            TreeNode* parent;
            const char* name;
            bool editable;
        } cases[] = {
            {photos, "Camera Roll", false},    {photos, "Photo Libary", false},
            {photos, "Holidays", true},        {photos, "camera roll", true},
            {contacts, "Friend", false},       {contacts, "Family", false},
            {contacts, "Ungrouped", false},    {contacts, "Classmate", false},
            {contacts, "Climbing Club", true},
        };
        QList<TreeNode*> added;
        for (const auto& item : cases) {
            added << new TreeNode(item.parent == photos ? NODE_ALBUM : NODE_GROUP, item.name);
            model->AppendNode(item.parent, added.last());
        }
        // Checked in an order that flips the shared Rename action back and forth.
        for (int i = 0; i < int(std::size(cases)); ++i) {
            QMenu* menu = MenuFor(added[i]);
            QVERIFY(menu);
            const QList<QAction*> actions = menu->actions();
            QCOMPARE(actions.size(), 3);
            QVERIFY(actions[0]->isEnabled());
            QVERIFY2(actions[1]->isEnabled() == cases[i].editable, cases[i].name);
            QVERIFY2(actions[2]->isEnabled() == cases[i].editable, cases[i].name);
            QCOMPARE(actions[0]->text(), cases[i].parent == photos ? QStringLiteral("new Album")
                                                                   : QStringLiteral("Greate New Group"));
        }
        for (TreeNode* node : added)
            model->RemoveNode(node);
        QVERIFY(!MenuFor(photos));
        QVERIFY(!MenuFor(phone));
    }

    void contactGroupsFollowTheDeviceAndRenameOnIt() {
        TreeNode* contacts = nullptr;
        QContactsView* view = PhoneContacts(&contacts);
        QVERIFY(view);
        IContactService* service = view->Manager()->GetContactService();
        QVERIFY(service);
        service->DeleteGroup("Tree Climbers");
        service->DeleteGroup("Tree Hikers");
        QCOMPARE(service->CreateGroup("Tree Climbers"), 0);
        // One contact in the group and one outside it.
        const SavedContacts saved(service, {"Climber", "Walker"});
        QCOMPARE(saved.ids.size(), size_t(2));
        const char* climbers[] = {"Tree Climbers"};
        QCOMPARE(service->SetContactGroups(saved.ids[0].c_str(), climbers, 1), 0);

        auto groupTexts = [contacts] {
            QStringList texts;
            for (const TreeNode* child : contacts->Children()) {
                if (child->Kind() == NODE_GROUP)
                    texts << child->Text();
            }
            return texts;
        };
        QSignalSpy loads(view, &QBaseDetailsView::loadFinished);
        view->OnRefreshContacts();
        QVERIFY(loads.wait(5000));
        // Every group of the device hangs under Contacts, bound to the contacts view, once each.
        QCOMPARE(groupTexts(), view->GroupNames());
        QVERIFY(groupTexts().contains("Tree Climbers"));
        view->OnRefreshContacts();
        QVERIFY(loads.wait(5000));
        QCOMPARE(groupTexts().count("Tree Climbers"), 1);

        // Renaming the node in place renames the group on the device.
        TreeNode* group = nullptr;
        for (TreeNode* child : contacts->Children())
            group = child->Text() == "Tree Climbers" ? child : group;
        QVERIFY(group);
        QCOMPARE(group->Binding().view, view);
        // Pressing the group shows its members; pressing Contacts shows everyone again.
        QVERIFY(view->GetChunkCount() >= 2);
        Press(group);
        QCOMPARE(view->SortModel()->rowCount(), 1);
        QCOMPARE(view->SortModel()->index(0, 0).data().toString(), QStringLiteral("Climber"));
        Press(contacts);
        QCOMPARE(view->SortModel()->rowCount(), view->GetChunkCount());
        Press(group);
        QVERIFY(
            m_navigate->Model()->setData(m_navigate->Model()->IndexOf(group), QStringLiteral("Tree Hikers")));
        QVERIFY(QTest::qWaitFor([&] { return view->GroupNames().contains("Tree Hikers"); }, 5000));
        QVERIFY(!view->GroupNames().contains("Tree Climbers"));
        QTRY_VERIFY(groupTexts().contains("Tree Hikers"));
        QCOMPARE(view->ShownGroup(), QStringLiteral("Tree Hikers"));
        QCOMPARE(service->DeleteGroup("Tree Hikers"), 0);
        Press(contacts);
    }

    void toComputerAsksForCheckedRecordsAndOffersVCards() {
        TreeNode* contacts = nullptr;
        QContactsView* view = PhoneContacts(&contacts);
        QVERIFY(view);
        const SavedContacts saved(view->Manager()->GetContactService(), {"Exported", "Left Behind"});
        QCOMPARE(saved.ids.size(), size_t(2));
        Press(contacts);
        QSignalSpy loads(view, &QBaseDetailsView::loadFinished);
        view->OnRefreshContacts();
        QVERIFY(loads.wait(5000));
        QCOMPARE(m_navigate->CurrentView(), view);

        // Nothing checked: the user is asked to choose first and no dialog opens.
        m_messages.Clear();
        m_navigate->OnClickPc();
        QVERIFY(m_messages.Saw("Please choose one or more items first!"));

        // With a contact checked the save dialog opens, offering vCards first.
        view->GetChunk(0)->SetChecked(true);
        QString title;
        m_messages.Clear();
        QCOMPARE(ExportFilters(&title).value(0), QStringLiteral("vcf files (*.vcf)"));
        QCOMPARE(title, QStringLiteral("Save File"));
        QVERIFY(m_messages.Messages().isEmpty());
    }

    void messagesCountInTheNodeAndSurviveAnUnplugWhilePaging() {
        const std::filesystem::path folder =
            std::filesystem::path(qEnvironmentVariable("VEXA_SIM_ROOT").toStdString()) / kPhone.udid;
        std::vector<vexa::sim::SimConversation> conversations(2);
        conversations[0] = {"+1 555 0101", "Ann", {}};
        for (int m = 0; m < 45; ++m)
            conversations[0].messages.push_back({uint8_t(m % 2), "2026-03-01 10:00:00", "text"});
        conversations[1] = {"+1 555 0102", std::nullopt, {{0, "2026-03-02 10:00:00", "hello"}}};
        TreeNode* device = Connect(kPhone);
        QVERIFY(device);
        QCOMPARE(vexa::sim::ReplaceConversations(folder, conversations), 0);
        auto clearConversations = qScopeGuard([&] { vexa::sim::ReplaceConversations(folder, {}); });
        TreeNode* node = Category(device, SUB_ITEM_MESSAGES);
        auto* view = qobject_cast<qmessageView*>(node->Binding().view);
        QVERIFY(view);
        QSignalSpy loads(view, &QBaseDetailsView::loadFinished);
        Press(node);
        if (loads.isEmpty())
            QVERIFY(loads.wait(5000));
        QTRY_COMPARE(node->Text(), QStringLiteral("Messages (2)"));
        QCOMPARE(m_navigate->CurrentView(), view);
        QPagedFlowViewerWidget* paged = view->Flow()->PagedFlow();
        QCOMPARE(paged->PageLabel(), QStringLiteral("1/3"));

        // The export button offers the record formats, the spreadsheet first.
        view->GetChunk(1)->SetChecked(true);
        QCOMPARE(ExportFilters().value(0), QStringLiteral("excel files (*.xls)"));

        // The cable goes while the user pages: the view goes with the device, nothing else happens.
        paged->OnClickBtnNext();
        QPointer<qmessageView> guard(view);
        QVERIFY(Disconnect(kPhone));
        QTRY_VERIFY(!guard);
        QVERIFY(!m_messages.Saw("Please unlock your device first, and then try again!"));
    }

    void toolTilesDoWhatTheyName_data() {
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("chosen"); // answer to the file dialog, in the work folder
        QTest::addColumn<QByteArray>("window");
        QTest::addColumn<QString>("message"); // how the last message begins
        QTest::addColumn<QString>("written"); // a file left in the work folder
        QTest::addColumn<QString>("opened");  // the fragment of the address given to the desktop

        const struct {
            const char *name, *tile, *chosen, *window, *message, *written, *opened;
        } rows[] = {
            {"convert video", "m_btnConvertVideo", "clip.avi", "", "These files are not videos", "", ""},
            {"backup contacts", "m_btnBackupContacts", "saved", "", "", "saved/*.vcf", ""},
            {"backup", "m_btnToolBackup", "", "BackupWidget", "", "", ""},
            {"restore", "m_btnToolRestore", "", "QRestoreDlg", "", "", ""},
            {"to idevice", "m_btnToolToDevice", "", "QTransferDeviceDlg", "", "", ""},
            {"copy to itunes", "m_btnCopyToiTunes", "song.mp3", "", "1 files were copied",
             "Library/iTunes Media/song.mp3", ""},
            {"connect idevices", "m_btnConnectDevice", "", "", "", "", "connect"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString(row.tile) << QString(row.chosen) << QByteArray(row.window)
                                    << QString(row.message) << QString(row.written) << QString(row.opened);
    }

    void toolTilesDoWhatTheyName() {
        QFETCH(QString, tile);
        QFETCH(QString, chosen);
        QFETCH(QByteArray, window);
        QFETCH(QString, message);
        QFETCH(QString, written);
        QFETCH(QString, opened);

        // A music folder with an iTunes library whose media folder is in the work folder, and documents
        // there too, so that nothing lands in the user's own folders.
        QTemporaryDir work;
        const QDir dir(work.path());
        QVERIFY(dir.mkpath("Library/iTunes Media") && dir.mkpath("Music/iTunes") && dir.mkpath("saved"));
        const QString library = QStringLiteral("<?xml version=\"1.0\"?><plist><dict><key>Music Folder</key>"
                                               "<string>file://localhost%1/Library/</string></dict></plist>")
                                    .arg(work.path());
        const QString dirs =
            QStringLiteral("XDG_MUSIC_DIR=\"%1/Music\"\nXDG_DOCUMENTS_DIR=\"%1\"\n").arg(work.path());
        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", work.path().toUtf8());
        auto restoreConfig = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", configHome); });
        for (const auto& [name, text] :
             {std::pair{QStringLiteral("Music/iTunes/iTunes Music Library.xml"), library},
              {QStringLiteral("user-dirs.dirs"), dirs},
              {QStringLiteral("clip.avi"), QStringLiteral("not a video")},
              {QStringLiteral("song.mp3"), QStringLiteral("ID3 and some frames")}})
            QVERIFY(WriteFile(dir.filePath(name), text.toUtf8()));

        TreeNode* contactsNode = nullptr;
        QContactsView* contacts = PhoneContacts(&contactsNode);
        QVERIFY(contacts);
        if (!chosen.isEmpty())
            WhenShown<QFileDialog>([path = dir.filePath(chosen)](QFileDialog* dialog) {
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            });
        QByteArray shown;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (!window.isEmpty() && widget->isVisible() && window == widget->metaObject()->className()) {
                    shown = window;
                    widget->close();
                }
        });
        closer.start(20);
        DesktopUrlCatcher desktop;
        bool pressed = false;
        WhenShown<ToolWidget>([&](ToolWidget* tools) {
            if (auto* button = tools->findChild<QImageButton*>(tile)) {
                pressed = true;
                button->click();
            }
            tools->close();
        });
        m_messages.Clear();
        m_navigate->OnClickTools();

        QVERIFY(pressed);
        QCOMPARE(shown, window);
        if (!message.isEmpty())
            QVERIFY2(!m_messages.Messages().isEmpty() && m_messages.Messages().last().startsWith(message),
                     qPrintable(m_messages.Messages().join(" | ")));
        QCOMPARE(desktop.urls.isEmpty() ? QString() : desktop.urls.first().fragment(), opened);
        if (!opened.isEmpty())
            QVERIFY(desktop.urls.first().toLocalFile().endsWith("/Vexa Transfer help.html"));
        const QStringList files = written.isEmpty()
                                      ? QStringList()
                                      : QDir(dir.filePath(QFileInfo(written).path()))
                                            .entryList({QFileInfo(written).fileName()}, QDir::Files);
        QCOMPARE(files.size(), written.isEmpty() ? 0 : 1);
        if (!written.endsWith(".vcf"))
            return;
        // Every contact of the device, read back by a vCard reader we did not write.
        QCOMPARE(
            PythonLines("import sys, vobject\n"
                        "cards = list(vobject.readComponents(open(sys.argv[1], encoding='utf-8').read()))\n"
                        "print(len(cards))",
                        {dir.filePath("saved/" + files.first())}),
            QStringList{QString::number(contacts->GetChunkCount())});
    }

    void aPageTheDeviceCannotFillYetSaysSoInOneLine_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("note");
        const struct {
            const char* name;
            int kind;
            const char *operation, *what;
        } rows[] = {{"contacts", SUB_ITEM_CONTACTS, "GetContacts", "Contacts"},
                    {"messages", SUB_ITEM_MESSAGES, "GetMessages", "Messages"},
                    {"music", NODE_MUSIC, "GetPlaylists", "Music"},
                    {"video", NODE_VIDEO, "GetPlaylists", "Videos"},
                    {"playlist", SUB_ITEM_PLAYLIST, "GetPlaylists", "Playlists"},
                    {"photos", SUB_ITEM_PHOTOS, "PrepareList", "Photos"},
                    {"books", SUB_ITEM_IBOOKS, "GetBooks", "Books"}};
        for (const auto& row : rows)
            QTest::newRow(row.name)
                << row.kind << QString(row.operation)
                << QStringLiteral("%1 cannot be read from this device yet.").arg(row.what);
    }

    void aPageTheDeviceCannotFillYetSaysSoInOneLine() {
        QFETCH(int, kind);
        QFETCH(QString, operation);
        QFETCH(QString, note);
        // A fresh connection of a device that answers "not offered yet", as a real phone does today.
        QVERIFY(Connect(kPad));
        QVERIFY(Disconnect(kPad));
        QCOMPARE(SimCtl({"fault", kPad.udid, operation, QString::number(VEXA_E_NOT_SUPPORTED_YET)}), 0);
        TreeNode* pad = Connect(kPad);
        QVERIFY(pad);
        TreeNode* node = Category(pad, kind);
        auto* view = qobject_cast<QBaseDetailsView*>(node->Binding().view);
        QVERIFY(view);
        Press(node);
        QTRY_COMPARE_WITH_TIMEOUT(view->State(), QBaseDetailsView::ContentState::Unavailable, 5000);
        // One line in the page, no buttons that would fail, no dialog, and the tree stops waiting without
        // claiming a count of 0.
        auto* line = view->findChild<QLabel*>(QStringLiteral("m_unavailableNote"));
        QVERIFY(line && line->isVisible());
        QCOMPARE(line->text(), note);
        QVERIFY(!view->OperatePanel()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!m_navigate->Tree()->indexWidget(m_navigate->Model()->IndexOf(node)), 5000);
        QVERIFY2(!node->Text().contains(QLatin1Char('(')), qPrintable(node->Text()));
        QTRY_VERIFY_WITH_TIMEOUT(!view->IsRunning(), 5000);
        QCoreApplication::processEvents();
        // Only the missing pictures of a test's program folder may be reported.
        for (const QString& message : m_messages.Messages())
            QVERIFY2(message.contains(QLatin1String("install")) ||
                         message.contains(QLatin1String("InitControls")),
                     qPrintable(message));
    }

private:
    // Plugs the device in (made the first time) and waits for its node.
    TreeNode* Connect(const Sim& sim) {
        if (!PlugOrCreate(sim.udid, sim.name, "iPhone8,1", {"--songs", "2"}) ||
            !QTest::qWaitFor([&] { return NodeNamed(sim.name) != nullptr; }, kDetectTimeout))
            return nullptr;
        return NodeNamed(sim.name);
    }

    bool Disconnect(const Sim& sim) {
        const int handle = HandleOf(sim.udid);
        SimCtl({"unplug", sim.udid});
        return QTest::qWaitFor(
            [&] {
                return !NodeNamed(sim.name) &&
                       (handle < 0 || !CSingleDetectiPhone::Instance()->ManagerOf(handle));
            },
            kDetectTimeout);
    }

    // Presses the export button and cancels the save dialog it opens; its name filters, its title in
    // `title`.
    QStringList ExportFilters(QString* title = nullptr) {
        QStringList filters;
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            if (title)
                *title = dialog->windowTitle();
            filters = dialog->nameFilters();
            dialog->reject();
        });
        m_navigate->OnClickPc();
        return filters;
    }

    TreeNode* NodeNamed(const char* name) const { return ::NodeNamed(m_navigate, QString::fromUtf8(name)); }

    TreeNode* Category(TreeNode* device, int kind) const {
        if (kind == NODE_VIDEO || kind == NODE_MUSIC)
            return device->FindChildOfKind(SUB_ITEM_MEDIA)->FindChildOfKind(kind);
        return device->FindChildOfKind(kind);
    }

    // Connects the phone and gives its contacts node and view (null when either is missing).

    QContactsView* PhoneContacts(TreeNode** node) {
        TreeNode* phone = Connect(kPhone);
        *node = phone ? Category(phone, SUB_ITEM_CONTACTS) : nullptr;
        return *node ? qobject_cast<QContactsView*>((*node)->Binding().view) : nullptr;
    }

    void Press(TreeNode* node) { m_navigate->ClickTreeViewItem(m_navigate->Model()->IndexOf(node)); }

    QMenu* MenuFor(TreeNode* node) { return m_navigate->PrepareTreeMenu(m_navigate->Model()->IndexOf(node)); }

    MessageCatcher m_messages;
    QNavigateWidget* m_navigate = nullptr;
};

VEXA_DEVICE_TEST(tst_Navigation);
#include "tst_Navigation.moc"
