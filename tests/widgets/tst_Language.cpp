#include <csignal>

#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include "LanguageConfig.h"
#include "LanguageService.h"
#include "QProUtil.h"
#include "TestFiles.h"
#include "TestFolders.h"

namespace {

// Compiles a one-string translation so the test can see which translator is installed.
bool writeTranslation(const QString& qmPath, const QString& translation) {
    const QString tsPath = qmPath + QStringLiteral(".ts");
    return WriteFile(tsPath, QStringLiteral(
                                 "<?xml version=\"1.0\" encoding=\"utf-8\"?><!DOCTYPE TS><TS version=\"2.1\">"
                                 "<context><name>Probe</name><message><source>Hello</source>"
                                 "<translation>%1</translation></message></context></TS>")
                                 .arg(translation)
                                 .toUtf8()) &&
           QProcess::execute(QStringLiteral("/usr/lib/qt6/bin/lrelease"),
                             {QStringLiteral("-silent"), tsPath, QStringLiteral("-qm"), qmPath}) == 0;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void readsEntriesInCodeOrder() {
        TestFolders folders;
        folders.WriteInstalledLanguageFile(QStringLiteral("<Setting Type=\"42\"/>"));
        const LanguageConfig config;
        QCOMPARE(config.Size(), 3);
        // Past either end is English.
        QCOMPARE(QList<int>({config.CodeAt(-1), config.CodeAt(0), config.CodeAt(1), config.CodeAt(2),
                             config.CodeAt(3)}),
                 QList<int>({31, 25, 31, 42, 31}));
        QCOMPARE(config.Current(), 42);
        QCOMPARE(config.Entry(42).Folder + '|' + config.Entry(42).QMFile + '|' + config.Entry(25).Display,
                 QStringLiteral("German|vexa_de.qm|Chinese"));
        const LanguageEntry unknown = config.Entry(7);
        QVERIFY(unknown.Display.isEmpty() && unknown.Folder.isEmpty() && unknown.QMFile.isEmpty());
    }

    void savingWritesOneSettingIntoTheUserCopyOnly() {
        TestFolders folders;
        folders.WriteInstalledLanguageFile(QString());
        const QByteArray installed = ReadFile(folders.InstalledLanguageFile());
        LanguageConfig config;
        // Without a setting the language is English; an unknown code is not saved.
        QCOMPARE(config.Current(), 31);
        QVERIFY(!config.Save(99));
        QVERIFY(!QFile::exists(folders.UserLanguageFile()));
        QVERIFY(config.Save(25));
        QCOMPARE(config.Current(), 25);
        QCOMPARE(ReadFile(folders.InstalledLanguageFile()), installed);
        QCOMPARE(LanguageFilePath(), folders.UserLanguageFile());
        QByteArray saved = ReadFile(folders.UserLanguageFile());
        QCOMPARE(saved.count("<Setting"), 1);
        QVERIFY(saved.contains("<Setting Type=\"25\"/>"));
        QVERIFY2(saved.contains("\n    <Item"), "items are indented by four spaces");
        QCOMPARE(LanguageConfig().Current(), 25);
        QCOMPARE(LanguageConfig().Size(), 3);
        // A second save updates the one Setting element instead of adding another.
        QVERIFY(LanguageConfig().Save(42));
        saved = ReadFile(folders.UserLanguageFile());
        QCOMPARE(saved.count("<Setting"), 1);
        QCOMPARE(LanguageConfig().Current(), 42);
    }

    void userCopyWinsOverInstalledFile() {
        TestFolders folders;
        folders.WriteInstalledLanguageFile(QStringLiteral("<Setting Type=\"42\"/>"));
        WriteFile(folders.UserLanguageFile(),
                  "<Language><Item Type=\"25\" Display=\"Chinese\" Folder=\"Chinese\" QMFile=\"vexa_zh.qm\"/>"
                  "<Setting Type=\"25\"/></Language>");
        const LanguageConfig config;
        QCOMPARE(config.Current(), 25);
        QCOMPARE(config.Size(), 1);
        QCOMPARE(ResourceRoot(), folders.AppDir() + QStringLiteral("/Language/Chinese"));
    }

    void setLanguageSwitchesFolderTranslationAndNotifies() {
        TestFolders folders;
        folders.WriteInstalledLanguageFile();
        // Writing the translation makes its language folder.
        if (!writeTranslation(folders.AppDir() + QStringLiteral("/Language/German/vexa_de.qm"),
                              QStringLiteral("Hallo")) ||
            !writeTranslation(folders.AppDir() + QStringLiteral("/Language/Chinese/vexa_zh.qm"),
                              QStringLiteral("\u4f60\u597d"))) {
            QSKIP("lrelease is not available");
        }
        QCOMPARE(ResourceRoot(), folders.AppDir() + QStringLiteral("/Language/English"));
        QSignalSpy changed(QProUtil::instance(), &QProUtil::languageChanged);

        QVERIFY(SetLanguage(42));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(CurrentLanguage(), 42);
        QCOMPARE(ResourceRoot(), folders.AppDir() + QStringLiteral("/Language/German"));
        QCOMPARE(TranslationFilePath(), folders.AppDir() + QStringLiteral("/Language/German/vexa_de.qm"));
        QCOMPARE(QCoreApplication::translate("Probe", "Hello"), QStringLiteral("Hallo"));
        // Dates formatted through the default locale speak the program's language.
        QCOMPARE(QLocale().monthName(3), QStringLiteral("M\u00e4rz"));

        // The previous translator is replaced, not stacked under the new one.
        QVERIFY(SetLanguage(25));
        QCOMPARE(QCoreApplication::translate("Probe", "Hello"), QStringLiteral("\u4f60\u597d"));
        QCOMPARE(QLocale().language(), QLocale::Chinese);
        // English ships no file here: the built-in texts come back.
        QVERIFY(SetLanguage(31));
        QCOMPARE(QCoreApplication::translate("Probe", "Hello"), QStringLiteral("Hello"));
        QCOMPARE(QLocale().language(), QLocale::English);
        // Choosing the language already chosen still saves it and tells the windows.
        QFile::remove(folders.UserLanguageFile());
        QVERIFY(SetLanguage(31));
        QVERIFY(QFile::exists(folders.UserLanguageFile()));
        QCOMPARE(changed.count(), 4);
    }

    void withoutLanguageFileEverythingFallsBackAndNothingIsEmitted() {
        TestFolders folders;
        QSignalSpy changed(QProUtil::instance(), &QProUtil::languageChanged);
        QCOMPARE(ResourceRoot(), folders.AppDir());
        QCOMPARE(AppDirPath(), folders.AppDir());
        QVERIFY(TranslationFilePath().isEmpty());
        QCOMPARE(LanguageConfig().Current(), 31);
        QCOMPARE(LanguageConfig().Size(), 0);
        QVERIFY(!SetLanguage(31));
        QVERIFY(!SetLanguage(42));
        QCOMPARE(changed.count(), 0);
        QVERIFY(!QFile::exists(folders.UserLanguageFile()));
    }

    void malformedFilesAndItemsAreSkipped() {
        TestFolders folders;
        WriteFile(folders.InstalledLanguageFile(), "<Language><Item Type=\"42\" Folder=\"German\"");
        QCOMPARE(LanguageConfig().Size(), 0);
        QCOMPARE(LanguageConfig().Current(), 31);
        QVERIFY(!LanguageConfig().Save(42));

        WriteFile(folders.InstalledLanguageFile(),
                  "<Language>"
                  "<Item/>"
                  "<Item Type=\"abc\" Display=\"Bad\" Folder=\"Bad\" QMFile=\"bad.qm\"/>"
                  "<Item Type=\"\" Display=\"Empty\"/>"
                  "<Item Type=\"0x2a\" Display=\"Hex\"/>"
                  "<Item Type=\"42\" Display=\"German\" Folder=\"German\" QMFile=\"vexa_de.qm\"/>"
                  "<Setting Type=\"German\"/>"
                  "</Language>");
        QDir().mkpath(folders.AppDir() + QStringLiteral("/Language/German"));
        LanguageConfig config;
        QCOMPARE(config.Size(), 1);
        QCOMPARE(config.CodeAt(0), 42);
        QCOMPARE(config.Current(), 31);
        QVERIFY(config.Save(42));
        QCOMPARE(LanguageConfig().Current(), 42);
    }

    void unwritableUserCopyFailsAndChangesNothing() {
        TestFolders folders;
        folders.WriteInstalledLanguageFile(QStringLiteral("<Setting Type=\"42\"/>"));
        const QByteArray installed = ReadFile(folders.InstalledLanguageFile());
        // A plain file where the configuration folder belongs: no folder, and so no copy, can be made.
        // This blocks writing even for root, which ignores permission bits.
        const QString blocked = folders.ConfigDir() + QStringLiteral("/blocked");
        WriteFile(blocked, "not a folder");
        qputenv("XDG_CONFIG_HOME", blocked.toLocal8Bit());
        SetAppDirPathForTesting(folders.AppDir());

        const QString rootBefore = ResourceRoot();
        const int languageBefore = CurrentLanguage();
        QSignalSpy changed(QProUtil::instance(), &QProUtil::languageChanged);
        LanguageConfig config;
        QVERIFY(!config.Save(25));
        QCOMPARE(config.Current(), 42);
        QVERIFY(!SetLanguage(25));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(CurrentLanguage(), languageBefore);
        QCOMPARE(ResourceRoot(), rootBefore);
        QCOMPARE(ReadFile(folders.InstalledLanguageFile()), installed);
    }

    void damagedUserCopyFallsBackToInstalledFile_data() {
        QTest::addColumn<QByteArray>("copy");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated") << QByteArray(
            "<?xml version=\"1.0\"?>\n<Language>\n    <Item Type=\"25\" Disp");
        QTest::newRow("no Folder") << QByteArray(
            "<Language><Item Type=\"25\" Display=\"Chinese\" QMFile=\"z.qm\"/>"
            "<Setting Type=\"25\"/></Language>");
        QTest::newRow("empty Folder")
            << QByteArray("<Language><Item Type=\"25\" Folder=\"\"/><Setting Type=\"25\"/>"
                          "</Language>");
        QTest::newRow("setting names no item") << QByteArray(
            "<Language><Item Type=\"25\" Folder=\"Chinese\"/><Setting Type=\"77\"/></Language>");
        QTest::newRow("folder missing") << QByteArray(
            "<Language><Item Type=\"25\" Folder=\"Klingon\"/><Setting Type=\"25\"/></Language>");
        QTest::newRow("folder outside")
            << QByteArray("<Language><Item Type=\"25\" Folder=\"../Language/Chinese\"/><Setting Type=\"25\"/>"
                          "</Language>");
        QTest::newRow("not xml") << QByteArray("\x00\xff\xfe garbage", 12);
    }

    void damagedUserCopyFallsBackToInstalledFile() {
        QFETCH(QByteArray, copy);
        TestFolders folders;
        folders.WriteInstalledLanguageFile(QStringLiteral("<Setting Type=\"42\"/>"));
        const QString helpImage = QStringLiteral("/image/btn_help.png");
        folders.WriteImage(folders.AppDir() + QStringLiteral("/Language/German") + helpImage, QSize(8, 8),
                           {Qt::red});
        WriteFile(folders.UserLanguageFile(), copy);
        SetAppDirPathForTesting(folders.AppDir());

        QCOMPARE(LanguageFilePath(), folders.InstalledLanguageFile());
        QCOMPARE(LanguageConfig().Current(), 42);
        QCOMPARE(ResourceRoot(), folders.AppDir() + QStringLiteral("/Language/German"));
        QVERIFY(!QImage(ResourceRoot() + helpImage).isNull());

        // Choosing a language again replaces the damaged copy with a sound one.
        QVERIFY(SetLanguage(25));
        QCOMPARE(LanguageFilePath(), folders.UserLanguageFile());
        QCOMPARE(ResourceRoot(), folders.AppDir() + QStringLiteral("/Language/Chinese"));
        QCOMPARE(LanguageConfig().Size(), 3);
    }

    void failedSaveLeavesOldCopyIntact() {
        TestFolders folders;
        folders.WriteInstalledLanguageFile();
        QVERIFY(LanguageConfig().Save(25));
        const QByteArray before = ReadFile(folders.UserLanguageFile());
        QVERIFY(before.size() > 64);

        // A file size limit fails the write the way a full disk does, also for root.
        struct rlimit old {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const sighandler_t oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tiny = old;
        tiny.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tiny), 0);
        const bool saved = LanguageConfig().Save(42);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!saved);
        QCOMPARE(ReadFile(folders.UserLanguageFile()), before);
        QCOMPARE(LanguageConfig().Current(), 25);
        const QStringList left = QFileInfo(folders.UserLanguageFile()).dir().entryList(QDir::Files);
        QCOMPARE(left, QStringList{QStringLiteral("language.xml")});
    }

    void workDirIsCreatedInTemp() {
        const QString dir = WorkDir();
        QVERIFY(QFileInfo(dir).isDir());
        QCOMPARE(QFileInfo(dir).fileName(), QStringLiteral("Vexa Manager Backup"));
        QCOMPARE(WorkDir(), dir);
    }
};

int runLanguageTests(int argc, char** argv) {
    TestLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Language.moc"
