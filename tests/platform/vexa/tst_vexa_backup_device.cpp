// A backup folder opened as a device: backups the program makes of a simulated phone and backups written
// by an independent Python script list the same contacts, conversations and calls as the phone itself,
// nothing can be changed through them, and each kind of damage is named while the rest stays readable.
#include <filesystem>
#include <memory>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <vexa/BackupDevice.h>
#include <vexa/VexaResult.h>
#include <vexa/vexa.h>

#include "ContentPrint.h"
#include "SimPhone.h"
#include "sim/DeviceInfoFile.h"
#include "sim/SimDevice.h"
#include "sim/content/MessageStore.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUdid = "00008110-BACKUPDEVICE0001";
constexpr const char* kPassword = "s3cret";

QString StoredFile(const QString& backup, const QByteArray& domainAndPath) {
    const QString id = QCryptographicHash::hash(domainAndPath, QCryptographicHash::Sha1).toHex();
    return backup + "/" + id.left(2) + "/" + id;
}

void Overwrite(const QString& path, qint64 size) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QByteArray(size, 'x'));
}

bool RunPython(const QStringList& arguments) {
    QProcess python;
    python.start("/usr/bin/python3", arguments);
    if (!python.waitForFinished(120000) || python.exitCode() != 0) {
        qWarning("python: %s", python.readAllStandardError().constData());
        return false;
    }
    return true;
}

struct Released {
    void operator()(IVexaManager* manager) const { DeleteVexaManager(&manager); }
};
using BackupDevice = std::unique_ptr<IVexaManager, Released>;

} // namespace

class BackupDeviceTest : public QObject {
    Q_OBJECT

    SimPhone m_phone;
    QTemporaryDir m_dir;
    ContentPrint m_expected;

    // The phone's databases packed by the independent script.
    QString MakeScriptBackup(const QString& name, bool encrypted) {
        const QString folder = m_dir.filePath(name);
        QStringList arguments{QStringLiteral(VEXA_SOURCE_DIR "/tests/platform/vexa/ios/make_backup.py"),
                              folder};
        for (const char* path : {"Library/AddressBook/AddressBook.sqlitedb", "Library/SMS/sms.db",
                                 "Library/CallHistoryDB/CallHistory.storedata"}) {
            for (const char* suffix : {"", "-wal"}) {
                const fs::path source = m_phone.Folder() / (std::string(path) + suffix);
                if (fs::exists(source))
                    arguments << "--file"
                              << "HomeDomain" << QString(path) + suffix
                              << QString::fromStdString(source.string());
            }
        }
        // The phone keeps message attachments with its media.
        for (const auto& entry :
             fs::recursive_directory_iterator(m_phone.Folder() / "Library/SMS/Attachments"))
            if (entry.is_regular_file())
                arguments << "--file"
                          << "MediaDomain"
                          << QString::fromStdString(
                                 entry.path().lexically_relative(m_phone.Folder()).string())
                          << QString::fromStdString(entry.path().string());
        if (encrypted)
            arguments << "--password" << kPassword;
        return RunPython(arguments) ? folder : QString();
    }

    QString MakeOwnBackup(const QString& name, bool encrypted) {
        vexa::sim::SimDevice device(m_phone.Folder());
        device.UpdateInfo([encrypted](vexa::sim::DeviceInfoFile& info) {
            info.backupPassword = encrypted ? kPassword : "";
            info.backupSha256Rounds = 1000;
            info.backupSha1Rounds = 10;
        });
        const QString folder = m_dir.filePath(name);
        const int result = m_phone.Manager()->GetDeviceService()->BackupDevice(
            reinterpret_cast<const char16_t*>(folder.utf16()), 0);
        device.UpdateInfo([](vexa::sim::DeviceInfoFile& info) { info.backupPassword.clear(); });
        return result == VEXA_OK ? folder : QString();
    }

    // A conversation with a picture and a document beside the generated ones.
    bool AddAttachments() {
        const QString jpeg = m_dir.filePath("photo.jpg");
        const QString pdf = m_dir.filePath("notes.pdf");
        Overwrite(jpeg, 5000);
        Overwrite(pdf, 700);
        vexa::sim::SimDevice device(m_phone.Folder());
        auto session = vexa::sim::MessageStore::Lock(device.MessageDatabase());
        if (session.Result())
            return false;
        vexa::sim::MessageStore store(session.Handle(), m_phone.Folder());
        int64_t id = 0;
        vexa::sim::MessageStore::Message message;
        message.dateTime = "2026-03-01 10:00:00";
        message.text = "two files";
        message.attachments = {jpeg.toStdString(), pdf.toStdString()};
        return store.AddConversation("+1 555 0199", std::string("Files"), &id) == VEXA_OK &&
               store.AddMessage(id, message) == VEXA_OK;
    }

    static std::unique_ptr<BackupContent> Open(const QString& folder, const char* password = nullptr) {
        auto content = std::make_unique<BackupContent>();
        if (content->Open(folder.toUtf8().constData()) != VEXA_OK)
            return nullptr;
        if (content->Encrypted() && content->Unlock(password) != VEXA_OK)
            return nullptr;
        return content;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        vexa::sim::LargeDeviceSpec spec;
        spec.udid = kUdid;
        spec.name = "Backup Source";
        spec.contacts = 40;
        spec.messages = 300;
        spec.photos = 3;
        QVERIFY(m_phone.Plug(spec));
        QVERIFY(AddAttachments());
        m_expected = PrintOf(m_phone.Manager());
        QCOMPARE(m_expected.attachments.size(), 2);
        QVERIFY(m_expected.attachments[0].startsWith("photo.jpg|image/jpeg|public.jpeg|5000|~/Library/SMS/"));
        QVERIFY(!m_expected.attachments[1].endsWith("|missing")); // copied
        QVERIFY(m_expected.contacts.size() >= 40);
        QVERIFY(m_expected.conversations.size() > 2);
        QVERIFY(!m_expected.calls.isEmpty());
    }

    void cleanupTestCase() { m_phone.Release(); }

    void listsWhatThePhoneLists_data() {
        QTest::addColumn<bool>("own");
        QTest::addColumn<bool>("encrypted");
        QTest::newRow("the program's own backup") << true << false;
        QTest::newRow("the program's own encrypted backup") << true << true;
        QTest::newRow("written by the script") << false << false;
        QTest::newRow("written by the script, encrypted") << false << true;
    }

    void listsWhatThePhoneLists() {
        QFETCH(bool, own);
        QFETCH(bool, encrypted);
        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-');
        const QString folder = own ? MakeOwnBackup(name, encrypted) : MakeScriptBackup(name, encrypted);
        QVERIFY(!folder.isEmpty());
        std::unique_ptr<BackupContent> content = Open(folder, kPassword);
        QVERIFY(content);
        QCOMPARE(content->Encrypted(), encrypted);
        QVERIFY(content->CheckFiles().empty());
        QVERIFY(content->KnownIosVersion());
        const BackupSummary summary = content->Summary();
        BackupDevice device(OpenBackupDevice(std::move(content)));
        QVERIFY(device);
        QVERIFY(IsBackupDeviceHandle(device->GetDeviceHandle()));
        QVERIFY(device->GetDeviceHandle() != m_phone.Handle());

        const ContentPrint print = PrintOf(device.get());
        QCOMPARE(print.contacts, m_expected.contacts);
        QCOMPARE(print.conversations, m_expected.conversations);
        QCOMPARE(print.calls, m_expected.calls);
        QCOMPARE(print.attachments, m_expected.attachments);

        DeviceInfo* info = nullptr;
        QVERIFY(device->GetDeviceInfo(&info));
        QCOMPARE(PrintText(info->properties[DP_DeviceName]), QString::fromStdString(summary.deviceName));
        if (own) {
            QCOMPARE(PrintText(info->properties[DP_DeviceName]), QStringLiteral("Backup Source"));
            QCOMPARE(PrintText(info->properties[DP_UniqueDeviceID]), QString::fromLatin1(kUdid));
        }
        QVERIFY(summary.backupDate > 0);

        // Nothing changes a backup, and every service says so before it is asked.
        ContactRecord contact{};
        contact.firstName = "New";
        QCOMPARE(device->GetContactService()->GetWriteAccess(), int(kContentReadOnlyBackup));
        QCOMPARE(device->GetContactService()->SaveContact(&contact, 0), int(VEXA_E_READ_ONLY));
        QCOMPARE(device->GetContactService()->DeleteGroup("Friends"), int(VEXA_E_READ_ONLY));
        QCOMPARE(device->GetDeviceService()->GetWriteAccess(), int(kContentReadOnlyBackup));
        QCOMPARE(device->GetDeviceService()->SetDeviceName(u"Other"), int(VEXA_E_READ_ONLY));
        QCOMPARE(device->GetPhotos()->GetWriteAccess(), int(kContentReadOnlyBackup));
        QCOMPARE(device->GetFileService()->CopyFileToDevice(u"/tmp/x", u"/DCIM/x"), int(VEXA_E_READ_ONLY));
    }

    // The camera roll is read from the backup, its thumbnails and exports made from the copied files,
    // which sit in a folder only this user can open and go with the device; a folder a killed process
    // left goes too.
    void photosComeFromThePrivateCopy() {
        const QString folder = MakeOwnBackup("photos", false);
        QVERIFY(!folder.isEmpty());
        QProcess ended;
        ended.start("/bin/sleep", {"0.1"});
        QVERIFY(ended.waitForStarted());
        const qint64 deadPid = ended.processId();
        QVERIFY(ended.waitForFinished());
        const QString left = QDir::temp().filePath(QStringLiteral("vexa-backup-%1-1-0").arg(deadPid));
        QVERIFY(QDir().mkpath(left));
        BackupDevice device(OpenBackupDevice(Open(folder)));
        QVERIFY(device);
        PhotoRecord* records = nullptr;
        int count = 0;
        QCOMPARE(device->GetPhotos()->PrepareList(), int(VEXA_OK));
        QCOMPARE(device->GetPhotos()->GetPhotoList(&records, &count), int(VEXA_OK));
        QCOMPARE(count, 3);
        QCOMPARE(device->GetPhotos()->LoadThumbnail(&records[0]), int(VEXA_OK));
        QVERIFY(records[0].thumbnailLength > 100);
        const QString exported = m_dir.filePath("exported.jpg");
        QCOMPARE(device->GetFileService()->CopyFileToComputer(
                     reinterpret_cast<const char16_t*>(QString::fromUtf8(records[0].path).utf16()),
                     reinterpret_cast<const char16_t*>(exported.utf16())),
                 int(VEXA_OK));
        QCOMPARE(QFileInfo(exported).size(), records[0].fileSize);

        const QStringList scratch =
            QDir(QDir::tempPath()).entryList({"vexa-backup-*"}, QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(scratch.size(), 1);
        QVERIFY(!QFileInfo::exists(left));
        const fs::path copies = QDir::temp().filePath(scratch.front()).toStdString();
        QCOMPARE(fs::status(copies).permissions(), fs::perms::owner_all);
        device.reset();
        QVERIFY(!fs::exists(copies));
    }

    void wrongPasswordAndCancelAreTold() {
        const QString folder = MakeScriptBackup("locked", true);
        QVERIFY(!folder.isEmpty());
        BackupContent content;
        QCOMPARE(content.Open(folder.toUtf8().constData()), int(VEXA_OK));
        QVERIFY(content.Encrypted());
        ContactList* contacts = nullptr;
        QCOMPARE(content.GetContacts(&contacts), int(VEXA_E_PASSWORD));
        QCOMPARE(content.Unlock("wrong"), int(VEXA_E_PASSWORD));
        QVERIFY(QString::fromStdString(content.Problem()).contains("password is wrong"));
        QCOMPARE(content.Unlock(kPassword, [] { return true; }), int(VEXA_E_CANCELLED));
        QCOMPARE(content.Unlock(kPassword), int(VEXA_OK));
        QCOMPARE(content.GetContacts(&contacts), int(VEXA_OK));
    }

    // Each damage is named; what the damage does not touch is still listed.
    void damageIsNamedAndTheRestStaysReadable_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("messagesResult");
        QTest::newRow("half copied") << "no-manifest-db" << false << "Manifest.db is missing" << 0;
        QTest::newRow("damaged Manifest.db") << "junk-manifest-db" << false << "Manifest.db" << 0;
        QTest::newRow("missing file")
            << "no-sms-db" << true << "sms.db: the stored file is missing" << int(VEXA_E_IO);
        QTest::newRow("size differs")
            << "short-sms-db" << true << "sms.db: the stored file's size differs" << int(VEXA_E_DATABASE);
        QTest::newRow("damaged database")
            << "junk-sms-db" << true << "sms.db: the database is damaged" << int(VEXA_E_DATABASE);
        QTest::newRow("unknown iOS version") << "ios-99" << true << "" << int(VEXA_OK);
    }

    void damageIsNamedAndTheRestStaysReadable() {
        QFETCH(QString, damage);
        QFETCH(bool, opens);
        QFETCH(QString, problem);
        QFETCH(int, messagesResult);
        const QString folder = MakeScriptBackup(damage, false);
        QVERIFY(!folder.isEmpty());
        const QString smsDb = StoredFile(folder, "HomeDomain-Library/SMS/sms.db");
        QFile sms(smsDb);
        const qint64 smsSize = sms.size();
        if (damage == "no-manifest-db")
            QVERIFY(QFile::remove(folder + "/Manifest.db"));
        else if (damage == "junk-manifest-db")
            Overwrite(folder + "/Manifest.db", 4096);
        else if (damage == "no-sms-db")
            QVERIFY(sms.remove());
        else if (damage == "short-sms-db")
            QVERIFY(sms.resize(smsSize / 2));
        else if (damage == "junk-sms-db")
            Overwrite(smsDb, smsSize);
        else if (damage == "ios-99")
            QVERIFY(RunPython({"-c",
                               "import plistlib,sys; p=sys.argv[1]; d=plistlib.load(open(p,'rb')); "
                               "d['Product Version']='99.0'; plistlib.dump(d, open(p,'wb'))",
                               folder + "/Info.plist"}));

        BackupContent content;
        QCOMPARE(content.Open(folder.toUtf8().constData()) == VEXA_OK, opens);
        if (!opens) {
            QVERIFY2(QString::fromStdString(content.Problem()).contains(problem), content.Problem().c_str());
            return;
        }
        QCOMPARE(content.KnownIosVersion(), damage != "ios-99");
        const std::vector<std::string> found = content.CheckFiles();
        if (damage == "no-sms-db" || damage == "short-sms-db") {
            QCOMPARE(found.size(), size_t(1));
            QVERIFY2(QString::fromStdString(found[0]).contains(problem), found[0].c_str());
        } else {
            QVERIFY(found.empty());
        }
        ConversationList* conversations = nullptr;
        QCOMPARE(content.GetMessages(&conversations), messagesResult);
        if (messagesResult != VEXA_OK)
            QVERIFY2(QString::fromStdString(content.Problem()).contains(problem.section(':', 0, 0)) &&
                         !content.Problem().empty(),
                     content.Problem().c_str());
        ContactList* contacts = nullptr;
        QCOMPARE(content.GetContacts(&contacts), int(VEXA_OK));
        QCOMPARE(contacts->recordCount, int(m_expected.contacts.size()));
    }
};

QTEST_GUILESS_MAIN(BackupDeviceTest)
#include "tst_vexa_backup_device.moc"
