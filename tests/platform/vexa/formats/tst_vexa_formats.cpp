// The files the simulator makes and reads: media, pictures, books, app packages and backups, checked by
// ffprobe, 7z, plistlib and sqlite3, and the readers' answers to damaged input.
#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "BackupReport.h"
#include "TestFiles.h"
#include "formats/Formats.h"
#include "formats/HeicFile.h"
#include "formats/JpegConverter.h"

using namespace vexa::formats;
namespace fs = std::filesystem;

namespace {

// What a Python script printed, trimmed; "failed: " and its complaint when it did not run through.
QString Python(const char* script, const QStringList& arguments) {
    return RunProgram("/usr/bin/python3", QStringList{"-c", script} + arguments);
}

QJsonObject Probe(const fs::path& path) {
    return QJsonDocument::fromJson(
               RunProgram("ffprobe", {"-v", "error", "-print_format", "json", "-show_format", "-show_streams",
                                      QString::fromStdString(path.string())})
                   .toUtf8())
        .object();
}

QJsonObject FirstStreamOf(const QJsonObject& probe, const QString& type) {
    for (const QJsonValue stream : probe["streams"].toArray()) {
        if (stream["codec_type"].toString() == type)
            return stream.toObject();
    }
    return {};
}

std::vector<uint8_t> Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Save(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// An app package's fields as one line, its icon by a digest of its bytes.
QString Describe(const AppBundle& app) {
    return QString::fromStdString(
        app.bundleId + "|" + app.displayName + "|" + app.version + "|" + app.shortVersion + "|" +
        app.minimumOS + "|" + app.executable + "|" +
        std::to_string(std::hash<std::string>()({app.iconPng.begin(), app.iconPng.end()})) + "|" +
        std::to_string(app.payloadBytes));
}

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// Files a backup test stores: domain, path and content.
struct SampleFile {
    std::string domain, relativePath, content;
};

const std::vector<SampleFile> kSampleFiles = {
    {"HomeDomain", "Library/SMS/sms.db", "messages database"},
    {"CameraRollDomain", "Media/DCIM/100APPLE/IMG_0001.JPG", std::string(70000, 'j') + "tail"},
    {"AppDomain-com.example.notes", "Documents/Notizen über Ärger.txt", "umlauts in the path"},
    {"HomeDomain", "Library/empty.plist", ""},
};

BackupProperties SampleProperties() {
    BackupProperties props;
    props.info = {{"Device Name", "Anna's iPhone"},
                  {"Display Name", "Anna's iPhone"},
                  {"Product Type", "iPhone10,3"},
                  {"Product Version", "16.4"},
                  {"Serial Number", "F2LXK0ABJCLF"},
                  {"Unique Identifier", "00008030001c2d3e4f5a"},
                  {"Last Backup Date", "2024-03-07T09:05:00Z"},
                  {"GUID", "4F1D9A52-8C6B-4F0A-9A7E-1B2C3D4E5F60"}};
    return props;
}

// A big-endian EXIF block with ImageDescription and Orientation in its first IFD.
std::vector<uint8_t> ExifWithOrientation(const std::string& description, uint16_t orientation) {
    std::vector<uint8_t> tiff = {'M', 'M'};
    const auto put = [&tiff](uint32_t value, int bytes) {
        for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
            tiff.push_back(uint8_t(value >> shift));
    };
    put(42, 2), put(8, 4), put(2, 2); // the first IFD, of two entries, follows the header
    put(0x010E, 2), put(2, 2), put(uint32_t(description.size() + 1), 4), put(38, 4); // text after the IFD
    put(0x0112, 2), put(3, 2), put(1, 4), put(orientation, 2), put(0, 2);
    put(0, 4); // no further IFD
    tiff.insert(tiff.end(), description.begin(), description.end());
    tiff.push_back(0);
    return tiff;
}
} // namespace

class TestFormats : public QObject {
    Q_OBJECT

private:
    fs::path dir() const { return fs::path(m_dir->path().toStdString()); }

    fs::path writeBackup(const std::string& password) {
        const fs::path sources = dir() / "sources";
        const fs::path folder = dir() / (password.empty() ? "backup" : "encrypted");
        BackupWriter writer;
        writer.SetKeyRounds({2000, 100});
        if (writer.Open(folder, SampleProperties(), password) != kBackupOk)
            return {};
        for (size_t i = 0; i < kSampleFiles.size(); ++i) {
            const fs::path source = sources / std::to_string(i);
            Save(source, kSampleFiles[i].content);
            if (writer.AddFile({kSampleFiles[i].domain, kSampleFiles[i].relativePath, source}) != kBackupOk)
                return {};
        }
        BackupFile folderEntry{"HomeDomain", "Library/SMS", {}};
        folderEntry.mode = 040755;
        if (writer.AddFile(folderEntry) != kBackupOk || writer.Finish() != kBackupOk)
            return {};
        return folder;
    }

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Audio and video

    void audioCarriesCodecDurationAndTags_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("codec");
        QTest::newRow("mp3") << QString("song.mp3") << QString("mp3");
        QTest::newRow("m4a") << QString("song.m4a") << QString("aac");
    }

    void audioCarriesCodecDurationAndTags() {
        QFETCH(QString, name);
        QFETCH(QString, codec);
        const AudioSpec spec{4.5, 523.25, "Grüße aus Köln", "Die Ärzte", "Album (Deluxe)", "Rock", 7, 1998};
        const fs::path path = dir() / name.toStdString();
        QVERIFY(WriteAudioFile(path, spec));

        const QJsonObject probe = Probe(path);
        QCOMPARE(FirstStreamOf(probe, "audio")["codec_name"].toString(), codec);
        QVERIFY(FirstStreamOf(probe, "video").isEmpty());
        QVERIFY(qAbs(probe["format"]["duration"].toString().toDouble() - spec.seconds) < 0.1);
        const QJsonObject tags = probe["format"]["tags"].toObject();
        const QString expected = "Grüße aus Köln|Die Ärzte|Album (Deluxe)|Rock|7|1998";
        QCOMPARE(QStringList({tags["title"].toString(), tags["artist"].toString(), tags["album"].toString(),
                              tags["genre"].toString(), QString::number(tags["track"].toString().toInt()),
                              tags["date"].toString().left(4)})
                     .join('|'),
                 expected);

        MediaInfo info;
        QVERIFY(ReadMediaInfo(path, info));
        QVERIFY(info.hasAudio && !info.hasVideo);
        QCOMPARE(QString::fromStdString(info.title + "|" + info.artist + "|" + info.album + "|" + info.genre +
                                        "|" + std::to_string(info.trackNumber) + "|" +
                                        std::to_string(info.year)),
                 expected);
        QVERIFY(qAbs(info.durationSeconds - spec.seconds) < 0.1);
        QVERIFY(info.bitRate > 0);
    }

    void videoIsH264WithAacAtTheRequestedSize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("mp4") << "clip.mp4" << 320 << 240;
        QTest::newRow("mov") << "clip.mov" << 176 << 144;
        QTest::newRow("m4v") << "clip.m4v" << 240 << 320;
    }

    void videoIsH264WithAacAtTheRequestedSize() {
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(int, height);
        const VideoSpec spec{2, width, height, "Holiday clip", 210};
        const fs::path path = dir() / name.toStdString();
        QVERIFY(WriteVideoFile(path, spec));

        const QJsonObject probe = Probe(path);
        const QJsonObject video = FirstStreamOf(probe, "video");
        QCOMPARE(video["codec_name"].toString(), QString("h264"));
        QCOMPARE(QSize(video["width"].toInt(), video["height"].toInt()), QSize(width, height));
        QCOMPARE(FirstStreamOf(probe, "audio")["codec_name"].toString(), QString("aac"));
        QVERIFY(qAbs(probe["format"]["duration"].toString().toDouble() - 2.0) < 0.15);
        QCOMPARE(probe["format"]["tags"]["title"].toString(), QString("Holiday clip"));

        MediaInfo info;
        QVERIFY(ReadMediaInfo(path, info));
        QVERIFY(info.hasVideo && info.hasAudio);
        QCOMPARE(QSize(info.width, info.height), QSize(width, height));
        QCOMPARE(info.videoCodec, std::string("h264"));
        QCOMPARE(info.title, spec.title);

        // Filmed with the phone upright: the same pixels with a quarter turn in the track header.
        const fs::path turned = dir() / ("turned-" + name.toStdString());
        QCOMPARE(RunProgram("ffmpeg", {"-v", "error", "-y", "-i", Q(path), "-c", "copy", "-metadata:s:v",
                                       "rotate=270", Q(turned)}),
                 "");
        QVERIFY(ReadMediaInfo(turned, info));
        QCOMPARE(QSize(info.width, info.height), QSize(height, width));
    }

    void makersAreDeterministicAndRefuseWhatTheyCannotWrite() {
        const fs::path a = dir() / "a", b = dir() / "b";
        const AudioSpec song{3, 440, "Song", "Artist", "Album", "Pop", 1, 2020};
        const VideoSpec clip{1, 160, 120, "Clip", 30};
        ImageSpec photo{640, 480, 17, {}, "2021:07:04 12:30:00"};
        const BookSpec book{"Book", "Author", 2};
        AppBundle app;
        app.bundleId = "com.example.same";
        app.version = "1";
        for (const fs::path& folder : {a, b}) {
            fs::create_directories(folder);
            QVERIFY(WriteAudioFile(folder / "song.m4a", song));
            QVERIFY(WriteVideoFile(folder / "clip.mp4", clip));
            QVERIFY(WriteJpeg(folder / "photo.jpg", photo));
            QVERIFY(WriteEpub(folder / "book.epub", book, false));
            QVERIFY(WriteIpa(folder / "app.ipa", app));
        }
        for (const char* name : {"song.m4a", "clip.mp4", "photo.jpg", "book.epub", "app.ipa"})
            QVERIFY2(Bytes(a / name) == Bytes(b / name), name);

        photo.seed = 18;
        QVERIFY(WriteJpeg(b / "photo.jpg", photo));
        QVERIFY(Bytes(a / "photo.jpg") != Bytes(b / "photo.jpg"));

        // What they cannot write they refuse.
        const fs::path missingFolder = dir() / "no" / "such" / "folder";
        QVERIFY(!WriteAudioFile(dir() / "tone.wav", AudioSpec{}));
        QVERIFY(!WriteAudioFile(dir() / "silent.mp3", AudioSpec{0, 440, {}, {}, {}, {}, 0, 0}));
        QVERIFY(!WriteAudioFile(missingFolder / "song.mp3", AudioSpec{}));
        QVERIFY(!WriteVideoFile(dir() / "clip.avi", VideoSpec{}));
        QVERIFY(!WriteVideoFile(dir() / "tiny.mp4", VideoSpec{1, 4, 4, {}, 0}));
        QVERIFY(!WriteVideoFile(missingFolder / "clip.mp4", VideoSpec{}));
        QVERIFY(!WriteJpeg(dir() / "empty.jpg", ImageSpec{0, 480, 0, {}, {}}));
        QVERIFY(!WritePng(missingFolder / "icon.png", ImageSpec{}));
        QVERIFY(!WritePdf(missingFolder / "book.pdf", BookSpec{}));
        QVERIFY(!WriteIpa(dir() / "nameless.ipa", AppBundle{}));
        AppBundle escaping;
        escaping.bundleId = "com.example.x";
        escaping.executable = "../x";
        QVERIFY(!WriteIpa(dir() / "escaping.ipa", escaping));
        // A refused or failed maker leaves nothing behind that could pass for a file.
        for (const char* name : {"silent.mp3", "tiny.mp4", "escaping.ipa"})
            QVERIFY2(!fs::exists(dir() / name), name);
    }

    // A song with cover art is no video; what is not media is refused and leaves nothing stale behind.
    void mediaInfoTellsCoverArtFromVideoAndRefusesWhatIsNoMedia() {
        QVERIFY(WriteAudioFile(dir() / "plain.mp3", AudioSpec{3, 440, "With cover", "Artist", {}, {}, 0, 0}));
        QVERIFY(WriteJpeg(dir() / "cover.jpg", ImageSpec{300, 300, 4, {}, {}}));
        const QString muxed = RunProgram("ffmpeg", {"-v", "error", "-y", "-i", Q(dir() / "plain.mp3"), "-i",
                                                    Q(dir() / "cover.jpg"), "-map", "0", "-map", "1", "-c",
                                                    "copy", "-id3v2_version", "3", "-disposition:v",
                                                    "attached_pic", Q(dir() / "covered.mp3")});
        QCOMPARE(muxed, "");
        MediaInfo info;
        QVERIFY(ReadMediaInfo(dir() / "covered.mp3", info));
        QVERIFY(info.hasAudio && !info.hasVideo);
        QCOMPARE(info.width, 0);
        QCOMPARE(info.title, std::string("With cover"));

        Save(dir() / "notes.txt", "just some words, not a song\n");
        Save(dir() / "empty.mp3", "");
        QVERIFY(WriteVideoFile(dir() / "cut.mp4", VideoSpec{}));
        fs::resize_file(dir() / "cut.mp4", 200);
        info.title = "stale";
        QVERIFY(!ReadMediaInfo(dir() / "notes.txt", info));
        QVERIFY(info.title.empty());
        for (const char* name : {"empty.mp3", "cut.mp4", "missing.m4a"})
            QVERIFY2(!ReadMediaInfo(dir() / name, info), name);
    }

    // Pictures

    void jpegCarriesExifAndBothPictureKindsDecode() {
        ImageSpec spec;
        spec.seed = 3;
        spec.caption = "Beach at noon";
        spec.dateTimeOriginal = "2021:07:04 12:30:00";
        QVERIFY(WriteJpeg(dir() / "photo.jpg", spec));
        QVERIFY(WritePng(dir() / "icon.png", ImageSpec{120, 120, 5, {}, {}}));

        const QString frames = RunProgram("ffprobe", {"-v", "error", "-print_format", "json", "-show_frames",
                                                      "-show_streams", Q(dir() / "photo.jpg")});
        const QJsonObject json = QJsonDocument::fromJson(frames.toUtf8()).object();
        const QJsonObject tags = json["frames"][0]["tags"].toObject();
        QCOMPARE(tags["DateTimeOriginal"].toString(), QString("2021:07:04 12:30:00"));
        QCOMPARE(tags["ImageDescription"].toString(), QString("Beach at noon"));
        QCOMPARE(json["streams"][0]["codec_name"].toString(), QString("mjpeg"));
        QCOMPARE(QSize(json["streams"][0]["width"].toInt(), json["streams"][0]["height"].toInt()),
                 QSize(640, 480));

        const QJsonObject png = FirstStreamOf(Probe(dir() / "icon.png"), "video");
        QCOMPARE(png["codec_name"].toString(), QString("png"));
        QCOMPARE(png["width"].toInt(), 120);
    }

    void thumbnailFitsTheLongestSideWithoutEnlarging() {
        QVERIFY(WriteJpeg(dir() / "wide.jpg", ImageSpec{640, 480, 1, {}, {}}));
        QVERIFY(WritePng(dir() / "tall.png", ImageSpec{90, 300, 2, {}, {}}));
        QVERIFY(WriteJpeg(dir() / "small.jpg", ImageSpec{50, 40, 3, {}, {}}));
        Save(dir() / "broken.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + "not really a picture");
        // JPEGs whose EXIF orientation no camera writes: read as they are stored.
        for (const uint16_t orientation : {0, 9, 0xBEEF}) {
            QVERIFY(WriteJpeg(dir() / "odd.jpg", ImageSpec{640, 480, 4, {}, {}}));
            std::vector<uint8_t> jpeg = Bytes(dir() / "odd.jpg");
            QVERIFY(JpegConverter::InsertExif(jpeg, ExifWithOrientation("Tilted", orientation)));
            Save(dir() / ("odd" + std::to_string(orientation) + ".jpg"),
                 std::string(jpeg.begin(), jpeg.end()));
        }
        using Case = std::tuple<const char*, int, int, int>; // name, longest side, width, height
        for (const auto& [name, maxSide, width, height] :
             {Case{"wide.jpg", 160, 160, 120}, Case{"tall.png", 100, 30, 100}, Case{"small.jpg", 160, 50, 40},
              Case{"odd0.jpg", 160, 160, 120}, Case{"odd9.jpg", 160, 160, 120},
              Case{"odd48879.jpg", 160, 160, 120}}) {
            const std::vector<uint8_t> thumbnail = MakeJpegThumbnail(dir() / name, maxSide);
            QVERIFY2(!thumbnail.empty(), name);
            Save(dir() / "thumb.jpg", std::string(thumbnail.begin(), thumbnail.end()));
            const QJsonObject stream = FirstStreamOf(Probe(dir() / "thumb.jpg"), "video");
            QCOMPARE(stream["codec_name"].toString(), QString("mjpeg"));
            QCOMPARE(QSize(stream["width"].toInt(), stream["height"].toInt()), QSize(width, height));
        }
        QVERIFY(MakeJpegThumbnail(dir() / "broken.jpg", 100).empty());
        QVERIFY(MakeJpegThumbnail(dir() / "missing.jpg", 100).empty());
        QVERIFY(MakeJpegThumbnail(dir() / "wide.jpg", 0).empty());
    }

    void convertedJpegsAreUprightAndKeepTheirExif_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("expected"); // identify's width, height, orientation and description
        QTest::newRow("heic held sideways") << "side.HEIC" << 6 << "Harbour" << QString("32 64 1 Harbour");
        QTest::newRow("heic upside down") << "down.heic" << 3 << "Quay" << QString("64 32 1 Quay");
        QTest::newRow("heic without exif") << "plain.HEIC" << 1 << "" << QString("64 32  ");
        QTest::newRow("png") << "shot.png" << 1 << "" << QString("120 120  ");
        // An orientation no camera writes is taken for 1, and set to 1 like any other.
        for (const int orientation : {0, 9, 0xBEEF})
            QTest::addRow("heic orientation %d", orientation)
                << QString("odd%1.HEIC").arg(orientation) << orientation << "Tilted"
                << QString("64 32 1 Tilted");
    }

    void convertedJpegsAreUprightAndKeepTheirExif() {
        QFETCH(QString, name);
        QFETCH(int, orientation);
        QFETCH(QString, description);
        QFETCH(QString, expected);
        const fs::path source = dir() / name.toStdString();
        if (name.endsWith(".png")) {
            QVERIFY(WritePng(source, ImageSpec{120, 120, 5, {}, {}}));
        } else {
            const std::vector<uint8_t> exif =
                description.isEmpty() ? std::vector<uint8_t>()
                                      : ExifWithOrientation(description.toStdString(), orientation);
            // The picture itself is stored upright when its EXIF says something out of range.
            const int stored = orientation >= 1 && orientation <= 8 ? orientation : 1;
            QVERIFY(WriteHeic(source, ImageSpec{64, 32, 9, {}, {}}, stored, exif));
        }
        QVERIFY(JpegConverter::Converts(source));
        const fs::path target = dir() / "out.jpg";
        QVERIFY(JpegConverter::Convert(source, target));
        QCOMPARE(RunProgram("identify",
                            {"-format", "%m %w %h %[EXIF:Orientation] %[EXIF:ImageDescription]", Q(target)}),
                 ("JPEG " + expected).trimmed());

        // What is not a picture is refused and leaves nothing behind; JPEGs and clips are not converted.
        Save(dir() / "broken.heic", "not a picture");
        QVERIFY(!JpegConverter::Convert(dir() / "broken.heic", dir() / "broken.jpg"));
        QVERIFY(!fs::exists(dir() / "broken.jpg"));
        QVERIFY(!JpegConverter::Converts("IMG_0001.JPG") && !JpegConverter::Converts("IMG_0001.MOV"));
    }

    // Books

    void pdfsOfOursAndOtherWritersAreRead();

    void epubZipStartsWithStoredMimetypeAndDamagedOnesAreRefused() {
        const BookSpec spec{"Les Misérables & <Friends>", "Victor Hugo", 3};
        QVERIFY(WriteEpub(dir() / "book.epub", spec, false));
        QVERIFY(WriteEpub(dir() / "unpacked", spec, true));

        const QString text = RunProgram("7z", {"l", "-slt", Q(dir() / "book.epub")});
        const qsizetype firstPath = text.indexOf("\nPath = ", text.indexOf("----------"));
        QVERIFY(firstPath > 0);
        QCOMPARE(text.mid(firstPath + 8, 8), QString("mimetype"));
        const qsizetype method = text.indexOf("\nMethod = ", firstPath);
        QCOMPARE(text.mid(method + 10, 5), QString("Store"));
        QVERIFY(text.contains("Path = OEBPS/content.opf"));
        QCOMPARE(QFile(Q(dir() / "unpacked" / "mimetype")).size(), qint64(20));

        BookInfo zipped, folder;
        QVERIFY(ReadBookInfo(dir() / "book.epub", zipped));
        QVERIFY(ReadBookInfo(dir() / "unpacked", folder));
        for (const BookInfo& info : {zipped, folder})
            QCOMPARE(info.title + "|" + info.author, spec.title + "|" + spec.author);

        // Damaged books are refused.
        QVERIFY(WriteEpub(dir() / "cut.epub", BookSpec{"T", "A", 3}, false));
        fs::resize_file(dir() / "cut.epub", fs::file_size(dir() / "cut.epub") / 2);
        // A container that points outside the book, one that names a missing package, and broken XML.
        const fs::path outside = dir() / "outside", missing = dir() / "missing", broken = dir() / "broken";
        Save(outside / "META-INF/container.xml",
             "<container><rootfiles><rootfile full-path=\"../secret.opf\"/></rootfiles></container>");
        Save(dir() / "secret.opf", "<package><metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
                                   "<dc:title>Secret</dc:title></metadata></package>");
        Save(missing / "META-INF/container.xml",
             "<container><rootfiles><rootfile full-path=\"OEBPS/none.opf\"/></rootfiles></container>");
        Save(broken / "META-INF/container.xml",
             "<container><rootfiles><rootfile full-path=\"a.opf\"/></rootfiles></container>");
        Save(broken / "a.opf", "<package><metadata><dc:title>Unclosed");
        for (const fs::path& book : {dir() / "cut.epub", outside, missing, broken, dir() / "empty-folder"})
            QVERIFY2(!ReadBookInfo(book, zipped), book.string().c_str());
    }

    // App packages

    void ipaIsListedBy7zAndReadByPlistlib();
    void ipasOfOtherPackagersAreReadAndMalformedOnesRefused();

    // Backups

    void backupIsReadByPlistlibSqliteAndOurReader_data() {
        QTest::addColumn<QString>("password");
        QTest::newRow("plain") << QString();
        QTest::newRow("encrypted") << QString("correct horse");
    }

    // Another tool opens it, an encrypted one with the password from the keybag alone.
    void backupIsReadByPlistlibSqliteAndOurReader() {
        QFETCH(QString, password);
        const fs::path folder = writeBackup(password.toStdString());
        QVERIFY(!folder.empty());
        const QJsonObject report = ReadBackup(Q(folder), {}, password);
        QVERIFY2(BackupProblems(report).isEmpty(), BackupProblems(report).constData());
        QCOMPARE(report.value("name").toString(), QStringLiteral("Anna's iPhone"));
        QCOMPARE(report.value("date").toString(), QStringLiteral("2024-03-07T09:05:00"));
        QCOMPARE(report.value("serial").toString(), QStringLiteral("F2LXK0ABJCLF"));
        QCOMPARE(report.value("snapshot").toString(), QStringLiteral("finished"));
        QCOMPARE(report.value("encrypted").toBool(), !password.isEmpty());
        QCOMPARE(report.value("rows").toInt(), 5);
        // Every stored file has its source's bytes, and nothing else is stored.
        QJsonObject expected;
        for (const SampleFile& sample : kSampleFiles)
            expected[QString::fromStdString(sample.domain + "/" + sample.relativePath)] = QString::fromLatin1(
                QCryptographicHash::hash(QByteArray::fromStdString(sample.content), QCryptographicHash::Sha1)
                    .toHex());
        QCOMPARE(report.value("files").toObject(), expected);

        // Our own reader gives back the properties, every file's bytes and the folder entry.
        BackupReader reader;
        QCOMPARE(reader.Open(folder, password.toStdString()), int(kBackupOk));
        QCOMPARE(reader.Properties().encrypted, !password.isEmpty());
        for (const auto& [key, value] : SampleProperties().info)
            QCOMPARE(reader.Properties().info.at(key), value);

        const std::vector<BackupFile> files = reader.Files();
        QCOMPARE(files.size(), kSampleFiles.size() + 1);
        uint64_t total = 0;
        for (const SampleFile& sample : kSampleFiles) {
            const auto found = std::find_if(files.begin(), files.end(), [&](const BackupFile& file) {
                return file.domain == sample.domain && file.relativePath == sample.relativePath;
            });
            QVERIFY(found != files.end());
            QCOMPARE(found->size, uint64_t(sample.content.size()));
            QVERIFY(!found->IsDirectory());
            const fs::path target = dir() / "restored" / sample.domain / sample.relativePath;
            QCOMPARE(reader.Extract(*found, target), int(kBackupOk));
            const std::vector<uint8_t> restored = Bytes(target);
            QCOMPARE(std::string(restored.begin(), restored.end()), sample.content);
            total += sample.content.size();
        }
        QCOMPARE(reader.TotalBytes(), total);
        const auto folderEntry = std::find_if(files.begin(), files.end(), [](const BackupFile& file) {
            return file.relativePath == "Library/SMS";
        });
        QVERIFY(folderEntry != files.end() && folderEntry->IsDirectory());
        QCOMPARE(reader.Extract(*folderEntry, dir() / "restored-folder"), int(kBackupOk));
        QVERIFY(fs::is_directory(dir() / "restored-folder"));
        if (password.isEmpty())
            return;

        // An encrypted backup opens with no other password, and no stored file shows its plain bytes.
        QVERIFY(ReadBackup(Q(folder), {}, QStringLiteral("wrong horse")).value("wrong_password").toBool());
        QVERIFY(!fs::exists(folder / "Manifest.db.building"));
        QCOMPARE(BackupReader().Open(folder, "wrong horse"), int(kBackupWrongPassword));
        QCOMPARE(BackupReader().Open(folder, {}), int(kBackupPasswordNeeded));
        const SampleFile& sample = kSampleFiles[1];
        const BackupFile file{sample.domain, sample.relativePath, {}};
        const fs::path stored = folder / BackupFileId(sample.domain, sample.relativePath).substr(0, 2) /
                                BackupFileId(sample.domain, sample.relativePath);
        const std::vector<uint8_t> cipherText = Bytes(stored);
        QVERIFY(std::search(cipherText.begin(), cipherText.end(), sample.content.begin(),
                            sample.content.begin() + 64) == cipherText.end());
        QCOMPARE(reader.Extract(file, dir() / "plain.jpg"), int(kBackupOk));
        QVERIFY(Bytes(dir() / "plain.jpg") ==
                std::vector<uint8_t>(sample.content.begin(), sample.content.end()));

        // A stored file cut inside its last block fails to decrypt and leaves no output behind.
        fs::resize_file(stored, cipherText.size() - 5);
        QCOMPARE(reader.Extract(file, dir() / "cut.jpg"), int(kBackupDamaged));
        QVERIFY(!fs::exists(dir() / "cut.jpg"));
        QVERIFY(!fs::exists(dir() / "cut.jpg.part"));
    }

    void damagedBackupsAreReportedWithTheirOwnCodes();

    void writerRefusesUnsafePathsAndCallsOutOfOrder() {
        Save(dir() / "source", "content");
        BackupWriter writer;
        QCOMPARE(writer.AddFile({"HomeDomain", "Library/a", dir() / "source"}), int(kBackupNotOpen));
        QCOMPARE(writer.Finish(), int(kBackupNotOpen));
        QCOMPARE(writer.Open(dir() / "backup", SampleProperties(), {}), int(kBackupOk));
        for (const auto& [domain, path] :
             std::vector<std::pair<std::string, std::string>>{{"HomeDomain", "../outside"},
                                                              {"HomeDomain", "Library/../../outside"},
                                                              {"HomeDomain", "/etc/passwd"},
                                                              {"HomeDomain", ""},
                                                              {"", "Library/a"},
                                                              {"Home/Domain", "Library/a"},
                                                              {"..", "Library/a"}})
            QCOMPARE(writer.AddFile({domain, path, dir() / "source"}), int(kBackupBadPath));
        QCOMPARE(writer.AddFile({"HomeDomain", "Library/missing", dir() / "no-such-source"}),
                 int(kBackupIoError));
        QCOMPARE(writer.AddFile({"HomeDomain", "Library/a", dir() / "source"}), int(kBackupOk));

        // Until Finish() the folder is no backup; a writer given up midway leaves none either.
        QCOMPARE(BackupReader().Open(dir() / "backup", {}), int(kBackupNotABackup));
        QCOMPARE(writer.Finish(), int(kBackupOk));
        QCOMPARE(writer.Finish(), int(kBackupNotOpen));
        BackupReader reader;
        QCOMPARE(reader.Open(dir() / "backup", {}), int(kBackupOk));
        QCOMPARE(reader.Files().size(), size_t(1));
        // A backup again into the same folder replaces the one there.
        BackupWriter again;
        again.SetKeyRounds({2000, 100});
        QCOMPARE(again.Open(dir() / "backup", SampleProperties(), "pass"), int(kBackupOk));
        QCOMPARE(again.AddFile({"HomeDomain", "Library/new.txt", dir() / "source"}), int(kBackupOk));
        QCOMPARE(again.Finish(), int(kBackupOk));
        BackupReader replaced;
        QCOMPARE(replaced.Open(dir() / "backup", "pass"), int(kBackupOk));
        QVERIFY(replaced.Properties().encrypted);
        QCOMPARE(replaced.Files().size(), size_t(1));
        QCOMPARE(replaced.Files()[0].relativePath, std::string("Library/new.txt"));
        {
            BackupWriter abandoned;
            QCOMPARE(abandoned.Open(dir() / "backup", SampleProperties(), {}), int(kBackupOk));
            QCOMPARE(abandoned.AddFile({"HomeDomain", "Library/b", dir() / "source"}), int(kBackupOk));
        }
        QCOMPARE(BackupReader().Open(dir() / "backup", {}), int(kBackupNotABackup));
    }

    void backupFromAnotherWriterIsRead();
};

// Our PDF's cross-reference table is consistent; other writers' layouts give their title and author.
void TestFormats::pdfsOfOursAndOtherWritersAreRead() {
    const BookSpec spec{"Moby (Dick) \\ Ünïcode 中文", "Hermann Mälville", 5};
    QVERIFY(WritePdf(dir() / "book.pdf", spec));
    // Every xref entry must point at "<n> 0 obj", startxref at the table, and /Count at the page objects.
    const char* script = R"py(
import re, sys
data = open(sys.argv[1], 'rb').read()
assert data.startswith(b'%PDF-'), 'header'
start = int(re.findall(rb'startxref\s+(\d+)', data)[-1])
assert data[start:start + 4] == b'xref', 'startxref'
m = re.match(rb'xref\s+0 (\d+)\s*\n', data[start:])
count = int(m.group(1))
table = data[start + m.end():start + m.end() + 20 * count]
for n in range(count):
    entry = table[20 * n:20 * n + 20]
    assert len(entry) == 20 and entry[17:18] in (b'n', b'f'), entry
    if entry[17:18] == b'n':
        offset = int(entry[:10])
        assert data[offset:].startswith(b'%d 0 obj' % n), (n, offset)
pages = len(re.findall(rb'/Type /Page\b', data))
print(pages, re.search(rb'/Count (\d+)', data).group(1).decode())
)py";
    QCOMPARE(Python(script, {Q(dir() / "book.pdf")}), "5 5");

    BookInfo info;
    QVERIFY(ReadBookInfo(dir() / "book.pdf", info));
    QCOMPARE(info.title + "|" + info.author, spec.title + "|" + spec.author);

    // An incrementally updated file: the newer trailer points at a newer information object, whose title
    // uses escapes and whose author is a hex string.
    Save(dir() / "updated.pdf",
         "%PDF-1.6\n"
         "4 0 obj\n<< /Title (Old title) /Author (Old author) >>\nendobj\n"
         "trailer\n<< /Size 5 /Info 4 0 R >>\n"
         "14 0 obj\n<< /Author <4A6F686E> /Title (Caf\\351 \\(second\\)\\\nedition) >>\nendobj\n"
         "trailer\n<< /Size 15 /Info 14 0 R /Prev 9 >>\n%%EOF\n");
    QVERIFY(ReadBookInfo(dir() / "updated.pdf", info));
    QCOMPARE(info.title + "|" + info.author, std::string("Café (second)edition|John"));

    // No information dictionary: the file name stands in for the title.
    Save(dir() / "Plain Book.pdf",
         "%PDF-1.4\n1 0 obj\n<< /Type /Catalog >>\nendobj\ntrailer\n<< /Root 1 0 R >>\n");
    QVERIFY(ReadBookInfo(dir() / "Plain Book.pdf", info));
    QCOMPARE(info.title + "|" + info.author, std::string("Plain Book|"));

    Save(dir() / "fake.pdf", "Hello, this is text");
    QVERIFY(!ReadBookInfo(dir() / "fake.pdf", info));
    QVERIFY(!ReadBookInfo(dir() / "missing.pdf", info));
}

void TestFormats::ipaIsListedBy7zAndReadByPlistlib() {
    QVERIFY(WritePng(dir() / "icon.png", ImageSpec{120, 120, 9, {}, {}}));
    const AppBundle app{.bundleId = "com.example.notes",
                        .displayName = "Notizen Plus",
                        .version = "412",
                        .shortVersion = "4.1.2",
                        .minimumOS = "12.0",
                        .executable = "Notes",
                        .iconPng = Bytes(dir() / "icon.png"),
                        .payloadBytes = 300000};
    QVERIFY(WriteIpa(dir() / "Notes.ipa", app));

    QVERIFY(ArchivePaths(Q(dir() / "Notes.ipa")).contains("Payload/Notes.app/Info.plist"));
    const char* script = R"py(
import plistlib, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    assert z.testzip() is None
    info = plistlib.loads(z.read('Payload/Notes.app/Info.plist'))
    meta = plistlib.loads(z.read('iTunesMetadata.plist'))
print(info['CFBundleIdentifier'], info['CFBundleShortVersionString'], info['CFBundleExecutable'],
      meta['softwareVersionBundleId'])
)py";
    QCOMPARE(Python(script, {Q(dir() / "Notes.ipa")}), "com.example.notes 4.1.2 Notes com.example.notes");

    AppBundle read;
    QVERIFY(ReadIpa(dir() / "Notes.ipa", read));
    QCOMPARE(Describe(read), Describe(app));
}

// A package from another packager gives its largest icon: XML Info.plist, icons named by the old key, a
// folder entry, and no display name. Malformed packages are refused.
void TestFormats::ipasOfOtherPackagersAreReadAndMalformedOnesRefused() {
    const char* script = R"py(
import plistlib, sys, zipfile
folder = sys.argv[1]
def make(name, entries, compression=zipfile.ZIP_STORED):
    with zipfile.ZipFile(folder + '/' + name, 'w', compression) as z:
        for path, data in entries:
            z.writestr(path, data)
info = {'CFBundleIdentifier': 'org.other.game', 'CFBundleName': 'Game', 'CFBundleVersion': '7',
        'CFBundleIconFiles': ['Icon.png']}
make('Game.ipa', [('Payload/', b''), ('Payload/Game.app/Info.plist', plistlib.dumps(info, fmt=plistlib.FMT_XML)),
                  ('Payload/Game.app/Icon.png', b'small'), ('Payload/Game.app/Icon@2x.png', b'the larger icon'),
                  ('Payload/Game.app/Game', b'\0' * 1000),
                  ('Payload/Game.app/Plugins/Icon@3x.png', b'not in the bundle folder itself')], zipfile.ZIP_DEFLATED)
make('escape.ipa', [('Payload/A.app/Info.plist', b'<plist/>'), ('Payload/../../evil.sh', b'x')])
make('absolute.ipa', [('/Payload/A.app/Info.plist', b'x')])
make('garbage.ipa', [('Payload/A.app/Info.plist', b'bplist00 this is not a property list at all')])
make('noplist.ipa', [('Payload/A.app/A', b'binary')])
make('nested.ipa', [('Payload/X/A.app/Info.plist', b'x')])
)py";
    QCOMPARE(Python(script, {Q(dir())}), "");
    AppBundle game;
    QVERIFY(ReadIpa(dir() / "Game.ipa", game));
    QCOMPARE(QString::fromStdString(game.bundleId + "|" + game.displayName + "|" + game.version + "|" +
                                    std::string(game.iconPng.begin(), game.iconPng.end())),
             "org.other.game|Game|7|the larger icon");
    AppBundle good;
    good.bundleId = "com.example.cut";
    good.payloadBytes = 50000;
    QVERIFY(WriteIpa(dir() / "cut.ipa", good));
    fs::resize_file(dir() / "cut.ipa", fs::file_size(dir() / "cut.ipa") - 30);
    Save(dir() / "text.ipa", "PK but not a zip");

    for (const char* name : {"escape.ipa", "absolute.ipa", "garbage.ipa", "noplist.ipa", "nested.ipa",
                             "cut.ipa", "text.ipa", "none.ipa"}) {
        AppBundle app;
        QVERIFY2(!ReadIpa(dir() / name, app), name);
        QVERIFY(app.bundleId.empty());
    }
}

void TestFormats::damagedBackupsAreReportedWithTheirOwnCodes() {
    fs::create_directories(dir() / "empty");
    QCOMPARE(BackupReader().Open(dir() / "empty", {}), int(kBackupNotABackup));
    QCOMPARE(BackupReader().Open(dir() / "absent", {}), int(kBackupNotABackup));

    const fs::path folder = writeBackup({});
    QVERIFY(!folder.empty());
    const fs::path copy = dir() / "copy";
    // Each damage is done to a fresh copy of the backup.
    auto fresh = [&] {
        fs::remove_all(copy);
        fs::copy(folder, copy, fs::copy_options::recursive);
        return copy;
    };
    Save(fresh() / "Manifest.db", "this is not an SQLite database at all, just text");
    QCOMPARE(BackupReader().Open(copy, {}), int(kBackupDamaged));
    Save(fresh() / "Manifest.plist", "<?xml version=\"1.0\"?><plist><dict><key>IsEnc");
    QCOMPARE(BackupReader().Open(copy, {}), int(kBackupDamaged));
    fs::resize_file(fresh() / "Info.plist", 100);
    QCOMPARE(BackupReader().Open(copy, {}), int(kBackupDamaged));
    fs::resize_file(fresh() / "Manifest.db", 2048);
    QCOMPARE(BackupReader().Open(copy, {}), int(kBackupDamaged));

    // Rows whose path or ID would leave the backup folder are left out; the rest stays usable.
    const QString forged = Python(R"py(
import sqlite3, sys
db = sqlite3.connect(sys.argv[1] + '/Manifest.db')
db.execute("INSERT INTO Files VALUES ('0123456789012345678901234567890123456789', 'HomeDomain', '../../etc/passwd', 1, NULL)")
db.execute("INSERT INTO Files VALUES ('../../../../tmp/evil', 'HomeDomain', 'Library/x', 1, NULL)")
db.execute("INSERT INTO Files VALUES ('aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa', '..', 'Library/y', 1, NULL)")
db.commit()
)py",
                                  {Q(fresh())});
    QCOMPARE(forged, "");
    BackupReader reader;
    QCOMPARE(reader.Open(copy, {}), int(kBackupOk));
    QCOMPARE(reader.RefusedEntries(), size_t(3));
    QCOMPARE(reader.Files().size(), kSampleFiles.size() + 1);
    QCOMPARE(reader.Extract(BackupFile{"HomeDomain", "../../etc/passwd", {}}, dir() / "x"),
             int(kBackupNoSuchFile));

    const SampleFile& sample = kSampleFiles[0];
    const std::string id = BackupFileId(sample.domain, sample.relativePath);
    fs::remove(copy / id.substr(0, 2) / id);
    QCOMPARE(reader.Extract(BackupFile{sample.domain, sample.relativePath, {}}, dir() / "gone"),
             int(kBackupMissingFile));
    QCOMPARE(BackupReader().Extract(BackupFile{sample.domain, sample.relativePath, {}}, dir() / "y"),
             int(kBackupNotOpen));
}

void TestFormats::backupFromAnotherWriterIsRead() {
    // The layout as a device backup tool leaves it: XML plists, no Status.plist, upper-case IDs, rows
    // without a file archive, and a keybag-encrypted backup beside it.
    const char* script = R"py(
import hashlib, os, plistlib, sqlite3, sys
root = sys.argv[1]
def make(folder, encrypted):
    os.makedirs(folder)
    plistlib.dump({'Device Name': 'Old iPad', 'Product Version': 9}, open(folder + '/Info.plist', 'wb'))
    plistlib.dump({'IsEncrypted': encrypted, 'BackupKeyBag': b'opaque'}, open(folder + '/Manifest.plist', 'wb'))
    db = sqlite3.connect(folder + '/Manifest.db')
    db.execute('CREATE TABLE Files (fileID TEXT PRIMARY KEY, domain TEXT, relativePath TEXT, flags INTEGER, file BLOB)')
    file_id = hashlib.sha1(b'HomeDomain-Library/Notes/notes.sqlite').hexdigest()
    db.execute('INSERT INTO Files VALUES (?, ?, ?, 1, NULL)',
               (file_id.upper(), 'HomeDomain', 'Library/Notes/notes.sqlite'))
    db.execute("INSERT INTO Files VALUES (?, 'HomeDomain', 'Library', 2, NULL)",
               (hashlib.sha1(b'HomeDomain-Library').hexdigest(),))
    db.commit()
    os.makedirs(folder + '/' + file_id[:2])
    open(folder + '/' + file_id[:2] + '/' + file_id, 'wb').write(b'notes from elsewhere')
make(root + '/plain', False)
make(root + '/keybag', True)
)py";
    QCOMPARE(Python(script, {Q(dir())}), "");

    QCOMPARE(BackupReader().Open(dir() / "keybag", "any password"), int(kBackupDamaged));
    BackupReader reader;
    QCOMPARE(reader.Open(dir() / "plain", {}), int(kBackupOk));
    QCOMPARE(reader.Properties().info.at("Device Name"), std::string("Old iPad"));
    QCOMPARE(reader.Properties().info.at("Product Version"), std::string("9"));
    const std::vector<BackupFile> files = reader.Files();
    QCOMPARE(files.size(), size_t(2));
    const BackupFile notes{"HomeDomain", "Library/Notes/notes.sqlite", {}};
    QCOMPARE(reader.Extract(notes, dir() / "notes.sqlite"), int(kBackupOk));
    const std::vector<uint8_t> content = Bytes(dir() / "notes.sqlite");
    QCOMPARE(std::string(content.begin(), content.end()), std::string("notes from elsewhere"));
}

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_vexa_formats.moc"
