#include <algorithm>
#include <iterator>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "CMessagePrompt.h"
#include "CTestHttpServer.h"
#include "CheckDownloadDlg.h"
#include "ErrorNoteDlg.h"
#include "PlayerWidget.h"
#include "QAboutDlg.h"
#include "QFileFolderExport.h"
#include "QImageButton.h"
#include "QImageProgressBar.h"
#include "QMessageDlg.h"
#include "QPlayListNameDlg.h"
#include "StartupChecks.h"
#include "TestFiles.h"
#include "WhenShown.h"

namespace {

struct Message {
    QString text;
    QString title;
    quint32 flags;
};

QByteArray Payload(char fill, int size) {
    QByteArray bytes(size, fill);
    for (int i = 0; i < size; i += 97)
        bytes[i] = char(i % 251);
    return bytes;
}

} // namespace

class tst_app : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_messages.clear();
        m_redirectAnswer = MSG_RESULT_YES;
        m_restarts = 0;
        CMessagePrompt::SetHandlerForTesting(
            [this](const QString& text, const QString& title, quint32 flags) {
                m_messages << Message{text, title, flags};
                return (flags & MSG_YESNO) ? m_redirectAnswer : MSG_RESULT_OK;
            });
        QDir(DriverFolder() + "/..").removeRecursively();
        qunsetenv("VEXA_DRIVER_URL");
        qunsetenv("VEXA_BACKEND");
    }

    void cleanup() { CMessagePrompt::SetHandlerForTesting({}); }

    // Driver files

    void driverFilesAreCheckedOnlyWithADownloadLocation() {
        QVERIFY(CheckDriverFiles());
        QVERIFY(!QDir(DriverFolder()).exists());
    }

    void missingDriverFilesCreateTheFolder_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<bool>("expected");
        QTest::newRow("none") << QStringList() << false;
        QTest::newRow("CoreFP.dll only") << QStringList{"CoreFP.dll"} << false;
        QTest::newRow("two of three") << QStringList{"iTunes.dll", "CoreFP.dll"} << false;
        QTest::newRow("all three") << QStringList{"iTunes.dll", "iTunesMobileDevice.dll", "CoreFP.dll"}
                                   << true;
    }

    void missingDriverFilesCreateTheFolder() {
        QFETCH(QStringList, present);
        QFETCH(bool, expected);
        qputenv("VEXA_DRIVER_URL", "http://127.0.0.1:9");
        for (const QString& name : present)
            QVERIFY(WriteFile(DriverFilePath(name), "library"));
        QCOMPARE(CheckDriverFiles(), expected);
        QVERIFY(QDir(DriverFolder()).exists());
        QVERIFY(m_messages.isEmpty());
    }

    // Download dialog

    void onlyMissingLibrariesAreFetchedInOrder_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none present")
            << QStringList() << QStringList{"iTunes.dll", "iTunesMobileDevice.dll", "CoreFP.dll"};
        QTest::newRow("CoreFP.dll present")
            << QStringList{"CoreFP.dll"} << QStringList{"iTunes.dll", "iTunesMobileDevice.dll"};
        QTest::newRow("mobile device present, stale iTunes")
            << QStringList{"iTunesMobileDevice.dll", "iTunes.dll"} << QStringList{"iTunes.dll", "CoreFP.dll"};
    }

    void onlyMissingLibrariesAreFetchedInOrder() {
        QFETCH(QStringList, present);
        QFETCH(QStringList, expected);
        LibraryServer server;
        // A longer stale copy must be replaced whole, not overwritten at its start.
        for (const QString& name : present)
            WriteFile(DriverFilePath(name), Payload('s', 300000));
        const auto dialog = StartDownload(server);
        QTRY_VERIFY(Shown(*dialog, "m_btnRestart"));

        QList<QByteArray> expectedPaths;
        for (const QString& name : expected) {
            expectedPaths << "/downloads/" + name.toLatin1();
            QCOMPARE(ReadFile(DriverFilePath(name)), LibraryBody(name));
        }
        QCOMPARE(server.Paths(), expectedPaths);
        auto* progress = dialog->findChild<QImageProgressBar*>("m_progressBar");
        QCOMPARE(progress->Maximum(), qint64(LibraryBody(expected.last()).size()));
        QCOMPARE(progress->Value(), progress->Maximum());
        QVERIFY(m_messages.isEmpty());
        QVERIFY(!Shown(*dialog, "m_labelReTry"));
    }

    void failedTransferRemovesPartialFileAndOffersRetry_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("message");
        QTest::newRow("not found") << "404"
                                   << "Download failed: .+Not Found\\.";
        QTest::newRow("hang-up mid-transfer") << "hangup"
                                              << "Download failed: .+\\.";
        QTest::newRow("redirect loop") << "loop"
                                       << "Download failed: Too many redirects\\.";
        QTest::newRow("redirect declined") << "declined"
                                           << "";
    }

    void failedTransferRemovesPartialFileAndOffersRetry() {
        QFETCH(QString, failure);
        QFETCH(QString, message);
        LibraryServer server;
        const QByteArray path = "/downloads/iTunesMobileDevice.dll";
        if (failure == "404") {
            server.Fail(path, 404);
        } else if (failure == "hangup") {
            server.HangUp(path, Payload('h', 200000), 70000);
        } else if (failure == "loop") {
            server.Redirect(path, "/a");
            server.Redirect("/a", "/b");
            server.Redirect("/b", path);
        } else {
            server.Redirect(path, "/elsewhere");
            m_redirectAnswer = MSG_RESULT_NO;
        }
        const auto dialog = StartDownload(server);
        QTRY_VERIFY(Shown(*dialog, "m_labelReTry"));

        QVERIFY(!QFile::exists(DriverFilePath("iTunesMobileDevice.dll")));
        QCOMPARE(ReadFile(DriverFilePath("iTunes.dll")), LibraryBody("iTunes.dll"));
        const QList<Message> errors = Errors();
        if (message.isEmpty()) {
            QVERIFY(errors.isEmpty());
        } else {
            QCOMPARE(errors.size(), 1);
            QVERIFY2(QRegularExpression("^" + message + "$").match(errors.first().text).hasMatch(),
                     qPrintable(errors.first().text));
            QCOMPARE(errors.first().flags, quint32(MSG_ERROR));
        }
        // The chain stops: no next library, no restart.
        QVERIFY(!QTest::qWaitFor([&] { return server.Paths().contains("/downloads/CoreFP.dll"); }, 100));
        QVERIFY(!Shown(*dialog, "m_btnRestart"));
        QCOMPARE(m_restarts, 0);
    }

    void acceptedRedirectFetchesFromTheNewAddress() {
        LibraryServer server;
        server.Redirect("/downloads/iTunes.dll", "/mirror/iTunes.dll");
        server.Serve("/mirror/iTunes.dll", Payload('m', 5000));
        const auto dialog = StartDownload(server);
        QTRY_VERIFY(Shown(*dialog, "m_btnRestart"));

        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.first().text, "Redirect to " + server.Url("/mirror/iTunes.dll") + " ?");
        QCOMPARE(m_messages.first().title, QString("HTTP"));
        QCOMPARE(m_messages.first().flags, quint32(MSG_YESNO));
        // Only the mirror's bytes: the redirect page's body was thrown away.
        QCOMPARE(ReadFile(DriverFilePath("iTunes.dll")), Payload('m', 5000));
    }

    void retryStartsOverButKeepsCoreFp() {
        LibraryServer server;
        server.Fail("/downloads/iTunesMobileDevice.dll", 404);
        WriteFile(DriverFilePath("CoreFP.dll"), "kept CoreFP");
        const auto dialog = StartDownload(server);
        auto* retry = dialog->findChild<QLabel*>("m_labelReTry");
        QTRY_VERIFY(!retry->isHidden());

        server.Serve("/downloads/iTunesMobileDevice.dll", LibraryBody("iTunesMobileDevice.dll"));
        server.requests.clear();
        QTest::mouseClick(retry, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(retry->isHidden());
        QTRY_VERIFY(Shown(*dialog, "m_btnRestart"));
        QCOMPARE(server.Paths(),
                 (QList<QByteArray>{"/downloads/iTunes.dll", "/downloads/iTunesMobileDevice.dll"}));
        QCOMPARE(ReadFile(DriverFilePath("CoreFP.dll")), QByteArray("kept CoreFP"));
    }

    void closingAbortsTheTransferAndDropsThePartialFile() {
        CTestHttpServer server;
        server.Stall("/downloads/iTunes.dll", Payload('x', 100000), 40000);
        const auto dialog = StartDownload(server);
        auto* progress = dialog->findChild<QImageProgressBar*>("m_progressBar");
        QTRY_COMPARE(progress->Value(), qint64(40000));
        QCOMPARE(progress->Maximum(), qint64(100000));
        QVERIFY(QFile::exists(DriverFilePath("iTunes.dll")));

        QTest::mouseClick(dialog->findChild<QImageButton*>("m_btnClose"), Qt::LeftButton);
        QCOMPARE(dialog->result(), 0);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!QFile::exists(DriverFilePath("iTunes.dll")));
        QVERIFY(dialog->findChild<QLabel*>("m_labelInfo")->text().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    void unsavableFileIsReportedAndNothingIsFetched() {
        LibraryServer server;
        QVERIFY(QDir().mkpath(DriverFilePath("iTunes.dll")));
        const auto dialog = StartDownload(server);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().text.startsWith("Unable to save the file " +
                                                    DriverFilePath("iTunes.dll") + ": "),
                 qPrintable(m_messages.first().text));
        QVERIFY(dialog->findChild<QLabel*>("m_labelInfo")->text().isEmpty());
        QVERIFY(!QTest::qWaitFor([&] { return !server.requests.isEmpty(); }, 100));
    }

    void countdownRestartsAfterEightTicks() {
        CheckDownloadDlg dialog;
        WatchRestarts(dialog);
        dialog.show();
        auto* info = dialog.findChild<QLabel*>("m_labelInfo");
        for (int remaining = 7; remaining >= 1; --remaining) {
            dialog.OnTimer();
            QCOMPARE(info->text(), QString("This will restart in %1 seconds.").arg(remaining));
            QCOMPARE(m_restarts, 0);
        }
        dialog.OnTimer();
        QCOMPARE(m_restarts, 1);
        QCOMPARE(dialog.result(), 0);
        QVERIFY(!dialog.isVisible());
    }

    // Crash report

    void errorNoteButtonsCloseWithTheirCodes_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("send") << "m_btnSend" << 1;
        QTest::newRow("cancel") << "m_btnNo" << 0;
        QTest::newRow("close") << "m_btnClose" << 0;
    }

    void errorNoteButtonsCloseWithTheirCodes() {
        QFETCH(QString, button);
        QFETCH(int, result);
        ErrorNoteDlg dialog;
        dialog.setResult(-1);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QImageButton*>(button), Qt::LeftButton);
        QCOMPARE(dialog.result(), result);
    }

    void crashLeavesDumpInWorkingDirectoryAndReportsIt_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("send") << "send";
        QTest::newRow("close") << "close";
    }

    void crashLeavesDumpInWorkingDirectoryAndReportsIt() {
        QFETCH(QString, answer);
        QTemporaryDir workDir;
        CTestHttpServer collector;
        collector.Serve("/reports", "thanks");
        QProcess program;
        program.setWorkingDirectory(workDir.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VEXA_CRASH_SELFTEST", "segv");
        environment.insert("VEXA_CRASH_REPORT_ANSWER", answer);
        environment.insert("VEXA_CRASH_UPLOAD_URL", collector.Url("/reports"));
        environment.remove("VEXA_DRIVER_URL");
        // As installed on Linux, where usbmuxd starts only once a phone is plugged in: the window opens
        // (and the fault comes) without a word about a missing transport.
        environment.insert("VEXA_BACKEND", "usb");
        environment.insert("USBMUXD_SOCKET_ADDRESS", "UNIX:" + workDir.filePath("usbmuxd"));
        program.setProcessEnvironment(environment);
        const qint64 started = QDateTime::currentMSecsSinceEpoch();
        program.start(VEXA_BIN_DIR "/vexa-transfer");
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(program.state() == QProcess::NotRunning, 30000);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        const QString log = QString::fromUtf8(program.readAllStandardError());
        const QRegularExpression reportLine("Crash report mode: (\\S+/VexaTransfer_Qvr_" +
                                            QRegularExpression::escape(VEXA_VERSION) + "_(\\d+)\\.dmp)");
        const QRegularExpressionMatch match = reportLine.match(log);
        QVERIFY2(match.hasMatch(), qPrintable(log));
        const QString dump = match.captured(1);
        QCOMPARE(QFileInfo(dump).absolutePath(), QFileInfo(workDir.path()).canonicalFilePath());
        QVERIFY(match.captured(2).toLongLong() >= started);

        QByteArray content;
        if (answer == "send") {
            QCOMPARE(collector.requests.size(), 1);
            QCOMPARE(collector.requests.first().method, QByteArray("POST"));
            content = collector.requests.first().body;
            QVERIFY(log.contains("UpdataReportFile returned 0"));
            QVERIFY(!QFile::exists(dump));
        } else {
            QVERIFY(collector.requests.isEmpty());
            content = ReadFile(dump);
        }
        // The dump names the version the About box shows, and the faulting thread's program counter.
        for (const char* line : {"Signal: 11 (SIGSEGV)\n", "Address: 0x10\n", "vexa-transfer(",
                                 "\nVersion: " VEXA_VERSION "\n", "Frames of the faulting thread"})
            QVERIFY2(content.contains(line), content.left(200).constData());
        QAboutDlg about;
        QVERIFY(about.findChild<QLabel*>(QStringLiteral("m_labelVersion"))
                    ->text()
                    .contains(" " VEXA_VERSION " "));
        QVERIFY(QDir(VEXA_BIN_DIR).entryList({"*.dmp"}).isEmpty());
    }

    // Window placement

    void windowsOpenCentredOnTheMainWindow_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("message") << "message";
        QTest::newRow("file dialog") << "file dialog";
        QTest::newRow("player") << "player";
        QTest::newRow("dialog made without parent") << "playlist name";
    }

    void windowsOpenCentredOnTheMainWindow() {
        QFETCH(QString, window);
        QMainWindow main;
        auto* page = new QWidget;
        main.setCentralWidget(page);
        // Neither at the screen's corner nor in its middle (the offscreen screen is 800 x 600).
        main.setGeometry(130, 40, 600, 420);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        // As without a window manager: nothing is active.
        QApplication::setActiveWindow(nullptr);
        QRect opened;
        const auto close = [&opened](QDialog* dialog) {
            opened = dialog->frameGeometry();
            dialog->reject();
        };
        if (window == "message") {
            WhenShown<QMessageDlg>(close);
            ShowMessage("Where am I?");
        } else if (window == "file dialog") {
            WhenShown<QFileDialog>(close);
            QFileFolderExport::ChooseFolder(page);
        } else if (window == "player") {
            PlayerWidget player(page);
            player.resize(700, 300);
            player.show();
            opened = player.frameGeometry();
        } else {
            WhenShown<QPlayListNameDlg>(close);
            QPlayListNameDlg().exec();
        }
        const QPoint offset = opened.center() - main.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 8,
                 qPrintable(QString::asprintf("%d x %d opened %d, %d off the main window's centre",
                                              opened.width(), opened.height(), offset.x(), offset.y())));
    }

private:
    static QByteArray LibraryBody(const QString& name) {
        return Payload(name.at(5).toLatin1(), 20000 + name.size() * 1000);
    }

    // A server with all three libraries where the driver download expects them.
    struct LibraryServer : CTestHttpServer {
        LibraryServer() {
            for (const char* name : {"iTunes.dll", "iTunesMobileDevice.dll", "CoreFP.dll"})
                Serve(QByteArray("/downloads/") + name, LibraryBody(name));
        }
    };

    // The dialog as the startup check opens it with `server` as the download location, restarts counted.
    std::unique_ptr<CheckDownloadDlg> StartDownload(const CTestHttpServer& server) {
        PrepareDriverFolder(server);
        auto dialog = std::make_unique<CheckDownloadDlg>();
        WatchRestarts(*dialog);
        dialog->show();
        dialog->StartDownload("iTunes.dll");
        return dialog;
    }

    void PrepareDriverFolder(const CTestHttpServer& server) {
        qputenv("VEXA_DRIVER_URL", (server.Url() + "/").toUtf8());
        QVERIFY(!CheckDriverFiles());
    }

    void WatchRestarts(CheckDownloadDlg& dialog) {
        dialog.SetRestartLauncher([this] { ++m_restarts; });
    }

    static bool Shown(const QWidget& dialog, const char* name) {
        return !dialog.findChild<QWidget*>(name)->isHidden();
    }

    QList<Message> Errors() const {
        QList<Message> errors;
        std::copy_if(m_messages.begin(), m_messages.end(), std::back_inserter(errors),
                     [](const Message& message) { return !(message.flags & MSG_YESNO); });
        return errors;
    }

    QList<Message> m_messages;
    int m_redirectAnswer = MSG_RESULT_YES;
    int m_restarts = 0;
};

QTEST_MAIN(tst_app)
#include "tst_app.moc"
