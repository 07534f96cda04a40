// Songs, videos, playlists and books of demo phones of three iOS releases, read once through the
// simulator backend and once over the device emulator: the usb backend lists the same items, leaves out
// (and counts) an item whose file is gone, and changes nothing.
#include <map>

#include <QTest>

#include <vexa/ISkippedEntries.h>
#include <vexa/vexa.h>

#include "EmulatorProcess.h"

namespace {

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
                listing.tracks << QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
                                      .arg(Text(playlists[p].name), Text(track.title), Text(track.artist),
                                           Text(track.album), Text(track.format),
                                           QString::number(track.mediaKind), QString::number(track.fileSize),
                                           QString::number(track.duration), Text(track.path));
            }
        }
    }
    BookRecord* books = nullptr;
    IBookService* service = manager.GetBookService();
    if (service->GetBooks(&books, &count) == VEXA_OK) {
        for (int i = 0; i < count; ++i) {
            listing.books << QStringLiteral("%1|%2|%3|%4|%5|%6")
                                 .arg(Text(books[i].title), Text(books[i].author),
                                      QString::number(books[i].format), Text(books[i].size),
                                      Text(books[i].storeKey), Text(books[i].path));
        }
    }
    listing.mediaSkipped = Skipped(dynamic_cast<ISkippedEntries*>(library));
    listing.booksSkipped = Skipped(dynamic_cast<ISkippedEntries*>(service));
    return listing;
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
    EmulatorProcess m_emulator;
    std::map<QString, Listing> m_simulated;
    std::map<QString, QStringList> m_removed; // udid -> device paths of the files taken away
    std::map<QString, int> m_handles;

private slots:
    void initTestCase() {
        for (const Phone& phone : kPhones) {
            QCOMPARE(m_emulator.SimCtl({"create-demo", "--udid", phone.udid, "--ios", phone.ios}), 0);
            if (phone.damaged)
                QCOMPARE((m_removed[phone.udid] = m_emulator.RemoveFirstSongAndBook(phone.udid)).size(), 2);
        }
        QVERIFY(m_emulator.Start());
        for (const auto& [udid, handle] : m_emulator.Listen("sim", std::size(kPhones))) {
            Manager manager = Bind(handle);
            QVERIFY(manager);
            m_simulated[udid] = ListingOf(*manager);
        }
        QCOMPARE(m_simulated.size(), std::size(kPhones));
        m_handles = m_emulator.Listen("usb", std::size(kPhones));
        QCOMPARE(m_handles.size(), std::size(kPhones));
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
            const QString trackPath = QString(gone).replace('/', ':');
            expected.tracks.removeIf([&](const QString& line) { return line.endsWith("|" + trackPath); });
            expected.books.removeIf([&](const QString& line) { return line.endsWith("|" + gone); });
        }
        QCOMPARE(usb.tracks, expected.tracks);
        QCOMPARE(usb.books, expected.books);
        QCOMPARE(usb.mediaSkipped, removed.isEmpty() ? 0 : 1);
        QCOMPARE(usb.booksSkipped, removed.isEmpty() ? 0 : 1);
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
};

QTEST_GUILESS_MAIN(TestVexaUsbMedia)
#include "tst_vexa_usb_media.moc"
