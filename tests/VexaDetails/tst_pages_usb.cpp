// The pages of phones reached through the usb backend and the device emulator. Music, Video, Playlist
// and iBooks show what the same pages show on the simulator, say in one line that the content is
// read-only and how many entries were left out, offer no way to change it, and export the device's files
// byte for byte; Photos shows the photos and albums without a way to change them; Messages and Calls read
// the phone's snapshot, with progress and cancel, and ask for the password of encrypted backups.
#include <algorithm>
#include <map>
#include <utility>

#include <QAction>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "AppPaths.h"
#include "CCheckedRecords.h"
#include "CPhotoList.h"
#include "CPhotoMonthGroups.h"
#include "CPhotoSerialThread.h"
#include "CSnapshotPage.h"
#include "CiBookChunk.h"
#include "EmulatorProcess.h"
#include "IBaseChunk.h"
#include "LanguageService.h"
#include "MessageCatcher.h"
#include "PicItemTotal.h"
#include "QAddDataWidget.h"
#include "QBackupPasswordDlg.h"
#include "QCallsView.h"
#include "QFileFolderExport.h"
#include "QImageButton.h"
#include "QMusicView.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "QPhotoGridView.h"
#include "QPhotoMonthPage.h"
#include "QPhotoView.h"
#include "QPlayAnalysisTread.h"
#include "QPlayListView.h"
#include "QVideoView.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "ReadOnlyNotice.h"
#include "RetractLabel.h"
#include "TestFiles.h"
#include "UserPicItemShow.h"
#include "UserPicWidget.h"
#include "qmessageView.h"

namespace {

constexpr char kUdid[] = "00008020-00000000000A0B17";
constexpr char kRecordsUdid[] = "00008030-0012A4B6C8D0E2F4"; // contacts, messages and photos, no media

QMap<QString, QByteArray> Fingerprint(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& path : FilesUnder(folder))
        files.insert(QDir(folder).relativeFilePath(path),
                     QCryptographicHash::hash(ReadFile(path), QCryptographicHash::Sha256));
    return files;
}

// The rows of a page's table as shown, every column.
QStringList Rows(QBaseDetailsView* view) {
    QStringList rows;
    QAbstractItemModel* model = view->SortModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    rows.sort();
    return rows;
}

// The pages of one manager, wired as the navigation tree wires them.
struct Pages {
    explicit Pages(IVexaManager* manager) {
        const int handle = manager->GetDeviceHandle();
        music = std::make_unique<QMusicView>(manager, handle);
        video = std::make_unique<QVideoView>(manager, handle);
        loader = std::make_unique<QPlayAnalysisTread>(manager, handle);
        playlists = std::make_unique<QPlayListView>(manager, handle);
        playlists->SetLoader(loader.get());
        books = std::make_unique<QiBookView>(manager, handle);
        bookLoader = std::make_unique<QiBookAnalysisThread>(manager);
        bookLoader->SetCallback(books.get());
        books->SetChunkList(bookLoader->Records());
        QObject::connect(bookLoader.get(), &QiBookAnalysisThread::loadStarting, books.get(),
                         &QiBookView::OnLoadStarting);
    }
    ~Pages() {
        playlists->SetLoader(nullptr);
        loader.reset();
    }
    std::vector<QBaseDetailsView*> All() const {
        return {music.get(), video.get(), playlists.get(), books.get()};
    }

    bool Load() {
        QSignalSpy songs(music.get(), &QMusicView::emitRefreshMusicNode);
        QSignalSpy videos(video.get(), &QVideoView::emitRefreshVideoNode);
        QSignalSpy lists(loader.get(), &QPlayAnalysisTread::refreshPlayList);
        QSignalSpy bookList(bookLoader.get(), &QiBookAnalysisThread::emitRefreshiBookNode);
        music->Start();
        video->Start();
        loader->Start();
        bookLoader->refresh();
        const bool done = QTest::qWaitFor(
            [&] { return !songs.isEmpty() && !videos.isEmpty() && !lists.isEmpty() && !bookList.isEmpty(); },
            30000);
        (void)QTest::qWaitFor([&] { return !books->IsLoading() && !loader->IsRunning(); }, 10000);
        QCoreApplication::processEvents();
        // The playlist page shows the first user playlist, the one the demo phone fills most.
        playlists->ShowPlaylist(1);
        QCoreApplication::processEvents();
        return done;
    }

    std::unique_ptr<QMusicView> music;
    std::unique_ptr<QVideoView> video;
    std::unique_ptr<QPlayAnalysisTread> loader;
    std::unique_ptr<QPlayListView> playlists;
    std::unique_ptr<QiBookView> books;
    std::unique_ptr<QiBookAnalysisThread> bookLoader;
};

// The rows of the music, video, playlist and books pages.
std::vector<QStringList> RowsOf(const Pages& pages) {
    std::vector<QStringList> rows;
    for (QBaseDetailsView* view : pages.All())
        rows.push_back(Rows(view));
    return rows;
}

} // namespace

class tst_pages_usb : public QObject {
    Q_OBJECT

private:
    QString Media() const { return m_emulator.Media(kUdid); }

    EmulatorProcess m_emulator;
    MessageCatcher m_messages;
    std::vector<QStringList> m_simulated;
    Manager m_manager;
    Manager m_records; // of the phone with contacts and messages
    std::unique_ptr<Pages> m_pages;
    QTemporaryDir m_local;

private slots:
    void initTestCase() {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        qRegisterMetaType<IVexaManager*>();
        QCOMPARE(m_emulator.SimCtl({"create-demo", "--udid", kUdid, "--ios", "17"}), 0);
        QCOMPARE(m_emulator.SimCtl({"create", "--udid", kRecordsUdid, "--name", "Usb Phone", "--product-type",
                                    "iPhone12,1", "--contacts", "5", "--messages", "40", "--photos", "20"}),
                 0);
        QVERIFY(m_emulator.Start());
        {
            Manager simulated = Bind(m_emulator.Listen("sim", 2)[kUdid]);
            QVERIFY(simulated);
            Pages pages(simulated.get());
            QVERIFY(pages.Load());
            m_simulated = RowsOf(pages);
        }
        std::map<QString, int> handles = m_emulator.Listen("usb", 2);
        m_manager = Bind(handles[kUdid]);
        m_records = Bind(handles[kRecordsUdid]);
        QVERIFY(m_manager && m_records);
    }

    void pagesShowWhatTheSimulatorShows() {
        m_pages = std::make_unique<Pages>(m_manager.get());
        QVERIFY(m_pages->Load());
        const std::vector<QStringList> usb = RowsOf(*m_pages);
        QCOMPARE(usb.size(), size_t(4));
        for (size_t page = 0; page < usb.size(); ++page) {
            QVERIFY(!m_simulated[page].isEmpty());
            QCOMPARE(usb[page], m_simulated[page]);
        }
        QVERIFY(m_messages.Messages().isEmpty());
    }

    void nothingOnThePagesChangesTheDevice() {
        QVERIFY(m_pages);
        for (QBaseDetailsView* view : m_pages->All()) {
            const QString page = view->metaObject()->className();
            auto* notice = view->findChild<ReadOnlyNotice*>();
            QVERIFY2(notice && notice->isVisibleTo(view) && !notice->text().isEmpty(), qPrintable(page));
            for (const char* button : {"m_addBtn", "m_deleteBtn"})
                QVERIFY2(!view->OperatePanel()->findChild<QWidget*>(button)->isVisibleTo(view),
                         qPrintable(page + ' ' + button));
            QVERIFY2(!view->AddWidget()->AddButton()->isVisibleTo(view->AddWidget()), qPrintable(page));
            QVERIFY2(!view->acceptDrops(), qPrintable(page));
            for (QMenu* menu : view->findChildren<QMenu*>()) {
                for (QAction* action : menu->actions()) {
                    const QString text = action->text();
                    if (text.startsWith(QLatin1String("Add")) || text.startsWith(QLatin1String("Dele")))
                        QVERIFY2(!action->isVisible(), qPrintable(page + ": " + text));
                }
            }
        }
        QVERIFY(!m_pages->loader->IsWritable());
    }

    void aFileThatIsGoneIsLeftOutAndCounted() {
        QCOMPARE(m_emulator.RemoveFirstSongAndBook(kUdid).size(), 2);
        const int songsBefore =
            m_pages->music->SortModel()->rowCount() + m_pages->video->SortModel()->rowCount();
        const int booksBefore = m_pages->books->SortModel()->rowCount();
        QVERIFY(m_pages->Load());
        QCOMPARE(m_pages->music->SortModel()->rowCount() + m_pages->video->SortModel()->rowCount(),
                 songsBefore - 1);
        QCOMPARE(m_pages->books->SortModel()->rowCount(), booksBefore - 1);
        for (QBaseDetailsView* view : {m_pages->All()[0], m_pages->All()[3]}) {
            auto* line = view->findChild<QLabel*>(QStringLiteral("skippedEntries"));
            QVERIFY(line && line->isVisibleTo(view));
            QVERIFY2(line->text().startsWith(QLatin1String("1 ")), qPrintable(line->text()));
        }
    }

    void exportsGiveTheDevicesBytes_data() {
        QTest::addColumn<int>("page");
        QTest::newRow("music") << 0;
        QTest::newRow("books") << 3;
    }

    void exportsGiveTheDevicesBytes() {
        QFETCH(int, page);
        QBaseDetailsView* view = m_pages->All()[size_t(page)];
        std::list<IBaseChunk*>* records = view->ChunkList();
        QVERIFY(records && !records->empty());
        // An unpacked EPUB is zipped on its way out by a program this test does not bring along.
        int checked = 0;
        for (IBaseChunk* record : *records) {
            auto* book = page == 3 ? static_cast<CiBookChunk*>(record) : nullptr;
            const bool file = !book || QFileInfo(Media() + QString::fromStdString(book->path)).isFile();
            record->SetChecked(file);
            checked += file ? 1 : 0;
        }
        const QString folder = m_local.filePath(QString::number(page));
        CCheckedRecords source(*records, view->CategoryName());
        QCOMPARE(QFileFolderExport::ExportTo(&source, m_manager.get(),
                                             page == 0 ? kExportMedia : kExportBooks, folder, false),
                 0);
        const QMap<QString, QByteArray> exported = Fingerprint(folder);
        QCOMPARE(exported.size(), qsizetype(checked));
        // Every file is the device's own, byte for byte.
        const QList<QByteArray> device = Fingerprint(Media()).values();
        for (auto it = exported.cbegin(); it != exported.cend(); ++it)
            QVERIFY2(device.contains(it.value()), qPrintable(it.key()));
        for (IBaseChunk* record : *records)
            record->SetChecked(false);
    }

    void photosPageShowsPhotosAndAlbumsWithoutWayToChangeThem() {
        QPhotoView view(m_manager.get(), m_manager->GetDeviceHandle());
        view.resize(1000, 700);
        view.show();
        view.Start();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && view.HasLoaded(), 15000);
        QCOMPARE(view.PhotoPage()->Grid()->List()->Count(), 85);
        QVERIFY(!view.LastReadFailed());

        QVERIFY(!view.IsWritable());
        QVERIFY(view.Notice()->isVisible());
        QVERIFY(view.Notice()->text().contains(QStringLiteral("added on the phone itself")));
        QVERIFY(!view.acceptDrops());
        view.OnComboBoxChanged(QPhotoView::AlbumsPage);
        QTRY_VERIFY_WITH_TIMEOUT(view.AlbumPage()->HasLoaded() && !view.AlbumPage()->IsRunning(), 15000);
        QCOMPARE(view.AlbumPage()->Tiles().size(), 9);
        for (const char* name : {"m_btnImport", "m_btnDelete", "m_btnNewAlbum"})
            QVERIFY2(!view.Button(name)->isVisible(), name);
        for (const char* name : {"m_btnExport", "m_btnRefresh"})
            QVERIFY2(view.Button(name)->isVisible(), name);

        // A double click on an album's name opens it rather than starting a rename, and the menu's
        // new album and delete do nothing.
        PicItemTotal* family = view.AlbumPage()->TileOf(QStringLiteral("Family"));
        QVERIFY(family);
        QTest::mouseDClick(family, Qt::LeftButton, {}, family->NameLabel()->geometry().center());
        QCOMPARE(view.CurrentPage(), QPhotoView::AlbumShowPage);
        view.OnNewAlbum(QStringLiteral("Trips"));
        view.OnDeleteAlbum(QStringLiteral("Family"));
        QTRY_VERIFY_WITH_TIMEOUT(!view.AlbumPage()->IsRunning(), 15000);
        QVERIFY(!view.AlbumPage()->TileOf(QStringLiteral("Trips")));
        QVERIFY(view.AlbumPage()->TileOf(QStringLiteral("Family")));

        // The phone's Videos group opens like an album and shows the clip the Photos page leaves out.
        view.OnReturnAlbumView(ALBUM_USER);
        PicItemTotal* videos = view.AlbumPage()->TileOf(QStringLiteral("Videos"));
        QVERIFY(videos);
        QTest::mouseDClick(videos, Qt::LeftButton, {}, videos->NameLabel()->geometry().center());
        QCOMPARE(view.CurrentPage(), QPhotoView::AlbumShowPage);
        QPhotoGridView* grid = view.AlbumShow()->Page()->Grid();
        QTRY_VERIFY_WITH_TIMEOUT(grid->Groups() && grid->Groups()->PhotoCount() == 1, 15000);
        QCOMPARE(QByteArray(grid->List()->Record(0)->fileName), QByteArray("IMG_0081.MOV"));
    }

    void recordPagesReadTheSnapshotWithProgressCancelAndPassword() {
        const QString folder =
            qEnvironmentVariable("XDG_CACHE_HOME") + "/vexa-transfer/snapshots/" + kRecordsUdid;
        QVERIFY(QDir(folder).removeRecursively()); // left by an earlier run
        m_messages.Clear();
        qmessageView view(m_records.get(), m_records->GetDeviceHandle());
        view.resize(1000, 700);
        view.show();
        CSnapshotPage* snapshot = view.Snapshot();
        QVERIFY(snapshot);
        // The first snapshot waits at its first report until Cancel has been clicked.
        QSemaphore clicked;
        bool held = false;
        connect(
            snapshot, &CSnapshotPage::progressChanged, snapshot,
            [&](int) {
                if (!std::exchange(held, true))
                    clicked.tryAcquire(1, 10000);
            },
            Qt::DirectConnection);
        view.Start();
        QTRY_VERIFY_WITH_TIMEOUT(snapshot->CancelButton()->isVisible(), 10000);
        QVERIFY(snapshot->Line()->text().startsWith("Reading messages from the device…"));
        snapshot->CancelButton()->click();
        clicked.release();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && snapshot->Line()->text().contains("cancelled"), 15000);
        QCOMPARE(view.GetChunkCount(), 0);
        QVERIFY(m_messages.Messages().isEmpty());
        QVERIFY(!QFile::exists(folder + "/Manifest.db")); // nothing half-taken was swapped in

        // Refresh takes it whole; the page is read-only and says when the snapshot was taken.
        view.OnEmitRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning() && view.GetChunkCount() > 0, 30000);
        QTRY_VERIFY(snapshot->Line()->text().contains("taken on"));
        QVERIFY(!snapshot->CancelButton()->isVisible() && !snapshot->Progress()->isVisible());
        QVERIFY(view.findChild<ReadOnlyNotice*>()->isVisible());

        // The calls page of a device whose backups are not encrypted says why it shows none.
        QCallsView calls(m_records.get(), m_records->GetDeviceHandle());
        calls.show();
        QSignalSpy loaded(&calls, &QBaseDetailsView::loadFinished);
        calls.Start();
        QVERIFY(loaded.wait(15000));
        QCOMPARE(calls.GetChunkCount(), 0);
        QVERIFY(calls.Snapshot()->EncryptionNote()->isVisible());
        QVERIFY(calls.Snapshot()->EncryptionNote()->text().contains("not encrypted"));

        // Once they are, Refresh asks for the password; a wrong one is said, the right one shows calls.
        QCOMPARE(m_emulator.SetBackupPassword(kRecordsUdid, "secret"), 0);
        calls.OnRefresh();
        QBackupPasswordDlg* dialog = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((dialog = calls.findChild<QBackupPasswordDlg*>()) && dialog->isVisible(),
                                 30000);
        auto* password = dialog->findChild<QLineEdit*>("m_password");
        QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        password->setText("wrong");
        ok->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->findChild<QLabel*>("m_status")->text().contains("wrong"), 10000);
        password->setText("secret");
        ok->click();
        QTRY_VERIFY_WITH_TIMEOUT(calls.GetChunkCount() > 0, 15000);
        QVERIFY(!calls.Snapshot()->EncryptionNote()->isVisible());
        QVERIFY(m_messages.Messages().isEmpty());
        QCOMPARE(m_emulator.SetBackupPassword(kRecordsUdid), 0);
    }
};

QTEST_MAIN(tst_pages_usb)
#include "tst_pages_usb.moc"
