#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "CDropFileList.h"
#include "CDroppedFiles.h"
#include "CProcessBridge.h"
#include "CProcessThread.h"
#include "IDropSourceCallback.h"
#include "IInvokeProcessCallback.h"
#include "LanguageService.h"
#include "QDropFileMimeData.h"
#include "RunRedirected.h"
#include "TestFiles.h"

namespace {

// A stand-in for 7z that prints `output` and exits with `code`.
QString FakeSevenZip(const QTemporaryDir& dir, const QByteArray& output, int code) {
    const QString path = dir.filePath(QStringLiteral("7z"));
    WriteFile(path, "#!/bin/sh\nprintf '" + output + "'\nexit " + QByteArray::number(code) + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return dir.path();
}

class PidCatcher : public IInvokeProcessCallback {
public:
    void OnBegin() override {}
    void OnNotify(const char*) override {}
    void OnError(int, const char*) override {}
    void OnEnd() override {}
    void OnExitCode(int) override {}
    void OnHandle(pid_t process) override { pid = process; }
    std::atomic<pid_t> pid{0};
};

} // namespace

namespace {
// Stands in for a view: writes each drag path the way a device copy would.
class WritingCallback : public QObject, public IDropSourceCallback {
public:
    explicit WritingCallback(QStringList paths)
        : m_paths(std::move(paths)) {}
    bool OnDrop() override {
        ++calls;
        for (const QString& path : m_paths)
            WriteFile(path, path.toUtf8());
        return true;
    }
    int calls = 0;

private:
    QStringList m_paths;
};
} // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo::exists(QStringLiteral(VEXA_BIN_DIR "/7z")),
                 "the build puts a 7z link beside the program");
    }

    void cleanup() { SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR)); }

    // Archives through the real 7-Zip

    void zippedBookFolderListsEveryFileWithItsRelativePath() {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        const QString book = m_dir.filePath(QStringLiteral("work/Book.epub"));
        const QStringList files = {"mimetype", "META-INF/container.xml", "OEBPS/content.opf",
                                   "OEBPS/text/chapter 1.xhtml", "OEBPS/images/cover.jpg"};
        for (const QString& file : files)
            WriteFile(book + QLatin1Char('/') + file, file.toUtf8() + " contents");
        const QString archive = m_dir.filePath(QStringLiteral("Book.epub.zip"));
        CProcessBridge bridge;
        for (const QString& entry : QDir(book).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
            QVERIFY(bridge.Zip(archive.toStdString(), (book + QLatin1Char('/') + entry).toStdString()));
        QVERIFY(bridge.FindOutput("Everything is Ok"));
        const QStringList listed = ArchivePaths(archive);
        for (const QString& file : files)
            QVERIFY2(listed.contains(file), qPrintable(file));
    }

    void deleteFromZipAndUnzipRoundTrip() {
        const QString source = m_dir.filePath(QStringLiteral("round/src"));
        WriteFile(source + QStringLiteral("/keep.txt"), "kept \xe2\x9c\x93");
        WriteFile(source + QStringLiteral("/sub/gone.txt"), "deleted");
        WriteFile(source + QStringLiteral("/sub/also.txt"), "also kept");
        const QString archive = m_dir.filePath(QStringLiteral("round/archive.zip"));
        CProcessBridge bridge;
        QVERIFY(bridge.Zip(archive.toStdString(), (source + QStringLiteral("/keep.txt")).toStdString()));
        QVERIFY(bridge.Zip(archive.toStdString(), (source + QStringLiteral("/sub")).toStdString()));
        QVERIFY(bridge.DeleteFromZip(archive.toStdString(), "sub/gone.txt"));
        QCOMPARE(ArchivePaths(archive), QStringList({"keep.txt", "sub", "sub/also.txt"}));

        const QString out = m_dir.filePath(QStringLiteral("round/out"));
        QVERIFY(bridge.Unzip(archive.toStdString(), out.toStdString()));
        QCOMPARE(ReadFile(out + QStringLiteral("/keep.txt")), QByteArray("kept \xe2\x9c\x93"));
        QCOMPARE(ReadFile(out + QStringLiteral("/sub/also.txt")), QByteArray("also kept"));
        QVERIFY(!QFileInfo::exists(out + QStringLiteral("/sub/gone.txt")));
    }

    void archiveInAFolderThatCannotBeWrittenFails() {
        const QString source = m_dir.filePath(QStringLiteral("blocked/file.txt"));
        WriteFile(source, "x");
        // A regular file where the archive's folder should be: no one, root included, can write there.
        const QString notAFolder = m_dir.filePath(QStringLiteral("blocked/plain"));
        WriteFile(notAFolder, "x");
        CProcessBridge bridge;
        QVERIFY(!bridge.Zip((notAFolder + QStringLiteral("/a.zip")).toStdString(), source.toStdString()));
        QCOMPARE(bridge.LastErrorCode(), 0); // 7z ran and refused
        QVERIFY(!bridge.FindOutput("Everything is Ok"));
    }

    // Deciding success

    void missingSevenZipGivesTheCreateProcessError() {
        QTemporaryDir empty;
        SetAppDirPathForTesting(empty.path());
        CProcessBridge bridge;
        QVERIFY(!bridge.Zip(m_dir.filePath(QStringLiteral("none.zip")).toStdString(), "/etc/hostname"));
        QCOMPARE(bridge.LastErrorCode(), int(kCreateProcessFailed));
        QCOMPARE(bridge.ErrorTexts(), std::vector<std::string>({"Create child process failed."}));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("none.zip"))));
        // The bridge is free again for the next command, and forgets the old failure.
        QVERIFY(bridge.Execute({"/bin/sh", "-c", "echo 'Everything is Ok'"}));
        QCOMPARE(bridge.LastErrorCode(), 0);
    }

    void successNeedsExitZeroAndTheOkLine_data() {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("success");
        QTest::newRow("ok and 0") << QByteArray("Scanning\\nEverything is Ok\\n") << 0 << true;
        QTest::newRow("0 without the line") << QByteArray("Scanning\\nDone\\n") << 0 << false;
        QTest::newRow("the line but 2") << QByteArray("Everything is Ok\\n") << 2 << false;
        QTest::newRow("the line unfinished") << QByteArray("Everything is Ok") << 0 << false;
    }

    void successNeedsExitZeroAndTheOkLine() {
        QFETCH(QByteArray, output);
        QFETCH(int, code);
        QFETCH(bool, success);
        QTemporaryDir fake;
        SetAppDirPathForTesting(FakeSevenZip(fake, output, code));
        CProcessBridge bridge;
        QCOMPARE(bridge.Zip("/nowhere/a.zip", "/nowhere/b"), success);
        QCOMPARE(bridge.LastErrorCode(), 0);
    }

    // Reading the output

    void onlyCompleteNonBlankLinesAreReportedTrimmedAndLongOnesInPieces() {
        CProcessBridge bridge;
        QVERIFY(
            bridge.Execute({"/bin/sh", "-c",
                            "printf 'one\\n\\n   \\n\\t two \\t\\r\\n'; printf 'Everything is Ok\\n' >&2; "
                            "printf 'partial'"}));
        QCOMPARE(bridge.OutputLines(), std::vector<std::string>({"one", "two", "Everything is Ok"}));
        std::string line;
        QVERIFY(bridge.FindOutput("is Ok", &line));
        QCOMPARE(line, std::string("Everything is Ok"));
        QVERIFY(!bridge.FindOutput("partial"));

        // 5000 characters without a line feed, then the success line: the child must not stall.
        QVERIFY(bridge.Execute(
            {"/bin/sh", "-c", "head -c 5000 /dev/zero | tr '\\0' x; echo; echo 'Everything is Ok'"}));
        std::size_t total = 0;
        for (const std::string& text : bridge.OutputLines())
            if (text.find_first_not_of('x') == std::string::npos)
                total += text.size();
        QCOMPARE(total, std::size_t(5000));
    }

    // One child at a time, never outliving the call

    void aSecondCallWhileOneRunsReturnsFalseWithoutStarting() {
        const QString marker = m_dir.filePath(QStringLiteral("second-started"));
        const std::vector<std::string> second = {"/bin/sh", "-c", "touch '" + marker.toStdString() + "'"};
        CProcessBridge bridge;
        bool fromEvent = true;
        bool fromThread = true;
        // While the first command runs, the waiting thread handles events and another thread calls in.
        QTimer::singleShot(200, [&] {
            fromEvent = bridge.Execute(second);
            std::thread other([&] { fromThread = bridge.Execute(second); });
            other.join();
        });
        QVERIFY(bridge.Execute({"/bin/sh", "-c", "sleep 1; echo 'Everything is Ok'"}));
        QVERIFY(!fromEvent);
        QVERIFY(!fromThread);
        QVERIFY(!QFileInfo::exists(marker));
    }

    void theChildInheritsOnlyItsThreeStandardDescriptors() {
        // A descriptor opened without close-on-exec, as other code of the program might.
        const int stray = ::open("/dev/null", O_RDONLY);
        QVERIFY(stray > 2);
        PidCatcher catcher;
        CProcessThread thread({"/bin/sh", "-c", "exec sleep 2"}, &catcher);
        QVERIFY(thread.Start());
        QTRY_VERIFY(catcher.pid != 0);
        // Once sleep runs, its descriptors are what it inherited.
        const QString fds = QStringLiteral("/proc/%1/fd").arg(catcher.pid.load());
        QTRY_VERIFY(QFileInfo(QStringLiteral("/proc/%1/exe").arg(catcher.pid.load()))
                        .symLinkTarget()
                        .endsWith("sleep"));
        QStringList descriptors = QDir(fds).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        descriptors.sort();
        ::close(stray);
        QCOMPARE(descriptors, QStringList({"0", "1", "2"}));
        QCOMPARE(QFileInfo(fds + QStringLiteral("/0")).symLinkTarget(), QStringLiteral("/dev/null"));
        QVERIFY(QFileInfo(fds + QStringLiteral("/1")).symLinkTarget().contains(QStringLiteral("pipe:")));
    }

    void stoppingTheThreadKillsTheChild() {
        PidCatcher catcher;
        QElapsedTimer clock;
        clock.start();
        {
            CProcessThread thread({"/bin/sh", "-c", "exec sleep 30"}, &catcher);
            QVERIFY(thread.Start());
            QTRY_VERIFY(catcher.pid != 0);
        }
        QVERIFY(clock.elapsed() < 5000);
        // Killed and reaped: the pid names no process any more.
        QCOMPARE(::kill(catcher.pid, 0), -1);
    }

    // Drag-out of device files

    void dragFilesAppearOnlyWhenTheTargetAsksForTheUrlsAndOnlyWhileTheirViewLives() {
        CDropFileList list(m_dir.filePath(QStringLiteral("dnd")));
        QVERIFY(list.IsValid());
        const QString first = list.Add(QStringLiteral("song.mp3"));
        const QString second = list.Add(QStringLiteral("Ünïcödé 深い.txt"));
        WritingCallback callback(list.Paths());
        QDropFileMimeData data(list.Paths(), &callback, &callback);

        // Hovering asks only which formats there are.
        QVERIFY(data.hasUrls());
        QVERIFY(data.formats().contains(QStringLiteral("text/uri-list")));
        QCOMPARE(callback.calls, 0);
        QVERIFY(!QFileInfo::exists(first));

        const QList<QUrl> urls = data.urls();
        QCOMPARE(urls, (QList<QUrl>{QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)}));
        QCOMPARE(ReadFile(second), second.toUtf8());
        QVERIFY(data.DropSucceeded());
        // The raw list a file manager reads names the same files, and asking again copies nothing more.
        const QByteArray raw = data.data(QStringLiteral("text/uri-list"));
        QCOMPARE(raw, QUrl::fromLocalFile(first).toEncoded() + "\r\n" +
                          QUrl::fromLocalFile(second).toEncoded() + "\r\n");
        QCOMPARE(callback.calls, 1);

        // A drag whose view died meanwhile still offers the addresses, but nothing is copied.
        CDropFileList gone(m_dir.filePath(QStringLiteral("dnd-gone")));
        const QString path = gone.Add(QStringLiteral("gone.bin"));
        auto* dead = new WritingCallback(gone.Paths());
        QDropFileMimeData orphan(gone.Paths(), dead, dead);
        delete dead;
        QCOMPARE(orphan.urls(), QList<QUrl>{QUrl::fromLocalFile(path)});
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(orphan.HasDropped() && !orphan.DropSucceeded());
    }

    void dragNamesStayInsideTheFreshFolderAndNeverCollide() {
        const QString parent = m_dir.filePath(QStringLiteral("dnd-names"));
        CDropFileList one(parent);
        CDropFileList two(parent);
        QVERIFY(one.IsValid() && two.IsValid());
        QVERIFY(one.Folder() != two.Folder());

        // Each name added, and the file name it is given.
        const std::pair<const char*, const char*> names[] = {
            {"a.txt", "a.txt"},           {"a.txt", "a (2).txt"},   {"A.TXT", "A (3).TXT"},
            {"Photos", "Photos"},         {"Photos", "Photos (2)"}, {"..", "_.."},
            {"../../evil", ".._.._evil"}, {"x\\y", "x_y"},          {"", "_"}};
        for (const auto& [name, expected] : names) {
            const QFileInfo added(one.Add(QString::fromUtf8(name)));
            QCOMPARE(added.fileName(), QString::fromUtf8(expected));
            QCOMPARE(added.absolutePath(), one.Folder());
        }
        QCOMPARE(one.Paths().size(), qsizetype(std::size(names)));
    }

    // Files dropped onto a page

    void droppedFoldersAreWalkedWithoutFollowingLinks() {
        const QString root = m_dir.filePath(QStringLiteral("dropped"));
        WriteFile(root + QStringLiteral("/b.MP3"), "song");
        WriteFile(root + QStringLiteral("/A/a.m4a"), "song");
        WriteFile(root + QStringLiteral("/A/.hidden.mp3"), "song");
        WriteFile(root + QStringLiteral("/notes.txt"), "text");
        WriteFile(root + QStringLiteral("/noext"), "text");
        // A book kept as a folder is one document; its inner files are not counted.
        WriteFile(root + QStringLiteral("/Novel.epub/content.xhtml"), "page");
        // A link back up would walk for ever; a link to a file is taken like the file.
        QVERIFY(QFile::link(root, root + QStringLiteral("/A/loop")));
        QVERIFY(QFile::link(root + QStringLiteral("/b.MP3"), root + QStringLiteral("/link.mp3")));
        const QString single = m_dir.filePath(QStringLiteral("single.mp3"));
        WriteFile(single, "song");

        const CDroppedFiles files({root, single, m_dir.filePath(QStringLiteral("vanished.mp3"))},
                                  {QStringLiteral("mp3"), QStringLiteral("m4a"), QStringLiteral("epub")});
        QCOMPARE(files.Taken(),
                 (QStringList{root + QStringLiteral("/A/.hidden.mp3"), root + QStringLiteral("/A/a.m4a"),
                              root + QStringLiteral("/b.MP3"), root + QStringLiteral("/link.mp3"),
                              root + QStringLiteral("/Novel.epub"), single}));
        // notes.txt, noext and the file that is gone.
        QCOMPARE(files.SkippedCount(), 3);
        QCOMPARE(files.SkippedMessage(),
                 QStringLiteral("3 dropped file(s) skipped: only MP3, M4A, EPUB files can be added here."));
        QVERIFY(CDroppedFiles({single}, {QStringLiteral("mp3")}).SkippedMessage().isEmpty());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
