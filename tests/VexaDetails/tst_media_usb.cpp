// The Music, Video, Playlist and iBooks pages of a demo phone reached through the usb backend and the
// device emulator: they show what the same pages show on the simulator, say in one line that the content
// is read-only and how many entries were left out, offer no way to change it, and export the device's
// files byte for byte.
#include <algorithm>

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "CCheckedRecords.h"
#include "CPhotoSerialThread.h"
#include "CiBookChunk.h"
#include "EmulatorProcess.h"
#include "IBaseChunk.h"
#include "LanguageService.h"
#include "MessageCatcher.h"
#include "QAddDataWidget.h"
#include "QFileFolderExport.h"
#include "QImageButton.h"
#include "QMusicView.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "QPlayAnalysisTread.h"
#include "QPlayListView.h"
#include "QVideoView.h"
#include "QiBookAnalysisThread.h"
#include "QiBookView.h"
#include "ReadOnlyNotice.h"

namespace {

constexpr char kUdid[] = "00008020-00000000000A0B17";

int g_arrived = 0;
int Listen(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_arrived = handle;
    return 0;
}

QMap<QString, QByteArray> Fingerprint(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            files.insert(QDir(folder).relativeFilePath(path),
                         QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
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

struct Shown {
    std::vector<QStringList> rows; // music, video, playlist, books
};

Shown RowsOf(const Pages& pages) {
    Shown shown;
    for (QBaseDetailsView* view : pages.All())
        shown.rows.push_back(Rows(view));
    return shown;
}

} // namespace

class tst_media_usb : public QObject {
    Q_OBJECT

private:
    QString Media() const { return m_emulator.Root() + "/" + kUdid + "/Media"; }

    EmulatorProcess m_emulator;
    MessageCatcher* m_messages = nullptr;
    Shown m_simulated;
    QStringList m_gone; // the song and the book taken away, as their rows' file names
    Manager m_manager;
    std::unique_ptr<Pages> m_pages;
    QTemporaryDir m_local;

private slots:
    void initTestCase() {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        qRegisterMetaType<IVexaManager*>();
        m_messages = new MessageCatcher;
        QCOMPARE(m_emulator.SimCtl({"create-demo", "--udid", kUdid, "--ios", "17"}), 0);
        QVERIFY(m_emulator.Start());
        qputenv("VEXA_SIM_ROOT", m_emulator.Root().toLocal8Bit());
        qputenv("VEXA_BACKEND", "sim");
        QCOMPARE(IOSInitialize(), 0);
        QCOMPARE(IOSListener(Listen), 0);
        QVERIFY(QTest::qWaitFor([] { return g_arrived != 0; }, 20000));
        {
            Manager simulated = Bind(g_arrived);
            QVERIFY(simulated);
            Pages pages(simulated.get());
            QVERIFY(pages.Load());
            m_simulated = RowsOf(pages);
        }
        g_arrived = 0;
        qputenv("VEXA_BACKEND", "usb");
        QCOMPARE(IOSInitialize(), 0);
        QVERIFY(QTest::qWaitFor([] { return g_arrived != 0; }, 30000));
        m_manager = Bind(g_arrived);
        QVERIFY(m_manager);
    }

    void cleanupTestCase() {
        m_pages.reset();
        m_manager.reset();
        qputenv("VEXA_BACKEND", "sim");
        IOSInitialize();
        IOSListener(nullptr);
        m_emulator.Stop();
        delete m_messages;
    }

    void pagesShowWhatTheSimulatorShows() {
        m_pages = std::make_unique<Pages>(m_manager.get());
        QVERIFY(m_pages->Load());
        const Shown usb = RowsOf(*m_pages);
        for (size_t page = 0; page < usb.rows.size(); ++page) {
            QVERIFY(!m_simulated.rows[page].isEmpty());
            QCOMPARE(usb.rows[page], m_simulated.rows[page]);
        }
        QVERIFY(m_messages->Messages().isEmpty());
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
                    if (text.startsWith(QLatin1String("Add")) || text.startsWith(QLatin1String("Delete")) ||
                        text.startsWith(QLatin1String("Dele")))
                        QVERIFY2(!action->isVisible(), qPrintable(page + ": " + text));
                }
            }
        }
        QVERIFY(!m_pages->loader->IsWritable());
    }

    void aFileThatIsGoneIsLeftOutAndCounted() {
        // The first song's file and the first PDF's, as a phone shows them after a failed sync.
        QDirIterator songs(Media() + "/iTunes_Control/Music", QDir::Files, QDirIterator::Subdirectories);
        QStringList files;
        while (songs.hasNext())
            files << songs.next();
        files.sort();
        const QStringList pdfs = QDir(Media() + "/Books").entryList({"*.pdf"}, QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty() && !pdfs.isEmpty());
        QVERIFY(QFile::remove(files.front()));
        QVERIFY(QFile::remove(Media() + "/Books/" + pdfs.front()));
        const int songsBefore =
            m_pages->music->SortModel()->rowCount() + m_pages->video->SortModel()->rowCount();
        const int booksBefore = m_pages->books->SortModel()->rowCount();
        QVERIFY(m_pages->Load());
        QCOMPARE(m_pages->music->SortModel()->rowCount() + m_pages->video->SortModel()->rowCount(),
                 songsBefore - 1);
        QCOMPARE(m_pages->books->SortModel()->rowCount(), booksBefore - 1);
        for (QBaseDetailsView* view : {static_cast<QBaseDetailsView*>(m_pages->music.get()),
                                       static_cast<QBaseDetailsView*>(m_pages->books.get())}) {
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
};

QTEST_MAIN(tst_media_usb)
#include "tst_media_usb.moc"
