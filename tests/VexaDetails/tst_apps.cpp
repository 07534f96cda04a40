#include <cstring>
#include <memory>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "CPackageRename.h"
#include "LanguageService.h"
#include "PageFixture.h"
#include "QAppStatusPanel.h"
#include "QAppsChunk.h"
#include "QAppsView.h"
#include "QAppsViewModel.h"
#include "QDropFileMimeData.h"
#include "QFileFolderExport.h"
#include "QInstallDlg.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "TestFiles.h"
#include "sim/ContentServices.h"
#include "sim/DeviceState.h"

namespace {

const char* const kUdid = "00008101-00000000000A0B71";
const char* const kAppId = "org.vexa.fieldnotes";

// Writes a package the way a packaging tool would, with Python's own zip and plist writers. `kind`:
// "xml" or "binary" Info.plist, "broken" plist text, "noplist", or "notzip" (not an archive at all).
bool MakeIpa(const QString& path, const QString& kind, const QJsonObject& info, const QString& iconPath) {
    static const char* const kScript = R"(
import json, plistlib, sys, zipfile
out, kind, info, icon = sys.argv[1], sys.argv[2], json.loads(sys.argv[3]), sys.argv[4]
if kind == 'notzip':
    open(out, 'wb').write(b'PK but not really an archive')
    sys.exit(0)
with zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED) as z:
    if kind == 'broken':
        z.writestr('Payload/Notes.app/Info.plist', '<?xml version="1.0"?><plist><dict><key>CFBundleIdentifier')
    elif kind != 'noplist':
        fmt = plistlib.FMT_BINARY if kind == 'binary' else plistlib.FMT_XML
        z.writestr('Payload/Notes.app/Info.plist', plistlib.dumps(info, fmt=fmt))
    z.writestr('Payload/Notes.app/Notes', b'\0' * 4096)
    if icon:
        z.write(icon, 'Payload/Notes.app/AppIcon60x60@2x.png')
)";
    const QString json = QString::fromUtf8(QJsonDocument(info).toJson(QJsonDocument::Compact));
    return !PythonLines(kScript, {path, kind, json, iconPath}).value(0).startsWith(QLatin1String("failed: "));
}

QJsonObject Info(const QString& id, const QString& name, const QString& version) {
    return {
        {"CFBundleIdentifier", id}, {"CFBundleDisplayName", name},   {"CFBundleShortVersionString", version},
        {"CFBundleVersion", "77"},  {"CFBundleExecutable", "Notes"}, {"MinimumOSVersion", "6.0"}};
}

} // namespace

class tst_apps : public QObject, PageFixture {
    Q_OBJECT
public slots:
    // A finished export opens its folder; here nothing is opened.
    void OnOpenUrl(const QUrl&) {}

private slots:
    void initTestCase() {
        QVERIFY(StartPage(kUdid, "Apps Phone"));
        m_apps = m_manager->GetAppLibrary();
        QVERIFY(m_apps);
        // A red icon, so the table's picture can be told from the placeholder.
        QImage icon(120, 120, QImage::Format_ARGB32);
        icon.fill(QColor(200, 20, 20));
        m_icon = m_work.filePath("icon.png");
        QVERIFY(icon.save(m_icon));
    }

    void cleanupTestCase() { StopPage(); }

    void init() {
        ResetMessages();
        for (const QString& id : DeviceAppIds())
            QCOMPARE(m_apps->UninstallApp(id.toUtf8().constData()), 0);
    }

    void cleanup() { ClearFaults(); }

    // Records

    void recordFieldsAreBoundedAndSizesFormatted() {
        // Every text field full to its last byte, no terminator: the chunk must not read past it.
        AppRecord record;
        std::memset(&record, 'n', sizeof record);
        record.version[0] = '\xff'; // not UTF-8
        record.version[1] = '2';
        record.version[2] = '\0';
        record.appSize = 1048577;
        record.fileSize = 1025;
        const QByteArray garbage("\x89PNG\r\n\x1a\n not really", 19);
        record.icon = reinterpret_cast<const uint8_t*>(garbage.constData());
        record.iconLength = int32_t(garbage.size());
        QAppsChunk app(record);
        QCOMPARE(app.GetName().size(), size_t(200));
        QCOMPARE(app.GetId(), std::string(200, 'n'));
        QCOMPARE(app.Version(), QStringLiteral("\uFFFD2"));
        QCOMPARE(app.Size(), QStringLiteral("1.00 MB"));
        QCOMPARE(app.FileSize(), QStringLiteral("1.00 KB"));
        QVERIFY(app.Icon().isNull()); // damaged: the placeholder is drawn instead
        QAppsViewModel model;
        std::list<IBaseChunk*> list{&app};
        model.SetChunkList(&list);
        QVERIFY(
            !model.index(0, QAppsViewModel::NameColumn).data(Qt::DecorationRole).value<QImage>().isNull());

        record.appSize = 1024;
        record.fileSize = -5; // a library that lost count
        record.iconLength = 0;
        QAppsChunk small(record);
        QCOMPARE(small.Size(), QStringLiteral("1024 B"));
        QCOMPARE(small.FileSize(), QStringLiteral("0 B"));
    }

    // Installing

    void packageInstallsWithNameVersionAndIconAndKeepsItsName() {
        // A name outside plain ASCII: the device reads it under the temporary name.
        const QString package =
            Package(QStringLiteral("Feldnotizen für Übersee.ipa"), "xml",
                    Info(QString::fromLatin1(kAppId), "Field Notes", QStringLiteral("2.3.1")));
        QVERIFY(!package.isEmpty());
        QAppsView view(m_manager, m_phone.Handle());
        Load(view, true);
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Empty);
        QSignalSpy refreshed(&view, &QAppsView::emitRefreshAppNode);
        QSignalSpy done(&view, &QAppsView::InstallDone);

        view.InstallPackage(package);
        QVERIFY(view.InstallDialog() && view.InstallDialog()->isModal());
        WaitDone(view);
        QCOMPARE(QList<QVariantList>(done), QList<QVariantList>{{0}});
        QCOMPARE(m_messages->Messages(), QStringList({"Finish"}));
        QVERIFY(refreshed.count() >= 1);
        QVERIFY(QFileInfo::exists(package));
        QVERIFY(!QFileInfo::exists(CPackageRename::TemporaryPath(package)));

        const int row = RowOf(view, kAppId);
        QVERIFY(row >= 0);
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Table);
        QCOMPARE(view.RecordCount(), 1);
        const QAppsViewModel* model = view.AppsModel();
        QCOMPARE(model->index(row, QAppsViewModel::NameColumn).data().toString(),
                 QStringLiteral("Field Notes"));
        QCOMPARE(model->index(row, QAppsViewModel::VersionColumn).data().toString(), QStringLiteral("2.3.1"));
        const QImage icon =
            model->index(row, QAppsViewModel::NameColumn).data(Qt::DecorationRole).value<QImage>();
        QCOMPARE(icon.size(), QSize(QAppsChunk::kIconSide, QAppsChunk::kIconSide));
        QCOMPARE(icon.pixelColor(16, 16).red(), 200);
        // The shown row carries its three buttons.
        QTRY_VERIFY(view.TableView()->indexWidget(view.SortModel()->index(0, QAppsViewModel::StatusColumn)));

        // A file that already has the temporary name is left alone; the package is read under its own.
        const QString squatter = CPackageRename::TemporaryPath(package);
        QVERIFY(WriteFile(squatter, "mine"));
        m_messages->Clear();
        view.InstallPackage(package);
        WaitDone(view);
        QCOMPARE(m_messages->Messages(), QStringList({"Finish"}));
        QVERIFY(QFileInfo::exists(package));
        QCOMPARE(ReadFile(squatter), QByteArray("mine"));
        QFile::remove(squatter);
    }

    void installOutcomesShowOnlyTheirTextsAndKeepTheName_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("minimumOS");
        QTest::addColumn<int>("code"); // the device's answer, 0 for its own
        QTest::addColumn<QStringList>("messages");
        const QString error = QStringLiteral("Install app error!");
        const QString tooOld = QStringLiteral("Install app failed! Your system version is too low!");
        const QString noSpace = error + QStringLiteral("\nThere is not enough free space on the disk.");
        const struct {
            const char *name, *kind, *minimumOS;
            int code;
            QStringList messages;
        } rows[] = {
            {"not a zip", "notzip", "6.0", 0, {error}},
            {"no plist", "noplist", "6.0", 0, {error}},
            {"broken plist", "broken", "6.0", 0, {error}},
            {"needs a newer system", "xml", "99.0", 0, {tooOld}},
            {"binary plist, as good as XML", "binary", "6.0", 0, {"Finish"}},
            // A silent code closes the progress window and says nothing; a code with a text shows only that,
            // and a device's reason follows the install's own text.
            {"silent code 5", "xml", "6.0", 5, {}},
            {"silent code 17", "xml", "6.0", 17, {}},
            {"device: system too old", "xml", "6.0", VEXA_APP_OS_TOO_OLD, {tooOld}},
            {"device: no space", "xml", "6.0", VEXA_E_NO_SPACE, {noSpace}},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString(row.kind) << QString(row.minimumOS) << row.code
                                    << row.messages;
    }

    void installOutcomesShowOnlyTheirTextsAndKeepTheName() {
        QFETCH(QString, kind);
        QFETCH(QString, minimumOS);
        QFETCH(int, code);
        QFETCH(QStringList, messages);
        QJsonObject info = Info(QStringLiteral("org.vexa.bad"), "Bad", QStringLiteral("1.0"));
        info[QStringLiteral("MinimumOSVersion")] = minimumOS;
        const QString package = Package(QStringLiteral("pkg-%1.ipa").arg(kind), kind, info);
        QVERIFY(!package.isEmpty());
        if (code != 0)
            QCOMPARE(AddFault({.operation = "InstallApp", .code = code}), 0);
        QAppsView view(m_manager, m_phone.Handle());
        Load(view);
        view.InstallPackage(package);
        WaitDone(view);
        QCOMPARE(m_messages->Messages(), messages);
        QVERIFY(QFileInfo::exists(package));
        QVERIFY(!QFileInfo::exists(CPackageRename::TemporaryPath(package)));
        const bool installed = messages == QStringList{"Finish"};
        QCOMPARE(DeviceAppIds(), installed ? QStringList{"org.vexa.bad"} : QStringList());
        QCOMPARE(view.RecordCount(), int(installed));
    }

    void longNamesAreCutOnACharacterBoundary() {
        // 300 bytes of two-byte characters: the device keeps what fits its 200-byte field, whole characters.
        const QString name(150, QChar(0x00E9));
        const QString package = Package(QStringLiteral("long.ipa"), "binary",
                                        Info(QString::fromLatin1(kAppId), name, QStringLiteral("1")));
        QAppsView view(m_manager, m_phone.Handle());
        view.InstallPackage(package);
        WaitDone(view);
        const int row = RowOf(view, kAppId);
        QVERIFY(row >= 0);
        const QString shown = view.AppsModel()->index(row, QAppsViewModel::NameColumn).data().toString();
        QVERIFY(shown.size() >= 90 && shown.size() < 150);
        QCOMPARE(shown, QString(shown.size(), QChar(0x00E9)));
    }

    // Loading, searching, row actions

    void listingFailuresWarnAndLeaveTheTableEmpty() {
        // After an install the reload's warning opens over the progress window, which closes while the
        // warning is up; a second install goes the same way.
        const QString package = AppPackage("list", QStringLiteral("Listed"));
        QAppsView view(m_manager, m_phone.Handle());
        view.show();
        for (int round = 0; round < 2; ++round) {
            ClearFaults();
            QCOMPARE(AddFault({.operation = "GetApplistInfo", .code = 7}), 0);
            m_messages->Clear();
            view.InstallPackage(package);
            WaitDone(view);
            QTRY_COMPARE(m_messages->Messages().size(), 2);
            QVERIFY(
                m_messages->Messages().contains(QStringLiteral("Get app number failed! Please refresh!")));
            QVERIFY(m_messages->Messages().contains(QStringLiteral("Finish")));
            QVERIFY(QFileInfo::exists(package));
        }
        ClearFaults();
        Load(view);
        QCOMPARE(view.RecordCount(), 1);
        for (const auto& [operation, message] :
             {std::pair{"GetApplistInfo", "Get app number failed! Please refresh!"},
              std::pair{"GetAppListIcon", "Get app icon failed! Please refresh!"}}) {
            ClearFaults();
            QCOMPARE(AddFault({.operation = operation, .code = 7}), 0);
            QSignalSpy refreshed(&view, &QAppsView::emitRefreshAppNode);
            QSignalSpy finished(&view, &QBaseDetailsView::loadFinished);
            m_messages->Clear();
            Load(view);
            QTRY_COMPARE(m_messages->Messages(), QStringList({QString::fromLatin1(message)}));
            QCOMPARE(view.RecordCount(), 0);
            QCOMPARE(view.State(), QBaseDetailsView::ContentState::Empty);
            QVERIFY(view.OperatePanel()->isEnabled());
            QCOMPARE(refreshed.count(), 0);
            QCOMPARE(finished.count(), 1); // the tree stops waiting all the same
        }
    }

    void searchFiltersAndEveryShownRowHasItsButtons() {
        for (const char* id : {"org.vexa.alpha", "org.vexa.beta", "org.vexa.gamma"})
            Install(id + 9, QLatin1String(id + 9), id);
        QAppsView view(m_manager, m_phone.Handle());
        Load(view, true);
        QCOMPARE(view.SortModel()->rowCount(), 3);
        view.OnSearchString("^(al|ga)");
        QCOMPARE(view.SortModel()->rowCount(), 2);
        view.OnSearchString(QString());
        QCOMPARE(view.SortModel()->rowCount(), 3);
        QTRY_VERIFY(view.TableView()->indexWidget(view.SortModel()->index(2, QAppsViewModel::StatusColumn)));
        // A row's Documents button asks for that app's container.
        QSignalSpy open(&view, &QAppsView::emitOpenAppDocuments);
        const QModelIndex firstStatus = view.SortModel()->index(0, QAppsViewModel::StatusColumn);
        auto* panel = qobject_cast<QAppStatusPanel*>(view.TableView()->indexWidget(firstStatus));
        QVERIFY(panel);
        emit panel->SaveDocApp();
        const std::string firstId =
            view.AppsModel()->AppAt(view.SortModel()->mapToSource(firstStatus).row())->GetId();
        const QVariantList call{m_phone.Handle(), QString::fromStdString(firstId),
                                QStringLiteral("/Documents")};
        QCOMPARE(QList<QVariantList>(open), QList<QVariantList>{call});

        // A right click on a row offers uninstall and the two backups; on empty space nothing.
        const QRect first = view.TableView()->visualRect(view.SortModel()->index(0, 0));
        QMenu* menu = view.PrepareContextMenu(first.center());
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions().at(1)->menu()->actions().size(), 2);
        QVERIFY(view.CurrentApp());
        QVERIFY(!view.PrepareContextMenu(QPoint(5, view.TableView()->viewport()->height() - 3)));

        // A device that archives no apps (a real phone today) is offered no backup, in the menu or the row.
        QCOMPARE(AddFault({.operation = "QueryAppBackup", .code = VEXA_E_UNSUPPORTED}), 0);
        QAppsView real(m_manager, m_phone.Handle());
        Load(real, true);
        const QModelIndex status = real.SortModel()->index(0, QAppsViewModel::StatusColumn);
        QTRY_VERIFY(real.TableView()->indexWidget(status));
        auto* rowBackup = real.TableView()->indexWidget(status)->findChild<QWidget*>("m_btnBackup");
        QVERIFY(rowBackup && rowBackup->isHidden());
        menu = real.PrepareContextMenu(first.center());
        QVERIFY(menu && !menu->actions().at(1)->isVisible());
    }

    void uninstallRemovesTheRowAfterTheReload() {
        for (const char* id : {"org.vexa.keep", "org.vexa.drop"})
            Install(id, QLatin1String(id), id);
        QAppsView view(m_manager, m_phone.Handle());
        Load(view);
        QCOMPARE(view.RecordCount(), 2);

        // Answering no leaves everything.
        QVERIFY(view.SelectApp(QStringLiteral("org.vexa.drop")));
        view.UninstallApp();
        QCOMPARE(m_messages->Messages(),
                 QStringList({"Are you sure you want to uninstall the application?"}));
        QVERIFY(!view.InstallDialog());
        QCOMPARE(DeviceAppIds().size(), 2);

        QSignalSpy repaint(&view, &QAppsView::repainTree);
        QSignalSpy refreshed(&view, &QAppsView::emitRefreshAppNode);
        m_messages->Clear();
        m_messages->SetAnswerYes(true);
        view.UninstallApp();
        QVERIFY(view.InstallDialog());
        QCOMPARE(view.InstallDialog()->CurrentMode(), QInstallDlg::Mode::Uninstall);
        WaitDone(view);
        QCOMPARE(m_messages->Messages().last(), QStringLiteral("Finish"));
        QCOMPARE(RowOf(view, "org.vexa.drop"), -1);
        QVERIFY(RowOf(view, "org.vexa.keep") >= 0);
        QCOMPARE(view.RecordCount(), 1);
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(repaint.first().at(1).toInt(), 1); // the tree hears of the change first, then of the end
        QCOMPARE(repaint.last().at(1).toInt(), 0);

        // An app that vanished behind the table's back: the device refuses, the reload drops the row.
        QVERIFY(view.SelectApp(QStringLiteral("org.vexa.keep")));
        QCOMPARE(m_apps->UninstallApp("org.vexa.keep"), 0);
        m_messages->Clear();
        view.UninstallApp();
        WaitDone(view);
        QCOMPARE(m_messages->Messages().last(), QStringLiteral("Uninstall app failed!"));
        QCOMPARE(view.RecordCount(), 0);
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Empty);

        // With no row, nothing is asked.
        m_messages->Clear();
        view.UninstallApp();
        QVERIFY(m_messages->Messages().isEmpty());
    }

    // Backing up

    void backupIsAZipWhosePlistNamesTheApp() {
        Install("backup", QStringLiteral("Backed"));
        const QString documents =
            QString::fromStdString((DeviceFolder() / "Applications" / kAppId / "Documents").string());
        QVERIFY(WriteFile(documents + QStringLiteral("/trip.txt"), "notes of the trip"));

        QAppsView view(m_manager, m_phone.Handle());
        Load(view);
        QVERIFY(view.SelectApp(QString::fromLatin1(kAppId)));
        QSignalSpy result(&view, &QAppsView::emitBackupResult);
        const QString plain = m_work.filePath("out/plain/Backed.ipa"); // folders made on the way
        view.BackupTo(plain, false);
        QTRY_COMPARE(result.count(), 1);
        QTRY_COMPARE(m_messages->Messages(), QStringList({"Backup successfully!"}));
        const QStringList plainRead = ReadBackup(plain);
        QCOMPARE(plainRead.value(0), QString::fromLatin1(kAppId));
        QVERIFY(plainRead.filter(QStringLiteral("trip.txt")).isEmpty());

        const QString full = m_work.filePath("out/Backed with documents.ipa");
        view.BackupTo(full, true);
        QTRY_COMPARE(result.count(), 2);
        QCOMPARE(result.last().at(0).toInt(), 0);
        const QStringList fullRead = ReadBackup(full);
        QCOMPARE(fullRead.value(0), QString::fromLatin1(kAppId));
        QCOMPARE(fullRead.filter(QStringLiteral("Documents/trip.txt")).size(), 1);

        // "To Computer" of the checked app writes the same package through the file export.
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "OnOpenUrl");
        view.GetChunk(0)->SetChecked(true);
        const QString folder = m_work.filePath("to computer");
        QCOMPARE(QFileFolderExport::ExportTo(&view, m_manager, 3, folder), 0);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(ReadBackup(folder + QStringLiteral("/Backed.ipa")).value(0), QString::fromLatin1(kAppId));

        // The proposed file sits in the export folder, named after the title made safe.
        QVERIFY(QAppsView::ProposedBackupPath(QStringLiteral("AC/DC: Live?"))
                    .endsWith(QStringLiteral("/Vexa Transfer Files/AC'DC' Live'.ipa")));

        // Places no one can write to, whatever the user's rights: a name taken by a folder, and a folder
        // below a plain file. Nothing half-written stays behind.
        m_messages->Clear();
        const QString taken = m_work.filePath("taken.ipa");
        QVERIFY(QDir().mkpath(taken + QStringLiteral("/inside")));
        const QString file = m_work.filePath("plain-file");
        QVERIFY(WriteFile(file, QByteArray()));
        view.BackupTo(taken, false);
        QTRY_COMPARE(m_messages->Messages(), QStringList({"Backup App failed!"}));
        view.BackupTo(file + QStringLiteral("/sub/Locked.ipa"), true);
        QTRY_COMPARE(m_messages->Messages().size(), 2);
        QCOMPARE(m_messages->Messages().last(), QStringLiteral("Backup App failed!"));
        QCOMPARE(QDir(m_work.path()).entryList({"taken*"}, QDir::AllEntries), QStringList({"taken.ipa"}));
        QVERIFY(QDir(taken).exists(QStringLiteral("inside")));
    }

    // Dragging out

    void dragOutWritesThePackageOnlyWhenAsked() {
        Install("drag", QStringLiteral("Notes/Drafts"));
        QAppsView view(m_manager, m_phone.Handle());
        Load(view);
        QVERIFY(view.TableView()->dragEnabled());
        QVERIFY(!std::unique_ptr<QDropFileMimeData>(view.PrepareDrag())); // nothing selected yet
        QVERIFY(view.SelectApp(QString::fromLatin1(kAppId)));

        std::unique_ptr<QDropFileMimeData> data(view.PrepareDrag());
        QVERIFY(data);
        QVERIFY(!data->HasDropped());
        const QList<QUrl> urls = data->urls();
        QCOMPARE(urls.size(), 1);
        const QString local = urls[0].toLocalFile();
        // The title's slash cannot lead out of the drag's folder.
        QCOMPARE(QFileInfo(local).fileName(), QStringLiteral("Notes'Drafts.ipa"));
        QVERIFY(local.startsWith(QDir::tempPath() + QStringLiteral("/Vexa Manager dnd/")));
        QVERIFY(data->DropSucceeded());
        QCOMPARE(ReadBackup(local).value(0), QString::fromLatin1(kAppId));
        QDir(QFileInfo(local).absolutePath()).removeRecursively();

        // The device cannot produce the package: no file, and the message names the app.
        QCOMPARE(AddFault({.operation = "BackupApp", .code = 15}), 0);
        data.reset(view.PrepareDrag());
        const QString failed = data->urls().value(0).toLocalFile();
        QVERIFY(!data->DropSucceeded());
        QVERIFY(!QFileInfo::exists(failed));
        QTRY_COMPARE(m_messages->Messages(),
                     QStringList{QStringLiteral("The device could not produce the package of these apps:\n"
                                                "Notes/Drafts")});
        QDir(QFileInfo(failed).absolutePath()).removeRecursively();

        // A page that is gone when the target asks copies nothing.
        ClearFaults();
        auto* doomed = new QAppsView(m_manager, m_phone.Handle());
        Load(*doomed);
        QVERIFY(doomed->SelectApp(QString::fromLatin1(kAppId)));
        data.reset(doomed->PrepareDrag());
        delete doomed;
        const QString orphan = data->urls().value(0).toLocalFile();
        QVERIFY(!QFileInfo::exists(orphan));
        QDir(QFileInfo(orphan).absolutePath()).removeRecursively();
    }

    // Last: the cable comes out while the device installs.

    void unplugDuringInstallKeepsThePackageName() {
        const QString package = AppPackage("Unplugged ü", QStringLiteral("Gone"));
        auto* view = new QAppsView(m_manager, m_phone.Handle());
        QCOMPARE(AddFault({.operation = "InstallApp", .unplug = true, .delayMs = 300}), 0);
        view->InstallPackage(package);
        QVERIFY(view->IsRunning());
        // The program takes the device's views away while the worker waits: the view goes at once.
        delete view;
        QVERIFY(QFileInfo::exists(package));
        QVERIFY(!QFileInfo::exists(CPackageRename::TemporaryPath(package)));
        QVERIFY(m_messages->Messages().isEmpty());
    }

private:
    // Loaded, and first shown at a size where every column has room when `shown`.
    void Load(QAppsView& view, bool shown = false) {
        if (shown) {
            view.resize(900, 500);
            view.show();
        }
        view.refreshData();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning(), 10000);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    void WaitDone(QAppsView& view) {
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && !view.InstallDialog(), 20000);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    int RowOf(QAppsView& view, const char* id) const {
        for (int row = 0; row < view.AppsModel()->rowCount(); ++row) {
            if (view.AppsModel()->AppAt(row)->GetId() == id)
                return row;
        }
        return -1;
    }

    QStringList DeviceAppIds() {
        QStringList ids;
        AppRecord* records = nullptr;
        int count = 0;
        if (m_apps->GetApplistInfo(&records, &count) != 0)
            return ids;
        for (int i = 0; i < count; ++i)
            ids << QString::fromUtf8(records[i].id);
        return ids;
    }

    QString Package(const QString& name, const QString& kind, const QJsonObject& info) {
        const QString path = m_work.filePath(name);
        QFile::remove(path);
        return MakeIpa(path, kind, info, m_icon) ? path : QString();
    }

    // An XML-plist package "<file>.ipa" of the app `id` titled `title`.
    QString AppPackage(const char* file, const QString& title, const char* id = kAppId) {
        return Package(QString::fromUtf8(file) + QStringLiteral(".ipa"), "xml",
                       Info(QLatin1String(id), title, QStringLiteral("1")));
    }

    // Installs such a package on the device directly, as if another program had.
    void Install(const char* file, const QString& title, const char* id = kAppId) {
        const QString package = AppPackage(file, title, id);
        QCOMPARE(m_apps->InstallApp(reinterpret_cast<const char16_t*>(package.utf16())), 0);
    }

    // Python's zipfile and plistlib read the archive: the identifier, then the entry names.
    static QStringList ReadBackup(const QString& path) {
        return PythonLines(R"(
import plistlib, re, sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
names = z.namelist()
plist = [n for n in names if re.fullmatch(r'Payload/[^/]+\.app/Info\.plist', n)]
print(plistlib.loads(z.read(plist[0]))['CFBundleIdentifier'])
print('\n'.join(sorted(names)))
)",
                           {path});
    }

    IAppLibrary* m_apps = nullptr;
    QTemporaryDir m_work;
    QString m_icon;
};

QTEST_MAIN(tst_apps)
#include "tst_apps.moc"
