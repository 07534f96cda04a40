// The usb backend against vexa-device-emulator: the same simulated device is read once through the
// simulator backend and once over usbmuxd, lockdown and AFC, and both must agree.
#include <algorithm>
#include <cstring>
#include <span>
#include <thread>
#include <vector>

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "EmulatorProcess.h"
#include "FileServiceContract.h"
#include "TestFiles.h"
#include "formats/IpaFile.h"
#include "sim/DeviceInfoFile.h"
#include "usb/PendingLocalFile.h"
#include "usb/ServiceConnection.h"
#include "usb/UsbAppLibrary.h"
#include "usb/UsbBackend.h"
#include "usb/UsbFileService.h"

namespace {

// What the device tells of itself, one line a fact: its properties but the clock, its battery and disk
// figures, the entries of its root folder and its apps.
QStringList factsOf(IVexaManager& manager) {
    QStringList facts;
    DeviceInfo* info = nullptr;
    if (manager.GetDeviceInfo(&info)) {
        for (int i = 0; i < DP_Count; ++i) {
            if (i != DP_TimeIntervalSince1970)
                facts << QStringLiteral("%1=%2").arg(kDevicePropertyNames[i],
                                                     QString::fromUtf8(info->properties[i]));
        }
        facts << QStringLiteral("battery=%1").arg(info->batteryLevel);
    }
    DiskInfo disk{};
    manager.GetDiskInfo(&disk);
    for (int field : {DI_DataCapacity, DI_DataFree, DI_SystemCapacity, DI_SystemFree, DI_Music, DI_Video,
                      DI_Books, DI_Apps})
        facts << QStringLiteral("disk %1=%2").arg(field).arg(disk.values[field]);
    QStringList entries, apps;
    int count = 0;
    DirectoryEntryRecord* records = nullptr;
    if (manager.GetFileService()->ReadDirectory("/", &count, &records) == VEXA_OK)
        for (const DirectoryEntryRecord& entry : std::span(records, size_t(count)))
            entries << QStringLiteral("/%1:%2:%3").arg(entry.name, entry.type, entry.size);
    AppRecord* list = nullptr;
    if (manager.GetAppLibrary()->GetApplistInfo(&list, &count) == VEXA_OK)
        for (const AppRecord& app : std::span(list, size_t(count)))
            apps << QStringLiteral("app %1|%2|%3|%4|%5")
                        .arg(app.id, app.name, app.version, QString::number(app.appSize),
                             QString::number(app.fileSize));
    entries.sort();
    apps.sort();
    return facts + entries + apps;
}

QByteArray randomBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(42);
    generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

std::u16string u16(const QString& text) {
    return text.toStdU16String();
}

constexpr char kUdid[] = "00008030-001A2B3C4D5E6F70";

// A package of an app named `name` (its id com.example.<name in lower case>) with what the installer needs.
vexa::formats::AppBundle appBundle(const std::string& name, const std::string& version = "1.0") {
    vexa::formats::AppBundle bundle;
    bundle.bundleId = "com.example." + QString::fromStdString(name).toLower().remove(' ').toStdString();
    bundle.displayName = name;
    bundle.version = bundle.shortVersion = version;
    bundle.minimumOS = "12.0";
    bundle.executable = QString::fromStdString(name).remove(' ').toStdString();
    return bundle;
}

} // namespace

class TestVexaUsb : public QObject {
    Q_OBJECT

private:
    EmulatorProcess m_emulator;
    QTemporaryDir m_local;
    QStringList m_simulated;
    int m_handle = 0;
    Manager m_manager; // bound to the device for each test

private slots:
    void initTestCase() {
        QVERIFY(m_local.isValid());
        QCOMPARE(m_emulator.SimCtl({"create", "--udid", kUdid, "--name", "Usb iPhone", "--product-type",
                                    "iPhone12,1", "--apps", "2"}),
                 0);
        QVERIFY(m_emulator.Start());
        // First through the simulator, for the values the usb backend must reproduce.
        Manager simulated = Bind(m_emulator.ListenForOne("sim"));
        QVERIFY(simulated);
        m_simulated = factsOf(*simulated);
        simulated.reset();
        m_handle = m_emulator.ListenForOne("usb"); // and the simulator's device has left
        QVERIFY(m_handle != 0);
        QCOMPARE(IsWiFiConnect(m_handle), 0);
    }

    void init() {
        m_manager = Bind(m_handle);
        QVERIFY(m_manager);
    }

    void cleanup() { m_manager.reset(); }

    void recordDiskAndFilesMatchTheSimulator() {
        // The device's clock is read when asked, not the time the simulated device was made.
        DeviceInfo* info = nullptr;
        QVERIFY(m_manager->GetDeviceInfo(&info));
        const qint64 clock = QByteArray(info->properties[DP_TimeIntervalSince1970]).toLongLong();
        QVERIFY(qAbs(clock - QDateTime::currentSecsSinceEpoch()) < 60);
        const QStringList usb = factsOf(*m_manager);
        QCOMPARE(usb.filter(QRegularExpression("^app ")).size(), 2);
        QCOMPARE(usb, m_simulated);
    }

    void renameIsReadBackFromTheDevice() {
        QCOMPARE(m_manager->GetDeviceService()->SetDeviceName(u"Kitchen iPhone ✓"), int(VEXA_OK));
        DeviceInfo* info = nullptr;
        QVERIFY(m_manager->GetDeviceInfo(&info));
        QCOMPARE(QString::fromUtf8(info->properties[DP_DeviceName]), QStringLiteral("Kitchen iPhone ✓"));
        vexa::sim::DeviceInfoFile file;
        QCOMPARE(vexa::sim::DeviceInfoFile::Load(
                     (m_emulator.Root() + "/" + kUdid + "/device.json").toStdString(), file),
                 int(VEXA_OK));
        QCOMPARE(file.profile.properties["DeviceName"], std::string("Kitchen iPhone ✓"));
        QCOMPARE(m_manager->GetDeviceService()->SetDeviceName(u"  "), int(VEXA_E_INVALID_ARGUMENT));
    }

    void fileServiceKeepsItsContract_data() { file_contract::AddRows(); }

    void fileServiceKeepsItsContract() {
        QFETCH(int, row);
        // Links inside the device are the device's own to refuse (here the emulator's), as is a folder moved
        // into itself.
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        if ((tag.startsWith("escape:") && tag.contains("link")) || tag == "rename a folder into itself")
            QSKIP("the device answers this itself");
        // Here a computer folder fails as unreadable (an input-output error), not as a wrong argument.
        if (tag == "copy a computer folder")
            QSKIP("the usb backend answers with its own code");
        const QString problem =
            file_contract::Run({m_manager->GetFileService(), m_emulator.Media(kUdid).toStdString(),
                                m_local.filePath("contract").toStdString()},
                               row);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void brokenAnswersEndInAClearResultAndTheNextCallWorks_data() {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QByteArray>("operation");
        for (const char* operation : {"list", "export", "upload"}) {
            for (const char* kind : {"drop", "malformed", "oversized", "error", "timeout"})
                QTest::addRow("%s during %s", kind, operation) << QByteArray(kind) << QByteArray(operation);
            // No fault: the service connection is encrypted, and every call works at once.
            QTest::addRow("%s over an encrypted connection", operation)
                << QByteArray("tls") << QByteArray(operation);
        }
    }

    void brokenAnswersEndInAClearResultAndTheNextCallWorks() {
        QFETCH(QByteArray, kind);
        QFETCH(QByteArray, operation);
        const bool tls = kind == "tls";
        if (tls)
            QCOMPARE(m_emulator.Control("service-ssl on"), QByteArray("ok"));
        IFileService* files = m_manager->GetFileService();
        const QByteArray bytes = randomBytes(5 * 1024 * 1024 + 7);
        const QString local = m_local.filePath("fault-source.bin");
        QVERIFY(WriteFile(local, bytes));
        QCOMPARE(files->CopyFileToDevice(u16(local).c_str(), u"/fault.bin"), int(VEXA_OK)); // connection open
        const QString exported = m_local.filePath("fault-export.bin");
        const QString uploaded = m_emulator.Media(kUdid) + "/fault-upload.bin";
        const auto run = [&]() -> int {
            if (operation == "list") {
                int count = 0;
                DirectoryEntryRecord* entries = nullptr;
                const int result = files->ReadDirectory("/", &count, &entries);
                const bool listed =
                    std::any_of(entries, entries + count, [&](const DirectoryEntryRecord& entry) {
                        return QByteArray(entry.name) == "fault.bin" &&
                               QByteArray(entry.size).toLongLong() == bytes.size();
                    });
                return result != VEXA_OK || listed ? result : -1;
            }
            if (operation == "export")
                return files->CopyFileToComputer(u"/fault.bin", u16(exported).c_str());
            return files->CopyFileToDevice(u16(local).c_str(), u"/fault-upload.bin");
        };

        if (!tls) {
            QVERIFY(m_emulator.Control("fault afc " + kind).startsWith("ok"));
            QElapsedTimer timer;
            timer.start();
            const int broken = run();
            QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
            if (kind == "timeout")
                QCOMPARE(broken, int(VEXA_E_TIMEOUT));
            else
                QVERIFY2(broken != VEXA_OK && broken != VEXA_E_UNPLUGGED,
                         qPrintable(QString::number(broken)));
            QVERIFY(!QFile::exists(exported));
            QVERIFY(!QFile::exists(uploaded));
        }

        QCOMPARE(run(), int(VEXA_OK));
        if (operation != "list")
            QCOMPARE(ReadFile(operation == "export" ? exported : uploaded), bytes);
        QFile::remove(exported);
        QCOMPARE(files->RemovePath("/fault.bin"), int(VEXA_OK));
        QCOMPARE(files->RemovePath("/fault-upload.bin"),
                 int(operation == "upload" ? VEXA_OK : VEXA_E_NOT_FOUND));
        QVERIFY(m_emulator.Control(tls ? "service-ssl off" : "clear-faults").startsWith("ok"));
    }

    void aFolderOfTenThousandEntriesIsListedWhole() {
        const QString folder = m_emulator.Media(kUdid) + "/Many";
        QVERIFY(QDir().mkpath(folder + "/Sub"));
        QVERIFY(QFile::link("Sub", folder + "/link"));
        // Name, type and the size of a file or the target of a link.
        QStringList expected{".:S_IFDIR:", "..:S_IFDIR:", "Sub:S_IFDIR:", "link:S_IFLNK:Sub"};
        for (int i = 0; i < 10000; ++i) {
            expected << QStringLiteral("IMG_%1.JPG:S_IFREG:%2").arg(i, 5, 10, QLatin1Char('0')).arg(i % 61);
            QVERIFY(WriteFile(folder + '/' + expected.last().section(':', 0, 0), QByteArray(i % 61, 'x')));
        }
        IFileService* files = m_manager->GetFileService();
        int count = 0;
        DirectoryEntryRecord* entries = nullptr;
        QCOMPARE(files->ReadDirectory("/Many", &count, &entries), int(VEXA_OK));
        QStringList listed;
        for (const DirectoryEntryRecord& entry : std::span(entries, size_t(count))) {
            const bool file = QByteArray(entry.type) == "S_IFREG";
            listed << QStringLiteral("%1:%2:%3")
                          .arg(entry.name, entry.type,
                               file               ? entry.size
                               : entry.linkTarget ? entry.linkTarget
                                                  : "");
        }
        listed.sort();
        expected.sort();
        QCOMPARE(listed, expected);
        QCOMPARE(files->RemovePath("/Many"), int(VEXA_OK));
        QVERIFY(!QFile::exists(folder));
    }

    void appsAreInstalledListedWithIconsAndUninstalled() {
        IAppLibrary* apps = m_manager->GetAppLibrary();
        vexa::formats::AppBundle bundle = appBundle("Usb Notes", "1.7");
        bundle.version = "7";
        bundle.payloadBytes = 300000;
        const QString ipa = m_local.filePath("Usb Notes.ipa");
        QVERIFY(vexa::formats::WriteIpa(ipa.toStdString(), bundle));
        QCOMPARE(apps->InstallApp(u16(ipa).c_str()), int(VEXA_OK));
        QCOMPARE(apps->InstallApp(u16(m_local.filePath("absent.ipa")).c_str()), int(VEXA_APP_PUT_FILE_ERROR));

        AppRecord* records = nullptr;
        int count = 0;
        QCOMPARE(apps->GetApplistInfo(&records, &count), int(VEXA_OK));
        QCOMPARE(count, 3);
        QCOMPARE(apps->GetAppListIcon(records, count), int(VEXA_OK));
        bool found = false;
        for (int i = 0; i < count; ++i) {
            if (QByteArray(records[i].id) != "com.example.usbnotes") { // the new package brings no icon
                QVERIFY2(records[i].iconLength > 8 && std::memcmp(records[i].icon, "\x89PNG", 4) == 0,
                         records[i].id);
            } else {
                found = true;
                QCOMPARE(QByteArray(records[i].name), QByteArray("Usb Notes"));
                QCOMPARE(QByteArray(records[i].version), QByteArray("1.7"));
                QVERIFY(records[i].appSize >= 300000);
            }
        }
        QVERIFY(found);
        // The staging copy does not stay behind on the device.
        DirectoryEntryRecord* entries = nullptr;
        const int staged = m_manager->GetFileService()->ReadDirectory("/PublicStaging", &count, &entries);
        QVERIFY(staged == VEXA_E_NOT_FOUND || (staged == VEXA_OK && count <= 2));

        QCOMPARE(apps->UninstallApp("com.example.usbnotes"), int(VEXA_OK));
        QCOMPARE(apps->UninstallApp("com.example.usbnotes"), int(VEXA_APP_UNINSTALL_FAILED));
        QCOMPARE(apps->GetApplistInfo(&records, &count), int(VEXA_OK));
        QCOMPARE(count, 2);
    }

    void appDocumentsAreBrowsedThroughHouseArrest() {
        AppRecord* records = nullptr;
        int count = 0;
        QCOMPARE(m_manager->GetAppLibrary()->GetApplistInfo(&records, &count), int(VEXA_OK));
        QVERIFY(count > 0);
        IFileService* files = m_manager->GetFileService();
        IFileService* container = nullptr;
        QCOMPARE(files->OpenAppContainer(records[0].id, &container), int(VEXA_OK));
        QVERIFY(container != nullptr);
        const QString local = m_local.filePath("shared.txt");
        QVERIFY(WriteFile(local, "shared with the app"));
        QCOMPARE(container->CopyFileToDevice(u16(local).c_str(), u"/Documents/shared.txt"), int(VEXA_OK));
        DirectoryEntryRecord* entries = nullptr;
        QCOMPARE(container->ReadDirectory("/Documents", &count, &entries), int(VEXA_OK));
        QStringList names;
        for (const DirectoryEntryRecord& entry : std::span(entries, size_t(count)))
            names << QString::fromUtf8(entry.name);
        QVERIFY2(names.contains("shared.txt"), qPrintable(names.join(' ')));
        QCOMPARE(files->CloseAppContainer(container), 1);
        QCOMPARE(files->CloseAppContainer(container), 0);
        QCOMPARE(files->OpenAppContainer("com.example.not.installed", &container), int(VEXA_E_NOT_FOUND));
    }

    void servicesNotOfferedYetSaySo() {
        QCOMPARE(m_manager->GetAppLibrary()->BackupApp("com.example.app", "/tmp/x.ipa", 0),
                 int(VEXA_APP_BACKUP_FAILED));
        // Said without asking the device, so the apps page can leave the backup out.
        QCOMPARE(m_manager->GetAppLibrary()->QueryAppBackup(), int(VEXA_E_UNSUPPORTED));
    }

    void pairingIsToldAsTheDeviceAnswers_data() {
        QTest::addColumn<QString>("udid");
        QTest::addColumn<QByteArray>("first"); // the emulator's state when the device is plugged in
        QTest::addColumn<int>("firstReport");
        QTest::addColumn<QByteArray>("then"); // the user's next answer on the device, empty for none
        QTest::addColumn<bool>("retry");      // the user presses Retry in the program
        QTest::addColumn<int>("thenReport");
        QTest::newRow("trusted while the dialog shows")
            << "00008101-000A1B2C3D4E5F60" << QByteArray("trust pending") << int(VEXA_DEVICE_TRUST_PENDING)
            << QByteArray("trust accept") << false << int(VEXA_DEVICE_ARRIVED);
        QTest::newRow("refused, then trusted on the second ask")
            << "00008101-000B1B2C3D4E5F60" << QByteArray("trust deny") << int(VEXA_DEVICE_PAIRING_FAILED)
            << QByteArray("trust accept") << true << int(VEXA_DEVICE_ARRIVED);
        QTest::newRow("refused, then the dialog shows again")
            << "00008101-000B1B2C3D4E5F61" << QByteArray("trust deny") << int(VEXA_DEVICE_PAIRING_FAILED)
            << QByteArray("trust pending") << true << int(VEXA_DEVICE_TRUST_PENDING);
        QTest::newRow("refused twice")
            << "00008101-000B1B2C3D4E5F62" << QByteArray("trust deny") << int(VEXA_DEVICE_PAIRING_FAILED)
            << QByteArray("trust deny") << true << int(VEXA_DEVICE_PAIRING_FAILED);
        // A garbled answer while pairing is asked again, not taken for a refusal.
        QTest::newRow("garbled answer")
            << "00008101-000D1B2C3D4E5F60" << QByteArray("fault lockdown malformed")
            << int(VEXA_DEVICE_ARRIVED) << QByteArray() << false << 0;
    }

    void pairingIsToldAsTheDeviceAnswers() {
        QFETCH(QString, udid);
        QFETCH(QByteArray, first);
        QFETCH(int, firstReport);
        QFETCH(QByteArray, then);
        QFETCH(bool, retry);
        QFETCH(int, thenReport);
        QVERIFY(m_emulator.Control(first).startsWith("ok"));
        size_t from = EventCount();
        QCOMPARE(m_emulator.SimCtl(
                     {"create", "--udid", udid, "--name", "Pairing iPad", "--product-type", "iPad13,18"}),
                 0);
        m_emulator.Control("rescan");
        // A new device makes its keys and the host its own before the first answer: seconds here.
        const int handle = WaitForEvent(from, firstReport, 0, 30000);
        QVERIFY(handle != 0);
        for (int other : {VEXA_DEVICE_ARRIVED, VEXA_DEVICE_PAIRING_FAILED, VEXA_DEVICE_TRUST_PENDING}) {
            if (other != firstReport)
                QCOMPARE(EventAfter(0, other, handle), 0);
        }
        Manager early(GetVexaManager());
        QCOMPARE(early->SetDeviceHandle(handle), int(VEXA_OK));
        DeviceInfo* info = nullptr;
        // Nothing is read before the user trusts us.
        QCOMPARE(early->GetDeviceInfo(&info), firstReport == VEXA_DEVICE_ARRIVED);

        from = EventCount();
        if (!then.isEmpty()) {
            QVERIFY(m_emulator.Control(then).startsWith("ok"));
            // Retry asks the device again and its answer is told, even the same one.
            if (retry)
                QCOMPARE(IOSRetryPairing(), 0);
            QCOMPARE(WaitForEvent(from, thenReport, handle, 15000), handle);
            QCOMPARE(early->GetDeviceInfo(&info), thenReport == VEXA_DEVICE_ARRIVED);
            if (thenReport == VEXA_DEVICE_ARRIVED)
                QCOMPARE(QByteArray(info->properties[DP_DeviceName]), QByteArray("Pairing iPad"));
        }

        from = EventCount();
        QCOMPARE(m_emulator.SimCtl({"unplug", udid}), 0);
        m_emulator.Control("rescan");
        QCOMPARE(WaitForEvent(from, VEXA_DEVICE_REMOVED, handle), handle);
        QVERIFY(m_emulator.Control("trust accept").startsWith("ok"));
    }

    void networkDevicesAreIgnored() {
        const QString udid = "00008101-000C1B2C3D4E5F60";
        QCOMPARE(m_emulator.SimCtl(
                     {"create", "--udid", udid, "--name", "Wireless", "--product-type", "iPhone14,5"}),
                 0);
        const size_t from = EventCount();
        QCOMPARE(m_emulator.SimCtl({"wifi", udid, "on"}), 0);
        m_emulator.Control("rescan");
        const int handle = WaitForEvent(from, VEXA_DEVICE_ARRIVED, 0, 2000);
        // Attached by cable before it moved to Wi-Fi: it must leave, and nothing may come back.
        if (handle != 0)
            QVERIFY(WaitForEvent(from, VEXA_DEVICE_REMOVED, handle) != 0);
        const size_t settled = EventCount();
        QVERIFY(!QTest::qWaitFor([&] { return EventAfter(settled, VEXA_DEVICE_ARRIVED) != 0; }, 1500));
    }

    void unplugDuringACallEndsItAndReportsTheRemoval_data() {
        QTest::addColumn<QByteArray>("service");
        QTest::newRow("copy to the computer") << QByteArray("afc");
        QTest::newRow("install") << QByteArray("installation_proxy");
    }

    // The call ends within ten seconds, a copy leaves no partial file, the removal is reported, the manager's
    // calls fail as unplugged, and plugged in again the device comes back under a new handle.
    void unplugDuringACallEndsItAndReportsTheRemoval() {
        QFETCH(QByteArray, service);
        const bool copy = service == "afc";
        IFileService* files = m_manager->GetFileService();
        const QString local = m_local.filePath(copy ? "big.bin" : "Interrupted.ipa");
        const QString target = m_local.filePath("partial.bin");
        if (copy) {
            QVERIFY(WriteFile(local, randomBytes(6 * 1024 * 1024)));
            QCOMPARE(files->CopyFileToDevice(u16(local).c_str(), u"/big.bin"), int(VEXA_OK));
        } else {
            QVERIFY(vexa::formats::WriteIpa(local.toStdString(), appBundle("Interrupted")));
        }

        const size_t from = EventCount();
        QVERIFY(m_emulator.Control("fault " + service + " detach").startsWith("ok"));
        QElapsedTimer timer;
        timer.start();
        const int result = copy ? files->CopyFileToComputer(u"/big.bin", u16(target).c_str())
                                : m_manager->GetAppLibrary()->InstallApp(u16(local).c_str());
        QVERIFY(timer.elapsed() < 10000);
        QVERIFY2(result == VEXA_E_UNPLUGGED || result == (copy ? VEXA_E_IO : VEXA_APP_INSTALL_ERROR),
                 qPrintable(QString::number(result)));
        QVERIFY(!QFile::exists(target));
        QCOMPARE(WaitForEvent(from, VEXA_DEVICE_REMOVED, m_handle), m_handle);
        QCOMPARE(files->ReadDirectory("/", nullptr, nullptr), int(VEXA_E_INVALID_ARGUMENT));
        int count = 0;
        DirectoryEntryRecord* entries = nullptr;
        QCOMPARE(files->ReadDirectory("/", &count, &entries), int(VEXA_E_UNPLUGGED));

        QVERIFY(m_emulator.Control(QByteArray("attach ") + kUdid).startsWith("ok"));
        const int again = WaitForEvent(from, VEXA_DEVICE_ARRIVED);
        QVERIFY(again != 0 && again != m_handle);
        m_handle = again;
    }

    void installProgressCoversTheUploadAndTheDevicesSteps() {
        IAppLibrary* apps = m_manager->GetAppLibrary();
        auto* progress = dynamic_cast<IInstallProgress*>(apps);
        QVERIFY(progress != nullptr);
        QCOMPARE(progress->GetInstallProgress(), -1);
        vexa::formats::AppBundle bundle = appBundle("Progress", "2.0");
        // A picture of noise does not compress: the package takes many upload chunks.
        QImage noise(1000, 1000, QImage::Format_RGB32);
        QRandomGenerator generator(7);
        generator.fillRange(reinterpret_cast<quint32*>(noise.bits()), noise.sizeInBytes() / 4);
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        noise.save(&png, "PNG");
        bundle.iconPng.assign(png.data().begin(), png.data().end());
        const QString ipa = m_local.filePath("Progress.ipa");
        QVERIFY(vexa::formats::WriteIpa(ipa.toStdString(), bundle));

        // What a view polling the library from its own thread would see.
        std::atomic<bool> done{false};
        std::vector<int> seen;
        std::thread poller([&] {
            while (!done) {
                const int value = progress->GetInstallProgress();
                if (seen.empty() || seen.back() != value)
                    seen.push_back(value);
                std::this_thread::yield();
            }
        });
        const int result = apps->InstallApp(u16(ipa).c_str());
        done = true;
        poller.join();
        QCOMPARE(result, int(VEXA_OK));
        QCOMPARE(progress->GetInstallProgress(), -1);
        QString text;
        for (int value : seen)
            text += QString::number(value) + ' ';
        const auto firstStep = std::find_if(seen.begin(), seen.end(), [](int v) { return v >= 0; });
        QVERIFY2(firstStep != seen.end(), qPrintable(text));
        const auto last = std::find(firstStep, seen.end(), -1);
        QVERIFY2(std::is_sorted(firstStep, last), qPrintable(text));
        // The device's own steps fill the bar beyond the upload's part.
        QVERIFY2(std::any_of(firstStep, last, [](int v) { return v > 40 && v <= 100; }), qPrintable(text));
        QCOMPARE(apps->UninstallApp("com.example.progress"), int(VEXA_OK));

        // The upload fills the first part of the bar: while the device holds back its first status the
        // install stands where the upload ended.
        QVERIFY(m_emulator.Control("fault installation_proxy timeout").startsWith("ok"));
        int silent = VEXA_OK;
        std::thread installer([&] { silent = apps->InstallApp(u16(ipa).c_str()); });
        const bool reached = QTest::qWaitFor([&] { return progress->GetInstallProgress() == 40; }, 5000);
        const bool moved = QTest::qWaitFor([&] { return progress->GetInstallProgress() != 40; }, 1000);
        installer.join();
        m_emulator.Control("clear-faults");
        QVERIFY(reached && !moved);
        QCOMPARE(silent, int(VEXA_E_TIMEOUT)); // the reason reaches the user
        QCOMPARE(progress->GetInstallProgress(), -1);
        // The failed install takes its package off the device as well.
        QVERIFY(!QFile::exists(m_emulator.Media(kUdid) + "/PublicStaging/Progress.ipa"));
    }

    void aSilentDeviceEndsEveryAppCallWithinTenSeconds_data() {
        QTest::addColumn<QByteArray>("service");
        QTest::addColumn<QByteArray>("call");
        QTest::newRow("app list") << QByteArray("installation_proxy") << QByteArray("list");
        QTest::newRow("icons") << QByteArray("springboard") << QByteArray("icons");
        QTest::newRow("install") << QByteArray("installation_proxy") << QByteArray("install");
        QTest::newRow("uninstall") << QByteArray("installation_proxy") << QByteArray("uninstall");
        QTest::newRow("service start") << QByteArray("lockdown") << QByteArray("list");
    }

    void aSilentDeviceEndsEveryAppCallWithinTenSeconds() {
        QFETCH(QByteArray, service);
        QFETCH(QByteArray, call);
        IAppLibrary* apps = m_manager->GetAppLibrary();
        AppRecord* records = nullptr;
        int count = 0;
        QCOMPARE(apps->GetApplistInfo(&records, &count), int(VEXA_OK));
        QVERIFY(count > 0);
        std::vector<AppRecord> kept(records, records + count);
        vexa::formats::AppBundle bundle = appBundle("Silent");
        const QString ipa = m_local.filePath("Silent.ipa");
        QVERIFY(vexa::formats::WriteIpa(ipa.toStdString(), bundle));

        QVERIFY(m_emulator.Control("fault " + service + " timeout").startsWith("ok"));
        QElapsedTimer timer;
        timer.start();
        int result = VEXA_OK;
        const int expected = call == "uninstall" ? VEXA_APP_UNINSTALL_FAILED : VEXA_E_TIMEOUT;
        if (call == "list")
            result = apps->GetApplistInfo(&records, &count);
        else if (call == "icons")
            result = apps->GetAppListIcon(kept.data(), int(kept.size()));
        else if (call == "install")
            result = apps->InstallApp(u16(ipa).c_str());
        else
            result = apps->UninstallApp(kept.front().id);
        const qint64 took = timer.elapsed();
        m_emulator.Control("clear-faults");
        qInfo("%s on a silent %s: %lld ms, result %d", call.constData(), service.constData(), took, result);
        QVERIFY2(took < 10000, qPrintable(QString::number(took)));
        QCOMPARE(result, expected);
        // Nothing changed, and the device answers the next call.
        QCOMPARE(apps->GetApplistInfo(&records, &count), int(VEXA_OK));
        QCOMPARE(size_t(count), kept.size());
    }

    // A copy from the device moves the bytes from socket to file inside the kernel. Bytes the connection
    // read ahead go first, a file that takes no splice (opened for appending) still gets every byte in
    // order, and a file that takes none (a full disk) is told apart from a lost connection.
    void receivedBytesReachFilesThatTakeNoSpliceAndWriteFailuresAreTold() {
        using vexa::usb::ServiceConnection;
        int ends[2];
        QCOMPARE(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
        std::unique_ptr<ServiceConnection> connection = ServiceConnection::Adopt(ends[0]);
        const QByteArray piece = randomBytes(3 * 1024 * 1024 + 7);
        const QByteArray stream = QByteArray("head") + piece + piece + piece;
        // The head and the start of the first piece are there before the first receive, which reads ahead.
        const qsizetype early = 32 * 1024;
        QCOMPARE(::send(ends[1], stream.data(), early, MSG_NOSIGNAL), ssize_t(early));
        std::thread device([&] {
            for (qsizetype at = early; at < stream.size();) {
                const ssize_t sent = ::send(ends[1], stream.data() + at, stream.size() - at, MSG_NOSIGNAL);
                if (sent <= 0)
                    return; // the reader gave up
                at += sent;
            }
        });
        char head[4];
        QCOMPARE(connection->Receive(head, sizeof head), ServiceConnection::Io::Ok);

        bool fileFailed = true;
        for (bool append : {true, false}) {
            QFile file(m_local.filePath(append ? "appended.bin" : "spliced.bin"));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered |
                              (append ? QIODevice::Append : QIODevice::NotOpen)));
            QCOMPARE(connection->ReceiveToFile(file.handle(), size_t(piece.size()), fileFailed),
                     ServiceConnection::Io::Ok);
            QVERIFY(!fileFailed);
            file.close();
            QCOMPARE(ReadFile(file.fileName()), piece);
        }

        const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        QVERIFY(full >= 0);
        QCOMPARE(connection->ReceiveToFile(full, size_t(piece.size()), fileFailed),
                 ServiceConnection::Io::Ok);
        QVERIFY(fileFailed);
        ::close(full);
        connection.reset(); // the device's sends end with the connection
        device.join();
        ::close(ends[1]);
    }

    // A copy on the computer's side: nothing new under the name until the copy is whole, a file already
    // there whole until it is replaced, and nothing left behind by a copy given up or refused.
    void aLocalCopyAppearsOnlyWhenWhole() {
        using vexa::usb::PendingLocalFile;
        QTemporaryDir folder;
        const QString target = folder.filePath("copy.bin");
        QVERIFY(WriteFile(target, "old"));
        const QByteArray bytes = randomBytes(70000);
        const auto write = [&bytes](PendingLocalFile& file) {
            return file.Open() && vexa::WriteAll(file.Descriptor(), bytes.data(), size_t(bytes.size()));
        };
        {
            PendingLocalFile givenUp(target.toStdString());
            QVERIFY(write(givenUp));
        }
        QCOMPARE(ReadFile(target), QByteArray("old"));
        PendingLocalFile copy(target.toStdString());
        QVERIFY(write(copy));
        QCOMPARE(ReadFile(target), QByteArray("old"));
        QVERIFY(copy.Commit());
        QCOMPARE(ReadFile(target), bytes);
        PendingLocalFile fresh(folder.filePath("fresh.bin").toStdString());
        QVERIFY(write(fresh));
        QVERIFY(!QFile::exists(folder.filePath("fresh.bin")));
        QVERIFY(fresh.Commit());
        QCOMPARE(ReadFile(folder.filePath("fresh.bin")), bytes);

        // A folder of the name stays; a folder that is not there takes nothing.
        QVERIFY(QDir(folder.path()).mkdir("taken"));
        PendingLocalFile onFolder(folder.filePath("taken").toStdString());
        QVERIFY(write(onFolder));
        QVERIFY(!onFolder.Commit());
        QVERIFY(QFileInfo(folder.filePath("taken")).isDir());
        PendingLocalFile nowhere(folder.filePath("gone/copy.bin").toStdString());
        QVERIFY(!nowhere.Open());
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"copy.bin", "fresh.bin", "taken"}));
    }

    // Last: it moves the backend to a muxer of its own.

    void theDefaultBackendWaitsForUsbmuxdAndShowsADeviceOnceItStarts() {
        const QByteArray address = qgetenv("USBMUXD_SOCKET_ADDRESS");
        auto restore = qScopeGuard([&address] {
            vexa::usb::UsbBackend::Instance().Stop();
            qputenv("USBMUXD_SOCKET_ADDRESS", address);
        });
        EmulatorProcess later;
        const QString udid = "00008101-000E1B2C3D4E5F60";
        QCOMPARE(
            later.SimCtl({"create", "--udid", udid, "--name", "Late iPhone", "--product-type", "iPhone13,2"}),
            0);
        // A phone that trusted this computer before: the first pairing makes keys, which takes seconds here.
        QVERIFY(later.Start());
        vexa::usb::UsbBackend::Instance().Stop();
        size_t from = EventCount();
        QCOMPARE(IOSInitialize(), 0);
        QVERIFY(WaitForEvent(from, VEXA_DEVICE_ARRIVED, 0, 30000) != 0);
        vexa::usb::UsbBackend::Instance().Stop();
        later.Stop();

        // The installed program starts while usbmuxd does not run: no device, simulated or real, and the
        // waiting page says so.
        qputenv("USBMUXD_SOCKET_ADDRESS", "UNIX:" + later.SocketPath().toLocal8Bit());
        qunsetenv("VEXA_BACKEND");
        from = EventCount();
        QCOMPARE(IOSInitialize(), 0);
        QCOMPARE(IOSTransportState(), int(VEXA_TRANSPORT_WAITING));
        QCOMPARE(EventAfter(from, VEXA_DEVICE_ARRIVED), 0);

        QVERIFY(later.Start());
        const int handle = WaitForEvent(from, VEXA_DEVICE_ARRIVED, 0, 2000);
        QVERIFY2(handle != 0, "the device did not arrive within 2 s of usbmuxd's start");
        QCOMPARE(IOSTransportState(), int(VEXA_TRANSPORT_LISTENING));
        Manager manager = Bind(handle);
        DeviceInfo* info = nullptr;
        QVERIFY(manager && manager->GetDeviceInfo(&info));
        QCOMPARE(QByteArray(info->properties[DP_UniqueDeviceID]), udid.toLatin1());
    }
};

QTEST_GUILESS_MAIN(TestVexaUsb)
#include "tst_vexa_usb.moc"
