#include <future>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include "CrashReport.h"

namespace {

// Accepts one request, keeps it whole, and answers with a fixed status once the body has arrived.
class UploadSink : public QObject {
public:
    explicit UploadSink(int status)
        : m_status(status) {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnData(socket); });
        });
    }
    QString Url(const QString& path) const {
        return QString("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    QByteArray head;
    QByteArray body;
    bool complete = false;

private:
    void OnData(QTcpSocket* socket) {
        m_buffer += socket->readAll();
        const qsizetype end = m_buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        head = m_buffer.left(end);
        const QRegularExpression lengthHeader("Content-Length: (\\d+)",
                                              QRegularExpression::CaseInsensitiveOption);
        const qsizetype length = lengthHeader.match(QString::fromLatin1(head)).captured(1).toLongLong();
        if (m_buffer.size() - end - 4 < length)
            return;
        body = m_buffer.mid(end + 4, length);
        complete = true;
        socket->write(QByteArray("HTTP/1.1 ") + QByteArray::number(m_status) +
                      " Status\r\nContent-Length: 0\r\n\r\n");
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArray m_buffer;
    int m_status;
};

// Runs the blocking upload off the GUI thread so the sink can serve it.
int UploadWhileServing(const QString& path) {
    const std::wstring widePath = path.toStdWString();
    auto result = std::async(std::launch::async, [widePath] { return UpdataReportFile(widePath.c_str()); });
    while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return result.get();
}

} // namespace

class tst_crash : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        qunsetenv("VEXA_CRASH_UPLOAD_URL");
    }

    void faultWritesDumpAndRelaunchesInReportMode_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("signalLine");
        QTest::newRow("access fault") << "segv"
                                      << "Signal: 11 (SIGSEGV)";
        QTest::newRow("division by zero") << "fpe"
                                          << "Signal: 8 (SIGFPE)";
        QTest::newRow("abort") << "abort"
                               << "Signal: 6 (SIGABRT)";
        QTest::newRow("call into the heap") << "wildcall"
                                            << "Signal: 11 (SIGSEGV)";
    }

    void faultWritesDumpAndRelaunchesInReportMode() {
        QFETCH(QString, kind);
        QFETCH(QString, signalLine);
        const QString dump = m_dir.filePath("victim " + kind + ".dmp");
        QProcess victim;
        victim.setProcessEnvironment(VictimEnvironment(dump, kind));
        victim.start(CRASH_VICTIM, {"first", "second argument"});
        QVERIFY(victim.waitForFinished(20000));

        // The re-executed program exits normally after its report, with the same arguments.
        QCOMPARE(victim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(victim.exitCode(), 0);
        const QString output = QString::fromUtf8(victim.readAllStandardOutput());
        QVERIFY2(output.contains("report mode: " + dump + "\n"), qPrintable(output));
        QVERIFY(output.contains("variable cleared: yes"));
        QVERIFY(output.contains("argument: first\nargument: second argument\n"));

        QFile file(dump);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY2(text.contains(signalLine), qPrintable(text.left(300)));
        if (kind == "segv")
            QVERIFY(text.contains("Address: 0x10\n"));
        if (kind == "abort") {
            // abort() signals the process itself.
            const QString self = QRegularExpression("\nProcess: (\\d+)\n").match(text).captured(1);
            QVERIFY(!self.isEmpty());
            QVERIFY(text.contains("Sent by process: " + self + "\n"));
        }
        QVERIFY(text.contains("\nVersion: 9.8.7.6\n"));
        // The faulting thread's own frames, read from the signal context, name the faulting
        // function; for a wild call the program counter is the bad address itself.
        const QString pc =
            QRegularExpression("\nPC: (0x[0-9a-f]+)\nSP: 0x[0-9a-f]+\n").match(text).captured(1);
        QVERIFY2(!pc.isEmpty(), qPrintable(text.left(600)));
        if (kind == "wildcall")
            QVERIFY(text.contains("Address: " + pc + "\n"));
        const qsizetype frames = text.indexOf("Frames of the faulting thread");
        const qsizetype backtrace = text.indexOf("Backtrace of the handler:\n");
        const qsizetype map = text.indexOf("Memory map:\n");
        QVERIFY(frames > 0 && backtrace > frames && map > backtrace);
        QVERIFY2(text.mid(frames, backtrace - frames).contains("crash_victim(VictimFault+0x"),
                 qPrintable(text.mid(frames, backtrace - frames)));
        QVERIFY(text.mid(map).contains("[stack]"));
    }

    // Without a report callback the process dumps and dies; a dump that cannot be written still reaches
    // report mode.
    void otherEndsOfAFault_data() {
        QTest::addColumn<QString>("dump");
        QTest::addColumn<bool>("report");
        QTest::newRow("no callback") << "silent.dmp" << false;
        QTest::newRow("unwritable dump") << "missing folder/x.dmp" << true;
    }

    void otherEndsOfAFault() {
        QFETCH(QString, dump);
        QFETCH(bool, report);
        dump = m_dir.filePath(dump);
        QProcess victim;
        QProcessEnvironment environment = VictimEnvironment(dump, "segv");
        if (!report)
            environment.insert("VICTIM_NO_REPORT", "1");
        victim.setProcessEnvironment(environment);
        victim.start(CRASH_VICTIM);
        QVERIFY(victim.waitForFinished(20000));
        QCOMPARE(victim.exitStatus(), report ? QProcess::NormalExit : QProcess::CrashExit);
        QCOMPARE(victim.readAllStandardOutput().contains("report mode: " + dump.toUtf8()), report);
        QCOMPARE(QFile::exists(dump), !report);
    }

    void uploadPostsTheWholeDumpAndRemovesIt() {
        const QString dump = WriteDump("dump.dmp", QByteArray("binary\0data\r\n\r\nend", 19).repeated(5000));
        UploadSink sink(200);
        qputenv("VEXA_CRASH_UPLOAD_URL", sink.Url("/crash/upload").toUtf8());
        QCOMPARE(UploadWhileServing(dump), int(CrashUploaded));
        QVERIFY(sink.complete);
        QVERIFY(sink.head.startsWith("POST /crash/upload HTTP/1.1\r\n"));
        QVERIFY(sink.head.contains("filename=\"dump.dmp\""));
        QCOMPARE(sink.body, QByteArray("binary\0data\r\n\r\nend", 19).repeated(5000));
        QVERIFY(!QFile::exists(dump));
    }

    void failedUploadsKeepTheDump_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("expected");
        QTest::newRow("no address") << "" << int(CrashKept);
        QTest::newRow("not http") << "https://127.0.0.1/x" << int(CrashBadAddress);
        QTest::newRow("bad port") << "http://127.0.0.1:99999/x" << int(CrashBadAddress);
        QTest::newRow("server error") << "sink" << int(CrashRejected);
        QTest::newRow("nobody listening") << "closed" << int(CrashConnectFailed);
    }

    void failedUploadsKeepTheDump() {
        QFETCH(QString, url);
        QFETCH(int, expected);
        const QString dump = WriteDump("kept.dmp", "dump");
        UploadSink sink(500);
        if (url == "sink") {
            url = sink.Url("/");
        } else if (url == "closed") {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost);
            url = QString("http://127.0.0.1:%1/").arg(probe.serverPort());
        }
        qputenv("VEXA_CRASH_UPLOAD_URL", url.toUtf8());
        QCOMPARE(UploadWhileServing(dump), expected);
        QVERIFY(QFile::exists(dump));
    }

    void missingDumpIsReported() {
        QCOMPARE(UploadWhileServing(m_dir.filePath("never written.dmp")), int(CrashDumpUnreadable));
    }

private:
    QProcessEnvironment VictimEnvironment(const QString& dump, const QString& kind) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VICTIM_DUMP", dump);
        environment.insert("VEXA_CRASH_SELFTEST", kind);
        environment.remove(kCrashReportVariable);
        return environment;
    }

    QString WriteDump(const QString& name, const QByteArray& content) const {
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return file.fileName();
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_crash)
#include "tst_crash.moc"
