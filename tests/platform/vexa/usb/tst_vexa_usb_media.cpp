// Songs, videos, playlists and books of demo phones of three iOS releases, read once through the
// simulator backend and once over the device emulator: the usb backend lists the same items, leaves out
// (and counts) an item whose file is gone, copies files byte for byte, and changes nothing.
#include <map>
#include <mutex>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/ISkippedEntries.h>
#include <vexa/vexa.h>

#include "EmulatorProcess.h"

namespace {

std::mutex g_mutex;
std::map<int, int> g_present; // handle -> 1 while plugged in

int Listen(int mode, int handle) {
    std::lock_guard lock(g_mutex);
    if (mode == VEXA_DEVICE_ARRIVED)
        g_present[handle] = 1;
    else
        g_present.erase(handle);
    return 0;
}

// The udid of every device present, with its handle, once `count` are there.
std::map<QString, int> WaitForDevices(size_t count) {
    std::map<QString, int> found;
    for (int attempt = 0; attempt < 600 && found.size() < count; ++attempt) {
        QTest::qWait(50);
        std::map<int, int> present;
        {
            std::lock_guard lock(g_mutex);
            present = g_present;
        }
        found.clear();
        for (const auto& [handle, on] : present) {
            DeviceInfo* info = nullptr;
            Manager manager = Bind(handle);
            if (manager && manager->GetDeviceInfo(&info) && info->properties[DP_UniqueDeviceID])
                found[QString::fromUtf8(info->properties[DP_UniqueDeviceID])] = handle;
        }
    }
    return found;
}

struct Listing {
    QStringList tracks; // "playlist|title|artist|album|format|kind|size|duration|path", every playlist
    QStringList books;  // "title|author|format|size|key|path"
    int mediaSkipped = -1;
    int booksSkipped = -1;
};

QString Text(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

int Skipped(ISkippedEntries* skipped) {
    return skipped ? skipped->GetSkippedCount() : 0;
}

Listing ListingOf(IVexaManager& manager) {
    Listing listing;
    int count = 0;
    PlaylistRecord* playlists = nullptr;
    IMediaLibrary* library = manager.GetMediaLibrary();
    if (library->GetPlaylists(&count, &playlists) == VEXA_OK) {
        for (int p = 0; p < count; ++p) {
            for (int t = 0; t < playlists[p].trackCount; ++t) {
                const MediaTrackRecord& track = playlists[p].tracks[t];
                listing.tracks << QStringList{Text(playlists[p].name),
                                              Text(track.title),
                                              Text(track.artist),
                                              Text(track.album),
                                              Text(track.format),
                                              QString::number(track.mediaKind),
                                              QString::number(track.fileSize),
                                              QString::number(track.duration),
                                              Text(track.path)}
                                      .join(QLatin1Char('|'));
            }
        }
    }
    BookRecord* books = nullptr;
    IBookService* service = manager.GetBookService();
    if (service->GetBooks(&books, &count) == VEXA_OK) {
        for (int i = 0; i < count; ++i) {
            listing.books << QStringList{Text(books[i].title),
                                         Text(books[i].author),
                                         QString::number(books[i].format),
                                         Text(books[i].size),
                                         Text(books[i].storeKey),
                                         Text(books[i].path)}
                                 .join(QLatin1Char('|'));
        }
    }
    listing.mediaSkipped = Skipped(dynamic_cast<ISkippedEntries*>(library));
    listing.booksSkipped = Skipped(dynamic_cast<ISkippedEntries*>(service));
    return listing;
}

QByteArray Checksum(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result().toHex() : QByteArray();
}

const struct Phone {
    const char* udid;
    const char* ios;
    bool damaged; // one song and one book lose their files
} kPhones[] = {
    {"00008020-0000000000000012", "12", false},
    {"00008020-0000000000000015", "15", false},
    {"00008020-0000000000000017", "17", true},
};

} // namespace

class TestVexaUsbMedia : public QObject {
    Q_OBJECT

private:
    QString MediaFolder(const QString& udid) const { return m_emulator.Root() + "/" + udid + "/Media"; }

    EmulatorProcess m_emulator;
    std::map<QString, Listing> m_simulated;
    std::map<QString, QStringList> m_removed; // udid -> device paths of the files taken away
    std::map<QString, int> m_handles;

private slots:
    void initTestCase() {
        for (const Phone& phone : kPhones) {
            QCOMPARE(m_emulator.SimCtl({"create-demo", "--udid", phone.udid, "--ios", phone.ios}), 0);
            if (!phone.damaged)
                continue;
            // The first song file and the first PDF book, as a phone shows them after a failed sync.
            const QString media = MediaFolder(phone.udid);
            QDirIterator songs(media + "/iTunes_Control/Music", QDir::Files, QDirIterator::Subdirectories);
            QStringList found;
            while (songs.hasNext())
                found << songs.next();
            found.sort();
            QVERIFY(!found.isEmpty());
            const QStringList pdfs = QDir(media + "/Books").entryList({"*.pdf"}, QDir::Files, QDir::Name);
            QVERIFY(!pdfs.isEmpty());
            for (const QString& file : {found.front(), media + "/Books/" + pdfs.front()}) {
                m_removed[phone.udid] << file.mid(media.size()).replace('/', ':');
                QVERIFY(QFile::remove(file));
            }
        }
        QVERIFY(m_emulator.Start());

        qputenv("VEXA_SIM_ROOT", m_emulator.Root().toLocal8Bit());
        qputenv("VEXA_BACKEND", "sim");
        QCOMPARE(IOSInitialize(), 0);
        QCOMPARE(IOSListener(Listen), 0);
        for (const auto& [udid, handle] : WaitForDevices(std::size(kPhones))) {
            Manager manager = Bind(handle);
            QVERIFY(manager);
            m_simulated[udid] = ListingOf(*manager);
        }
        QCOMPARE(m_simulated.size(), std::size(kPhones));

        {
            std::lock_guard lock(g_mutex);
            g_present.clear();
        }
        qputenv("VEXA_BACKEND", "usb");
        QCOMPARE(IOSInitialize(), 0);
        m_handles = WaitForDevices(std::size(kPhones));
        QCOMPARE(m_handles.size(), std::size(kPhones));
    }

    void cleanupTestCase() {
        qputenv("VEXA_BACKEND", "sim");
        IOSInitialize();
        IOSListener(nullptr);
        m_emulator.Stop();
    }

    void listsWhatTheSimulatorLists_data() {
        QTest::addColumn<QString>("udid");
        for (const Phone& phone : kPhones)
            QTest::newRow(phone.ios) << QString::fromLatin1(phone.udid);
    }

    void listsWhatTheSimulatorLists() {
        QFETCH(QString, udid);
        Manager manager = Bind(m_handles[udid]);
        QVERIFY(manager);
        const Listing usb = ListingOf(*manager);
        Listing expected = m_simulated[udid];
        QVERIFY(expected.tracks.size() > 20);
        QVERIFY(expected.books.size() > 5);
        // The simulator lists what its database says; a real device's listing leaves out what is gone.
        const QStringList removed = m_removed[udid];
        for (const QString& gone : removed) {
            expected.tracks.removeIf([&](const QString& line) { return line.endsWith("|" + gone); });
            const QString bookPath = QString(gone).replace(':', '/');
            expected.books.removeIf([&](const QString& line) { return line.endsWith("|" + bookPath); });
        }
        QCOMPARE(usb.tracks, expected.tracks);
        QCOMPARE(usb.books, expected.books);
        QCOMPARE(usb.mediaSkipped, removed.isEmpty() ? 0 : 1);
        QCOMPARE(usb.booksSkipped, removed.isEmpty() ? 0 : 1);
    }

    void filesCopyByteForByte() {
        const QString udid = QString::fromLatin1(kPhones[1].udid);
        Manager manager = Bind(m_handles[udid]);
        QVERIFY(manager);
        QTemporaryDir local;
        int count = 0;
        PlaylistRecord* playlists = nullptr;
        QCOMPARE(manager->GetMediaLibrary()->GetPlaylists(&count, &playlists), 0);
        QStringList paths;
        for (int t = 0; t < playlists[0].trackCount; ++t)
            paths << Text(playlists[0].tracks[t].path).replace(':', '/');
        BookRecord* books = nullptr;
        QCOMPARE(manager->GetBookService()->GetBooks(&books, &count), 0);
        for (int i = 0; i < count; ++i) {
            if (books[i].format == BOOK_PDF)
                paths << Text(books[i].path);
        }
        for (const QString& path : paths) {
            const QString target = local.filePath(QString::number(qHash(path)));
            QCOMPARE(manager->GetFileService()->CopyFileToComputer(path.toStdU16String().c_str(),
                                                                   target.toStdU16String().c_str()),
                     0);
            QCOMPARE(Checksum(target), Checksum(MediaFolder(udid) + path));
        }
    }

    void changesAreRefused() {
        const QString udid = QString::fromLatin1(kPhones[0].udid);
        Manager manager = Bind(m_handles[udid]);
        QVERIFY(manager);
        IMediaLibrary* library = manager->GetMediaLibrary();
        IBookService* books = manager->GetBookService();
        QCOMPARE(library->GetWriteAccess(), int(kContentReadOnlyOnPhone));
        QCOMPARE(books->GetWriteAccess(), int(kContentReadOnlyOnPhone));
        const QString song = QFINDTESTDATA("tst_vexa_usb_media.cpp");
        const std::u16string path = song.toStdU16String();
        const char16_t* paths[] = {path.c_str()};
        const MediaPosition first{0, 0};
        BookRecord book{};
        QCOMPARE(library->AddMediaFileData(paths, 1, nullptr, 0), int(VEXA_E_READ_ONLY));
        QCOMPARE(library->DelMediaFileData(&first, 1), int(VEXA_E_READ_ONLY));
        QCOMPARE(library->AddPlaylist(u"New"), int(VEXA_E_READ_ONLY));
        QCOMPARE(library->DeletePlaylist(1), int(VEXA_E_READ_ONLY));
        QCOMPARE(books->AddBook(path.c_str()), int(VEXA_E_READ_ONLY));
        QCOMPARE(books->DeleteBook(book), int(VEXA_E_READ_ONLY));
        QCOMPARE(ListingOf(*manager).tracks, m_simulated[udid].tracks);
    }

    void aFileRemovedLaterIsLeftOutAtTheNextListing() {
        // The database does not change when a file goes; the listing must notice all the same.
        const QString udid = QString::fromLatin1(kPhones[1].udid);
        Manager manager = Bind(m_handles[udid]);
        QVERIFY(manager);
        const Listing before = ListingOf(*manager);
        QCOMPARE(before.mediaSkipped, 0);
        const QString first = before.tracks.front().section('|', -1).replace(':', '/');
        QVERIFY(QFile::remove(MediaFolder(udid) + first));
        const Listing after = ListingOf(*manager);
        QCOMPARE(after.mediaSkipped, 1);
        QVERIFY(!after.tracks.join('\n').contains(first.mid(1).replace('/', ':')));
    }
};

QTEST_GUILESS_MAIN(TestVexaUsbMedia)
#include "tst_vexa_usb_media.moc"
