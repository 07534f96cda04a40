// Backup, restore and transfer through their windows against simulated devices. Backups are read back
// by Python's plistlib and sqlite3; device states are compared by checksums of their files and contacts.

#include <span>

#include <sys/mount.h>
#include <unistd.h>

#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/BackupDevice.h>
#include <vexa/IMediaPlaylistEditor.h>
#include <vexa/IVexaManager.h>

#include "BackupDataThread.h"
#include "BackupModel.h"
#include "BackupProgressDialog.h"
#include "BackupReport.h"
#include "BackupTestDevices.h"
#include "BackupWidget.h"
#include "CBackupLog.h"
#include "CDeviceTransfer.h"
#include "LanguageService.h"
#include "MessageCatcher.h"
#include "QMessageDlg.h"
#include "QProgressBlock.h"
#include "QRestoreDlg.h"
#include "QSelectDeviceRestorDlg.h"
#include "QTransferDeviceDlg.h"
#include "RestorePasswordWidget.h"
#include "RestoreTableModel.h"
#include "TestFiles.h"
#include "WhenShown.h"

namespace {

const char* const kPhone = "00008101-0000000000BACC01";
const char* const kPad = "00008101-0000000000BACC02";
const char* const kPod = "00008101-0000000000BACC03";
const char* const kBlank = "00008101-0000000000BACC04";
const QString kBackupFailed = "Opps, backup failed. Please try again!";

QMap<QString, QByteArray> FolderChecksums(const QString& folder) {
    QMap<QString, QByteArray> sums;
    for (const QString& path : FilesUnder(folder))
        sums[path] = QCryptographicHash::hash(ReadFile(path), QCryptographicHash::Sha1);
    return sums;
}

// Presses OK once the running backup has ended, remembering what the dialog said and how far the bar got.
struct BackupDialogWatcher {
    QString label;
    qint64 bar = -1;
    qint64 barMaximum = 0;
    bool cancel = false;

    void Arm() {
        WhenShown<BackupProgressDialog>([this](BackupProgressDialog* dialog) {
            auto* poll = new QTimer(dialog);
            QObject::connect(poll, &QTimer::timeout, dialog, [this, dialog, poll] {
                if (cancel && dialog->IsRunning())
                    dialog->OnBtnCancel();
                if (dialog->IsRunning())
                    return;
                poll->stop();
                label = dialog->LabelText();
                bar = dialog->Progress()->BarValue();
                barMaximum = dialog->Progress()->BarMaximum();
                dialog->accept();
            });
            poll->start(5);
        });
    }
};

class EmptyDirectory : public IDeviceDirectory {
public:
    QList<CConnectedDevice> ConnectedDevices() const override { return {}; }
    bool IsConnected(IVexaManager*) const override { return false; }
};

bool TryMount(const QString& folder, const char* options) {
    return ::geteuid() == 0 && ::mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, options) == 0;
}

QString RunTransfer(const IDeviceDirectory* directory, int source, int target, quint32* flags = nullptr) {
    QTransferDeviceDlg dialog(directory);
    QTimer::singleShot(0, &dialog, [&] {
        (void)QTest::qWaitFor([&] { return dialog.CurrentLayout() == QTransferDeviceDlg::Layout::Choosing; },
                              10000);
        if (source >= 0)
            dialog.SourceCombo()->setCurrentIndex(source);
        if (target >= 0)
            dialog.TargetCombo()->setCurrentIndex(target);
        dialog.OnBtnTransfer();
        if (dialog.CurrentLayout() == QTransferDeviceDlg::Layout::Choosing)
            dialog.OnBtnClose();
    });
    dialog.exec();
    (void)QTest::qWaitFor([&] { return !dialog.isVisible(); }, 60000);
    if (flags)
        *flags = dialog.ResultFlags();
    return dialog.ResultText();
}

// Every contact a line, with its groups, sorted, so two devices' contacts can be compared.
QStringList ContactLines(IVexaManager* manager) {
    ContactList* list = nullptr;
    manager->GetContactService()->GetContacts(&list);
    QMap<QString, QStringList> groups;
    for (int g = 0; list && g < list->groupCount; ++g) {
        for (int m = 0; m < list->groups[g].memberCount; ++m)
            groups[QString::fromUtf8(list->groups[g].memberIds[m])]
                << QString::fromUtf8(list->groups[g].name);
    }
    QStringList lines;
    for (int i = 0; list && i < list->recordCount; ++i) {
        const ContactRecord& r = list->records[i];
        QString line = QString::fromUtf8(r.firstName) + QLatin1Char('|') + QString::fromUtf8(r.lastName);
        for (int p = 0; p < r.phoneCount; ++p)
            line += QLatin1Char('|') + QString::fromUtf8(r.phones[p].value);
        for (const char* text : {r.organization, r.department, r.jobTitle, r.birthday})
            line += QLatin1Char('|') + QString::fromUtf8(text);
        for (int a = 0; a < r.addressCount; ++a)
            line += QLatin1Char('|') + QString::fromUtf8(r.addresses[a].street) +
                    QString::fromUtf8(r.addresses[a].country);
        for (int u = 0; u < r.urlCount; ++u)
            line += QLatin1Char('|') + QString::fromUtf8(r.urls[u].value);
        QStringList names = groups.value(QString::fromUtf8(r.id));
        names.sort();
        line += " in " + names.join(QLatin1Char(','));
        lines << line;
    }
    lines.sort();
    return lines;
}

QByteArray PathSum(const QString& path) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& name : QFileInfo(path).isDir() ? FilesUnder(path) : QStringList{path})
        hash.addData(ReadFile(name));
    return hash.result();
}

// What the device lists of a category, as a count per content checksum of the listed files.
enum class Listed { Photos, Songs, Books };
QMap<QByteArray, int> ListedSums(IVexaManager* manager, const QString& deviceFolder, Listed what) {
    QStringList paths;
    if (what == Listed::Photos) {
        PhotoRecord* records = nullptr;
        int count = 0;
        manager->GetPhotos()->PrepareList();
        manager->GetPhotos()->GetPhotoList(&records, &count);
        // Camera videos and HEIC stills are listed with the photos, but a computer cannot give them to a
        // device.
        const QRegularExpression notGiven("\\.(MOV|HEIC)$", QRegularExpression::CaseInsensitiveOption);
        for (const PhotoRecord& photo : std::span(records, size_t(count)))
            if (!notGiven.match(QString::fromUtf8(photo.path)).hasMatch())
                paths << QString::fromUtf8(photo.path);
    } else if (what == Listed::Songs) {
        PlaylistRecord* lists = nullptr;
        int count = 0;
        manager->GetMediaLibrary()->GetPlaylists(&count, &lists);
        for (int t = 0; count > 0 && t < lists[0].trackCount; ++t)
            if (lists[0].tracks[t].mediaKind == MEDIA_SONG)
                paths << MediaPathToDevicePath(lists[0].tracks[t].path);
    } else {
        BookRecord* books = nullptr;
        int count = 0;
        manager->GetBookService()->GetBooks(&books, &count);
        for (const BookRecord& book : std::span(books, size_t(count)))
            if (book.present)
                paths << QString::fromUtf8(book.path);
    }
    QMap<QByteArray, int> sums;
    for (const QString& path : paths)
        ++sums[PathSum(deviceFolder + "/Media" + path)];
    return sums;
}

// Each user playlist's songs, by title and size.
QMap<QString, QStringList> PlaylistContents(IVexaManager* manager) {
    int count = 0;
    PlaylistRecord* lists = nullptr;
    manager->GetMediaLibrary()->GetPlaylists(&count, &lists);
    QMap<QString, QStringList> contents;
    for (int p = 1; p < count; ++p) {
        QStringList& songs = contents[QString::fromUtf8(lists[p].name)];
        for (int t = 0; t < lists[p].trackCount; ++t)
            songs << QString::fromUtf8(lists[p].tracks[t].title) + '|' +
                         QString::number(lists[p].tracks[t].fileSize);
        songs.sort();
    }
    return contents;
}

// Puts the library's first song into every user playlist and a new one, so it is in several.
void ShareFirstSong(IVexaManager* manager) {
    IMediaLibrary* library = manager->GetMediaLibrary();
    auto* editor = dynamic_cast<IMediaPlaylistEditor*>(library);
    QVERIFY(editor);
    QCOMPARE(library->AddPlaylist(u"Every song I like"), 0);
    int count = 0;
    PlaylistRecord* lists = nullptr;
    QCOMPARE(library->GetPlaylists(&count, &lists), 0);
    QVERIFY(count >= 3 && lists[0].trackCount > 0);
    const MediaPosition first{0, 0};
    for (int p = 1; p < count; ++p)
        QCOMPARE(editor->AddToPlaylist(&first, 1, p), 0);
    // Already a member: nothing changes.
    QCOMPARE(editor->AddToPlaylist(&first, 1, 1), 0);
    QCOMPARE(library->GetPlaylists(&count, &lists), 0);
    QCOMPARE(lists[count - 1].trackCount, 1);
}

int AlbumPhotoCount(IVexaManager* manager, const QString& name) {
    IAlbumLibrary* albums = manager->GetAlbums();
    albums->PrepareList();
    AlbumRecord* list = nullptr;
    int count = 0;
    albums->GetAlbumList(&list, &count);
    for (int i = 0; i < count; ++i)
        if (QString::fromUtf8(list[i].name) == name)
            return list[i].photoCount;
    return -1;
}

} // namespace

class BackupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
        m_devices = new BackupTestDevices;
        QVERIFY(m_devices->Add(kPhone, "Ada's iPhone", true));
        m_messages = new MessageCatcher;
        m_messages->SetAnswerYes(true);
    }

    void cleanupTestCase() {
        delete m_messages;
        delete m_devices;
    }

    void init() {
        m_messages->Clear();
        m_messages->SetAnswerYes(true);
        m_devices->Ctl("clear-faults", {kPhone});
    }

    void backupThroughTheWindowIsReadByOtherTools() {
        const QString logPath = CBackupLog::DefaultPath();
        QFile::remove(logPath);
        const QString first = m_work.filePath("first");
        const QString second = m_work.filePath("second");
        BackupDialogWatcher watcher;
        QVERIFY(Backup(first, &watcher));
        QCOMPARE(watcher.label, "Backup successfully!");
        QVERIFY(watcher.barMaximum > 1);
        QCOMPARE(watcher.bar, watcher.barMaximum);
        const QJsonObject stored = ReadBackup(first, m_devices->Folder(kPhone));
        QVERIFY2(BackupProblems(stored).isEmpty(), BackupProblems(stored).constData());
        QCOMPARE(stored.value("udid").toString(), QString::fromLatin1(kPhone));
        QVERIFY(stored.value("compared").toInt() > 0);
        QVERIFY(Backup(second));
        QVERIFY(m_messages->Messages().isEmpty());

        // The log: two entries in the order made, their fields in the fixed order, times without zeros.
        const QStringList log = PythonLines(R"(
import re, sys
from lxml import etree
root = etree.parse(sys.argv[1]).getroot()
assert root.tag == "backup"
for entry in root:
    assert [c.tag for c in entry] == ["filepath", "greateDate", "Name", "BackupSize", "DeviceClass", "SerialNumber"]
    assert entry.tag == "TZ" + entry.findtext("SerialNumber")
    assert re.fullmatch(r"\d{4}-[1-9]\d?-[1-9]\d? [1-9]?\d:[1-9]?\d:[1-9]?\d", entry.findtext("greateDate"))
    assert int(entry.findtext("BackupSize")) > 0
print("|".join(e.findtext("filepath") + "," + e.findtext("Name") for e in root))
)",
                                            {logPath});
        QCOMPARE(log, QStringList{QStringLiteral("%1,Ada's iPhone|%2,Ada's iPhone").arg(first, second)});
        QCOMPARE(CBackupLog::TimeText(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 0))), "2026-3-7 9:5:0");
        QCOMPARE(CBackupLog::TimeText(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))),
                 "2026-12-31 23:59:59");

        // The backup window lists what the log holds, newest first.
        BackupWidget window(m_devices);
        QCOMPARE(window.Model()->rowCount(), 2);
        QCOMPARE(window.Model()->index(0, RestoreTableModel::Path).data().toString(), second);
        QCOMPARE(window.Model()->index(0, RestoreTableModel::Path).data(Qt::ToolTipRole).toString(), second);

        // From the button: the folder dialog opens in the documents folder, never the program's, and the
        // backup goes into a folder named after the device inside the chosen one.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(QDir().mkpath(documents));
        const QString chosen = m_work.filePath("chosen");
        QVERIFY(QDir().mkpath(chosen));
        QString startedIn;
        WhenShown<QFileDialog>([&startedIn, chosen](QFileDialog* dialog) {
            startedIn = dialog->directory().absolutePath();
            dialog->setDirectory(chosen);
            if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
                edit->setText(chosen);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        watcher.Arm();
        window.DeviceCombo()->setCurrentIndex(0);
        window.OnBtnBackup();
        QCOMPARE(startedIn, QDir(documents).absolutePath());
        QCOMPARE(QDir(chosen).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{kPhone});
        QVERIFY(QFileInfo::exists(chosen + QStringLiteral("/%1/Manifest.plist").arg(kPhone)));
    }

    void failedOrCancelledBackupLogsNothingAndKeepsTheEarlierBackup() {
        const QString folder = m_work.filePath("kept");
        QVERIFY(Backup(folder));
        QVERIFY(WriteFile(folder + "/notes of my own.txt", "mine"));
        const auto before = FolderChecksums(folder);
        const int entries = int(CBackupLog(CBackupLog::DefaultPath()).Entries().size());

        // Unplugged after a few files: the old backup stays whole, no half-written folder is left.
        m_devices->Ctl("fault", {kPhone, "BackupFile", "unplug", "--delay-ms", "0", "--after", "5"});
        QVERIFY(!Backup(folder));
        QCOMPARE(m_messages->Messages(),
                 QStringList{kBackupFailed + "\nThe connection to the device was lost."});
        QCOMPARE(FolderChecksums(folder), before);
        QVERIFY(m_devices->Replug(kPhone));
        m_devices->Ctl("clear-faults", {kPhone});

        // Cancelled at once: closed without a failure message, nothing changed.
        m_messages->Clear();
        BackupDialogWatcher cancelling;
        cancelling.cancel = true;
        QVERIFY(!Backup(folder, &cancelling));
        QVERIFY(m_messages->Messages().isEmpty());
        QCOMPARE(FolderChecksums(folder), before);

        // A folder path of 256 characters is refused before the device is asked.
        m_messages->Clear();
        QString longPath = m_work.filePath("long-");
        longPath += QString(256 - longPath.size(), QLatin1Char('x'));
        QVERIFY(!Backup(longPath));
        QCOMPARE(m_messages->Messages(),
                 QStringList{kBackupFailed + "\nThe folder path is too long or not valid."});
        QVERIFY(!QFileInfo::exists(longPath));

        // A folder that cannot be made (a file is in the way), and a read-only one.
        m_messages->Clear();
        QVERIFY(WriteFile(m_work.filePath("a file"), {}));
        QVERIFY(!Backup(m_work.filePath("a file/backup")));
        const QString readOnly = m_work.filePath("read-only");
        QDir().mkpath(readOnly);
        const bool mountedReadOnly =
            TryMount(readOnly, "size=1m,mode=0555") && ::mount(nullptr, readOnly.toLocal8Bit().constData(),
                                                               nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
        if (!mountedReadOnly)
            QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
        if (mountedReadOnly || ::geteuid() != 0) {
            QVERIFY(!Backup(readOnly));
        }
        if (mountedReadOnly)
            ::umount(readOnly.toLocal8Bit().constData());

        // A disk too small for the backup (a 64 KB file system).
        const QString small = m_work.filePath("small disk");
        QDir().mkpath(small);
        if (TryMount(small, "size=64k")) {
            QVERIFY(!Backup(small + "/backup"));
            QVERIFY(QDir(small).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
            ::umount(small.toLocal8Bit().constData());
        } else {
            qWarning("not root: the full-disk case needs a small tmpfs and was left out");
        }
        const QStringList messages = m_messages->Messages();
        QVERIFY(!messages.isEmpty());
        QVERIFY(std::all_of(messages.begin(), messages.end(),
                            [](const QString& m) { return m.startsWith(kBackupFailed); }));
        QCOMPARE(int(CBackupLog(CBackupLog::DefaultPath()).Entries().size()), entries);
    }

    void backupLogSurvivesDamagedEmptyAndUnwritableFiles() {
        const QString path = m_work.filePath("logs/backuplog.xml");
        QDir().mkpath(QFileInfo(path).absolutePath());
        const CBackupLogEntry entry{"/b", "2026-3-7 9:5:0", "Phone", "12", "iPhone", "F2LX"};
        for (const QByteArray& content : {QByteArray(), QByteArray("not <xml"), QByteArray("<other/>")}) {
            QVERIFY(WriteFile(path, content));
            QVERIFY(CBackupLog(path).Append(entry));
            const auto entries = CBackupLog(path).Entries();
            QCOMPARE(entries.size(), 1);
            QCOMPARE(entries[0].serialNumber, "F2LX");
        }
        QCOMPARE(ReadFile(path + ".damaged"), QByteArray("<other/>"));

        // A log that cannot be written costs the entry, not the backup.
        const QString blocked = m_work.filePath("a file/backuplog.xml");
        QVERIFY(WriteFile(m_work.filePath("a file"), {}));
        QVERIFY(!CBackupLog(blocked).Append(entry));
        BackupDataThread thread;
        QSignalSpy ok(&thread, &BackupDataThread::Sucesses);
        thread.SetBackupInfo(m_work.filePath("unlogged"), m_devices->Manager(kPhone), m_devices, blocked);
        thread.start();
        QVERIFY(ok.wait(60000));
    }

    // Unplugged part way, a restore leaves the device as it was; plugged in again, the same backup brings
    // it back to its backed-up state.
    void restoreBringsTheDeviceBackToItsBackedUpState() {
        const QString device = m_devices->Folder(kPhone);
        const QString folder = m_work.filePath("round trip");
        const auto backedUp = BackupTestDevices::Snapshot(m_devices->Manager(kPhone), device);
        QVERIFY(Backup(folder));
        ChangeDevice(m_devices->Manager(kPhone), device);
        QVERIFY(BackupTestDevices::Snapshot(m_devices->Manager(kPhone), device) != backedUp);
        const auto changed = BackupTestDevices::Snapshot(nullptr, device);
        const CBackupRecord listed = Listed(folder).value(0);
        QVERIFY(!listed.folder.isEmpty() && !listed.encrypted);

        m_devices->Ctl("fault", {kPhone, "RestoreFile", "unplug", "--delay-ms", "0", "--after", "3"});
        QCOMPARE(Restore(listed), QSelectDeviceRestorDlg::Failed);
        QCOMPARE(m_messages->Messages().last(), "Restored failed!\nThe connection to the device was lost.");
        QCOMPARE(BackupTestDevices::Snapshot(nullptr, device), changed);
        m_devices->Ctl("clear-faults", {kPhone});
        QVERIFY(m_devices->Replug(kPhone));
        bool prompted = true;
        QCOMPARE(Restore(listed, QString(), &prompted), QSelectDeviceRestorDlg::Restored);
        QVERIFY(!prompted);
        QCOMPARE(m_messages->Messages().last(), "Restored successfully!");
        QCOMPARE(BackupTestDevices::Snapshot(m_devices->Manager(kPhone), device), backedUp);
    }

    void encryptedRestoreNeedsTheRightPassword() {
        IVexaManager* phone = m_devices->Manager(kPhone);
        const QString device = m_devices->Folder(kPhone);
        // Few rounds keep the test quick; readers take the counts from the keybag.
        QCOMPARE(m_devices->Ctl("backup-password",
                                {kPhone, "s3cret", "--sha256-rounds", "20000", "--sha1-rounds", "1000"}),
                 0);
        const QString folder = m_work.filePath("encrypted");
        // The message database and an attachment, where a phone keeps them (stand-ins unless the device has
        // its own).
        const QString messages = device + "/Library/SMS/sms.db";
        const QString attachment = device + "/Library/SMS/Attachments/0a/10/A1B2/IMG_0001.JPG";
        for (const QString& path : {messages, attachment})
            QVERIFY(QFile::exists(path) || WriteFile(path, path.toUtf8()));
        const QString messagesHash =
            QCryptographicHash::hash(ReadFile(messages), QCryptographicHash::Sha1).toHex();
        const auto backedUp = BackupTestDevices::Snapshot(phone, device);
        QVERIFY(Backup(folder));
        m_devices->Ctl("backup-password", {kPhone});
        const QJsonObject read = ReadBackup(folder, device, "s3cret");
        QVERIFY2(BackupProblems(read).isEmpty(), BackupProblems(read).constData());
        QVERIFY(read.value("encrypted").toBool());
        QVERIFY(read.value("compared").toInt() > 0);
        // Each file in the domain a phone's backup uses, stored under sha1("domain-path").
        const QJsonObject files = read.value("files").toObject();
        QCOMPARE(files.value("HomeDomain/Library/SMS/sms.db").toString(), messagesHash);
        QVERIFY(files.contains("MediaDomain/Library/SMS/Attachments/0a/10/A1B2/IMG_0001.JPG"));
        const QStringList stored = files.keys();
        QVERIFY(!stored.filter(QRegularExpression("^CameraRollDomain/Media/DCIM/.+")).isEmpty());
        QVERIFY(stored.filter(QRegularExpression("^MediaDomain/Media/(DCIM|PhotoData)/")).isEmpty());
        QVERIFY(files.contains("MediaDomain/Media/iTunes_Control/iTunes/MediaLibrary.sqlitedb"));
        QVERIFY(
            !stored.filter(QRegularExpression("^MediaDomain/Media/iTunes_Control/Music/F\\d\\d/[A-Z]{4}\\.m"))
                 .isEmpty());
        QVERIFY(ReadBackup(folder, device, "wrong").value("wrong_password").toBool());
        ChangeDevice(phone, device);
        const auto changed = BackupTestDevices::Snapshot(phone, device);

        const CBackupRecord listed = Listed(folder).value(0);
        QVERIFY(listed.encrypted);
        bool prompted = false;
        QCOMPARE(Restore(listed, "wrong", &prompted), QSelectDeviceRestorDlg::Failed);
        QVERIFY(prompted);
        QCOMPARE(m_messages->Messages().last(), "Restored failed!\nThe password is wrong.");
        QCOMPARE(BackupTestDevices::Snapshot(phone, device), changed);
        QCOMPARE(Restore(listed, "s3cret"), QSelectDeviceRestorDlg::Restored);
        QCOMPARE(BackupTestDevices::Snapshot(phone, device), backedUp);
    }

    void importChecksTheFolderAndRemoveDeletesIt() {
        const QString folder = m_work.filePath("to import");
        QVERIFY(Backup(folder));
        QRestoreDlg window(m_devices);
        const int rows = window.Model()->rowCount();

        const QString empty = m_work.filePath("no manifest");
        QDir().mkpath(empty);
        QVERIFY(!window.ImportFolder(empty));
        const QString broken = m_work.filePath("broken");
        QDir().mkpath(broken);
        for (const char* name : {"Info.plist", "Manifest.plist", "Manifest.db"})
            QFile::copy(folder + QLatin1Char('/') + QLatin1String(name),
                        broken + QLatin1Char('/') + QLatin1String(name));
        QVERIFY(WriteFile(broken + "/Manifest.db", "this is not an SQLite database"));
        QVERIFY(!window.ImportFolder(broken));
        QVERIFY(WriteFile(broken + "/Manifest.plist", "<plist><dict><key>"));
        QVERIFY(!window.ImportFolder(broken));
        QCOMPARE(m_messages->Messages(),
                 QStringList({"This folder holds no backup: Manifest.plist is missing.",
                              "This backup can't be read: its Manifest.db is not a valid database.",
                              "This backup can't be read: its Manifest.plist or Info.plist is damaged."}));
        QCOMPARE(window.Model()->rowCount(), rows);

        // A readable folder joins the list with what its Info.plist says; Remove deletes it after asking.
        const QString moved = m_work.filePath("moved backup");
        QVERIFY(QDir().rename(folder, moved));
        // The folder above a device's backup folder is taken as that backup, the way other tools keep them.
        const QString parent = m_work.filePath("import parent");
        QVERIFY(QDir().mkpath(parent));
        QVERIFY(QDir().rename(moved, parent + "/" + kPhone));
        QVERIFY(window.ImportFolder(parent));
        QVERIFY(QDir().rename(parent + "/" + kPhone, moved));
        QVERIFY(window.ImportFolder(moved));
        // It is still listed after a restart, and only once.
        QCOMPARE(Listed(moved).size(), 1);
        const auto& records = window.Model()->Records();
        const auto isMoved = [&moved](const CBackupRecord& r) { return r.folder == moved; };
        const int row = int(std::find_if(records.begin(), records.end(), isMoved) - records.begin());
        QVERIFY(row < records.size());
        const CBackupRecord* imported = window.Model()->Record(row);
        QCOMPARE(imported->name, "Ada's iPhone");
        QVERIFY(imported->imported && imported->size > 0 && !imported->serialNumber.isEmpty());
        window.Table()->selectRow(row);
        m_messages->SetAnswerYes(false);
        QVERIFY(!window.RemoveSelected());
        QVERIFY(QFileInfo::exists(moved));
        m_messages->SetAnswerYes(true);
        QVERIFY(window.RemoveSelected());
        QVERIFY(!QFileInfo::exists(moved));
        QVERIFY(std::none_of(records.begin(), records.end(), isMoved));
        QVERIFY(Listed(moved).isEmpty());
    }

    void sizeTextBoundaries() {
        const std::pair<quint64, const char*> sizes[] = {{0, "0.00B"},        {1024, "1024.00B"},
                                                         {1025, "1.00KB"},    {1048576, "1024.00KB"},
                                                         {1048577, "1.00MB"}, {1073741825ull * 3, "3.00GB"}};
        for (const auto& [size, text] : sizes)
            QCOMPARE(RestoreTableModel::SizeText(size), QString::fromLatin1(text));
        RestoreTableModel model;
        model.SetRecords({CBackupRecord{"/b", "Phone", {}, {}, {}, false, 2048, false}});
        QCOMPARE(model.index(0, RestoreTableModel::Size).data().toString(), "2.00KB");
        QVERIFY(!model.index(0, RestoreTableModel::Size).data(Qt::ToolTipRole).isValid());
        QCOMPARE(model.headerData(5, Qt::Horizontal).toString(), "Path");
    }

    void transferCopiesEverythingOnceAndThenNothing() {
        IVexaManager* pad =
            m_devices->Manager(kPad) ? m_devices->Manager(kPad) : m_devices->Add(kPad, "Empty iPad", false);
        QVERIFY(pad);
        IVexaManager* phone = m_devices->Manager(kPhone);
        const QString from = m_devices->Folder(kPhone);
        const QString to = m_devices->Folder(kPad);
        ShareFirstSong(phone);

        quint32 icon = 0;
        const QString first = RunTransfer(m_devices, 0, 1, &icon);
        QCOMPARE(icon, quint32(MSG_SUCCESS));
        QVERIFY2(
            QRegularExpression("^\\d+ contacts, \\d+ photos, \\d+ songs, \\d+ books copied; \\d+ skipped$")
                .match(first)
                .hasMatch(),
            qPrintable(first));
        QCOMPARE(ContactLines(pad), ContactLines(phone));
        QVERIFY(ContactLines(phone).join(' ').contains("Nordlicht GmbH|Vertrieb"));
        for (const auto what : {Listed::Photos, Listed::Songs, Listed::Books}) {
            const auto listed = ListedSums(phone, from, what);
            QVERIFY(!listed.isEmpty());
            QCOMPARE(ListedSums(pad, to, what), listed);
        }
        QCOMPARE(AlbumPhotoCount(pad, "Ada's iPhone"), int(ListedSums(phone, from, Listed::Photos).size()));
        QCOMPARE(PlaylistContents(pad), PlaylistContents(phone));

        const auto before = BackupTestDevices::Snapshot(pad, to);
        const QString second = RunTransfer(m_devices, 0, 1);
        QVERIFY2(second.startsWith("Nothing to copy"), qPrintable(second));
        QCOMPARE(BackupTestDevices::Snapshot(pad, to), before);

        // Categories a device does not offer yet (as a real phone today) are named, never counted as 0.
        const QString code = QString::number(VEXA_E_NOT_SUPPORTED_YET);
        m_devices->Ctl("fault", {kPad, "GetContacts", code.toStdString()});
        for (const char* operation : {"PrepareList", "GetPlaylists", "GetBooks"})
            m_devices->Ctl("fault", {kPhone, operation, code.toStdString()});
        const QString third = RunTransfer(m_devices, 0, 1, &icon);
        m_devices->Ctl("clear-faults", {kPad});
        QCOMPARE(third, QStringLiteral("Not yet readable from \"Ada's iPhone\": Photos, Music and Books.\n"
                                       "Not yet writable to \"Empty iPad\": Contacts."));
        QCOMPARE(icon, quint32(MSG_WARNING));
        QCOMPARE(BackupTestDevices::Snapshot(pad, to), before);
    }

    void transferRefusesMissingOrEqualDevicesAndStopsOnUnplug() {
        const EmptyDirectory none;
        RunTransfer(&none, -1, -1);
        QCOMPARE(m_messages->Messages(), QStringList{"Please choose source or target devices first!"});
        m_messages->Clear();
        RunTransfer(m_devices, 0, 0);
        QCOMPARE(m_messages->Messages(), QStringList{"Please choose two different devices!"});

        // The target leaves after two photos: the message says so, the source is untouched.
        IVexaManager* phone = m_devices->Manager(kPhone);
        const QString source = m_devices->Folder(kPhone);
        QVERIFY(m_devices->Add(kPod, "Bare iPod", false));
        const auto sourceBefore = BackupTestDevices::Snapshot(phone, source);
        m_devices->Ctl("fault", {kPod, "ImportPhotoFile", "unplug", "--delay-ms", "0", "--after", "2"});
        const QString text = RunTransfer(m_devices, 0, 2);
        QVERIFY2(text.startsWith("The transfer failed because a device was disconnected."), qPrintable(text));
        QCOMPARE(BackupTestDevices::Snapshot(phone, source), sourceBefore);
        m_devices->Ctl("clear-faults", {kPod});
    }

    // A backup is a source only: what it holds (contacts, the camera roll) is copied, what it cannot give is
    // named. A target that keeps categories read-only (a backup here, a real phone in use) is told about
    // before the transfer and passed over in it, never reported as a failure.
    void transferFromABackupAndOntoWhatCannotTakeIt() {
        const QString folder = m_work.filePath("transfer-source");
        QVERIFY(Backup(folder));
        auto content = std::make_unique<BackupContent>();
        QCOMPARE(content->Open(folder.toUtf8().constData()), int(VEXA_OK));
        IVexaManager* backup = OpenBackupDevice(std::move(content));
        QVERIFY(backup);
        m_devices->AddBackup(backup);
        IVexaManager* blank = m_devices->Add(kBlank, "Blank iPod", false);
        QVERIFY(blank);
        const int connected = int(m_devices->ConnectedDevices().size());
        {
            QTransferDeviceDlg dialog(m_devices);
            dialog.show();
            QTRY_VERIFY_WITH_TIMEOUT(dialog.CurrentLayout() == QTransferDeviceDlg::Layout::Choosing, 10000);
            QCOMPARE(dialog.SourceCombo()->count(), connected + 1);
            QCOMPARE(dialog.TargetCombo()->count(), connected);
            QCOMPARE(dialog.SourceCombo()->itemText(connected), "Ada's iPhone (backup)");
        }

        quint32 icon = 0;
        const QStringList summary = RunTransfer(m_devices, connected, connected - 1, &icon).split('\n');
        QCOMPARE(icon, quint32(MSG_WARNING));
        const QRegularExpressionMatch copied =
            QRegularExpression("^(\\d+) contacts, (\\d+) photos, 0 songs, 0 books copied; (\\d+) skipped$")
                .match(summary.value(0));
        QVERIFY2(copied.hasMatch(), qPrintable(summary.join('|')));
        QCOMPARE(summary.mid(1), QStringList{"Not yet readable from \"Ada's iPhone\": Music and Books."});
        QCOMPARE(ContactLines(blank), ContactLines(backup));
        PhotoRecord* photos = nullptr;
        int photoCount = 0;
        backup->GetPhotos()->PrepareList();
        QCOMPARE(backup->GetPhotos()->GetPhotoList(&photos, &photoCount), int(VEXA_OK));
        QVERIFY(photoCount > 0);
        // The camera roll's videos are not taken from a computer; they count as skipped.
        QCOMPARE(copied.captured(2).toInt() + copied.captured(3).toInt(), photoCount);
        QCOMPARE(AlbumPhotoCount(blank, "Ada's iPhone"), copied.captured(2).toInt());

        // Onto a target whose contacts and photos are read-only: said up front, passed over, no failure.
        QCOMPARE(CDeviceTransfer::ReadOnlyCategories(backup),
                 (1 << CDeviceTransfer::Contacts) | (1 << CDeviceTransfer::Photos));
        QCOMPARE(CDeviceTransfer::TargetNote(CDeviceTransfer::ReadOnlyCategories(backup), "Old"),
                 "\"Old\" cannot take Contacts and Photos over the cable; they will be left out.");
        QCOMPARE(
            CDeviceTransfer::TargetNote(15, "Old"),
            QStringLiteral("\"Old\" takes no contacts, photos, music or books over the cable. Please choose "
                           "another target device."));
        CDeviceTransfer transfer(blank, backup, "Blank iPod", m_work.filePath("onto"));
        QCOMPARE(transfer.Run(), int(VEXA_OK));
        QCOMPARE(transfer.Counts().Copied(), 0);
        QCOMPARE(CDeviceTransfer::SummaryText(transfer.Counts(), "Blank iPod", "Old").split('\n'),
                 QStringList(
                     {"Not yet writable to \"Old\": Music and Books.",
                      QStringLiteral("Left out because \"Old\" cannot take them over the cable: Contacts and "
                                     "Photos.")}));
    }

private:
    bool Backup(const QString& folder, BackupDialogWatcher* watcher = nullptr) {
        BackupDialogWatcher own;
        BackupDialogWatcher* used = watcher ? watcher : &own;
        used->Arm();
        BackupWidget window(m_devices);
        window.DeviceCombo()->setCurrentIndex(0);
        return window.StartBackup(folder);
    }

    // Restores `record` onto the device the device dialog offers for it.
    QSelectDeviceRestorDlg::Outcome Restore(const CBackupRecord& record, const QString& password = QString(),
                                            bool* prompted = nullptr) {
        QSelectDeviceRestorDlg::Outcome outcome = QSelectDeviceRestorDlg::NotRun;
        bool promptShown = false;
        WhenShown<QSelectDeviceRestorDlg>([&](QSelectDeviceRestorDlg* dialog) {
            QComboBox* combo = dialog->DeviceCombo();
            for (int i = 0; i < combo->count(); ++i)
                if (combo->itemData(i).toString() == record.serialNumber || record.imported)
                    combo->setCurrentIndex(i);
            for (int row = 0; row < dialog->Model()->rowCount(); ++row)
                if (dialog->Model()->Record(row)->folder == record.folder)
                    dialog->Table()->selectRow(row);
            if (!password.isNull()) {
                WhenShown<RestorePasswordWidget>([&promptShown, password](RestorePasswordWidget* prompt) {
                    promptShown = true;
                    prompt->PasswordEdit()->setText(password);
                    prompt->OnBtnYes();
                });
            }
            dialog->OnBtnConfirm();
            outcome = dialog->LastOutcome();
            dialog->reject();
        });
        QList<CBackupRecord> records{record};
        QSelectDeviceRestorDlg chooser(records, m_devices);
        chooser.exec();
        if (prompted)
            *prompted = promptShown;
        return outcome;
    }

    void ChangeDevice(IVexaManager* manager, const QString& folder) {
        ContactRecord added{};
        added.firstName = "Changed";
        added.lastName = "Afterwards";
        QCOMPARE(manager->GetContactService()->SaveContact(&added, 0), 0);
        const QStringList photos = FilesUnder(folder + "/Media/DCIM");
        QVERIFY(!photos.isEmpty());
        QVERIFY(WriteFile(photos.first(), ReadFile(photos.first()) + "changed"));
        QVERIFY(WriteFile(folder + "/Media/Added after the backup.txt", "new"));
    }

    // The records of the backup in `folder` as a newly opened restore window lists them.
    QList<CBackupRecord> Listed(const QString& folder) {
        const QRestoreDlg window(m_devices);
        QList<CBackupRecord> records;
        for (const CBackupRecord& record : window.Model()->Records())
            if (record.folder == folder)
                records << record;
        return records;
    }

    BackupTestDevices* m_devices = nullptr;
    QTemporaryDir m_work;
    MessageCatcher* m_messages = nullptr;
};

QTEST_MAIN(BackupTest)
#include "tst_backup.moc"
