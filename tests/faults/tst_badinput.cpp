#include <atomic>
#include <map>
#include <mutex>
#include <set>

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <sqlite3.h>
#include <vexa/vexa.h>

#include "CSingleDetectiPhone.h"
#include "DialogAnswerer.h"
#include "IBaseChunk.h"
#include "LanguageService.h"
#include "QContactsModel.h"
#include "QContactsView.h"
#include "QOperatePanel.h"
#include "QRecordExportDialog.h"
#include "TestFiles.h"
#include "sim/DeviceState.h"
#include "sim/SimDevice.h"

namespace {

std::mutex g_lock;
std::set<int> g_arrived;

int OnDevice(int mode, int handle) {
    std::lock_guard lock(g_lock);
    if (mode == VEXA_DEVICE_ARRIVED)
        g_arrived.insert(handle);
    else
        g_arrived.erase(handle);
    return 0;
}

std::set<int> Arrived() {
    std::lock_guard lock(g_lock);
    return g_arrived;
}

constexpr qint64 kHuge = qint64(2) << 30; // 2 GB, sparse

// The highest resident memory of the process so far, in MB.
qint64 PeakMemoryMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return 0;
}

// A file of that size that takes no disk space.
bool MakeSparse(const QString& path, qint64 size) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(size);
}

QByteArray Fingerprint(const QString& path) {
    QFileInfo info(path);
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (file.open(QIODevice::ReadOnly))
        hash.addData(&file);
    return QByteArray::number(info.size()) + ' ' +
           info.lastModified().toString(Qt::ISODateWithMs).toLatin1() + ' ' + hash.result().toHex();
}

// Every file below `folder` with its fingerprint.
QStringList Listing(const QString& folder) {
    QStringList lines;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        lines << path + (it.fileInfo().isFile() ? QLatin1Char(' ') + QString::fromLatin1(Fingerprint(path))
                                                : QString());
    }
    lines.sort();
    return lines;
}

// A simulated device's identifier: a series letter and a five-digit number.
std::string Udid(char series, int number) {
    return QStringLiteral("00008101-0000000000%1%2")
        .arg(QLatin1Char(series))
        .arg(number, 5, 10, QLatin1Char('0'))
        .toStdString();
}

int Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) ? process.exitCode() : -1;
}

} // namespace

// Damaged, oversized, oddly named, linked and read-only input in the folders the program reads and
// writes: each ends in a failure the user is told of, and nothing is written outside those folders.

class tst_badinput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void cleanupTestCase() {
        for (const QString& path : m_frozen)
            Freeze(path, false);
        delete m_dialogs;
        for (auto& [handle, manager] : m_managers)
            DeleteVexaManager(&manager);
        IOSListener(nullptr);
    }

    void controlFilesOfZeroBytesOrTwoGigabytes() {
        const qint64 peakBefore = PeakMemoryMb();
        QElapsedTimer clock;

        // A connection file that is empty or huge: the device is not there, and the listener goes on.
        for (qint64 size : {qint64(0), kHuge}) {
            const std::set<int> before = Arrived();
            const QString folder = MakeDevice(Udid('A', size ? 1 : 0));
            QVERIFY(!folder.isEmpty());
            QVERIFY(MakeSparse(folder + QStringLiteral("/state"), size));
            clock.start();
            const int control = ArriveControlDevice();
            QVERIFY2(control > 0, "a damaged connection file stopped the detection of other devices");
            QVERIFY2(clock.elapsed() < 3000,
                     qPrintable(QStringLiteral("detection took %1 ms").arg(clock.elapsed())));
            QCOMPARE(int(Arrived().size()), int(before.size()) + 1);
        }

        // A device description that is empty or huge cannot be read, quickly (the storage figures come from
        // the device's folders); a faults file that is empty or huge plans nothing: the calls work.
        int serial = 0;
        for (const char* file : {"device.json", "faults"}) {
            for (qint64 size : {qint64(0), kHuge}) {
                const QString folder = MakeDevice(Udid('D', ++serial));
                const int handle = PlugAndArrive(folder);
                QVERIFY(handle > 0);
                QVERIFY(MakeSparse(folder + QLatin1Char('/') + QLatin1String(file), size));
                clock.start();
                if (QByteArray(file) == "faults") {
                    ContactList* list = nullptr;
                    QCOMPARE(Manager(handle)->GetContactService()->GetContacts(&list), 0);
                } else {
                    DeviceInfo* info = nullptr;
                    QVERIFY(!Manager(handle)->GetDeviceInfo(&info));
                    DiskInfo disk{};
                    Manager(handle)->GetDiskInfo(&disk);
                }
                QVERIFY2(clock.elapsed() < 2000,
                         qPrintable(QStringLiteral("%1 took %2 ms").arg(file).arg(clock.elapsed())));
            }
        }
        // None of the files was read into memory.
        QVERIFY2(PeakMemoryMb() - peakBefore < 256,
                 qPrintable(QStringLiteral("peak memory grew by %1 MB").arg(PeakMemoryMb() - peakBefore)));
    }

    void damagedDatabasesEndInTheListingMessage() {
        const qint64 peakBefore = PeakMemoryMb();
        struct Case {
            qint64 size;
            bool listable; // an empty file is an empty database
        };
        for (const Case& test : {Case{0, true}, Case{kHuge, false}}) {
            const QString folder = MakeDevice(Udid('E', test.size ? 1 : 0));
            QVERIFY(MakeSparse(folder + QStringLiteral("/device.sqlite"), test.size));
            QVERIFY(
                MakeSparse(folder + QStringLiteral("/Library/AddressBook/AddressBook.sqlitedb"), test.size));
            QVERIFY(MakeSparse(folder + QStringLiteral("/Media/iTunes_Control/iTunes/MediaLibrary.sqlitedb"),
                               test.size));
            const int handle = PlugAndArrive(folder);
            QVERIFY(handle > 0);

            m_dialogs->Clear();
            const std::unique_ptr<QContactsView> view = LoadedContacts(handle);
            QVERIFY(!view->IsRunning());
            // A failure is reported through a queued call after the load.
            (void)m_dialogs->WaitForMessages(1, 200);
            if (test.listable) {
                QVERIFY2(m_dialogs->Messages().isEmpty(), qPrintable(m_dialogs->Messages().join('/')));
                QCOMPARE(view->GetChunkCount(), 0);
            } else {
                QCOMPARE(m_dialogs->Messages(),
                         QStringList({QStringLiteral("Get Contact information failed!")}));
                // The damaged file stays as it was: the device's data is not the program's to repair.
                QCOMPARE(QFileInfo(folder + QStringLiteral("/device.sqlite")).size(), test.size);
                QCOMPARE(
                    QFileInfo(folder + QStringLiteral("/Library/AddressBook/AddressBook.sqlitedb")).size(),
                    test.size);
            }
            int count = 0;
            PlaylistRecord* playlists = nullptr;
            const int media = Manager(handle)->GetMediaLibrary()->GetPlaylists(&count, &playlists);
            QVERIFY2(test.listable ? media == 0 : media == VEXA_MEDIA_DB_DAMAGED,
                     qPrintable(QString::number(media)));
        }
        QVERIFY(PeakMemoryMb() - peakBefore < 256);
    }

    void invalidUtf8Names() {
        // A folder whose name is not UTF-8 is no device: it is passed over, and detection goes on.
        const QByteArray badName = QFile::encodeName(m_root) + "/\xff\xfe-00008101";
        QVERIFY(QDir().mkpath(QFile::decodeName(badName)));
        QVERIFY(QFile::copy(MakeDevice("00008101-0000000000F00001") + QStringLiteral("/device.json"),
                            QFile::decodeName(badName + "/device.json")));
        Plug(QFile::decodeName(badName));
        const std::set<int> before = Arrived();
        QVERIFY(ArriveControlDevice() > 0);
        QCOMPARE(Arrived().size(), before.size() + 1);

        // A contact whose name holds bytes that are not UTF-8 is shown, with the broken bytes replaced.
        const int handle = ArriveControlDevice();
        QVERIFY(handle > 0);
        QCOMPARE(SaveContact(handle, "Ann\xff\xfe", "Lee\xc3"), 0);
        m_dialogs->Clear();
        const std::unique_ptr<QContactsView> view = LoadedContacts(handle);
        QVERIFY(!view->IsRunning());
        QCOMPARE(view->GetChunkCount(), 1);
        const QString shown = view->ContactsModel()->index(0, QContactsModel::NameColumn).data().toString();
        QVERIFY2(shown.startsWith(QStringLiteral("Ann")) && shown.contains(QStringLiteral("Lee")),
                 qPrintable(shown));
        QVERIFY(m_dialogs->Messages().isEmpty());
    }

    void linksOutOfTheSimulatorAreNotFollowed() {
        QTemporaryDir outside;
        QVERIFY(outside.isValid());
        const std::set<int> before = Arrived();

        // A device folder that is a link to a device elsewhere is not a device of this simulator.
        const std::string linkedUdid = "00008101-0000000000F00002";
        const QString elsewhere = MakeDevice(linkedUdid, outside.path());
        Plug(elsewhere);
        QVERIFY(QFile::link(elsewhere, m_root + QLatin1Char('/') + QString::fromStdString(linkedUdid)));

        // A connection file that links out is not read.
        const QString stateLinked = MakeDevice("00008101-0000000000F00003");
        WriteFile(outside.filePath(QStringLiteral("state")), "plugged usb\n");
        QVERIFY(
            QFile::link(outside.filePath(QStringLiteral("state")), stateLinked + QStringLiteral("/state")));

        QVERIFY(ArriveControlDevice() > 0);
        QVERIFY(!QTest::qWaitFor([&] { return Arrived().size() > before.size() + 1; }, 300));

        // A database that links out is neither read nor written.
        const QString dbLinked = MakeDevice("00008101-0000000000F00004");
        const QString outsideDb = outside.filePath(QStringLiteral("elsewhere.sqlite"));
        {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(outsideDb.toUtf8().constData(), &db), SQLITE_OK);
            QCOMPARE(sqlite3_exec(db, "CREATE TABLE keep(x); INSERT INTO keep VALUES(1);", nullptr, nullptr,
                                  nullptr),
                     SQLITE_OK);
            sqlite3_close(db);
        }
        QVERIFY(QFile::link(outsideDb, dbLinked + QStringLiteral("/device.sqlite")));
        QVERIFY(
            QFile::link(outsideDb, dbLinked + QStringLiteral("/Library/AddressBook/AddressBook.sqlitedb")));
        const QStringList outsideBefore = Listing(outside.path());
        const int handle = PlugAndArrive(dbLinked);
        QVERIFY(handle > 0);
        m_dialogs->Clear();
        const std::unique_ptr<QContactsView> view = LoadedContacts(handle);
        QVERIFY(!view->IsRunning());
        QVERIFY(m_dialogs->WaitForMessages(1, 2000));
        QCOMPARE(m_dialogs->Messages(), QStringList({QStringLiteral("Get Contact information failed!")}));
        QVERIFY(SaveContact(handle, "Nobody") != 0);
        // The linked device's own folder and the other files outside stay as they were.
        QCOMPARE(Listing(outside.path()), outsideBefore);
    }

    void linksInABackupAreNotFollowed() {
        const QString device = MakeDevice("00008101-0000000000F00006");
        const int handle = PlugAndArrive(device);
        QVERIFY(handle > 0);
        IVexaManager* manager = Manager(handle);
        QCOMPARE(SaveContact(handle, "Backed"), 0);
        QTemporaryDir backup(m_root + QStringLiteral("/backup-XXXXXX"));
        QTemporaryDir outside;
        QCOMPARE(manager->GetDeviceService()->BackupDevice(
                     reinterpret_cast<const char16_t*>(backup.path().utf16()), 0),
                 0);

        // One stored file becomes a link to a file of the same size outside the backup.
        const QStringList own = {"Manifest.plist", "Manifest.db", "Info.plist", "Status.plist"};
        QString stored;
        for (const QString& path : FilesUnder(backup.path())) {
            if (stored.isEmpty() && !own.contains(QFileInfo(path).fileName()) && QFileInfo(path).size() > 0)
                stored = path;
        }
        QVERIFY(!stored.isEmpty());
        const QByteArray foreign(QFileInfo(stored).size(), 'X');
        const QString secret = outside.filePath(QStringLiteral("secret"));
        QVERIFY(WriteFile(secret, foreign));
        QVERIFY(QFile::remove(stored));
        QVERIFY(QFile::link(secret, stored));

        QVERIFY(manager->GetDeviceService()->RestoreDevice(
                    reinterpret_cast<const char16_t*>(backup.path().utf16()), nullptr) != 0);
        // Nothing from outside reached the device, and the device kept its content.
        for (const QString& path : FilesUnder(device))
            QVERIFY2(ReadFile(path) != foreign, qPrintable(path));
        ContactList* list = nullptr;
        QCOMPARE(manager->GetContactService()->GetContacts(&list), 0);
        QCOMPARE(list->recordCount, 1);

        // A manifest that is a link makes no backup at all.
        QVERIFY(QFile::rename(backup.filePath(QStringLiteral("Manifest.db")),
                              outside.filePath(QStringLiteral("Manifest.db"))));
        QVERIFY(QFile::link(outside.filePath(QStringLiteral("Manifest.db")),
                            backup.filePath(QStringLiteral("Manifest.db"))));
        QCOMPARE(manager->GetDeviceService()->RestoreDevice(
                     reinterpret_cast<const char16_t*>(backup.path().utf16()), nullptr),
                 int(VEXA_E_NOT_A_BACKUP));
    }

    void readOnlyDeviceFolderRefusesChangesWithAMessage() {
        const QString folder = MakeDevice("00008101-0000000000F00005");
        const int handle = PlugAndArrive(folder);
        QVERIFY(handle > 0);
        QCOMPARE(SaveContact(handle, "Before"), 0);

        if (!Freeze(folder, true))
            QSKIP("this file system cannot make a folder read-only for the user running the tests");
        auto thaw = qScopeGuard([&] { Freeze(folder, false); });
        const QStringList listing = Listing(folder);

        // Every change is refused; the contacts page tells the user.
        QVERIFY(Manager(handle)->GetDeviceService()->SetDeviceName(u"Renamed") != 0);
        m_dialogs->Clear();
        std::unique_ptr<QContactsView> view(NewContactsView(handle));
        m_dialogs->WhenShown<QDialog>([](QDialog* dialog) {
            if (QLineEdit* first = dialog->findChild<QLineEdit*>(QStringLiteral("m_btn_firstName")))
                first->setText(QStringLiteral("After"));
            QMetaObject::invokeMethod(dialog, "OnBtnYes");
        });
        emit view->OperatePanel()->addOperate();
        QTRY_VERIFY_WITH_TIMEOUT(!m_dialogs->Messages().isEmpty(), 5000);
        QCOMPARE(m_dialogs->Messages(), QStringList({QStringLiteral("Add contact failed!")}));
        QCOMPARE(Listing(folder), listing);

        // Given back its rights, the device takes changes again.
        thaw.dismiss();
        QVERIFY(Freeze(folder, false));
        QCOMPARE(Manager(handle)->GetDeviceService()->SetDeviceName(u"Renamed"), 0);
    }

    void exportToAnUnwritableFolderWarns() {
        const int handle = ArriveControlDevice();
        QVERIFY(handle > 0);
        QCOMPARE(SaveContact(handle, "Exported"), 0);
        const std::unique_ptr<QContactsView> view = LoadedContacts(handle);
        QVERIFY(!view->IsRunning());
        view->GetChunk(0)->SetChecked(true);

        // A home folder the user may not write to.
        // Below the simulator's root, so that a crashed run's next start can give the rights back.
        QTemporaryDir home(m_root + QStringLiteral("/home-XXXXXX"));
        const QString target = home.filePath(QStringLiteral("contacts.vcf"));
        if (!Freeze(home.path(), true))
            QSKIP("this file system cannot make a folder read-only for the user running the tests");
        auto thaw = qScopeGuard([&] { Freeze(home.path(), false); });

        m_dialogs->Clear();
        m_dialogs->WhenShown<QFileDialog>([target](QFileDialog* dialog) {
            DialogAnswerer::Choose(dialog, target);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QRecordExportDialog::Run(view.get(), view.get());
        QVERIFY(m_dialogs->WaitForMessages(1, 2000));
        QCOMPARE(m_dialogs->Messages(),
                 QStringList({QStringLiteral("Export failed! %1 could not be written.").arg(target)}));
        QVERIFY(
            QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
    }

    // Last: the program's detector takes the library's callback over.

    void homeWithoutWriteRightsSaysDevicesCannotBeDetected() {
        QTemporaryDir home(m_root + QStringLiteral("/home-XXXXXX"));
        const QString emptyRoot = home.filePath(QStringLiteral("empty-root"));
        QVERIFY(QDir().mkpath(emptyRoot));
        if (!Freeze(home.path(), true))
            QSKIP("this file system cannot make a folder read-only for the user running the tests");
        auto thaw = qScopeGuard([&] { Freeze(home.path(), false); });
        const QByteArray savedRoot = qgetenv("VEXA_SIM_ROOT");
        auto restore = qScopeGuard([&] {
            qputenv("VEXA_SIM_ROOT", savedRoot);
            IOSInitialize();
        });

        // A simulator root that exists but can neither be written nor holds a device will never show one.
        qputenv("VEXA_SIM_ROOT", emptyRoot.toUtf8());
        QCOMPARE(IOSInitialize(), int(VEXA_E_IO));

        // The program starts its detection in a home folder it may not write to, and says so.
        qputenv("VEXA_SIM_ROOT", home.filePath(QStringLiteral("data/vexa-transfer/simulator")).toUtf8());
        m_dialogs->Clear();
        CSingleDetectiPhone::Instance();
        QTRY_VERIFY_WITH_TIMEOUT(!m_dialogs->Messages().isEmpty(), 5000);
        QCOMPARE(
            m_dialogs->Messages(),
            QStringList({QStringLiteral("Device detection could not start (error %1). Please check that your "
                                        "home folder can be written.")
                             .arg(int(VEXA_E_IO))}));
        QCOMPARE(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList({QStringLiteral("empty-root")}));
        QVERIFY(QDir(emptyRoot).isEmpty());

        // Given its rights back, the library starts again.
        restore.dismiss();
        qputenv("VEXA_SIM_ROOT", savedRoot);
        QCOMPARE(IOSInitialize(), 0);
    }

private:
    // Makes a device folder (not yet plugged in) and answers its path.
    QString MakeDevice(const std::string& udid, const QString& root = QString());

    void Plug(const QString& folder) {
        vexa::sim::WriteDeviceState((folder + QStringLiteral("/state")).toStdString(),
                                    vexa::sim::DeviceState{});
    }

    // Plugs in a fresh device and waits for its arrival, proving the listener still scans.

    int ArriveControlDevice() { return PlugAndArrive(MakeDevice(Udid('C', ++m_serial))); }

    // Plugs in the device of that folder and answers its handle once it arrived, else -1.

    int PlugAndArrive(const QString& folder) {
        const std::set<int> before = Arrived();
        Plug(folder);
        int handle = -1;
        const auto arrived = [&] {
            for (int h : Arrived())
                handle = before.count(h) ? handle : h;
            return handle != -1;
        };
        return QTest::qWaitFor(arrived, 5000) ? handle : -1;
    }

    QContactsView* NewContactsView(int handle) { return new QContactsView(Manager(handle), handle); }

    // A contacts page of the device that has read its contacts.

    std::unique_ptr<QContactsView> LoadedContacts(int handle) {
        std::unique_ptr<QContactsView> view(NewContactsView(handle));
        QSignalSpy finished(view.get(), &QBaseDetailsView::loadFinished);
        view->OnRefreshContacts();
        if (!QTest::qWaitFor([&] { return finished.count() > 0 && !view->IsRunning(); }, 10000))
            qWarning("the contacts page did not finish reading");
        return view;
    }

    // A manager of the device, kept until the end of the test program.

    IVexaManager* Manager(int handle) {
        IVexaManager*& manager = m_managers[handle];
        if (!manager) {
            manager = GetVexaManager();
            manager->SetDeviceHandle(handle);
        }
        return manager;
    }

    // Saves a new contact of that name on the device; the library's answer.
    int SaveContact(int handle, const char* first, const char* last = nullptr);
    // Makes a folder (and what is in it) unchangeable even for root; false when the system cannot.
    bool Freeze(const QString& path, bool frozen);

    QString m_root;
    std::map<int, IVexaManager*> m_managers;
    DialogAnswerer* m_dialogs = nullptr;
    int m_serial = 0;
    QStringList m_frozen;
};

void tst_badinput::initTestCase() {
    SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR));
    m_root = qEnvironmentVariable("VEXA_SIM_ROOT");
    QVERIFY(!m_root.isEmpty());
    Run(QStringLiteral("chattr"), {QStringLiteral("-R"), QStringLiteral("-i"), m_root});
    QDir(m_root).removeRecursively();
    QVERIFY(QDir().mkpath(m_root));
    // A device present before start-up keeps the simulator from generating its demo device.
    MakeDevice("00008101-0000000000BAD000");
    QCOMPARE(IOSInitialize(), 0);
    QCOMPARE(IOSListener(OnDevice), 0);
    m_dialogs = new DialogAnswerer;
}

QString tst_badinput::MakeDevice(const std::string& udid, const QString& root) {
    const QString base = root.isEmpty() ? m_root : root;
    if (vexa::sim::SimDevice::Create(base.toStdString(), udid, "Bad Input Phone", "iPhone8,1") != 0)
        return {};
    return base + QLatin1Char('/') + QString::fromStdString(udid);
}

int tst_badinput::SaveContact(int handle, const char* first, const char* last) {
    ContactRecord record{};
    record.firstName = first;
    record.lastName = last;
    return Manager(handle)->GetContactService()->SaveContact(&record, 0);
}

bool tst_badinput::Freeze(const QString& path, bool frozen) {
    if (::geteuid() != 0) {
        // Without root, the permission bits hold.
        return Run(QStringLiteral("chmod"),
                   {QStringLiteral("-R"), frozen ? QStringLiteral("a-w") : QStringLiteral("u+w"), path}) == 0;
    }
    // Root passes over permission bits; the immutable flag binds root too.
    const bool ok =
        Run(QStringLiteral("chattr"),
            {QStringLiteral("-R"), frozen ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
    if (ok && frozen)
        m_frozen << path;
    if (!frozen)
        m_frozen.removeAll(path);
    return ok;
}

QTEST_MAIN(tst_badinput)
#include "tst_badinput.moc"
