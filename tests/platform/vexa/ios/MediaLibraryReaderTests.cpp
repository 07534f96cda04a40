// The media library reader on a library laid out as a phone lays it out, with the parts a phone may
// lack or hold in another type, and on files that are not a library at all.

#include <algorithm>

#include <QTemporaryDir>
#include <QtTest>

#include "IosTests.h"
#include "TestFiles.h"
#include "ios/MediaLibraryReader.h"
#include "ios/ReadResult.h"

using namespace vexa::ios;

namespace {

// Four items: a song, a movie, a song not downloaded (no base location) and one whose file name would
// leave the music folder. One playlist holds the third and the first, in that order, and an item that is
// gone; a container of the phone's own (purchases) is not a playlist.
constexpr const char* kLibrary = R"sql(
CREATE TABLE item(item_pid INTEGER PRIMARY KEY, media_type INTEGER, item_artist_pid INTEGER,
    album_pid INTEGER, album_artist_pid INTEGER, genre_id INTEGER, base_location_id INTEGER,
    location_kind_id INTEGER, track_number INTEGER);
CREATE TABLE item_extra(item_pid INTEGER PRIMARY KEY, title TEXT, location TEXT, total_time_ms REAL,
    file_size INTEGER, year INTEGER, media_kind INTEGER);
CREATE TABLE item_artist(item_artist_pid INTEGER PRIMARY KEY, item_artist TEXT);
CREATE TABLE album(album_pid INTEGER PRIMARY KEY, album TEXT, album_artist_pid INTEGER);
CREATE TABLE album_artist(album_artist_pid INTEGER PRIMARY KEY, album_artist TEXT);
CREATE TABLE genre(genre_id INTEGER PRIMARY KEY, genre TEXT);
CREATE TABLE base_location(base_location_id INTEGER PRIMARY KEY, path TEXT);
CREATE TABLE location_kind(location_kind_id INTEGER PRIMARY KEY, kind TEXT);
CREATE TABLE container(container_pid INTEGER PRIMARY KEY, distinguished_kind INTEGER, name TEXT);
CREATE TABLE container_items(container_item_pid INTEGER PRIMARY KEY, container_pid INTEGER,
    item_pid INTEGER, position INTEGER);
INSERT INTO item VALUES (-7214, 8, 11, 21, 31, 41, 3840, 1, 3), (200, 2048, 0, 0, 0, 0, 3843, 2, 0),
    (3496454194672701, 8, 11, 21, 31, 41, 0, 1, 0), (4000000000000000, 8, 0, 0, 0, 0, 3840, 1, 0);
INSERT INTO item_extra VALUES (-7214, 'Alpha', 'ABCD.mp3', 61000.6, 1234, 2011, 1),
    (200, 'Clip', 'WXYZ.mp4', 2000, 99, 0, 2), (3496454194672701, 'Cloud', '', 1000, 0, 0, 1),
    (4000000000000000, 'Escape', '../../etc/passwd', 1, 1, 0, 1);
INSERT INTO item_artist VALUES (11, 'Ann');
INSERT INTO album VALUES (21, 'First', 31);
INSERT INTO album_artist VALUES (31, 'Ann & Co');
INSERT INTO genre VALUES (41, 'Jazz');
INSERT INTO base_location VALUES (3840, 'iTunes_Control/Music/F00'), (3843, 'iTunes_Control/Music/F03/');
INSERT INTO location_kind VALUES (1, 'MPEG audio file'), (2, 'MPEG-4 video file');
INSERT INTO container VALUES (5, 0, 'Mix'), (6, 19, 'Purchased');
INSERT INTO container_items VALUES (1, 5, 3496454194672701, 1), (2, 5, -7214, 0), (3, 5, 999, 2),
    (4, 6, 200, 0);
)sql";

// The first item, the second's path, how many have a file, and the playlists, as one line.
QString Summary(const MediaLibrary& library) {
    if (library.items.size() < 2)
        return QStringLiteral("%1 items").arg(library.items.size());
    const MediaItem& first = library.items[0];
    QString text = QString::fromStdString(first.title + "|" + first.artist + "|" + first.album + "|" +
                                          first.albumArtist + "|" + first.genre + "|" + first.fileKind + "|" +
                                          first.path) +
                   QStringLiteral("|%1|%2|%3|%4|%5")
                       .arg(first.mediaType)
                       .arg(first.durationMs)
                       .arg(first.fileSize)
                       .arg(first.trackNumber)
                       .arg(first.year) +
                   " " + QString::fromStdString(library.items[1].path);
    const auto withFile = std::count_if(library.items.begin(), library.items.end(),
                                        [](const MediaItem& item) { return !item.path.empty(); });
    text += QStringLiteral(" %1/%2").arg(withFile).arg(library.items.size());
    for (const MediaPlaylist& playlist : library.playlists) {
        text += " " + QString::fromStdString(playlist.name) + ":";
        for (size_t index : playlist.items)
            text += " " + QString::fromStdString(library.items[index].title);
    }
    return text;
}

} // namespace

class MediaLibraryReaderTests : public QObject {
    Q_OBJECT

private slots:
    void readsWhatThePhoneKeeps_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("summary");
        const QString full = "Alpha|Ann|First|Ann & Co|Jazz|MPEG audio file|iTunes_Control/Music/F00/ABCD.mp3"
                             "|8|61000|1234|3|2011 iTunes_Control/Music/F03/WXYZ.mp4 2/4 Mix: Alpha Cloud";
        QTest::newRow("as written") << "" << int(kReadOk) << full;
        QTest::newRow("no genre table")
            << "DROP TABLE genre" << int(kReadOk) << QString(full).replace("|Jazz|", "||");
        QTest::newRow("no playlists") << "DROP TABLE container_items; DROP TABLE container" << int(kReadOk)
                                      << QString(full).remove(" Mix: Alpha Cloud");
        QTest::newRow("no order in playlists")
            << "ALTER TABLE container_items DROP COLUMN position" << int(kReadOk)
            << QString(full).replace("Mix: Alpha Cloud", "Mix: Cloud Alpha");
        QTest::newRow("no size column") << "ALTER TABLE item_extra DROP COLUMN file_size" << int(kReadOk)
                                        << QString(full).replace("|1234|", "|0|");
        QTest::newRow("texts where numbers belong")
            << "UPDATE item_extra SET file_size = 'big', total_time_ms = X'00'; UPDATE item SET "
               "media_type = 'song'"
            << int(kReadOk) << QString(full).replace("|8|61000|1234|", "|0|0|0|");
        QTest::newRow("numbers where texts belong")
            << "UPDATE item_extra SET title = 42 WHERE item_pid = -7214" << int(kReadOk)
            << QString(full).replace("Alpha|", "42|").replace("Mix: Alpha", "Mix: 42");
        QTest::newRow("no item table") << "DROP TABLE item" << int(kReadDamaged) << "0 items";
        QTest::newRow("item without its key")
            << "DROP TABLE item; CREATE TABLE item(media_type INTEGER); INSERT INTO item VALUES (8)"
            << int(kReadDamaged) << "0 items";
        QTest::newRow("missing file") << "<none>" << int(kReadMissing) << "0 items";
        QTest::newRow("not a database") << "<garbage>" << int(kReadDamaged) << "0 items";
    }
    void readsWhatThePhoneKeeps() {
        QFETCH(QString, change);
        QFETCH(int, result);
        QFETCH(QString, summary);
        QTemporaryDir dir;
        const std::string file = (dir.path() + "/MediaLibrary.sqlitedb").toStdString();
        if (change == "<garbage>") {
            QVERIFY(WriteFile(QString::fromStdString(file),
                              QByteArray("SQLite format 3").append(QByteArray(8192, 'x'))));
        } else if (change != "<none>") {
            QVERIFY(ExecuteSql(file, kLibrary));
            QVERIFY(change.isEmpty() || ExecuteSql(file, change.toStdString()));
        }
        MediaLibrary library;
        library.items.resize(3); // whatever was there before goes
        QCOMPARE(MediaLibraryReader::Read(file, library), result);
        QCOMPARE(Summary(library), summary);
        if (result != kReadOk)
            QVERIFY(library.playlists.empty());
    }

    void videoKindsAreTold() {
        for (int type : {kMediaTypeMovie, kMediaTypeMusicVideo, kMediaTypeTvShow, kMediaTypeHomeVideo})
            QVERIFY(IsVideoMediaType(type));
        for (int type : {0, int(kMediaTypeSong), int(kMediaTypeAudioBook), int(kMediaTypeRingtone)})
            QVERIFY(!IsVideoMediaType(type));
    }
};

VEXA_IOS_TEST(MediaLibraryReaderTests)
#include "MediaLibraryReaderTests.moc"
