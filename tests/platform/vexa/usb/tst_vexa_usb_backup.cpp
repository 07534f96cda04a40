// Whole-device backup and restore through the usb backend against vexa-device-emulator, in both of the
// device-link versions devices speak. What the device sent is checked by Python's plistlib and sqlite3.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "BackupReport.h"
#include "EmulatorProcess.h"
#include "usb/DeviceLinkFiles.h"

namespace {

constexpr char kUdid[] = "00008030-001A2B3C4D5E6F71";

// Every file below `folder` by relative path, with its SHA-256. A backup holds snapshots of the media and
// photo databases, equal in content but not in bytes: those are compared by what sqlite3 prints of them,
// and their journal files are left out.
QMap<QString, QByteArray> checksums(const QString& folder) {
    QMap<QString, QByteArray> sums;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String("-wal")) || path.endsWith(QLatin1String("-shm"))) {
            continue;
        }
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (path.endsWith(QLatin1String(".sqlitedb")) || path.endsWith(QLatin1String(".sqlite"))) {
            QProcess dump;
            dump.start(QStringLiteral("sqlite3"), {path, QStringLiteral(".dump")});
            dump.waitForFinished();
            hash.addData(dump.readAllStandardOutput());
        } else if (QFile file(path); file.open(QIODevice::ReadOnly)) {
            hash.addData(&file);
        }
        sums.insert(QDir(folder).relativeFilePath(path), hash.result());
    }
    return sums;
}

int threadCount() {
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

// What the caller's progress callback heard; it can stop the transfer or run something part-way.
struct ProgressLog {
    std::vector<BackupProgress> reports;
    uint64_t stopAfterFiles = 0;
    std::function<void()> atStop;
    bool stopByCancelling = true;
};

int onProgress(const BackupProgress* progress, void* context) {
    auto* log = static_cast<ProgressLog*>(context);
    log->reports.push_back(*progress);
    if (log->stopAfterFiles != 0 && progress->filesDone >= log->stopAfterFiles) {
        if (log->atStop) {
            log->atStop();
            log->atStop = nullptr;
        }
        return log->stopByCancelling ? 1 : 0;
    }
    return 0;
}

} // namespace

class TestVexaUsbBackup : public QObject {
    Q_OBJECT

private:
    QString deviceFolder() const { return m_emulator.Root() + "/" + kUdid; }
    QString media() const { return deviceFolder() + "/Media"; }
    int backup(const QString& folder, ProgressLog* log = nullptr);
    int restore(const QString& folder, const char* password, ProgressLog* log = nullptr);

    void changeDevice() {
        QFile extra(media() + "/Downloads/after-backup.txt");
        QVERIFY(QDir().mkpath(media() + "/Downloads") && extra.open(QIODevice::WriteOnly) &&
                extra.write("later"));
        extra.close();
        const QStringList files = checksums(media()).keys();
        QVERIFY(files.size() > 2);
        QVERIFY(QFile::remove(media() + "/" + files.first()));
    }

    void reattach(size_t from) {
        QVERIFY(m_emulator.Control(QByteArray("attach ") + kUdid).startsWith("ok"));
        m_handle = WaitForEvent(from, VEXA_DEVICE_ARRIVED);
        QVERIFY(m_handle != 0);
    }

    EmulatorProcess m_emulator;
    QTemporaryDir m_local;
    int m_handle = 0;

private slots:
    void initTestCase() {
        QVERIFY(m_local.isValid());
        QCOMPARE(m_emulator.SimCtl({"create", "--udid", kUdid, "--name", "Backup iPhone", "--product-type",
                                    "iPhone12,1", "--apps", "2"}),
                 0);
        // Files of every size the stream handles: empty, one piece, several pieces.
        QVERIFY(QDir().mkpath(media() + "/DCIM/100APPLE"));
        for (int size : {0, 1, 65535, 65536, 300000}) {
            QFile file(media() + QStringLiteral("/DCIM/100APPLE/IMG_%1.JPG").arg(size));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QByteArray bytes(size, Qt::Uninitialized);
            for (int i = 0; i < size; ++i) {
                bytes[i] = char((i * 131 + size) & 0xff);
            }
            QCOMPARE(file.write(bytes), qint64(size));
        }
        QVERIFY(m_emulator.Start());
        qputenv("VEXA_BACKEND", "usb");
        const size_t from = EventCount();
        QCOMPARE(IOSInitialize(), 0);
        QCOMPARE(IOSListener(RecordEvent), 0);
        m_handle = WaitForEvent(from, VEXA_DEVICE_ARRIVED);
        QVERIFY(m_handle != 0);
    }

    void cleanupTestCase() {
        // The simulator backend that takes over finds the emulated device there, so it makes no demo device
        // while the program exits.
        qputenv("VEXA_SIM_ROOT", m_emulator.Root().toLocal8Bit());
        qputenv("VEXA_BACKEND", "sim");
        IOSInitialize(); // stops the usb backend: its threads end before the emulator does
        IOSListener(nullptr);
        m_emulator.Stop();
    }

    void deviceNamesStayInsideTheFolder() {
        const vexa::usb::DeviceLinkFiles files("/backups/phone", "UDID");
        std::filesystem::path local;
        QVERIFY(files.Map("UDID/ab/ab12", local));
        QCOMPARE(QString::fromStdString(local.string()), QStringLiteral("/backups/phone/ab/ab12"));
        QVERIFY(files.Map("UDID", local));
        QCOMPARE(QString::fromStdString(local.string()), QStringLiteral("/backups/phone"));
        for (const char* name : {"UDID/../other/Manifest.db", "UDID/ab/../../x", "UDID//etc/passwd",
                                 "UDID/./x", "OTHER/ab/ab12", "UDIDX/ab", "/UDID/ab", ""}) {
            QVERIFY2(!files.Map(name, local), name);
        }
    }

    void backupIsReadByIndependentReaders_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("modern device-link 400") << "modern";
        QTest::newRow("legacy device-link 300") << "legacy";
    }

    void backupIsReadByIndependentReaders() {
        QFETCH(QString, mode);
        QCOMPARE(m_emulator.Control("backup-mode " + mode.toLatin1()), QByteArray("ok"));
        const QString folder = m_local.filePath("backup-" + mode);
        // Files of the user's own beside the backup stay, and are never offered to the device.
        QVERIFY(QDir().mkpath(folder));
        QFile notes(folder + "/notes.txt");
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("mine"));
        notes.close();

        ProgressLog log;
        QCOMPARE(backup(folder, &log), int(VEXA_OK));
        const QJsonObject report = ReadBackup(folder, deviceFolder());
        QVERIFY2(BackupProblems(report).isEmpty(), BackupProblems(report).constData());
        QCOMPARE(report.value("udid").toString(), QString::fromLatin1(kUdid));
        QCOMPARE(report.value("snapshot").toString(), QStringLiteral("finished"));
        QVERIFY(!report.value("encrypted").toBool());
        QVERIFY(report.value("compared").toInt() > 5);
        QVERIFY(QFile::exists(folder + "/notes.txt"));
        QCOMPARE(QDir(folder).entryList({"backup-*"}, QDir::AllEntries | QDir::Hidden), QStringList());

        // Progress came after each file, the bytes only grew, and the last report is complete.
        QVERIFY(log.reports.size() > 5);
        for (size_t i = 1; i < log.reports.size(); ++i) {
            QVERIFY(log.reports[i].bytesDone >= log.reports[i - 1].bytesDone);
            QVERIFY(log.reports[i].bytesDone <= log.reports[i].bytesTotal);
        }
        const BackupProgress& last = log.reports.back();
        QCOMPARE(last.filesDone, last.filesTotal);
        QCOMPARE(last.bytesDone, last.bytesTotal);
        QVERIFY(last.bytesDone > 300000);

        // The restore window finds it among the device's backups.
        Manager bound = Bind(m_handle);
        BackupRecord* records = nullptr;
        int count = 0;
        QCOMPARE(bound->GetDeviceService()->GetBackups(&records, &count), int(VEXA_OK));
        const auto* found = std::find_if(records, records + count, [&folder](const BackupRecord& record) {
            return QString::fromStdU16String(record.folder) == folder;
        });
        QVERIFY(found != records + count);
        QCOMPARE(QByteArray(found->deviceName), QByteArray("Backup iPhone"));
        QCOMPARE(QByteArray(found->uniqueDeviceId), QByteArray(kUdid));
        QCOMPARE(found->encrypted, uint8_t(0));
        QCOMPARE(found->size, last.bytesDone);
    }

    void restoreBringsBackTheBackedUpDevice() {
        QCOMPARE(m_emulator.Control("backup-mode modern"), QByteArray("ok"));
        const QString folder = m_local.filePath("round-trip");
        const auto before = checksums(media());
        QCOMPARE(backup(folder), int(VEXA_OK));
        changeDevice();
        QVERIFY(checksums(media()) != before);

        ProgressLog log;
        QCOMPARE(restore(folder, nullptr, &log), int(VEXA_OK));
        QCOMPARE(checksums(media()), before);
        // Once the device has asked for the files, their number is known and stays.
        QVERIFY(!log.reports.empty());
        const BackupProgress last = log.reports.back();
        QCOMPARE(last.filesDone, last.filesTotal);
        for (const BackupProgress& report : log.reports) {
            QVERIFY(report.filesDone == 0 || report.filesTotal == last.filesTotal);
        }

        QCOMPARE(restore(m_local.filePath("no-such-backup"), nullptr), int(VEXA_E_NOT_A_BACKUP));
    }

    void encryptedBackupNeedsItsPassword() {
        // Few rounds keep the test quick: every restore derives the key again.
        QCOMPARE(m_emulator.SimCtl({"backup-password", kUdid, "secret", "--sha256-rounds", "20000",
                                    "--sha1-rounds", "1000"}),
                 0);
        const QString folder = m_local.filePath("encrypted");
        const auto before = checksums(media());
        QCOMPARE(backup(folder), int(VEXA_OK));
        QCOMPARE(m_emulator.SimCtl({"backup-password", kUdid}), 0);
        const QJsonObject report = ReadBackup(folder, deviceFolder(), QStringLiteral("secret"));
        QVERIFY2(BackupProblems(report).isEmpty(), BackupProblems(report).constData());
        QVERIFY(report.value("encrypted").toBool());

        changeDevice();
        const auto changed = checksums(media());
        QCOMPARE(restore(folder, nullptr), int(VEXA_E_PASSWORD));
        QCOMPARE(restore(folder, "wrong"), int(VEXA_E_PASSWORD));
        QCOMPARE(checksums(media()), changed);
        QCOMPARE(restore(folder, "secret"), int(VEXA_OK));
        QCOMPARE(checksums(media()), before);
    }

    void brokenSessionsFailAndKeepTheEarlierBackup_data() {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<bool>("restoring");
        for (const char* kind : {"drop", "malformed", "oversized", "error", "timeout", "detach"}) {
            QTest::addRow("backup, %s", kind) << QByteArray(kind) << false;
        }
        for (const char* kind : {"drop", "timeout", "detach"}) {
            QTest::addRow("restore, %s", kind) << QByteArray(kind) << true;
        }
    }

    void brokenSessionsFailAndKeepTheEarlierBackup() {
        QFETCH(QByteArray, kind);
        QFETCH(bool, restoring);
        const QString folder = m_local.filePath("earlier");
        if (!QFile::exists(folder + "/Manifest.db")) {
            QCOMPARE(backup(folder), int(VEXA_OK));
        }
        changeDevice();
        const auto device = checksums(media());
        const auto earlier = checksums(folder);
        const int threads = threadCount();

        const size_t from = EventCount();
        QCOMPARE(m_emulator.Control("fault backup " + kind), QByteArray("ok"));
        QElapsedTimer timer;
        timer.start();
        const int result = restoring ? restore(folder, nullptr) : backup(folder);
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY2(result != VEXA_OK && result != -1, qPrintable(QString::number(result)));
        if (kind == "timeout") {
            QCOMPARE(result, int(VEXA_E_TIMEOUT));
        }
        QCOMPARE(checksums(folder), earlier);
        QCOMPARE(checksums(media()), device);
        QCOMPARE(threadCount(), threads);
        m_emulator.Control("clear-faults");
        if (kind == "detach") {
            reattach(from);
        }
        // The next session works again.
        QCOMPARE(restore(folder, nullptr), int(VEXA_OK));
    }

    void interruptedTransfersLeaveEverythingAsItWas() {
        const QString folder = m_local.filePath("interrupted");
        QCOMPARE(backup(folder), int(VEXA_OK));
        const auto earlier = checksums(folder);
        changeDevice();
        const auto device = checksums(media());

        ProgressLog cancelled;
        cancelled.stopAfterFiles = 3;
        QCOMPARE(backup(folder, &cancelled), int(VEXA_E_CANCELLED));
        QCOMPARE(checksums(folder), earlier);
        cancelled = ProgressLog{};
        cancelled.stopAfterFiles = 3;
        QCOMPARE(restore(folder, nullptr, &cancelled), int(VEXA_E_CANCELLED));
        QCOMPARE(checksums(media()), device);

        // Unplugged part-way through the files: the removal ends the backup at once.
        const size_t from = EventCount();
        ProgressLog unplugged;
        unplugged.stopAfterFiles = 3;
        unplugged.stopByCancelling = false;
        unplugged.atStop = [this] { m_emulator.Control(QByteArray("detach ") + kUdid); };
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(backup(folder, &unplugged), int(VEXA_E_UNPLUGGED));
        QVERIFY(timer.elapsed() < 10000);
        QCOMPARE(checksums(folder), earlier);
        QCOMPARE(QDir(folder).entryList({"backup-*"}, QDir::AllEntries | QDir::Hidden), QStringList());
        reattach(from);
    }
};

int TestVexaUsbBackup::backup(const QString& folder, ProgressLog* log) {
    Manager bound = Bind(m_handle);
    return bound ? bound->GetDeviceService()->BackupDeviceWithProgress(folder.toStdU16String().c_str(), 0,
                                                                       log ? onProgress : nullptr, log)
                 : -1;
}

int TestVexaUsbBackup::restore(const QString& folder, const char* password, ProgressLog* log) {
    Manager bound = Bind(m_handle);
    return bound ? bound->GetDeviceService()->RestoreDeviceWithProgress(
                       folder.toStdU16String().c_str(), password, log ? onProgress : nullptr, log)
                 : -1;
}

QTEST_GUILESS_MAIN(TestVexaUsbBackup)
#include "tst_vexa_usb_backup.moc"
