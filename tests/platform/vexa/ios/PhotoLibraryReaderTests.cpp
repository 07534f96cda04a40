// The photo library reader on libraries laid out as three iOS releases lay them out, with the parts a
// phone may lack, and on files that are not a library at all.

#include <QTemporaryDir>
#include <QtTest>

#include "IosTests.h"
#include "TestFiles.h"
#include "ios/AppleTime.h"
#include "ios/PhotoLibraryReader.h"
#include "ios/ReadResult.h"

using namespace vexa::ios;

namespace {

// A library with five assets (one trashed, one hidden, both favourites) and two albums, laid out with the
// given asset table and entity numbers. A second Z_<n>ASSETS table joins assets to another entity and must
// not be taken for the album join.
std::string Library(const std::string& assetTable, int assetEntity, int albumEntity, bool withOrder) {
    const std::string e = std::to_string(assetEntity), a = std::to_string(albumEntity);
    const std::string join = "Z_" + a + "ASSETS", albums = "Z_" + a + "ALBUMS", assets = "Z_" + e + "ASSETS";
    const std::string order = withOrder ? ", Z_FOK_" + e + "ASSETS" : "";
    auto place = [&](int album, int asset, int position) {
        return "INSERT INTO " + join + " VALUES (" + std::to_string(album) + ", " + std::to_string(asset) +
               (withOrder ? ", " + std::to_string(position) : "") + ");";
    };
    return "CREATE TABLE Z_PRIMARYKEY(Z_ENT INTEGER PRIMARY KEY, Z_NAME VARCHAR, Z_SUPER INTEGER, Z_MAX "
           "INTEGER);"
           "INSERT INTO Z_PRIMARYKEY VALUES (" +
           e + ", 'Asset', 0, 5), (" + a + ", 'Album', " + std::to_string(albumEntity - 1) +
           ", 2), (40, 'Memory', 0, 1);"
           "CREATE TABLE " +
           assetTable +
           "(Z_PK INTEGER PRIMARY KEY, ZUUID VARCHAR, ZDIRECTORY VARCHAR, "
           "ZFILENAME VARCHAR, ZDATECREATED TIMESTAMP, ZKIND INTEGER, ZKINDSUBTYPE INTEGER, ZWIDTH INTEGER, "
           "ZHEIGHT INTEGER, ZTRASHEDSTATE INTEGER, ZHIDDEN INTEGER, ZADDITIONALATTRIBUTES INTEGER, "
           "ZFAVORITE INTEGER);"
           "INSERT INTO " +
           assetTable +
           " VALUES"
           " (1, 'U1', 'DCIM/100APPLE', 'IMG_0001.HEIC', 760000000.75, 0, 2, 4032, 3024, 0, 0, 7, 1),"
           " (2, 'U2', 'DCIM/100APPLE', 'IMG_0002.MOV', 750000000, 1, 100, 1920, 1080, 0, 0, NULL, 0),"
           " (3, 'U3', 'DCIM/100APPLE', 'IMG_0003.JPG', 740000000, 0, 0, 640, 480, 1, 0, NULL, 1),"
           " (4, 'U4', 'DCIM/100APPLE', 'IMG_0004.JPG', 730000000, 0, 0, 640, 480, 0, 1, NULL, 1),"
           " (5, 'U5', 'PhotoData/Sync/100SYNCD', 'IMG_0005.PNG', 720000000, 0, 10, 10, 20, 0, 0, NULL, 0);"
           "CREATE TABLE ZADDITIONALASSETATTRIBUTES(Z_PK INTEGER PRIMARY KEY, ZASSET INTEGER, "
           "ZORIGINALFILESIZE INTEGER);"
           "INSERT INTO ZADDITIONALASSETATTRIBUTES VALUES (7, 1, 2345678);"
           "CREATE TABLE ZGENERICALBUM(Z_PK INTEGER PRIMARY KEY, ZUUID VARCHAR, ZTITLE VARCHAR, ZKIND "
           "INTEGER, "
           "ZTRASHEDSTATE INTEGER);"
           "INSERT INTO ZGENERICALBUM VALUES (1, 'A1', 'Trip', 2, 0), (2, 'A2', 'Gone', 2, 1), "
           "(3, 'A3', 'Empty', 2, 0);"
           "CREATE TABLE Z_40ASSETS(Z_40MEMORIES INTEGER, " +
           assets +
           " INTEGER);"
           "INSERT INTO Z_40ASSETS VALUES (1, 5);"
           "CREATE TABLE " +
           join + "(" + albums + " INTEGER, " + assets + " INTEGER" + order + ");" +
           // The album's own order (Z_FOK) puts 2 before 5 before 1; without it assets come by key. The
           // trashed asset 3 is left out.
           place(1, 1, 3072) + place(1, 2, 1024) + place(1, 5, 2048) + place(1, 3, 512) + place(2, 1, 1024);
}

} // namespace

class PhotoLibraryReaderTests : public QObject {
    Q_OBJECT

private slots:
    void readsEachReleasesLayout_data() {
        QTest::addColumn<QString>("assetTable");
        QTest::addColumn<int>("assetEntity");
        QTest::addColumn<int>("albumEntity");
        QTest::addColumn<bool>("withOrder");
        QTest::addColumn<QString>("join");
        QTest::newRow("iOS 12") << "ZGENERICASSET" << 30 << 23 << false << "Z_23ASSETS";
        QTest::newRow("iOS 15") << "ZASSET" << 3 << 27 << true << "Z_27ASSETS";
        QTest::newRow("iOS 17") << "ZASSET" << 3 << 28 << true << "Z_28ASSETS";
    }
    void readsEachReleasesLayout() {
        QFETCH(QString, assetTable);
        QFETCH(int, assetEntity);
        QFETCH(int, albumEntity);
        QFETCH(bool, withOrder);
        QFETCH(QString, join);
        QTemporaryDir dir;
        const std::string file = (dir.path() + "/Photos.sqlite").toStdString();
        QVERIFY(ExecuteSql(file, Library(assetTable.toStdString(), assetEntity, albumEntity, withOrder)));

        PhotoLibrary library;
        QCOMPARE(PhotoLibraryReader::Read(file, library), int(kReadOk));
        QCOMPARE(QString::fromStdString(library.layout.assetTable), assetTable);
        QCOMPARE(QString::fromStdString(library.layout.joinTable), join);
        // Oldest first; trashed and hidden assets are not shown.
        std::vector<std::string> uuids;
        for (const auto& asset : library.assets)
            uuids.push_back(asset.uuid);
        QCOMPARE(uuids, (std::vector<std::string>{"U5", "U2", "U1"}));
        const PhotoAsset& live = library.assets[2];
        QCOMPARE(live.unixTime, int64_t(760000000) + kAppleEpochOffset);
        QCOMPARE(live.fileSize, int64_t(2345678));
        QCOMPARE(live.kindSubtype, 2);
        QVERIFY(live.favorite && !library.assets[1].favorite && !library.assets[0].favorite);
        QCOMPARE(library.assets[0].kindSubtype, 10);
        QCOMPARE(library.assets[1].kind, 1);
        QCOMPARE(library.assets[0].fileSize, int64_t(-1));
        QCOMPARE(library.assets[0].directory, std::string("PhotoData/Sync/100SYNCD"));
        QCOMPARE(PhotoLibraryReader::ThumbnailFile("/m", live).generic_string(),
                 std::string("/m/PhotoData/Thumbnails/V2/DCIM/100APPLE/IMG_0001.HEIC/5005.JPG"));

        QCOMPARE(library.albums.size(), size_t(2)); // the trashed album is not listed
        QCOMPARE(library.albums[0].title, std::string("Trip"));
        const std::vector<int64_t> trip =
            withOrder ? std::vector<int64_t>{2, 5, 1} : std::vector<int64_t>{1, 2, 5};
        QCOMPARE(library.albums[0].assets, trip);
        QVERIFY(library.albums[1].assets.empty());
    }

    // Only the asset table with Z_PK and ZFILENAME is needed; albums, their join, the entity table and
    // the other columns may be missing.
    void toleratesMissingOptionalParts() {
        QTemporaryDir dir;
        const std::string file = (dir.path() + "/Photos.sqlite").toStdString();
        QVERIFY(ExecuteSql(file, "CREATE TABLE ZASSET(Z_PK INTEGER PRIMARY KEY, ZFILENAME VARCHAR);"
                                 "INSERT INTO ZASSET VALUES (1, 'IMG_0001.JPG'), (2, NULL);"));
        PhotoLibrary library;
        QCOMPARE(PhotoLibraryReader::Read(file, library), int(kReadOk));
        QCOMPARE(library.assets.size(), size_t(1));
        QCOMPARE(library.assets[0].width, 0);
        QVERIFY(library.albums.empty() && library.layout.joinTable.empty());

        // Albums but no join table that maps to albums and assets: albums without members.
        QVERIFY(ExecuteSql(file, "CREATE TABLE ZGENERICALBUM(Z_PK INTEGER PRIMARY KEY, ZTITLE VARCHAR);"
                                 "INSERT INTO ZGENERICALBUM VALUES (1, 'Loose');"
                                 "CREATE TABLE Z_9ASSETS(Z_9ALBUMS INTEGER, Z_3ASSETS INTEGER);"
                                 "INSERT INTO Z_9ASSETS VALUES (1, 1);"));
        QCOMPARE(PhotoLibraryReader::Read(file, library), int(kReadOk));
        QCOMPARE(library.albums.size(), size_t(1));
        QVERIFY(library.albums[0].assets.empty());
    }

    void badFilesGiveTheirCodes() {
        QTemporaryDir dir;
        PhotoLibrary library;
        QCOMPARE(PhotoLibraryReader::Read((dir.path() + "/none.sqlite").toStdString(), library),
                 int(kReadMissing));
        const std::string garbage = (dir.path() + "/garbage.sqlite").toStdString();
        QVERIFY(WriteFile(QString::fromStdString(garbage), QByteArray(8192, 'x')));
        QCOMPARE(PhotoLibraryReader::Read(garbage, library), int(kReadDamaged));
        for (const char* sql : {"CREATE TABLE ZGENERICALBUM(Z_PK INTEGER PRIMARY KEY)",
                                "CREATE TABLE ZASSET(Z_PK INTEGER PRIMARY KEY, ZUUID VARCHAR)"}) {
            const std::string file =
                (dir.path() + "/" + QString::number(qHash(QByteArray(sql))) + ".sqlite").toStdString();
            QVERIFY(ExecuteSql(file, sql));
            QCOMPARE(PhotoLibraryReader::Read(file, library), int(kReadDamaged));
            QVERIFY(library.assets.empty());
        }
    }
};

VEXA_IOS_TEST(PhotoLibraryReaderTests)
#include "PhotoLibraryReaderTests.moc"
