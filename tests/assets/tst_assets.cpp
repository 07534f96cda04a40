#include <QDir>
#include <QDomDocument>
#include <QImageReader>
#include <QMovie>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include "AssetCatalog.h"
#include "AssetWriter.h"
#include "GifWriter.h"
#include "ImagePathScanner.h"
#include "TsCatalog.h"

namespace {

const QString kSourceDir = QStringLiteral(VEXA_SOURCE_DIR);
const QString kLanguageDir = QStringLiteral(VEXA_BIN_DIR "/Language");

QString languageFile(const LanguageFolder& language, const QString& path) {
    return QDir(kLanguageDir).filePath(language.folder + QLatin1Char('/') + path);
}

QStringList moduleTsFiles(const QString& pattern) {
    const QDir dir(kSourceDir + QStringLiteral("/assets/translations"));
    QStringList files;
    for (const QString& name : dir.entryList({pattern}, QDir::Files, QDir::Name))
        files.append(dir.filePath(name));
    // The shared catalogues that every module may add to.
    const QDir shared(kSourceDir + QStringLiteral("/assets/Language"));
    for (const QString& name : shared.entryList({QStringLiteral("base") + pattern.mid(1)}, QDir::Files))
        files.append(shared.filePath(name));
    return files;
}

// The module files of a language and its base file, which carries the strings of shared work.
QStringList languageTsFiles(const QString& code) {
    return moduleTsFiles(QStringLiteral("*_%1.ts").arg(code))
           << kSourceDir + QStringLiteral("/assets/Language/base_%1.ts").arg(code);
}

bool hasForeignLetters(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 127 && c.isLetter(); });
}

QList<QImage> readAllFrames(const QString& path) {
    QImageReader reader(path);
    QList<QImage> frames;
    QImage frame;
    while (reader.read(&frame))
        frames.append(frame.convertToFormat(QImage::Format_ARGB32));
    return frames;
}

} // namespace

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void scannerFindsImageNamesWhateverTheSlashes() {
        const QString text =
            QStringLiteral("m_btn->load(ResourceRoot() + \"/image/btn_ok.png\");\n"
                           "LoadPixmap(root + \"\\\\pic\\\\button_yes.png\");\n"
                           "flow(\"\\image\\flow\\GO_btn.png\"); top(\"image/flow/incoming_top.png\");\n"
                           "QString pattern = \"/image/%1.png\"; QString other = \"/data/file.png\"; "
                           "tr(\"not an image\");\n");
        const QList<ImageReference> found = ImagePathScanner::ScanText(text, QStringLiteral("x.cpp"));
        QStringList paths;
        for (const ImageReference& reference : found)
            paths.append(reference.path);
        QCOMPARE(paths, QStringList({"image/btn_ok.png", "pic/button_yes.png", "image/flow/GO_btn.png",
                                     "image/flow/incoming_top.png"}));
        QCOMPARE(found.at(1).where, QStringLiteral("x.cpp:2"));
    }

    void everyImageTheSourcesLoadIsInEveryLanguageFolder() {
        const QList<ImageReference> references =
            ImagePathScanner::ScanTrees(kSourceDir, {QStringLiteral("src"), QStringLiteral("platform")});
        QStringList missing;
        for (const ImageReference& reference : references)
            for (const LanguageFolder& language : AssetCatalog::Languages())
                if (!QFileInfo::exists(languageFile(language, reference.path)))
                    missing.append(QStringLiteral("%1 (loaded at %2) is missing from %3")
                                       .arg(reference.path, reference.where, language.folder));
        missing.removeDuplicates();
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }

    void everyCatalogueImageLoadsWithItsSizeInEveryLanguage() {
        QStringList faults;
        for (const LanguageFolder& language : AssetCatalog::Languages())
            for (const AssetSpec& spec : AssetCatalog::All()) {
                QImageReader reader(languageFile(language, spec.path));
                const QImage image = reader.read();
                if (image.isNull())
                    faults.append(
                        QStringLiteral("%1/%2: %3").arg(language.folder, spec.path, reader.errorString()));
                else if (image.size() != spec.FileSize())
                    faults.append(QStringLiteral("%1/%2: %3x%4, expected %5x%6")
                                      .arg(language.folder, spec.path)
                                      .arg(image.width())
                                      .arg(image.height())
                                      .arg(spec.FileSize().width())
                                      .arg(spec.FileSize().height()));
            }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void everyAnimationPlaysSeveralFrames() {
        int animations = 0;
        for (const LanguageFolder& language : AssetCatalog::Languages())
            for (const AssetSpec& spec : AssetCatalog::All()) {
                if (spec.kind != AssetKind::Animation)
                    continue;
                ++animations;
                const QString path = languageFile(language, spec.path);
                QMovie movie(path);
                QVERIFY2(movie.isValid(), qPrintable(path));
                QVERIFY2(movie.frameCount() > 1, qPrintable(path));
                QCOMPARE(movie.loopCount(), -1);
                for (int frame = 0; frame < movie.frameCount(); ++frame) {
                    QVERIFY2(movie.jumpToFrame(frame),
                             qPrintable(QStringLiteral("%1 frame %2").arg(path).arg(frame)));
                    QCOMPARE(movie.currentImage().size(), spec.size);
                }
            }
        QVERIFY(animations >= 3 * 5);
    }

    void wordsFitTheirImagesInEveryLanguage() {
        QTemporaryDir out;
        QVERIFY(out.isValid());
        AssetWriter writer(out.path());
        for (const LanguageFolder& language : AssetCatalog::Languages())
            for (const AssetSpec& spec : AssetCatalog::All())
                if (!spec.caption.isEmpty() || !spec.detail.isEmpty())
                    writer.WriteAsset(spec, language);
        QVERIFY2(writer.Errors().isEmpty(), qPrintable(writer.Errors().join(QLatin1Char('\n'))));
        QVERIFY2(writer.Warnings().isEmpty(), qPrintable(writer.Warnings().join(QLatin1Char('\n'))));
    }

    void gifEncoderRoundTripsPixelsExactly() {
        // Noise over a 200-colour palette fills the LZW dictionary many times over, so the encoder has to
        // restart its code table mid-frame; the second frame is a different size-equal pattern.
        QList<QImage> frames;
        QRandomGenerator random(7);
        for (int f = 0; f < 2; ++f) {
            QImage frame(173, 141, QImage::Format_ARGB32);
            for (int y = 0; y < frame.height(); ++y)
                for (int x = 0; x < frame.width(); ++x) {
                    const int shade = f == 0 ? int(random.bounded(200)) : (x / 7 + y / 5) % 200;
                    frame.setPixel(x, y, qRgb(shade, 255 - shade, (shade * 7) % 256));
                }
            frames.append(frame);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("noise.gif"));
        QString error;
        QVERIFY2(GifWriter::Write(path, frames, 100, Qt::white, &error), qPrintable(error));
        const QList<QImage> decoded = readAllFrames(path);
        QCOMPARE(decoded.size(), 2);
        for (int f = 0; f < 2; ++f)
            QVERIFY2(decoded.at(f) == frames.at(f), qPrintable(QStringLiteral("frame %1 differs").arg(f)));
    }

    void gifEncoderMapsManyColoursAndTransparency() {
        // A smooth gradient has far more than 256 colours; each must land on a close palette entry, and
        // clear pixels must stay clear.
        QImage frame(256, 64, QImage::Format_ARGB32);
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                frame.setPixel(x, y, y < 8 ? qRgba(0, 0, 0, 0) : qRgb(x, (x + y * 3) % 256, 255 - x));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("gradient.gif"));
        QString error;
        QVERIFY2(GifWriter::Write(path, {frame, frame}, 50, Qt::white, &error), qPrintable(error));
        const QList<QImage> decoded = readAllFrames(path);
        QCOMPARE(decoded.size(), 2);
        int worst = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const QRgb got = decoded.front().pixel(x, y);
                if (y < 8) {
                    QCOMPARE(qAlpha(got), 0);
                    continue;
                }
                const QRgb want = frame.pixel(x, y);
                worst = qMax(worst, qAbs(qRed(got) - qRed(want)) + qAbs(qGreen(got) - qGreen(want)) +
                                        qAbs(qBlue(got) - qBlue(want)));
            }
        QVERIFY2(worst < 120, qPrintable(QStringLiteral("colour error %1").arg(worst)));
    }

    void gifIsReadableByAnIndependentDecoder() {
        const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
        if (ffprobe.isEmpty())
            QSKIP("ffprobe is not installed");
        const QString path =
            languageFile(AssetCatalog::Languages().front(), QStringLiteral("image/connecting.gif"));
        QProcess probe;
        probe.start(ffprobe, {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                              "stream=codec_name,width,height,nb_read_frames", "-of", "csv=p=0", path});
        QVERIFY(probe.waitForFinished(30000));
        QCOMPARE(probe.exitCode(), 0);
        const QStringList fields =
            QString::fromUtf8(probe.readAllStandardOutput()).trimmed().split(QLatin1Char(','));
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields.at(0), QStringLiteral("gif"));
        QCOMPARE(fields.at(1).toInt(), 260);
        QCOMPARE(fields.at(2).toInt(), 120);
        QCOMPARE(fields.at(3).toInt(), QMovie(path).frameCount());
    }

    void translationFilesAreComplete() {
        QStringList problems;
        for (const QString& file : moduleTsFiles(QStringLiteral("*.ts"))) {
            TsCatalog catalog;
            QString error;
            if (!catalog.Load(file, &error))
                problems.append(error);
            problems += catalog.Problems();
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void everySourceStringIsEnglishAndTranslatedInEveryLanguage() {
        // Modules add their translation files as they go. A source folder is held to completeness once any
        // translation file carries one of its messages; folders nobody translates yet are listed, not failed.
        // Source strings are the English interface, so a letter of another script would show through there.
        QSet<QString> carried;
        QHash<QString, QSet<QString>> finished;
        for (const QString& code : {QStringLiteral("de"), QStringLiteral("zh")})
            for (const QString& file : languageTsFiles(code)) {
                TsCatalog catalog;
                QString error;
                QVERIFY2(catalog.Load(file, &error), qPrintable(error));
                carried += catalog.SourceKeys();
                finished[code] += catalog.Keys();
            }

        QTemporaryDir dir;
        QStringList missing;
        QStringList untranslated;
        QStringList foreign;
        const QDir sources(kSourceDir + QStringLiteral("/src"));
        for (const QString& module : sources.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString extracted = dir.filePath(module + QStringLiteral("_de.ts"));
            QProcess lupdate;
            lupdate.start(QStringLiteral("/usr/lib/qt6/bin/lupdate"),
                          {"-silent", "-no-obsolete", "-locations", "none", sources.filePath(module), "-ts",
                           extracted});
            QVERIFY(lupdate.waitForFinished(120000));
            QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());
            TsCatalog strings;
            QString error;
            QVERIFY2(strings.Load(extracted, &error), qPrintable(error));
            for (const QString& key : strings.SourceKeys())
                if (hasForeignLetters(key))
                    foreign.append(QStringLiteral("src/%1: %2").arg(module, key));
            if (strings.SourceKeys().isEmpty())
                continue;
            if (!strings.SourceKeys().intersects(carried)) {
                untranslated.append(
                    QStringLiteral("src/%1 (%2 strings)").arg(module).arg(strings.SourceKeys().size()));
                continue;
            }
            for (const QString& code : {QStringLiteral("de"), QStringLiteral("zh")})
                for (const QString& key : strings.SourceKeys())
                    if (!finished.value(code).contains(key))
                        missing.append(QStringLiteral("[%1] src/%2: %3").arg(code, module, key));
        }
        if (!untranslated.isEmpty())
            qWarning("No translation files yet for: %s", qPrintable(untranslated.join(QStringLiteral(", "))));
        foreign.sort();
        QVERIFY2(
            foreign.isEmpty(),
            qPrintable(
                QStringLiteral("Source strings not in English:\n%1").arg(foreign.join(QLatin1Char('\n')))));
        missing.sort();
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("%1 source strings have no finished translation:\n%2")
                                .arg(missing.size())
                                .arg(missing.join(QLatin1Char('\n')))));
    }

    void languageFileListsTheThreeLanguagesWithTheirFiles() {
        QFile file(kLanguageDir + QStringLiteral("/language.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QDomDocument document;
        QVERIFY(document.setContent(&file));
        const QDomElement root = document.documentElement();
        QMap<int, QStringList> items;
        for (QDomElement item = root.firstChildElement(QStringLiteral("Item")); !item.isNull();
             item = item.nextSiblingElement(QStringLiteral("Item")))
            items.insert(item.attribute(QStringLiteral("Type")).toInt(),
                         {item.attribute(QStringLiteral("Display")), item.attribute(QStringLiteral("Folder")),
                          item.attribute(QStringLiteral("QMFile"))});
        QCOMPARE(items.keys(), QList<int>({25, 31, 42}));
        QCOMPARE(items.value(25), QStringList({"Chinese", "Chinese", "vexa_zh.qm"}));
        QCOMPARE(items.value(31), QStringList({"English", "English", "vexa_en.qm"}));
        QCOMPARE(items.value(42), QStringList({"German", "German", "vexa_de.qm"}));
        QCOMPARE(root.firstChildElement(QStringLiteral("Setting")).attribute(QStringLiteral("Type")),
                 QStringLiteral("31"));

        for (const QStringList& entry : std::as_const(items)) {
            const QString folder = kLanguageDir + QLatin1Char('/') + entry.at(1);
            QTranslator translator;
            QVERIFY2(translator.load(folder + QLatin1Char('/') + entry.at(2)), qPrintable(entry.at(2)));
            QFile help(folder + QStringLiteral("/Vexa Transfer help.html"));
            QVERIFY2(help.open(QIODevice::ReadOnly), qPrintable(help.fileName()));
            const QString html = QString::fromUtf8(help.readAll());
            QVERIFY2(html.contains(QLatin1String("<html")) && html.size() > 4000,
                     qPrintable(help.fileName()));
        }
    }
};

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
