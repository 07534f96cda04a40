// Backups written by a Python script from the published steps, plain and encrypted, read back: files found
// by domain and path with their logs, listings, identity, and each damage answered by its code with
// nothing half written.
#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "IosTests.h"
#include "TestFiles.h"
#include "ios/BackupArchive.h"
#include "ios/ReadResult.h"

using namespace vexa::ios;

namespace {

constexpr const char* kPassword = "s3cret";

QString StoredFile(const QString& backup, const QByteArray& domainAndPath) {
    const QString id = QCryptographicHash::hash(domainAndPath, QCryptographicHash::Sha1).toHex();
    return backup + "/" + id.left(2) + "/" + id;
}

} // namespace

class BackupArchiveTests : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_messages, m_log, m_movie;

    // A backup with a database and its log, a folder, a neighbour whose name starts like the folder's,
    // and a movie bigger than one cipher chunk.
    QString MakeBackup(const QString& name, bool encrypted, int sizeOffset = 0) {
        const QString folder = m_dir.filePath(name);
        const auto file = [this](const char* domain, const char* path, const char* source) {
            return QStringList{"--file", domain, path, m_dir.filePath(source)};
        };
        QStringList arguments = QStringList{VEXA_SOURCE_DIR "/tests/platform/vexa/ios/make_backup.py",
                                            folder,
                                            "--size-offset",
                                            QString::number(sizeOffset),
                                            "--folder",
                                            "HomeDomain",
                                            "Library/SMS"} +
                                file("HomeDomain", "Library/SMS/sms.db", "sms.db") +
                                file("HomeDomain", "Library/SMS/sms.db-wal", "sms.db-wal") +
                                file("HomeDomain", "Library/SMSMigration/state.plist", "sms.db") +
                                file("CameraRollDomain", "Media/DCIM/100APPLE/IMG_0001.MOV", "IMG_0001.MOV");
        if (encrypted)
            arguments << "--password" << kPassword;
        QProcess python;
        python.start("/usr/bin/python3", arguments);
        if (!python.waitForFinished(60000) || python.exitCode() != 0)
            qWarning("make_backup.py: %s", python.readAllStandardError().constData());
        return folder;
    }

    // Opens `folder` and unlocks it when it is encrypted.
    static int OpenReadable(BackupArchive& archive, const QString& folder) {
        const int opened = archive.Open(folder.toStdString());
        return opened != kReadOk || !archive.Identity().encrypted ? opened : archive.Unlock(kPassword);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_messages = QByteArray("SQLite format 3").append('\0').append(QByteArray(4080, 'm'));
        m_log = QByteArray("wal frames ").repeated(100);
        for (int i = 0; i < 200000; ++i)
            m_movie.append(char(i * 7919 % 251));
        QVERIFY(WriteFile(m_dir.filePath("sms.db"), m_messages));
        QVERIFY(WriteFile(m_dir.filePath("sms.db-wal"), m_log));
        QVERIFY(WriteFile(m_dir.filePath("IMG_0001.MOV"), m_movie));
    }

    void readsFilesOfPlainAndEncryptedBackups_data() {
        QTest::addColumn<bool>("encrypted");
        QTest::newRow("plain") << false;
        QTest::newRow("encrypted") << true;
    }
    void readsFilesOfPlainAndEncryptedBackups() {
        QFETCH(bool, encrypted);
        const QString folder = MakeBackup(QTest::currentDataTag(), encrypted);
        BackupArchive archive;
        QCOMPARE(archive.Open(folder.toStdString()), int(kReadOk));
        const BackupIdentity& id = archive.Identity();
        // Taken 2024-03-01 12:30:00 UTC.
        QCOMPARE(QString::fromStdString(id.deviceName + "|" + id.productType + "|" + id.iosVersion + "|" +
                                        std::to_string(id.backupDate) + (id.encrypted ? " encrypted" : "")),
                 QString("Anna's iPhone|iPhone15,2|17.1|1709296200") + (encrypted ? " encrypted" : ""));
        if (encrypted) {
            BackupEntry entry;
            QCOMPARE(archive.Find("HomeDomain", "Library/SMS/sms.db", entry), int(kReadPasswordNeeded));
            QCOMPARE(archive.Unlock(""), int(kReadPasswordNeeded));
            QCOMPARE(archive.Unlock("wrong"), int(kReadWrongPassword));
            QCOMPARE(archive.Unlock(kPassword, [] { return true; }), int(kReadCancelled));
            QCOMPARE(archive.Unlock(kPassword), int(kReadOk));
        }

        BackupEntry entry;
        QCOMPARE(archive.Find("HomeDomain", "Library/SMS/sms.db", entry), int(kReadOk));
        QCOMPARE(entry.size, uint64_t(m_messages.size()));
        QCOMPARE(entry.fileId, std::string("3d0d7e5fb2ce288813306e4d4636395e047a3d28"));
        QCOMPARE(entry.protectionClass, encrypted ? 3u : 0u);
        QCOMPARE(archive.Find("MediaDomain", "Library/SMS/sms.db", entry), int(kReadMissing));
        QVERIFY(archive.Problem().find("MediaDomain-Library/SMS/sms.db") != std::string::npos);

        std::vector<BackupEntry> entries;
        QCOMPARE(archive.List("HomeDomain", "Library/SMS", entries), int(kReadOk));
        QStringList paths;
        for (const BackupEntry& listed : entries)
            paths << QString::fromStdString(listed.relativePath) + (listed.directory ? "/" : "");
        QCOMPARE(paths, QStringList({"Library/SMS/", "Library/SMS/sms.db", "Library/SMS/sms.db-wal"}));

        // The copy brings its log along and drops a stale one the folder held.
        const QString out = m_dir.filePath(QString("out-") + QTest::currentDataTag());
        QVERIFY(WriteFile(out + "/sms.db-shm", "stale"));
        std::filesystem::path copied;
        QCOMPARE(archive.CopyOut("HomeDomain", "Library/SMS/sms.db", out.toStdString(), &copied),
                 int(kReadOk));
        QCOMPARE(QString::fromStdString(copied.string()), out + "/sms.db");
        QCOMPARE(ReadFile(out + "/sms.db"), m_messages);
        QCOMPARE(ReadFile(out + "/sms.db-wal"), m_log);
        QVERIFY(!QFile::exists(out + "/sms.db-shm"));
        QCOMPARE(archive.CopyOut("CameraRollDomain", "Media/DCIM/100APPLE/IMG_0001.MOV", out.toStdString()),
                 int(kReadOk));
        QCOMPARE(ReadFile(out + "/IMG_0001.MOV"), m_movie);

        if (encrypted) {
            // The derived key opens the backup again without the rounds.
            BackupArchive again;
            QCOMPARE(again.Open(folder.toStdString()), int(kReadOk));
            QCOMPARE(again.UnlockWithKey(archive.PasswordKey()), int(kReadOk));
            QCOMPARE(again.Find("HomeDomain", "Library/SMS/sms.db-wal", entry), int(kReadOk));
            QCOMPARE(again.UnlockWithKey(std::vector<uint8_t>(32, 1)), int(kReadWrongPassword));
        }
    }

    void damageIsAnsweredByItsCodeAndLeavesNothing_data() {
        QTest::addColumn<bool>("encrypted");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("problem");
        for (bool encrypted : {false, true}) {
            const char* kind = encrypted ? "encrypted " : "plain ";
            auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow((kind + QString(name)).toUtf8().constData());
            };
            row("garbage Manifest.db")
                << encrypted << "manifest" << int(kReadDamaged)
                << (encrypted ? "Manifest.db does not decrypt" : "Manifest.db is damaged");
            row("no Manifest.db") << encrypted << "no manifest" << int(kReadMissing)
                                  << "Manifest.db is missing";
            row("stored file gone") << encrypted << "stored" << int(kReadMissing) << "stored file is missing";
            row("log gone") << encrypted << "log" << int(kReadMissing)
                            << "sms.db-wal: the stored file is missing";
            row("size differs") << encrypted << "size" << int(kReadDamaged) << "size differs";
            row("Manifest.plist garbage")
                << encrypted << "plist" << int(kReadDamaged) << "Manifest.plist is damaged";
        }
        QTest::newRow("encrypted file cut") << true << "cut" << int(kReadDamaged) << "does not decrypt";
    }
    void damageIsAnsweredByItsCodeAndLeavesNothing() {
        QFETCH(bool, encrypted);
        QFETCH(QString, damage);
        QFETCH(int, expected);
        QFETCH(QString, problem);
        const QString folder = MakeBackup(QString("damaged %1").arg(QTest::currentDataTag()), encrypted,
                                          damage == "size" ? 1 : 0);
        const QString messages = StoredFile(folder, "HomeDomain-Library/SMS/sms.db");
        if (damage == "manifest")
            QVERIFY(WriteFile(folder + "/Manifest.db",
                              QByteArray("not a database, not a cipher text").repeated(50)));
        else if (damage == "no manifest")
            QVERIFY(QFile::remove(folder + "/Manifest.db"));
        else if (damage == "stored")
            QVERIFY(QFile::remove(messages));
        else if (damage == "log")
            QVERIFY(QFile::remove(StoredFile(folder, "HomeDomain-Library/SMS/sms.db-wal")));
        else if (damage == "plist")
            QVERIFY(WriteFile(folder + "/Manifest.plist", "<?xml version=\"1.0\"?><plist><dict><key>"));
        else if (damage == "cut")
            QVERIFY(QFile::resize(messages, QFileInfo(messages).size() - 5));

        BackupArchive archive;
        int result = OpenReadable(archive, folder);
        const QString out = m_dir.filePath(QString("out damaged %1").arg(QTest::currentDataTag()));
        if (result == kReadOk)
            result = archive.CopyOut("HomeDomain", "Library/SMS/sms.db", out.toStdString());
        QCOMPARE(ReadResultName(result), ReadResultName(expected));
        QVERIFY2(QString::fromStdString(archive.Problem()).contains(problem), archive.Problem().c_str());
        QVERIFY(QDir(out).isEmpty());
    }
};

VEXA_IOS_TEST(BackupArchiveTests)
#include "BackupArchiveTests.moc"
