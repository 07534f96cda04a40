// Photos and albums of emulated phones of three iOS releases: what the usb backend reads over AFC must
// match what the simulator backend reads from the same folders, the files must come off unchanged, and
// nothing may be changed on the phone.
#include <map>
#include <thread>
#include <vector>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sqlite3.h>

#include <vexa/vexa.h>

#include "EmulatorProcess.h"

namespace {

struct Library {
    QStringList photos; // one line a photo
    QStringList albums; // one line an album, with the ids of its photos
};

QString photoLine(const PhotoRecord& record) {
    return QStringLiteral("%1|%2|%3|%4x%5|%6|%7|%8")
        .arg(record.id)
        .arg(record.kind)
        .arg(record.date)
        .arg(record.width)
        .arg(record.height)
        .arg(record.fileSize)
        .arg(record.fileName, record.path);
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
    for (int i = 0; i < count; ++i) {
        found.emplace_back(list[i].id, QStringLiteral("%1|%2|%3|%4")
                                           .arg(list[i].id, list[i].name)
                                           .arg(list[i].photoCount)
                                           .arg(list[i].type));
    }
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

QByteArray sha1Of(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result().toHex() : QByteArray();
}

bool runSql(const QString& database, const char* sql) {
    sqlite3* db = nullptr;
    const bool done = sqlite3_open(QFile::encodeName(database).constData(), &db) == SQLITE_OK &&
                      sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return done;
}

const std::map<int, QString> kUdids = {
    {12, "00008020-000C12A0B0C0D0E0"},
    {15, "00008020-000C15A0B0C0D0E0"},
    {17, "00008020-000C17A0B0C0D0E0"},
};

} // namespace

class TestVexaUsbPhotos : public QObject {
    Q_OBJECT

private:
    // Handles of the devices that arrive after `from`, by udid.
    static std::map<QString, int> arrivals(size_t from) {
        std::map<QString, int> handles;
        for (int tries = 0; tries < 3000 && handles.size() < kUdids.size(); ++tries) {
            const int handle = EventAfter(from, VEXA_DEVICE_ARRIVED);
            if (handle == 0) {
                QThread::msleep(10);
                continue;
            }
            from = from + 1;
            if (Manager manager = Bind(handle)) {
                DeviceInfo* info = nullptr;
                if (manager->GetDeviceInfo(&info) && info->properties[DP_UniqueDeviceID])
                    handles[QString::fromUtf8(info->properties[DP_UniqueDeviceID])] = handle;
            }
        }
        return handles;
    }

    Manager device(int release) {
        const auto found = m_handles.find(kUdids.at(release));
        return found == m_handles.end() ? Manager() : Bind(found->second);
    }

    QString mediaFile(int release, const QString& devicePath) const {
        return m_emulator.Root() + '/' + kUdids.at(release) + "/Media" + devicePath;
    }

    EmulatorProcess m_emulator;
    std::map<QString, Library> m_simulated;
    std::map<QString, int> m_handles;

private slots:
    void initTestCase() {
        for (const auto& [release, udid] : kUdids) {
            QCOMPARE(m_emulator.SimCtl({"create-demo", "--udid", udid, "--name", "Phone", "--ios",
                                        QString::number(release)}),
                     0);
        }
        QVERIFY(m_emulator.Start());
        qputenv("VEXA_SIM_ROOT", m_emulator.Root().toLocal8Bit());
        qputenv("VEXA_BACKEND", "sim");
        size_t from = EventCount();
        QCOMPARE(IOSInitialize(), 0);
        QCOMPARE(IOSListener(RecordEvent), 0);
        for (const auto& [udid, handle] : arrivals(from)) {
            Manager manager = Bind(handle);
            QVERIFY(manager);
            m_simulated[udid] = libraryOf(*manager);
        }
        QCOMPARE(m_simulated.size(), kUdids.size());

        from = EventCount();
        qputenv("VEXA_BACKEND", "usb");
        QCOMPARE(IOSInitialize(), 0);
        m_handles = arrivals(from);
        QCOMPARE(m_handles.size(), kUdids.size());
    }

    void cleanupTestCase() {
        qputenv("VEXA_BACKEND", "sim");
        IOSInitialize();
        IOSListener(nullptr);
        m_emulator.Stop();
    }

    void photosAndAlbumsMatchTheSimulator_data() {
        QTest::addColumn<int>("release");
        for (const auto& [release, udid] : kUdids)
            QTest::addRow("iOS %d", release) << release;
    }

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
            QDirIterator files(kept, QDir::Files, QDirIterator::Subdirectories);
            int onDisk = 0;
            for (; files.hasNext(); files.next())
                ++onDisk;
            QCOMPARE(onDisk, count);
        }
        AlbumRecord* albums = nullptr;
        QCOMPARE(manager->GetAlbums()->GetAlbumList(&albums, &count), int(VEXA_OK));
        for (int i = 0; i < count; ++i) {
            QCOMPARE(manager->GetAlbums()->LoadAlbumCover(albums[i].coverHandle), int(VEXA_OK));
            QVERIFY(albums[i].photoCount == 0 || albums[i].coverLength > 0);
        }
    }

    void filesComeOffUnchanged_data() { photosAndAlbumsMatchTheSimulator_data(); }

    // Copied from three threads at once, as the photo export does: each over a connection of its own.
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
            QCOMPARE(sha1Of(local.filePath(QString::number(i))),
                     sha1Of(mediaFile(release, QString::fromUtf8(records[i].path))));
        }
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
        QCOMPARE(libraryOf(*manager).albums, m_simulated.at(kUdids.at(15)).albums);
    }

    // Last: it damages the iOS 12 phone. A library changed on the phone is fetched again; without its
    // join table the albums are empty, a photo whose file is gone is left out and counted, and one whose
    // file is broken only lacks its thumbnail.
    void aDamagedLibraryStillListsWhatItCan() {
        Manager manager = device(12);
        QVERIFY(manager);
        const QString database = m_emulator.Root() + '/' + kUdids.at(12) + "/Media/PhotoData/Photos.sqlite";
        QVERIFY(runSql(database, "DROP TABLE Z_23ASSETS"));
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

QTEST_GUILESS_MAIN(TestVexaUsbPhotos)
#include "tst_vexa_usb_photos.moc"
