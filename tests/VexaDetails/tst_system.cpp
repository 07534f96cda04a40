#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <utime.h>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <vexa/VexaResult.h>
#include <vexa/vexa.h>

#include "CDeviceFileItem.h"
#include "CDeviceFileName.h"
#include "CSystemFileChunk.h"
#include "LanguageService.h"
#include "PageFixture.h"
#include "QDragListView.h"
#include "QDragTableView.h"
#include "QDragTreeView.h"
#include "QDropFileMimeData.h"
#include "QSystemModel.h"
#include "QSystemSortModel.h"
#include "QSystemView.h"
#include "QSystemfileTreeModel.h"
#include "TestFiles.h"
#include "WhenShown.h"
#include "sim/ContentServices.h"

namespace fs = std::filesystem;

namespace {
const char* const kUdid = "00008101-0000000000051573";
void WriteFile(const fs::path& path, const std::string& data) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << data;
}

QByteArray ReadFile(const fs::path& path) {
    return ReadFile(QString::fromStdString(path.string()));
}

// Every file below `folder`, relative path → content.
QMap<QString, QByteArray> Tree(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder.toStdString())) {
        const QString relative = QDir(folder).relativeFilePath(QString::fromStdString(entry.path().string()));
        files.insert(relative, entry.is_directory() ? QByteArray("<dir>") : ReadFile(entry.path()));
    }
    return files;
}
} // namespace

class tst_system : public QObject, PageFixture {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(StartPage(kUdid, "Files Phone"));
        QVERIFY(m_local.isValid());
    }

    void cleanupTestCase() { StopPage(); }

    void init() {
        ResetMessages();
        fs::remove_all(Work());
        WriteFile(Work() / "notes.txt", "notes");
        WriteFile(Work() / "Photos" / "a.jpg", "jpeg a");
        WriteFile(Work() / "Photos" / "Holiday" / "b.jpg", "jpeg b");
        fs::create_directories(Work() / "Empty");
    }

    void cleanup() { ClearFaults(); }

    // Entries as the device lists them

    void pathsKeepTheRootAndNameTheLastStep() {
        std::string parent, name;
        const char* const splits[][3] = {{"/", "", "/"}, {"a/b/", "a", "b"}, {"/Work", "/", "Work"}};
        for (const auto& [path, wantedParent, wantedName] : splits) {
            CDeviceFileName::Split(path, &parent, &name);
            QCOMPARE(parent + "|" + name, std::string(wantedParent) + "|" + wantedName);
        }
        QCOMPARE(CDeviceFileName::Join(parent, name), std::string("/Work"));
        QVERIFY(CDeviceFileName::HasParentStep("/Work/../../etc"));
        QVERIFY(!CDeviceFileName::HasParentStep("/Work/..x/y.."));

        // An item built from a path reads its size from its folder's listing; one that leaves the device
        // is refused by the device and shows as not loaded.
        IFileService* files = m_manager->GetFileService();
        CDeviceFileItem file(files, "/Work/notes.txt/");
        QVERIFY(file.IsLoaded() && !file.IsDirectory());
        QCOMPARE(file.GetName(), std::string("notes.txt"));
        QCOMPARE(file.GetParentPath(), std::string("/Work"));
        QCOMPARE(file.GetSize(), int64_t(5));
        CDeviceFileItem escape(files, "/Work/../../..");
        QVERIFY(!escape.IsLoaded());
        QCOMPARE(escape.GetName(), std::string());

        CSystemFileChunk root(files, "/");
        QVERIFY(root.IsRoot() && root.IsDirectory());
        QCOMPARE(root.GetPath(), std::string("/"));
        for (int i = 0; i < root.GetChildCount(); ++i) {
            QVERIFY(root.GetChild(i)->GetName() != "." && root.GetChild(i)->GetName() != "..");
            QCOMPARE(root.GetChild(i)->GetPath(), "/" + root.GetChild(i)->GetName());
        }
        QVERIFY(root.GetChild(-1) == nullptr && root.GetChild(root.GetChildCount()) == nullptr);
    }

    void sizesAndTimesAreSixtyFourBitAndShownByTheSizeRule() {
        // A sparse 5 GB file and a date past 2038 come through whole.
        const fs::path big = Work() / "big.bin";
        WriteFile(big, "");
        fs::resize_file(big, 5LL * 1024 * 1024 * 1024);
        const int64_t later = 4102444800; // 2100-01-01
        const utimbuf times{time_t(later), time_t(later)};
        QCOMPARE(::utime(big.c_str(), &times), 0);
        CDeviceFileItem folder(m_manager->GetFileService(), "/Work");
        const CDeviceFileItem* item = folder.FindChild("big.bin");
        QVERIFY(item != nullptr);
        QCOMPARE(item->GetSize(), 5LL * 1024 * 1024 * 1024);
        QCOMPARE(item->GetModifyTime(), later);
        // The size text takes 64 bits too (its units are the program's size rule, tested with it).
        QCOMPARE(QSystemModel::SizeText(item->GetSize()), QStringLiteral("5.00 GB"));
    }

    void rootShowsAtOnceAndFoldersAreReadWhenOpened() {
        QSystemView view(m_manager, m_phone.Handle());
        Load(view);
        CSystemFileChunk* root = view.RootItem();
        CDeviceFileItem* work = root->FindChild("Work");
        QVERIFY(work != nullptr && work->IsDirectory());
        // Only the root was listed; the table shows it and the tree offers its folders.
        QVERIFY(!work->HasReadChildren());
        QCOMPARE(view.CurrentFolder(), root);
        QCOMPARE(view.ContentModel()->rowCount(), root->GetChildCount());
        QSystemfileTreeModel* tree = view.TreeModel();
        QCOMPARE(tree->rowCount(), 1);
        QVERIFY(tree->hasChildren(tree->IndexOf(work)));

        // Opening a folder in the tree reads it; its sub-folders (and only those) become rows.
        view.TreeView()->expand(tree->IndexOf(work));
        QVERIFY(work->HasReadChildren());
        QCOMPARE(tree->rowCount(tree->IndexOf(work)), 2);
        QVERIFY(!tree->hasChildren(tree->IndexOf(work->FindChild("Empty"))) ||
                !work->FindChild("Empty")->HasReadChildren());
        QVERIFY(!work->FindChild("Photos")->HasReadChildren());

        // Double-clicking a folder in the table opens it in the tree as well.
        view.onClickedTree(tree->IndexOf(work));
        view.onDoubleClicked(Row(view, QStringLiteral("Photos")));
        CDeviceFileItem* photos = work->FindChild("Photos");
        QCOMPARE(view.CurrentFolder(), photos);
        QCOMPARE(view.TreeView()->currentIndex(), tree->IndexOf(photos));
        QCOMPARE(view.ContentModel()->rowCount(), 2);
        QCOMPARE(
            Row(view, QStringLiteral("Holiday")).siblingAtColumn(QSystemModel::ColumnType).data().toString(),
            QStringLiteral("Folder"));
        QCOMPARE(
            Row(view, QStringLiteral("a.jpg")).siblingAtColumn(QSystemModel::ColumnSize).data().toString(),
            QStringLiteral("6 B"));
        QVERIFY(m_messages->Messages().isEmpty());
    }

    void refreshReadsAgainWhatIsOpenAndKeepsItOpen() {
        QSystemView view(m_manager, m_phone.Handle());
        Load(view);
        CDeviceFileItem* photos = view.FindItem("/Work/Photos");
        QVERIFY(photos == nullptr); // not read yet
        view.ShowFolder(view.RootItem()->FindChild("Work"));
        QVERIFY(view.FindItem("/Work/Photos") != nullptr);

        WriteFile(Work() / "Photos" / "c.jpg", "jpeg c");
        fs::create_directories(Work() / "Photos" / "New");
        view.onClickedTree(view.TreeModel()->IndexOf(view.RootItem()));
        view.ShowFolder(view.FindItem("/Work/Photos"));
        view.OnRefresh();
        // The folder shown and the tree's open folders come back, read again; closed ones stay unread.
        photos = view.FindItem("/Work/Photos");
        QVERIFY(photos != nullptr && photos->HasReadChildren());
        QCOMPARE(view.CurrentFolder(), photos);
        QVERIFY(view.TreeView()->isExpanded(view.TreeModel()->IndexOf(view.FindItem("/Work"))));
        QVERIFY(photos->FindChild("c.jpg") != nullptr && photos->FindChild("New") != nullptr);
        QVERIFY(!photos->FindChild("Holiday")->HasReadChildren());
    }

    void aFolderWhoseReadFailsSaysSoAndStaysUsable() {
        QSystemView view(m_manager, m_phone.Handle());
        Load(view);
        CDeviceFileItem* work = view.RootItem()->FindChild("Work");
        QCOMPARE(AddFault({.operation = "ReadDirectory", .code = VEXA_E_IO}), 0);
        view.TreeView()->expand(view.TreeModel()->IndexOf(work));
        QVERIFY(!work->HasReadChildren());
        QCOMPARE(view.TreeModel()->rowCount(view.TreeModel()->IndexOf(work)), 0);
        QTRY_COMPARE(m_messages->Messages(), QStringList{"The folder /Work could not be read."});

        // The failure is not retried by itself, but a refresh after the fault reads it.
        ClearFaults();
        view.onClickedTree(view.TreeModel()->IndexOf(work));
        view.OnRefresh();
        QVERIFY(view.FindItem("/Work")->HasReadChildren());
        QCOMPARE(view.ContentModel()->rowCount(), 3);
    }

    // Changes made by the user

    void renameRefusesSeparatorsReservedAndExistingNames() {
        QSystemView view(m_manager, m_phone.Handle());
        LoadWork(view);
        QSystemModel* model = view.ContentModel();
        const QModelIndex notes = view.ContentProxy()->mapToSource(Row(view, QStringLiteral("notes.txt")));
        QVERIFY(notes.flags() & Qt::ItemIsEditable);

        const QStringList refused{"a/b", QStringLiteral("a") + QChar(0) + QStringLiteral("b"), "..",
                                  "Photos"};
        for (const QString& name : refused)
            QVERIFY2(!model->setData(notes, name), qPrintable(name));
        QTRY_COMPARE(m_messages->Messages().size(), 1); // one dialog for the burst
        const QString shown = m_messages->Messages().first();
        QVERIFY(shown.contains(QStringLiteral("\"/\"")));
        QVERIFY(shown.contains(QStringLiteral("\"Photos\" already exists in this folder.")));
        QVERIFY(shown.contains(QStringLiteral("\"..\" cannot be used as names.")));
        QVERIFY(fs::exists(Work() / "notes.txt"));
        QVERIFY(fs::is_directory(Work() / "Photos" / "Holiday"));

        QVERIFY(model->setData(notes, QStringLiteral("Notizen äöü.txt")));
        QVERIFY(!fs::exists(Work() / "notes.txt"));
        QCOMPARE(ReadFile(Work() / "Notizen äöü.txt"), QByteArray("notes"));
        QCOMPARE(notes.data().toString(), QStringLiteral("Notizen äöü.txt"));

        // A folder whose children were read names them under its new path afterwards.
        CDeviceFileItem* photos = view.FindItem("/Work/Photos");
        QVERIFY(photos && photos->ReadChildren() && photos->FindChild("Holiday"));
        const QModelIndex photosRow = view.ContentProxy()->mapToSource(Row(view, QStringLiteral("Photos")));
        QVERIFY(model->setData(photosRow, QStringLiteral("Pictures")));
        CDeviceFileItem* pictures = view.FindItem("/Work/Pictures");
        QVERIFY(pictures && pictures->ReadChildren());
        const CDeviceFileItem* holiday = pictures->FindChild("Holiday");
        QVERIFY(holiday);
        QCOMPARE(holiday->GetPath(), std::string("/Work/Pictures/Holiday"));
    }

    void newFolderAndDeleteWithItsQuestion() {
        QSystemView view(m_manager, m_phone.Handle());
        LoadWork(view);
        CDeviceFileItem* work = view.RootItem()->FindChild("Work");
        view.onClickedTree(view.TreeModel()->IndexOf(work));
        view.OnNewFolder();
        view.OnNewFolder();
        QVERIFY(fs::is_directory(Work() / "New Folder"));
        QVERIFY(fs::is_directory(Work() / "New Folder (2)"));
        QVERIFY(Row(view, QStringLiteral("New Folder (2)")).isValid());

        // Nothing clicked or highlighted: nothing asked, nothing removed.
        view.ContentTable()->clearSelection();
        view.OnDelete();
        QVERIFY(m_messages->Messages().isEmpty());

        const QModelIndex photos = Row(view, QStringLiteral("Photos"));
        view.onClickedTable(photos);
        view.OnDelete(); // answered no
        QCOMPARE(m_messages->Messages(), QStringList{"Are you sure you want to delete (Photos)?"});
        QVERIFY(fs::exists(Work() / "Photos" / "Holiday" / "b.jpg"));

        m_messages->SetAnswerYes(true);
        view.onClickedTable(Row(view, QStringLiteral("Photos")));
        view.OnDelete();
        QVERIFY(!fs::exists(Work() / "Photos"));
        QVERIFY(!Row(view, QStringLiteral("Photos")).isValid());
        QVERIFY(view.FindItem("/Work/Photos") == nullptr);
        // Rows highlighted without a click all go, after one question.
        m_messages->Clear();
        Highlight(view, {"notes.txt", "Empty"});
        QCOMPARE(view.SelectedCount(), 2);
        view.OnDelete();
        QCOMPARE(m_messages->Messages().size(), 1);
        QVERIFY(!fs::exists(Work() / "notes.txt") && !fs::exists(Work() / "Empty"));
        // The root is never a row of the table, so it cannot be picked for deletion.
        for (int row = 0; row < view.ContentModel()->rowCount(); ++row)
            QVERIFY(!view.ContentModel()->ItemAt(row)->IsRoot());
    }

    void contextMenuOnlyWhereTheLastClickWas() {
        QSystemView view(m_manager, m_phone.Handle());
        view.resize(900, 500);
        view.show();
        LoadWork(view);
        QTableView* table = view.ContentTable();
        const QModelIndex photos = Row(view, QStringLiteral("Photos"));
        const QPoint at = table->visualRect(photos).center();

        QCursor::setPos(table->viewport()->mapToGlobal(at));
        view.onClickedTable(photos);
        QCursor::setPos(table->viewport()->mapToGlobal(at) + QPoint(40, 3));
        view.OnRightClicked(at);
        QVERIFY(!view.ContextMenu()->isVisible());

        QCursor::setPos(table->viewport()->mapToGlobal(at));
        view.onClickedTable(photos);
        view.OnRightClicked(at);
        QVERIFY(view.ContextMenu()->isVisible());
        view.ContextMenu()->hide();
        // The position is used up: a second request without a click shows nothing.
        view.OnRightClicked(at);
        QVERIFY(!view.ContextMenu()->isVisible());

        view.OnOpenFolder();
        QCOMPARE(view.CurrentFolder(), view.FindItem("/Work/Photos"));
    }

    void searchIgnoresCaseAndSaysWhenNothingMatches() {
        for (int i = 0; i < 12; ++i)
            WriteFile(Work() / ("IMG_" + std::to_string(1000 + i) + ".JPG"), "x");
        WriteFile(Work() / "img_lower.jpg", "x");
        QSystemView view(m_manager, m_phone.Handle());
        LoadWork(view);
        QSortFilterProxyModel* proxy = view.ContentProxy();
        // An unreadable pattern names nothing.
        for (const auto& [pattern, rows] : {std::pair{"^IMG_100[0-4]", 5}, {"img_1", 12}, {"([", 0}}) {
            view.OnSearchString(pattern);
            QCOMPARE(proxy->rowCount(), rows);
        }
        QVERIFY(!view.NoMatchLabel()->isHidden());
        view.OnSearchString(QString());
        QCOMPARE(proxy->rowCount(), view.ContentModel()->rowCount());
        QVERIFY(view.NoMatchLabel()->isHidden());
        // Folders come first, then files by name.
        QCOMPARE(proxy->index(0, 0).data().toString(), QStringLiteral("Empty"));
        QCOMPARE(proxy->index(2, 0).data().toString(), QStringLiteral("IMG_1000.JPG"));
    }

    void appContainerOpensOnItsDocuments() {
        const fs::path app = DeviceFolder() / "Applications" / "com.example.notes";
        WriteFile(app / "Documents" / "draft.txt", "draft");
        WriteFile(app / "Library" / "prefs.plist", "<plist/>");
        QSystemView view(m_manager, m_phone.Handle());
        Load(view);
        view.OnBrowseAppContainer(QStringLiteral("com.example.notes"));
        QTRY_VERIFY(view.RootItem() != nullptr && view.RootItem()->AppId() == "com.example.notes");
        QCOMPARE(view.CurrentFolder()->GetPath(), std::string("/Documents"));
        QVERIFY(Row(view, QStringLiteral("draft.txt")).isValid());
        // The way back to the device's files stays, even once the app is gone.
        auto* back = view.findChild<QPushButton*>("m_btnBackToDevice");
        QVERIFY(back && back->isVisibleTo(&view));
        fs::remove_all(app);
        back->click();
        QTRY_VERIFY(view.RootItem() != nullptr && view.RootItem()->FindChild("Work") != nullptr);
        QVERIFY(view.AppId().empty() && !back->isVisibleTo(&view));

        view.OnBrowseAppContainer(QStringLiteral("no.such.app"));
        QTRY_COMPARE(m_messages->Messages(), QStringList{"The documents of this app could not be opened."});
        QTRY_VERIFY(view.RootItem() != nullptr && view.RootItem()->FindChild("Work") != nullptr);
        fs::remove_all(app);
    }

    // Across the computer and the device

    void uploadedFolderLandsByteIdentical() {
        const QString local = m_local.filePath("upload/Album");
        QByteArray big(3 * 1024 * 1024 + 7, '\0');
        for (int i = 0; i < big.size(); ++i)
            big[i] = char((i * 131) ^ (i >> 9));
        WriteFile(fs::path(local.toStdString()) / "one.bin", big.toStdString());
        WriteFile(fs::path(local.toStdString()) / "Inner" / "two.txt", "two");
        WriteFile(fs::path(local.toStdString()) / "Inner" / "Deeper" / "drei ü.txt", "drei");
        // A link on the computer is not followed into the device.
        fs::create_directory_symlink("/", fs::path(local.toStdString()) / "root-link");

        QSystemView view(m_manager, m_phone.Handle());
        LoadWork(view);
        CDeviceFileItem* work = view.RootItem()->FindChild("Work");
        QVERIFY(view.UploadInto(work, {local}));
        const QString onDevice = QString::fromStdString((Work() / "Album").string());
        QMap<QString, QByteArray> expected = Tree(local);
        expected.remove(QStringLiteral("root-link"));
        QCOMPARE(Tree(onDevice), expected);
        QVERIFY(Row(view, QStringLiteral("Album")).isValid());

        // The same folder again arrives beside the first instead of replacing it.
        QVERIFY(view.UploadInto(view.FindItem("/Work"), {local + QStringLiteral("/")}));
        QCOMPARE(Tree(onDevice + QStringLiteral(" (2)")), expected);
        QVERIFY(m_messages->Messages().isEmpty());
    }

    void dragOutCopiesOnlyWhenAskedAndWholeFolders() {
        WriteFile(Work() / "notes copy" / "notes.txt", "other notes");
        QSystemView view(m_manager, m_phone.Handle());
        LoadWork(view);
        QTableView* table = view.ContentTable();
        Highlight(view, {"notes.txt", "Photos"});
        std::unique_ptr<QDropFileMimeData> data(view.PrepareDrag(table));
        QVERIFY(data != nullptr);
        // The paths are offered before anything is copied.
        QVERIFY(data->hasUrls());
        const QList<QUrl> urls = data->urls();
        QCOMPARE(urls.size(), 2);
        const QString folder = QFileInfo(urls[0].toLocalFile()).absolutePath();
        QVERIFY(folder.startsWith(QDir::tempPath()));
        QCOMPARE(Tree(folder), (QMap<QString, QByteArray>{{"notes.txt", "notes"},
                                                          {"Photos", "<dir>"},
                                                          {"Photos/a.jpg", "jpeg a"},
                                                          {"Photos/Holiday", "<dir>"},
                                                          {"Photos/Holiday/b.jpg", "jpeg b"}}));
        QDir(folder).removeRecursively();

        // "To Computer" copies the same highlighted entries into the folder the user picks.
        const QString chosen = m_local.filePath("to computer");
        QVERIFY(QDir().mkpath(chosen));
        QCOMPARE(view.SelectedCount(), 2);
        WhenShown<QFileDialog>([chosen](QFileDialog* dialog) {
            dialog->setDirectory(chosen);
            if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
                edit->setText(chosen);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        view.OnExportHighlighted();
        QCOMPARE(Tree(chosen).keys(), (QStringList{"Photos", "Photos/Holiday", "Photos/Holiday/b.jpg",
                                                   "Photos/a.jpg", "notes.txt"}));
        QTRY_COMPARE(m_messages->Messages(),
                     QStringList{QStringLiteral("The entries were copied to %1.").arg(chosen)});
        m_messages->Clear();

        // A drag whose files are copied only on request: nothing exists before, a vanished file is reported
        // and the rest still arrives.
        table->selectionModel()->clearSelection();
        Highlight(view, {"notes.txt", "Empty"});
        data.reset(view.PrepareDrag(table));
        fs::remove(Work() / "notes.txt");
        QVERIFY(!data->HasDropped());
        const QStringList paths{data->urls()[0].toLocalFile(), data->urls()[1].toLocalFile()};
        QVERIFY(data->HasDropped() && !data->DropSucceeded());
        QVERIFY(!QFileInfo::exists(paths.filter(QStringLiteral("notes")).value(0)));
        QVERIFY(QFileInfo(paths.filter(QStringLiteral("Empty")).value(0)).isDir());
        QTRY_COMPARE(m_messages->Messages(),
                     QStringList{"Some entries could not be copied from the device."});
        QDir(QFileInfo(paths[0]).absolutePath()).removeRecursively();

        // Nothing selected: no drag.
        table->selectionModel()->clearSelection();
        QVERIFY(view.PrepareDrag(table) == nullptr);
    }

    // Last: the device leaves.

    void unplugDuringAnUploadAndADrag() {
        const QString local = m_local.filePath("unplug");
        for (int i = 0; i < 5; ++i)
            WriteFile(fs::path(local.toStdString()) / ("f" + std::to_string(i)),
                      std::string(1000, char('a' + i)));
        QSystemView view(m_manager, m_phone.Handle());
        LoadWork(view);
        CDeviceFileItem* work = view.RootItem()->FindChild("Work");
        Highlight(view, {"Photos"});
        std::unique_ptr<QDropFileMimeData> data(view.PrepareDrag(view.ContentTable()));

        QCOMPARE(AddFault({.operation = "CopyFileToDevice", .unplug = true, .after = 2}), 0);
        QVERIFY(!view.UploadInto(work, {local}));
        // One dialog says both: the device went, and what did not arrive (the folder and two files did).
        QTRY_COMPARE(m_messages->Messages(),
                     QStringList{QStringLiteral("The folder /Work could not be read.\n"
                                                "Some items could not be copied to the device (3 of 6).")});
        // Nothing half-written is left: the two files before the unplug are whole, the rest absent.
        QCOMPARE(ReadFile(Work() / "unplug" / "f0"), QByteArray(1000, 'a'));
        QVERIFY(!fs::exists(Work() / "unplug" / "f2"));

        // The drag started before the unplug reports instead of copying.
        m_messages->Clear();
        const QList<QUrl> urls = data->urls();
        QVERIFY(!data->DropSucceeded());
        QTRY_VERIFY(!m_messages->Messages().isEmpty());
        QVERIFY(!QFileInfo::exists(urls[0].toLocalFile() + QStringLiteral("/a.jpg")));
        QDir(QFileInfo(urls[0].toLocalFile()).absolutePath()).removeRecursively();

        // The view stays usable: refresh says the device is gone.
        m_messages->Clear();
        view.OnRefresh();
        QTRY_VERIFY(m_messages->Saw("The folder /Work could not be read."));
        view.OnNewFolder();
        view.OnDelete();
    }

private:
    fs::path Media() const { return DeviceFolder() / "Media"; }
    fs::path Work() const { return Media() / "Work"; }

    void Load(QSystemView& view) {
        QVERIFY(view.Start());
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning(), 10000);
        QTRY_VERIFY(view.RootItem() != nullptr);
    }

    // Loaded, with the table showing the "Work" folder.
    void LoadWork(QSystemView& view) {
        Load(view);
        if (view.RootItem())
            view.ShowFolder(view.RootItem()->FindChild("Work"));
    }

    QModelIndex Row(QSystemView& view, const QString& name) {
        const QModelIndexList found = view.ContentProxy()->match(view.ContentProxy()->index(0, 0),
                                                                 Qt::DisplayRole, name, 1, Qt::MatchExactly);
        return found.isEmpty() ? QModelIndex() : found.first();
    }

    // Adds the rows of these names to the table's highlighted rows.
    void Highlight(QSystemView& view, const QStringList& names) {
        for (const QString& name : names)
            view.ContentTable()->selectionModel()->select(Row(view, name), QItemSelectionModel::Select |
                                                                               QItemSelectionModel::Rows);
    }

    QTemporaryDir m_local;
};

QTEST_MAIN(tst_system)
#include "tst_system.moc"
