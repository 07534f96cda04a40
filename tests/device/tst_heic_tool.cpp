// The HEIC to JPEG tool: which files it takes, where each goes, and what comes out of a conversion, read
// by ImageMagick: the picture turned upright, orientation 1, a picture that cannot be read skipped.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "CHeicToJpegTool.h"
#include "LanguageService.h"
#include "MessageCatcher.h"
#include "formats/HeicFile.h"

namespace {

bool Touch(const QString& path, const QByteArray& bytes = "x") {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An EXIF block (from its TIFF header on) whose only entry is the orientation, as a camera writes it.
std::vector<uint8_t> Exif(int orientation) {
    return {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, uint8_t(orientation),
            0,   0,   0,  0, 0, 0, 0};
}

// "width height orientation" as ImageMagick reads the file.
QString Identify(const QString& path) {
    QProcess identify;
    identify.start(QStringLiteral("identify"), {"-format", "%w %h %[orientation]", path});
    identify.waitForFinished(30000);
    return QString::fromUtf8(identify.readAllStandardOutput()).trimmed();
}

} // namespace

class tst_heic_tool : public QObject {
    Q_OBJECT

private:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        // English has its own plural forms.
        QVERIFY(SetLanguage(31));
    }

    void foldersGiveTheirHeicFilesAndNamedFilesStay() {
        for (const char* name : {"roll/IMG_2.HEIC", "roll/deeper/IMG_1.heif", "roll/IMG_3.JPG",
                                 "roll/notes.txt", "single/odd.bin"})
            QVERIFY(Touch(Path(name)));
        const QStringList pictures =
            CHeicToJpegTool::Pictures({Path("roll"), Path("single/odd.bin"), Path("roll/IMG_2.HEIC")});
        QCOMPARE(pictures, QStringList({Path("roll/IMG_2.HEIC"), Path("roll/deeper/IMG_1.heif"),
                                        Path("single/odd.bin")}));
    }

    void targetsNeverTakeANameTwice() {
        QVERIFY(Touch(Path("out/IMG_5.jpg")));
        const QStringList targets = CHeicToJpegTool::Targets(
            {Path("a/IMG_1.HEIC"), Path("b/img_1.heic"), Path("c/IMG_5.HEIC"), Path("d/Trip.2024.heic")},
            Path("out"));
        QCOMPARE(targets, QStringList({Path("out/IMG_1.jpg"), Path("out/img_1 (2).jpg"),
                                       Path("out/IMG_5 (2).jpg"), Path("out/Trip.2024.jpg")}));
    }

    void picturesComeOutUprightAndTheUnreadableAreCounted() {
        MessageCatcher messages;
        const QString in = Path("convert");
        QDir().mkpath(in);
        // Held upright (EXIF 6: turn right), lying as taken, and one cut off half way.
        QVERIFY(vexa::formats::WriteHeic((in + "/upright.heic").toStdString(), {320, 240, 1, {}, {}}, 6,
                                         Exif(6)));
        QVERIFY(vexa::formats::WriteHeic((in + "/flat.heic").toStdString(), {320, 240, 2, {}, {}}, 1, {}));
        QFile whole(in + "/flat.heic");
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QVERIFY(Touch(in + "/cut.heic", whole.read(whole.size() / 2)));
        const QStringList pictures = CHeicToJpegTool::Pictures({in});
        QCOMPARE(pictures.size(), 3);

        QStringList skipped;
        const QString out = Path("converted");
        QVERIFY(QDir().mkpath(out));
        QCOMPARE(CHeicToJpegTool::Convert(pictures, out, nullptr, &skipped), 2);
        QCOMPARE(skipped, QStringList({in + "/cut.heic"}));
        QCOMPARE(Identify(out + "/upright.jpg"), QStringLiteral("240 320 TopLeft"));
        // A picture without EXIF gets none.
        QVERIFY(QStringList({"320 240 TopLeft", "320 240 Undefined"}).contains(Identify(out + "/flat.jpg")));
        QVERIFY(!QFile::exists(out + "/cut.jpg"));
        QCOMPARE(
            CHeicToJpegTool::Summary(2, 1, out),
            QStringLiteral("2 pictures were converted to JPEG in %1.\n1 picture could not be read and was "
                           "skipped.")
                .arg(QDir::toNativeSeparators(out)));
    }
};

QTEST_MAIN(tst_heic_tool)
#include "tst_heic_tool.moc"
