// Whole-device backup and restore through the usb backend against vexa-device-emulator, in both of the
// device-link versions devices speak. What the device sent is checked by Python's plistlib and sqlite3.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <span>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/DeviceSnapshot.h>
#include <vexa/vexa.h>

#include "BackupReport.h"
#include "EmulatorProcess.h"
#include "TestFiles.h"
#include "sim/SimDevice.h"
#include "sim/content/CallHistoryStore.h"
#include "sim/content/MessageStore.h"
#include "usb/DeviceLinkFiles.h"

namespace {

constexpr char kUdid[] = "00008030-001A2B3C4D5E6F71";

// Every file below `folder` by relative path, with its SHA-256. A backup holds snapshots of the media and
// photo databases, equal in content but not in bytes: those are compared by what sqlite3 prints of them,
// and their journal files are left out.
QMap<QString, QByteArray> checksums(const QString& folder) {
    QMap<QString, QByteArray> sums;
    for (const QString& path : FilesUnder(folder)) {
        if (path.endsWith(QLatin1String("-wal")) || path.endsWith(QLatin1String("-shm")))
            continue;
        const bool database =
            path.endsWith(QLatin1String(".sqlitedb")) || path.endsWith(QLatin1String(".sqlite"));
        const QByteArray bytes = database ? RunProgram("sqlite3", {path, ".dump"}).toUtf8() : ReadFile(path);
        sums.insert(QDir(folder).relativeFilePath(path),
                    QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
    }
    return sums;
}

// What the emulated device says it sent in its last backup.
struct SentFigures {
    bool incremental = false;
    qint64 files = -1;
    qint64 bytes = -1;
    qint64 removed = -1;
};

SentFigures sentFigures(EmulatorProcess& emulator) {
    const QList<QByteArray> words = emulator.Control("backup-stats").split(' ');
    SentFigures figures;
    if (words.size() == 8 && words[0] == "ok")
        figures = {words[1] == "incremental", words[3].toLongLong(), words[5].toLongLong(),
                   words[7].toLongLong()};
    return figures;
}

qulonglong inodeOf(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? qulonglong(status.st_ino) : 0;
}

// The texts of every message the device's service lists; empty when it fails.
QStringList messageTexts(IVexaManager* manager) {
    ConversationList* list = nullptr;
    QStringList texts;
    if (manager->GetDeviceService()->GetMessages(&list, 0) != VEXA_OK || list == nullptr)
        return texts;
    for (const ConversationRecord& conversation : std::span(list->conversations, size_t(list->count))) {
        for (const MessageRecord& message :
             std::span(conversation.messages, size_t(conversation.messageCount)))
            texts << QString::fromUtf8(message.text);
    }
    return texts;
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
        if (const std::function<void()> atStop = std::exchange(log->atStop, nullptr))
            atStop(); // once
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
        QVERIFY(WriteFile(media() + "/Downloads/after-backup.txt", "later"));
        const QStringList files = checksums(media()).keys();
        QVERIFY(files.size() > 2);
        QVERIFY(QFile::remove(media() + "/" + files.first()));
    }

    // A message received on the simulated device, written as its Messages app writes one.
    void addMessage(const char* text) {
        vexa::sim::SimDevice device(deviceFolder().toStdString());
        vexa::sim::DatabaseSession session = vexa::sim::MessageStore::Lock(device.MessageDatabase());
        QCOMPARE(session.Result(), int(VEXA_OK));
        QVERIFY(vexa::sim::MessageStore::EnsureTables(session.Handle()));
        vexa::sim::MessageStore store(session.Handle(), device.Folder());
        int64_t conversation = 0;
        QCOMPARE(store.AddConversation("+15550100", std::nullopt, &conversation), int(VEXA_OK));
        QCOMPARE(store.AddMessage(conversation, false, "2026-01-02 03:04:05", text), int(VEXA_OK));
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
        for (int size : {0, 1, 65535, 65536, 300000}) {
            QByteArray bytes(size, Qt::Uninitialized);
            for (int i = 0; i < size; ++i)
                bytes[i] = char((i * 131 + size) & 0xff);
            QVERIFY(WriteFile(media() + QStringLiteral("/DCIM/100APPLE/IMG_%1.JPG").arg(size), bytes));
        }
        QVERIFY(m_emulator.Start());
        m_handle = m_emulator.ListenForOne("usb");
        QVERIFY(m_handle != 0);
    }

    void init() { QCOMPARE(m_emulator.Control("backup-mode modern"), QByteArray("ok")); }

    void deviceNamesStayInsideTheFolder() {
        const vexa::usb::DeviceLinkFiles files("/backups/phone", "UDID");
        std::filesystem::path local;
        QVERIFY(files.Map("UDID/ab/ab12", local));
        QCOMPARE(QString::fromStdString(local.string()), QStringLiteral("/backups/phone/ab/ab12"));
        QVERIFY(files.Map("UDID", local));
        QCOMPARE(QString::fromStdString(local.string()), QStringLiteral("/backups/phone"));
        for (const char* name : {"UDID/../other/Manifest.db", "UDID/ab/../../x", "UDID//etc/passwd",
                                 "UDID/./x", "OTHER/ab/ab12", "UDIDX/ab", "/UDID/ab", ""})
            QVERIFY2(!files.Map(name, local), name);
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
        QVERIFY(WriteFile(folder + "/notes.txt", "mine"));

        ProgressLog log;
        QCOMPARE(backup(folder, &log), int(VEXA_OK));
        const QJsonObject report = ReadBackup(folder, deviceFolder());
        QCOMPARE(BackupProblems(report), QByteArray());
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
        for (const BackupProgress& report : log.reports)
            QVERIFY(report.filesDone == 0 || report.filesTotal == last.filesTotal);

        QCOMPARE(restore(m_local.filePath("no-such-backup"), nullptr), int(VEXA_E_NOT_A_BACKUP));
    }

    void encryptedBackupNeedsItsPassword() {
        // Few rounds keep the test quick: every restore derives the key again.
        QCOMPARE(m_emulator.SetBackupPassword(kUdid, "secret"), 0);
        const QString folder = m_local.filePath("encrypted");
        const auto before = checksums(media());
        QCOMPARE(backup(folder), int(VEXA_OK));
        // The device seals every file of a backup under keys of that backup: a later one is whole
        // again, and nothing of the earlier one stays behind.
        QCOMPARE(backup(folder), int(VEXA_OK));
        QVERIFY(!sentFigures(m_emulator).incremental);
        QCOMPARE(m_emulator.SetBackupPassword(kUdid), 0);
        const QJsonObject report = ReadBackup(folder, deviceFolder(), QStringLiteral("secret"));
        QCOMPARE(BackupProblems(report), QByteArray());
        QVERIFY(report.value("encrypted").toBool());

        changeDevice();
        const auto changed = checksums(media());
        QCOMPARE(restore(folder, nullptr), int(VEXA_E_PASSWORD));
        QCOMPARE(restore(folder, "wrong"), int(VEXA_E_PASSWORD));
        QCOMPARE(checksums(media()), changed);
        QCOMPARE(restore(folder, "secret"), int(VEXA_OK));
        QCOMPARE(checksums(media()), before);
    }

    void laterBackupsSendOnlyWhatChanged() {
        // Laid out as Debian's tool keeps its backups, so that it can bring this one up to date too.
        const QString tree = m_local.filePath("tree");
        const QString folder = tree + "/" + kUdid;
        ProgressLog first;
        QCOMPARE(backup(folder, &first), int(VEXA_OK));
        const SentFigures full = sentFigures(m_emulator);
        QVERIFY(!full.incremental && full.files > 5);
        QCOMPARE(qint64(first.reports.back().filesCopied), full.files);

        // The earlier backup's files linked elsewhere: writing through any of them would show there.
        const QString kept = m_local.filePath("tree-kept");
        QCOMPARE(QProcess::execute("cp", {"-al", folder, kept}), 0);
        const auto earlier = checksums(kept);
        const QString photo = QString::fromLatin1(
            QCryptographicHash::hash("CameraRollDomain-Media/DCIM/100APPLE/IMG_300000.JPG",
                                     QCryptographicHash::Sha1)
                .toHex());
        const QString stored = photo.left(2) + "/" + photo;
        const qulonglong photoInode = inodeOf(folder + "/" + stored);
        QVERIFY(photoInode != 0);

        changeDevice();
        ProgressLog second;
        QCOMPARE(backup(folder, &second), int(VEXA_OK));
        const SentFigures changed = sentFigures(m_emulator);
        QVERIFY(changed.incremental);
        QCOMPARE(changed.removed, qint64(1));
        QVERIFY2(changed.bytes < full.bytes - 300000, qPrintable(QString::number(changed.bytes)));
        QCOMPARE(qint64(second.reports.back().filesCopied), changed.files);
        QCOMPARE(BackupProblems(ReadBackup(folder, deviceFolder())), QByteArray());
        QCOMPARE(inodeOf(folder + "/" + stored), photoInode);
        QCOMPARE(checksums(kept), earlier);

        // A second backup into the same folder while one runs is refused at once.
        ProgressLog running;
        running.stopAfterFiles = 1;
        running.stopByCancelling = false;
        int concurrent = -1;
        running.atStop = [&] { concurrent = backup(folder); };
        QCOMPARE(backup(folder, &running), int(VEXA_OK));
        QCOMPARE(concurrent, int(VEXA_E_EXISTS));

        // Debian's tool, a real client, brings the program's backup up to date the same way.
        changeDevice();
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start("idevicebackup2", {"-u", kUdid, "backup", tree});
        QVERIFY(tool.waitForFinished(60000));
        const QByteArray output = tool.readAll();
        QVERIFY2(tool.exitCode() == 0 && output.contains("Backup Successful."), output.constData());
        QVERIFY(sentFigures(m_emulator).incremental);
        QCOMPARE(BackupProblems(ReadBackup(folder, deviceFolder())), QByteArray());
        // And the program takes up the tool's backup; asked for a full one, it gets every file again.
        QCOMPARE(backup(folder), int(VEXA_OK));
        QVERIFY(sentFigures(m_emulator).incremental);
        Manager bound = Bind(m_handle);
        QCOMPARE(bound->GetDeviceService()->BackupDeviceWithProgress(folder.toStdU16String().c_str(),
                                                                     BACKUP_FULL, nullptr, nullptr),
                 int(VEXA_OK));
        QVERIFY(!sentFigures(m_emulator).incremental);
        QCOMPARE(BackupProblems(ReadBackup(folder, deviceFolder())), QByteArray());
    }

    void contactsMessagesAndCallsComeFromASnapshot() {
        const QString folder = qEnvironmentVariable("XDG_CACHE_HOME") + "/vexa-transfer/snapshots/" + kUdid;
        QVERIFY(QDir(folder).removeRecursively()); // left by an earlier run
        addMessage("before the first snapshot");
        Manager bound = Bind(m_handle);
        QVERIFY(HasDeviceSnapshot(bound.get()));
        QCOMPARE(DeviceSnapshotTime(bound.get()), int64_t(0));
        QCOMPARE(bound->GetContactService()->GetWriteAccess(), int(kContentReadOnlyOnPhone));
        QCOMPARE(bound->GetDeviceService()->GetWriteAccess(), int(kContentReadOnlyOnPhone));

        // The first read takes the snapshot, whole, into the user's cache.
        QVERIFY(messageTexts(bound.get()).contains("before the first snapshot"));
        QVERIFY(!sentFigures(m_emulator).incremental);
        QVERIFY(QFile::exists(folder + "/Manifest.db"));
        QVERIFY(DeviceSnapshotTime(bound.get()) > 0);
        ContactList* contacts = nullptr;
        QCOMPARE(bound->GetContactService()->GetContacts(&contacts), int(VEXA_OK));
        QCOMPARE(bound->GetContactService()->DeleteContact("1"), int(VEXA_E_READ_ONLY));
        // Only an encrypted backup holds the call history.
        CallHistoryList* calls = nullptr;
        QVERIFY(!DeviceSnapshotEncrypted(bound.get()));
        QCOMPARE(bound->GetDeviceService()->GetCallHistory(&calls), int(VEXA_E_NOT_FOUND));

        // Refresh brings the snapshot up to date with what changed.
        addMessage("after the first snapshot");
        QVERIFY(!messageTexts(bound.get()).contains("after the first snapshot"));
        QCOMPARE(RefreshDeviceSnapshot(bound.get(), nullptr, nullptr), int(VEXA_OK));
        QVERIFY(sentFigures(m_emulator).incremental);
        QVERIFY(messageTexts(bound.get()).contains("after the first snapshot"));
        // A refresh the device leaves part-way swaps nothing in: the earlier snapshot is read still,
        // without the device.
        addMessage("never read");
        const size_t from = EventCount();
        QCOMPARE(m_emulator.Control("fault backup detach"), QByteArray("ok"));
        QVERIFY(RefreshDeviceSnapshot(bound.get(), nullptr, nullptr) != VEXA_OK);
        m_emulator.Control("clear-faults");
        const QStringList texts = messageTexts(bound.get());
        QVERIFY(texts.contains("after the first snapshot") && !texts.contains("never read"));
        reattach(from);

        // A device that encrypts its backups: its snapshot opens with their password and holds the calls.
        QVERIFY(vexa::sim::CallHistoryStore::Write(deviceFolder().toStdString(), 2, [](int i) {
                    vexa::sim::CallHistoryStore::Call call;
                    call.address = "+1555010" + std::to_string(i);
                    call.unixTime = 1767225600 + i;
                    return call;
                }) == VEXA_OK);
        QCOMPARE(m_emulator.SetBackupPassword(kUdid, "secret"), 0);
        Manager again = Bind(m_handle);
        QVERIFY(DeviceSnapshotTime(again.get()) > 0); // the snapshot outlives the session
        QCOMPARE(RefreshDeviceSnapshot(again.get(), nullptr, nullptr), int(VEXA_OK));
        QVERIFY(DeviceSnapshotEncrypted(again.get()));
        QCOMPARE(again->GetDeviceService()->GetCallHistory(&calls), int(VEXA_E_PASSWORD));
        QCOMPARE(UnlockDeviceSnapshot(again.get(), "wrong"), int(VEXA_E_PASSWORD));
        QCOMPARE(UnlockDeviceSnapshot(again.get(), "secret"), int(VEXA_OK));
        QCOMPARE(again->GetDeviceService()->GetCallHistory(&calls), int(VEXA_OK));
        QCOMPARE(calls->count, 2);
        QVERIFY(messageTexts(again.get()).contains("never read"));
        QCOMPARE(m_emulator.SetBackupPassword(kUdid), 0);

        // The snapshot is the library's own: the user's list of backups does not show it.
        BackupRecord* records = nullptr;
        int count = 0;
        QCOMPARE(again->GetDeviceService()->GetBackups(&records, &count), int(VEXA_OK));
        for (int i = 0; i < count; ++i) {
            QVERIFY(!QString::fromStdU16String(records[i].folder).contains("snapshots"));
        }
    }

    void brokenSessionsFailAndKeepTheEarlierBackup_data() {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<bool>("restoring");
        for (const char* kind :
             {"drop", "malformed", "oversized", "error", "timeout", "detach", "cancel", "unplug"})
            QTest::addRow("backup, %s", kind) << QByteArray(kind) << false;
        for (const char* kind : {"drop", "timeout", "detach", "cancel"})
            QTest::addRow("restore, %s", kind) << QByteArray(kind) << true;
    }

    // Faults strike where the emulator plans them; the user cancels, or unplugs the device, after the
    // third file.
    void brokenSessionsFailAndKeepTheEarlierBackup() {
        QFETCH(QByteArray, kind);
        QFETCH(bool, restoring);
        const QString folder = m_local.filePath("earlier");
        if (!QFile::exists(folder + "/Manifest.db"))
            QCOMPARE(backup(folder), int(VEXA_OK));
        changeDevice();
        const auto device = checksums(media());
        const auto earlier = checksums(folder);
        const int threads = threadCount();

        const size_t from = EventCount();
        ProgressLog log;
        const bool byUser = kind == "cancel" || kind == "unplug";
        log.stopAfterFiles = byUser ? 3 : 0;
        log.stopByCancelling = kind == "cancel";
        if (kind == "unplug")
            log.atStop = [this] { m_emulator.Control(QByteArray("detach ") + kUdid); };
        else if (!byUser)
            QCOMPARE(m_emulator.Control("fault backup " + kind), QByteArray("ok"));
        QElapsedTimer timer;
        timer.start();
        const int result = restoring ? restore(folder, nullptr, &log) : backup(folder, &log);
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY2(result != VEXA_OK && result != -1, qPrintable(QString::number(result)));
        const std::map<QByteArray, int> exact{
            {"timeout", VEXA_E_TIMEOUT}, {"cancel", VEXA_E_CANCELLED}, {"unplug", VEXA_E_UNPLUGGED}};
        if (exact.count(kind))
            QCOMPARE(result, exact.at(kind));
        QCOMPARE(checksums(folder), earlier);
        QCOMPARE(checksums(media()), device);
        QCOMPARE(QDir(folder).entryList({"backup-*"}, QDir::AllEntries | QDir::Hidden), QStringList());
        QCOMPARE(threadCount(), threads);
        m_emulator.Control("clear-faults");
        if (kind == "detach" || kind == "unplug")
            reattach(from);
        // The next session works again.
        QCOMPARE(restore(folder, nullptr), int(VEXA_OK));
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
