// Photos, albums, songs, videos, playlists and books of demo phones of three iOS releases: what the usb
// backend reads over AFC must match what the simulator backend reads from the same folders, leaving out
// (and counting) what is gone, the files must come off unchanged, and nothing may be changed on the phone.
#include <algorithm>
#include <map>
#include <span>
#include <thread>
#include <vector>

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/ISkippedEntries.h>
#include <vexa/vexa.h>

#include "EmulatorProcess.h"
#include "TestFiles.h"

namespace {

struct Library {
    QStringList photos; // one line a photo
    QStringList albums; // one line an album, with the ids of its photos
};

QString photoLine(const PhotoRecord& record) {
    const auto number = [](qint64 value) { return QString::number(value); };
    return QStringLiteral("%1|%2|%3|%4x%5|%6|%7|%8")
        .arg(record.id, number(record.kind), number(record.date), number(record.width), number(record.height),
             number(record.fileSize), record.fileName, record.path);
}

Library libraryOf(IVexaManager& manager) {
    Library library;
    PhotoRecord* records = nullptr;
    int count = 0;
    if (manager.GetPhotos()->PrepareList() == VEXA_OK &&
        manager.GetPhotos()->GetPhotoList(&records, &count) == VEXA_OK) {
        for (int i = 0; i < count; ++i)
            library.photos << photoLine(records[i]);
    }
    IAlbumLibrary* albums = manager.GetAlbums();
    AlbumRecord* list = nullptr;
    if (albums->PrepareList() != VEXA_OK || albums->GetAlbumList(&list, &count) != VEXA_OK)
        return library;
    std::vector<std::pair<QString, QString>> found;
    for (const AlbumRecord& album : std::span(list, size_t(count)))
        found.emplace_back(album.id, QStringLiteral("%1|%2|%3|%4")
                                         .arg(album.id, album.name, QString::number(album.photoCount),
                                              QString::number(album.type)));
    for (auto& [id, line] : found) {
        int inAlbum = 0;
        if (albums->GetAlbumPhotos(&records, &inAlbum, id.toUtf8().constData()) == VEXA_OK) {
            for (int i = 0; i < inAlbum; ++i)
                line += ' ' + QString::fromUtf8(records[i].id);
        }
        library.albums << line;
    }
    return library;
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

const std::map<int, QString> kUdids = {
    {12, "00008020-000C12A0B0C0D0E0"},
    {15, "00008020-000C15A0B0C0D0E0"},
    {17, "00008020-000C17A0B0C0D0E0"},
};

} // namespace

class TestVexaUsbContent : public QObject {
    Q_OBJECT

private:
    Manager device(int release) {
        const auto found = m_handles.find(kUdids.at(release));
        return found == m_handles.end() ? Manager() : Bind(found->second);
    }

    static void addReleaseRows() {
        QTest::addColumn<int>("release");
        for (const auto& [release, udid] : kUdids)
            QTest::addRow("iOS %d", release) << release;
    }

    QString mediaFile(int release, const QString& devicePath) const {
        return m_emulator.Media(kUdids.at(release)) + devicePath;
    }

    EmulatorProcess m_emulator;
    std::map<QString, Library> m_simulated;
    std::map<QString, Listing> m_simulatedMedia;
    QStringList m_removed; // device paths of the song and the book the iOS 17 phone lost
    std::map<QString, int> m_handles;

private slots:
    void initTestCase() {
        for (const auto& [release, udid] : kUdids) {
            QCOMPARE(m_emulator.SimCtl({"create-demo", "--udid", udid, "--name", "Phone", "--ios",
                                        QString::number(release)}),
                     0);
        }
        QCOMPARE((m_removed = m_emulator.RemoveFirstSongAndBook(kUdids.at(17))).size(), 2);
        QVERIFY(m_emulator.Start());
        for (const auto& [udid, handle] : m_emulator.Listen("sim", kUdids.size())) {
            Manager manager = Bind(handle);
            QVERIFY(manager);
            m_simulated[udid] = libraryOf(*manager);
            m_simulatedMedia[udid] = ListingOf(*manager);
        }
        QCOMPARE(m_simulated.size(), kUdids.size());
        m_handles = m_emulator.Listen("usb", kUdids.size());
        QCOMPARE(m_handles.size(), kUdids.size());
    }

    void photosAndAlbumsMatchTheSimulator_data() { addReleaseRows(); }

    void photosAndAlbumsMatchTheSimulator() {
        QFETCH(int, release);
        Manager manager = device(release);
        QVERIFY(manager);
        const Library usb = libraryOf(*manager);
        const Library& simulated = m_simulated.at(kUdids.at(release));
        QCOMPARE(usb.photos.size(), 85); // the demo phone's 79 JPEGs, a screenshot, a clip and four HEICs
        QCOMPARE(usb.photos, simulated.photos);
        QCOMPARE(usb.albums, simulated.albums);
        // Beside Camera Roll, Photo Library and three albums, the groups the phone makes from its flags.
        QStringList groups;
        for (const QString& line : usb.albums) {
            if (line.section('|', 3, 3).section(' ', 0, 0).toInt() == ALBUM_CAMERA_ROLL)
                groups << line.section('|', 1, 2);
        }
        QCOMPARE(groups, QStringList({"Camera Roll|75", "Favorites|7", "Videos|1", "Live Photos|1",
                                      "Screenshots|1"}));
        QCOMPARE(usb.albums.size(), 9);
    }

    void songsAndBooksMatchTheSimulator_data() { addReleaseRows(); }

    void songsAndBooksMatchTheSimulator() {
        QFETCH(int, release);
        Manager manager = device(release);
        QVERIFY(manager);
        const Listing usb = ListingOf(*manager);
        Listing expected = m_simulatedMedia.at(kUdids.at(release));
        QVERIFY(expected.tracks.size() > 20);
        QVERIFY(expected.books.size() > 5);
        // The simulator lists what its database says; a real device's listing leaves out what is gone.
        const QStringList removed = release == 17 ? m_removed : QStringList();
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

    void thumbnailsAndCoversAreMadeAndKeptOnDisk() {
        Manager manager = device(17);
        QVERIFY(manager);
        PhotoRecord* records = nullptr;
        int count = 0;
        QCOMPARE(manager->GetPhotos()->GetPhotoList(&records, &count), int(VEXA_OK));
        const QString kept = qEnvironmentVariable("XDG_CACHE_HOME") + "/vexa-transfer/devices/" +
                             kUdids.at(17) + "/photos/thumbnails";
        for (int pass = 0; pass < 2; ++pass) {
            // JPEG, HEIC (from the phone's own small copy), the clip's first frame; the second time from
            // disk.
            for (int i = 0; i < count; ++i) {
                QCOMPARE(manager->GetPhotos()->LoadThumbnail(&records[i]), int(VEXA_OK));
                QImage image;
                QVERIFY2(image.loadFromData(records[i].thumbnail, records[i].thumbnailLength, "JPEG"),
                         records[i].path);
                QVERIFY(qMax(image.width(), image.height()) <= 160);
            }
            QCOMPARE(FilesUnder(kept).size(), count);
        }
        AlbumRecord* albums = nullptr;
        QCOMPARE(manager->GetAlbums()->GetAlbumList(&albums, &count), int(VEXA_OK));
        for (int i = 0; i < count; ++i) {
            QCOMPARE(manager->GetAlbums()->LoadAlbumCover(albums[i].coverHandle), int(VEXA_OK));
            QVERIFY(albums[i].photoCount == 0 || albums[i].coverLength > 0);
        }
    }

    void filesComeOffUnchanged_data() { addReleaseRows(); }

    // Copied from several threads at once, as the photo export does: each over a connection of its own.
    void filesComeOffUnchanged() {
        QFETCH(int, release);
        Manager manager = device(release);
        QVERIFY(manager);
        PhotoRecord* records = nullptr;
        int count = 0;
        QCOMPARE(manager->GetPhotos()->GetPhotoList(&records, &count), int(VEXA_OK));
        QTemporaryDir local;
        IFileService* files = manager->GetFileService();
        const int lanes = files->CopyLanes();
        QVERIFY(lanes > 1);
        std::vector<int> results(size_t(count), -1);
        std::vector<std::thread> copies;
        for (int lane = 0; lane < lanes; ++lane) {
            copies.emplace_back([&, lane] {
                for (int i = lane; i < count; i += lanes) {
                    results[size_t(i)] = files->CopyFileToComputer(
                        QString::fromUtf8(records[i].path).toStdU16String().c_str(),
                        local.filePath(QString::number(i)).toStdU16String().c_str());
                }
            });
        }
        for (std::thread& copy : copies)
            copy.join();
        for (int i = 0; i < count; ++i) {
            QCOMPARE(results[size_t(i)], int(VEXA_OK));
            QCOMPARE(ReadFile(local.filePath(QString::number(i))),
                     ReadFile(mediaFile(release, QString::fromUtf8(records[i].path))));
        }
        // A copy onto a file already there replaces it, and nothing else is left beside the copies.
        const QString first = QString::fromUtf8(records[0].path);
        QCOMPARE(files->CopyFileToComputer(first.toStdU16String().c_str(),
                                           local.filePath("1").toStdU16String().c_str()),
                 int(VEXA_OK));
        QCOMPARE(ReadFile(local.filePath("1")), ReadFile(mediaFile(release, first)));
        QCOMPARE(FilesUnder(local.path()).size(), count);
    }

    void nothingCanBeChangedOnThePhone() {
        Manager manager = device(15);
        QVERIFY(manager);
        IPhotoLibrary* photos = manager->GetPhotos();
        IAlbumLibrary* albums = manager->GetAlbums();
        QCOMPARE(photos->GetWriteAccess(), int(kContentReadOnlyOnPhone));
        QCOMPARE(albums->GetWriteAccess(), int(kContentReadOnlyOnPhone));
        const char* ids[] = {"00000000-0000-0000-0000-000000000001"};
        AlbumRecord* created = reinterpret_cast<AlbumRecord*>(1);
        QCOMPARE(photos->DeletePhotos(ids, 1, 0, nullptr), int(VEXA_E_READ_ONLY));
        QCOMPARE(albums->CreateAlbum(u"New", &created), int(VEXA_E_READ_ONLY));
        QVERIFY(created == nullptr);
        QCOMPARE(albums->ImportPhotoFile(u"/tmp/a.jpg", ids[0]), int(VEXA_E_READ_ONLY));
        QCOMPARE(albums->RenameAlbum(ids[0], u"Other"), int(VEXA_E_READ_ONLY));
        QCOMPARE(albums->DeleteAlbum(ids[0]), int(VEXA_E_READ_ONLY));
        QCOMPARE(albums->RemovePhotosFromAlbum(ids[0], ids, 1), int(VEXA_E_READ_ONLY));
        int type = 0;
        QCOMPARE(albums->QueryAlbum(ids[0], &type), int(VEXA_OK));
        QCOMPARE(type, int(ALBUM_CAMERA_ROLL));
        QCOMPARE(albums->QueryAlbum("no-such-album", &type), int(VEXA_E_NOT_FOUND));
        IMediaLibrary* library = manager->GetMediaLibrary();
        IBookService* books = manager->GetBookService();
        QCOMPARE(library->GetWriteAccess(), int(kContentReadOnlyOnPhone));
        QCOMPARE(books->GetWriteAccess(), int(kContentReadOnlyOnPhone));
        const QString song = QFINDTESTDATA("tst_vexa_usb_content.cpp");
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
        QCOMPARE(libraryOf(*manager).albums, m_simulated.at(kUdids.at(15)).albums);
        QCOMPARE(ListingOf(*manager).tracks, m_simulatedMedia.at(kUdids.at(15)).tracks);
    }

    // Last: it damages the iOS 12 phone. A library changed on the phone is fetched again; without its
    // join table the albums are empty, a photo whose file is gone is left out and counted, and one whose
    // file is broken only lacks its thumbnail.
    void aDamagedLibraryStillListsWhatItCan() {
        Manager manager = device(12);
        QVERIFY(manager);
        // A photo whose file is gone leaves the albums that held it, in count and in content.
        const Library& simulated = m_simulated.at(kUdids.at(12));
        const auto held =
            std::find_if(simulated.albums.begin(), simulated.albums.end(), [](const QString& line) {
                const QString typeAndIds = line.section('|', 3);
                return typeAndIds.section(' ', 0, 0).toInt() == ALBUM_USER && typeAndIds.contains(' ');
            });
        QVERIFY(held != simulated.albums.end());
        QStringList album = held->split('|');
        QStringList ids = album[3].split(' ');
        const QString gone = ids.takeAt(1);
        const QString file = mediaFile(
            12, simulated.photos.filter(QRegularExpression('^' + QRegularExpression::escape(gone) + "\\|"))
                    .value(0)
                    .section('|', 6));
        QVERIFY(QFile::rename(file, file + ".aside"));
        album[2] = QString::number(album[2].toInt() - 1);
        album[3] = ids.join(' ');
        QVERIFY(libraryOf(*manager).albums.contains(album.join('|')));
        QVERIFY(QFile::rename(file + ".aside", file));
        QCOMPARE(RunProgram("sqlite3", {mediaFile(12, "/PhotoData/Photos.sqlite"), "DROP TABLE Z_23ASSETS"}),
                 QString());
        QVERIFY(QFile::remove(mediaFile(12, "/DCIM/100APPLE/IMG_0002.JPG")));
        QFile heic(mediaFile(12, "/DCIM/100APPLE/IMG_0082.HEIC"));
        QVERIFY(heic.resize(200));
        QVERIFY(
            QFile::remove(mediaFile(12, "/PhotoData/Thumbnails/V2/DCIM/100APPLE/IMG_0082.HEIC/5005.JPG")));

        const Library usb = libraryOf(*manager);
        QStringList expected = m_simulated.at(kUdids.at(12)).photos;
        expected.removeIf([](const QString& line) { return line.contains("/IMG_0002.JPG"); });
        QCOMPARE(usb.photos, expected);
        QCOMPARE(manager->GetPhotos()->GetUnreadableCount(), 1);
        QCOMPARE(usb.albums.size(), 9);
        for (const QString& album : usb.albums) {
            const int type = album.section('|', 3, 3).section(' ', 0, 0).toInt();
            if (type == ALBUM_USER || type == ALBUM_PHOTO_STREAM)
                QCOMPARE(album.section('|', 2, 2), QStringLiteral("0"));
        }
        PhotoRecord* records = nullptr;
        int count = 0;
        QCOMPARE(manager->GetPhotos()->GetPhotoList(&records, &count), int(VEXA_OK));
        QStringList failed;
        for (int i = 0; i < count; ++i) {
            if (manager->GetPhotos()->LoadThumbnail(&records[i]) != VEXA_OK)
                failed << QString::fromUtf8(records[i].fileName);
        }
        QCOMPARE(failed, QStringList({"IMG_0082.HEIC"}));
        // The broken file joins the missing one in the count once its thumbnail failed.
        QCOMPARE(manager->GetPhotos()->GetUnreadableCount(), 2);
    }
};

QTEST_GUILESS_MAIN(TestVexaUsbContent)
#include "tst_vexa_usb_content.moc"
