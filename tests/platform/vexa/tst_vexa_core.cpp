#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <vexa/PresentDevices.h>
#include <vexa/vexa.h>

#include "BackupReport.h"
#include "ContentPrint.h"
#include "FileServiceContract.h"
#include "sim/ContentServices.h"
#include "sim/DeviceProfile.h"
#include "sim/OrderedJobs.h"
#include "sim/SimDevice.h"
#include "sim/TextCodec.h"

namespace fs = std::filesystem;
using namespace vexa::sim;

namespace {

// Arrivals and removals as the listener delivers them, on its own thread.
struct EventLog {
    std::mutex mutex;
    std::vector<std::pair<int, int>> events;
    std::map<std::string, int> handleOfUdid;
} g_log;

int recordEvent(int mode, int handle) {
    std::string udid;
    if (mode == VEXA_DEVICE_ARRIVED) {
        IVexaManager* manager = GetVexaManager();
        DeviceInfo* info = nullptr;
        if (manager->SetDeviceHandle(handle) == VEXA_OK && manager->GetDeviceInfo(&info))
            udid = info->properties[DP_UniqueDeviceID];
        DeleteVexaManager(&manager);
    }
    std::lock_guard lock(g_log.mutex);
    g_log.events.emplace_back(mode, handle);
    if (!udid.empty())
        g_log.handleOfUdid[udid] = handle;
    return 0;
}

// Whether the device of that handle is reported removed, exactly once, within the time.
bool removedOnce(int handle, int milliseconds) {
    return QTest::qWaitFor(
        [handle] {
            std::lock_guard lock(g_log.mutex);
            return std::count(g_log.events.begin(), g_log.events.end(),
                              std::make_pair(int(VEXA_DEVICE_REMOVED), handle)) == 1;
        },
        milliseconds);
}

int handleOf(const std::string& udid) {
    std::lock_guard lock(g_log.mutex);
    auto it = g_log.handleOfUdid.find(udid);
    return it == g_log.handleOfUdid.end() ? 0 : it->second;
}

void writeFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// A manager bound to a device for one test, released at its end.
class BoundManager {
public:
    explicit BoundManager(int handle)
        : m_manager(GetVexaManager()) {
        m_result = m_manager->SetDeviceHandle(handle);
    }
    ~BoundManager() { DeleteVexaManager(&m_manager); }
    IVexaManager* operator->() const { return m_manager; }
    int BindResult() const { return m_result; }

private:
    IVexaManager* m_manager;
    int m_result;
};

std::atomic<int> g_slowCallback{0}; // 1 while inside, 2 once it returned

int slowCallback(int mode, int) {
    if (mode != VEXA_DEVICE_ARRIVED || g_slowCallback != 0)
        return 0;
    g_slowCallback = 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    g_slowCallback = 2;
    return 0;
}

// What a restore must reproduce: what the pages list, and the device's files with their sizes. The media
// database, and the side files of a database in use, change with every connection.
ContentPrint printOf(IVexaManager* manager, const fs::path& media) {
    ContentPrint print = PrintOf(manager);
    for (const auto& entry : fs::recursive_directory_iterator(media)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.find("MediaLibrary.sqlitedb") != 0 && !name.ends_with("-wal") &&
            !name.ends_with("-shm"))
            print.files << QString("%1|%2")
                               .arg(QString::fromStdString(entry.path().lexically_relative(media).string()))
                               .arg(entry.file_size());
    }
    print.files.sort();
    return print;
}

} // namespace

class TestVexaCore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_temp.isValid());
        m_root = temp() / "simulator";
        fs::create_directories(m_root);
        qputenv("VEXA_SIM_ROOT", QByteArray::fromStdString(m_root.string()));
        qputenv("VEXA_BACKEND", "sim");
        // A device present before start-up keeps the demo device from being generated.
        m_bare = makeBareDevice("Bare iPhone");
        QVERIFY(!m_bare.empty());
        QCOMPARE(IOSInitialize(), 0);
        QCOMPARE(IOSListener(recordEvent), 0);
        QVERIFY(arrive(m_bare) != 0);
    }

    void cleanupTestCase() { IOSListener(nullptr); }

    void simctlPlugUnplugAndWifiReachARunningListener() {
        const std::string udid = makeBareDevice("Plug Test");
        const int first = arrive(udid);
        QVERIFY(first != 0);

        QCOMPARE(simctl({"unplug", QString::fromStdString(udid)}), 0);
        QVERIFY(removedOnce(first, 500));

        {
            BoundManager manager(first);
            QCOMPARE(manager.BindResult(), int(VEXA_E_NOT_FOUND));
        }
        QCOMPARE(simctl({"plug", QString::fromStdString(udid)}), 0);
        QVERIFY(QTest::qWaitFor([&] { return handleOf(udid) != first; }, 500));
        QVERIFY(handleOf(udid) > first); // handles are never reused

        // Over Wi-Fi it arrives under a new handle again, flagged.
        const int cable = handleOf(udid);
        QCOMPARE(IsWiFiConnect(cable), 0);
        QCOMPARE(simctl({"wifi", QString::fromStdString(udid), "on"}), 0);
        QVERIFY(QTest::qWaitFor([&] { return handleOf(udid) != cable; }, 500));
        QVERIFY(IsWiFiConnect(handleOf(udid)) != 0);
        QCOMPARE(IsWiFiConnect(cable), 0);
        QCOMPARE(IsWiFiConnect(-7), 0);
        QByteArray list;
        QCOMPARE(simctl({"list"}, &list), 0);
        QVERIFY(list.contains(QByteArray::fromStdString(udid) + "\tPlug Test\tiPhone7,2\tplugged\twifi\n"));
    }

    void swappingTheListenerWaitsForTheCallbackInFlight() {
        // The program unregisters its callback in the destructor of the object the callback uses: once the
        // call returns, no delivery may still be running.
        QCOMPARE(IOSListener(slowCallback), 0);
        QVERIFY(QTest::qWaitFor([] { return g_slowCallback != 0; }, 2000));
        QCOMPARE(IOSListener(recordEvent), 0);
        QCOMPARE(g_slowCallback.load(), 2);
    }

    void managerBindsOnlyToConnectedDevicesAndReleasesSafely() {
        IVexaManager* manager = GetVexaManager();
        QVERIFY(manager != nullptr);
        QVERIFY(manager->GetFileService() == nullptr);
        QVERIFY(manager->GetPhotoLibrary(1) == nullptr);
        DeviceInfo* info = nullptr;
        QVERIFY(!manager->GetDeviceInfo(&info));
        DiskInfo disk{};
        QCOMPARE(manager->GetDiskInfo(&disk), int(VEXA_E_NOT_FOUND));
        QCOMPARE(manager->SetDeviceHandle(999999), int(VEXA_E_NOT_FOUND));

        const int handle = handleOf(m_bare);
        QCOMPARE(manager->SetDeviceHandle(handle), 0);
        QCOMPARE(manager->SetDeviceHandle(handle), 0);
        QCOMPARE(manager->SetDeviceHandle(handle + 1000), int(VEXA_E_EXISTS));
        QCOMPARE(manager->GetDeviceHandle(), handle);
        QVERIFY(manager->GetFileService() != nullptr);
        QVERIFY(manager->GetDeviceService() != nullptr);
        QCOMPARE(manager->GetDeviceService()->GetDeviceHandle(), handle);
        QVERIFY(manager->GetPhotoLibrary(3) == nullptr);
        QVERIFY(!manager->GetDeviceInfo(nullptr));
        QCOMPARE(manager->GetDiskInfo(nullptr), int(VEXA_E_INVALID_ARGUMENT));

        IVexaManager* copy = manager;
        DeleteVexaManager(&manager);
        QVERIFY(manager == nullptr);
        DeleteVexaManager(&copy); // already released: ignored, not freed twice
        DeleteVexaManager(nullptr);
    }

    void deviceRecordHasEveryReportedPropertyAndKeepsOldTexts() {
        const std::string pod = makeBareDevice("Old iPod", "iPod2,1");
        BoundManager phone(handleOf(m_bare));
        BoundManager ipod(arrive(pod));
        DeviceInfo* info = nullptr;
        QVERIFY(phone->GetDeviceInfo(&info));
        for (int i = 0; i < DP_Count; ++i)
            QVERIFY2(info->properties[i] != nullptr && *info->properties[i] != 0, kDevicePropertyNames[i]);
        QCOMPARE(info->properties[DP_UniqueDeviceID], m_bare.c_str());
        QCOMPARE(info->properties[DP_ProductType], "iPhone7,2");
        QVERIFY(info->batteryLevel > 0 && info->batteryLevel <= 100);

        DeviceInfo* podInfo = nullptr;
        QVERIFY(ipod->GetDeviceInfo(&podInfo));
        QCOMPARE(podInfo->properties[DP_ProductType], "iPod2,1");
        QVERIFY(podInfo->properties[DP_IMEI] == nullptr); // an iPod touch has no cellular identity
        QVERIFY(podInfo->properties[DP_PhoneNumber] == nullptr);

        // A new name reaches other managers and the simulator's list; texts handed out earlier stay readable.
        const char* oldName = info->properties[DP_DeviceName];
        const QString renamed = QString::fromUtf8("Änne’s iPhone 📱");
        QCOMPARE(phone->GetDeviceService()->SetDeviceName(nullptr), int(VEXA_E_INVALID_ARGUMENT));
        QCOMPARE(phone->GetDeviceService()->SetDeviceName(u""), int(VEXA_E_INVALID_ARGUMENT));
        QCOMPARE(phone->GetDeviceService()->SetDeviceName(u"Änne’s iPhone 📱"), 0);
        DeviceInfo* again = nullptr;
        QVERIFY(phone->GetDeviceInfo(&again));
        QCOMPARE(again, info);
        QCOMPARE(QString::fromUtf8(again->properties[DP_DeviceName]), renamed);
        QCOMPARE(oldName, "Bare iPhone");
        BoundManager later(handleOf(m_bare));
        QVERIFY(later->GetDeviceInfo(&again));
        QCOMPARE(QString::fromUtf8(again->properties[DP_DeviceName]), renamed);
        QByteArray list;
        QCOMPARE(simctl({"list"}, &list), 0);
        QVERIFY(QString::fromUtf8(list).contains(renamed));
        QCOMPARE(phone->GetDeviceService()->SetDeviceName(u"Bare iPhone"), 0);
    }

    void diskInfoAddsUpRealFileSizesByCategory() {
        const std::string udid = makeBareDevice("Disk");
        const fs::path media = m_root / udid / "Media";
        writeFile(media / "iTunes_Control/Music/F00/A.mp3", std::string(3000, 'a'));
        writeFile(media / "iTunes_Control/Music/F01/B.m4v", std::string(5000, 'v'));
        writeFile(media / "DCIM/100APPLE/IMG_0001.JPG", std::string(7000, 'p'));
        writeFile(media / "Books/x.pdf", std::string(11000, 'b'));
        writeFile(m_root / udid / "Applications/com.x/X.app/X", std::string(13000, 'x'));
        writeFile(m_root / udid / "Applications/com.x/Documents/d.txt", std::string(17000, 'd'));
        BoundManager manager(arrive(udid));
        DiskInfo disk{};
        QCOMPARE(manager->GetDiskInfo(&disk), 0);
        QCOMPARE(
            std::vector<uint64_t>({disk.values[DI_Music], disk.values[DI_Video], disk.values[DI_Photos],
                                   disk.values[DI_Books], disk.values[DI_Apps], disk.values[DI_Documents]}),
            std::vector<uint64_t>({3000, 5000, 7000, 11000, 13000, 17000}));
        uint64_t used = 0;
        for (int i = DI_Music; i < DI_Count; ++i)
            used += disk.values[i];
        QCOMPARE(disk.values[DI_DataFree], disk.values[DI_DataCapacity] - used);
        QVERIFY(disk.values[DI_SystemFree] < disk.values[DI_SystemCapacity]);
        DiskInfo legacy{};
        QCOMPARE(manager->GetDiskInfoLegacy(&legacy), 0);
        QCOMPARE(legacy.values[DI_Books], disk.values[DI_Books]);

        // A full device takes no more files, and nothing of the refused file is left.
        SimDevice(m_root / udid).UpdateInfo([&](DeviceInfoFile& info) {
            info.profile.dataCapacity = used + 100;
        });
        const fs::path local = temp() / "too-big.bin";
        writeFile(local, std::string(1000, 'f'));
        QCOMPARE(manager->GetFileService()->CopyFileToDevice(ToUtf16(local.string()).c_str(),
                                                             u"/Downloads/too-big.bin"),
                 int(VEXA_E_NO_SPACE));
        QVERIFY(!fs::exists(media / "Downloads/too-big.bin"));
        QCOMPARE(manager->GetDiskInfo(&disk), 0);
        QCOMPARE(disk.values[DI_DataFree], uint64_t(100));
    }

    void fileServiceKeepsItsContract_data() { file_contract::AddRows(); }

    void fileServiceKeepsItsContract() {
        QFETCH(int, row);
        BoundManager manager(handleOf(m_bare));
        const QString problem =
            file_contract::Run({manager->GetFileService(), m_root / m_bare / "Media", temp() / "local"}, row);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void appContainerIsItsOwnRoot() {
        BoundManager manager(handleOf(m_bare));
        IFileService* files = manager->GetFileService();
        const fs::path app = m_root / m_bare / "Applications/com.example.notes";
        writeFile(app / "Documents/note.txt", "hello");
        IFileService* container = nullptr;
        QCOMPARE(files->OpenAppContainer("com.example.none", &container), int(VEXA_E_NOT_FOUND));
        QCOMPARE(files->OpenAppContainer("../com.example.notes", &container), int(VEXA_E_INVALID_ARGUMENT));
        QCOMPARE(files->OpenAppContainer("..", &container), int(VEXA_E_INVALID_ARGUMENT));
        QCOMPARE(files->OpenAppContainer("com.example.notes", nullptr), int(VEXA_E_INVALID_ARGUMENT));
        QCOMPARE(files->OpenAppContainer("com.example.notes", &container), 0);
        QVERIFY(container != nullptr);
        int count = 0;
        DirectoryEntryRecord* entries = nullptr;
        QCOMPARE(container->ReadDirectory("/Documents", &count, &entries), 0);
        QCOMPARE(count, 3);
        QCOMPARE(entries[2].name, "note.txt");
        QCOMPARE(container->ReadDirectory("/../../Media", &count, &entries), int(VEXA_E_PATH_ESCAPE));
        QCOMPARE(container->RemovePath("/"), int(VEXA_E_INVALID_ARGUMENT));
        IFileService* nested = nullptr;
        QCOMPARE(container->OpenAppContainer("com.example.notes", &nested), int(VEXA_E_UNSUPPORTED));
        QCOMPARE(files->CloseAppContainer(container), 1);
        QCOMPARE(files->CloseAppContainer(container), 0);
        QCOMPARE(files->CloseAppContainer(nullptr), 0);
    }

    void plannedFaultsFireAfterTheirCountDelayOrUnplug() {
        const std::string udid = makeBareDevice("Faults");
        const int handle = arrive(udid);
        BoundManager manager(handle);
        IFileService* files = manager->GetFileService();
        const QString device = QString::fromStdString(udid);
        int count = 0;
        DirectoryEntryRecord* entries = nullptr;

        QCOMPARE(simctl({"fault", device, "ReadDirectory", "105", "--after", "2"}), 0);
        for (const int expected : {0, 0, int(VEXA_E_IO), int(VEXA_E_IO)})
            QCOMPARE(files->ReadDirectory("/", &count, &entries), expected);
        QCOMPARE(files->MakeDirectory("/Other"), 0); // other operations are not affected

        QCOMPARE(simctl({"fault", device, "MakeDirectory", "0", "--delay-ms", "300"}), 0);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(files->MakeDirectory("/Slow"), 0);
        QVERIFY(timer.elapsed() >= 300);

        QCOMPARE(simctl({"clear-faults", device}), 0);
        QCOMPARE(files->ReadDirectory("/", &count, &entries), 0);
        timer.restart();
        QCOMPARE(files->MakeDirectory("/Fast"), 0);
        QVERIFY(timer.elapsed() < 300);

        // Unplugged during a call: the call fails, the device is reported removed, and a new connection is
        // needed once it is back.
        writeFile(m_root / udid / "Media/Downloads/big.bin", std::string(1 << 20, 'z'));
        const fs::path local = temp() / "unplugged.bin";
        const std::u16string target = ToUtf16(local.string());

        QCOMPARE(simctl({"fault", device, "CopyFileToComputer", "unplug", "--delay-ms", "50"}), 0);
        QCOMPARE(files->CopyFileToComputer(u"/Downloads/big.bin", target.c_str()), int(VEXA_E_UNPLUGGED));
        QVERIFY(!fs::exists(local));
        QVERIFY(removedOnce(handle, 500));
        QCOMPARE(files->ReadDirectory("/", &count, &entries), int(VEXA_E_UNPLUGGED));
        QCOMPARE(manager->GetDeviceService()->SetDeviceName(u"x"), int(VEXA_E_UNPLUGGED));
        DeviceInfo* info = nullptr;
        QVERIFY(!manager->GetDeviceInfo(&info));
        DiskInfo disk{};
        QCOMPARE(manager->GetDiskInfo(&disk), int(VEXA_E_UNPLUGGED));

        // Plugged in again it is a new connection; the old manager stays disconnected.
        QCOMPARE(simctl({"clear-faults", device}), 0);
        QCOMPARE(simctl({"plug", device}), 0);
        QVERIFY(QTest::qWaitFor([&] { return handleOf(udid) != handle; }, 500));
        QCOMPARE(files->ReadDirectory("/", &count, &entries), int(VEXA_E_UNPLUGGED));
    }

    void resultArraysStayValidPerThreadAndCallsRunConcurrently() {
        BoundManager manager(handleOf(m_bare));
        IFileService* files = manager->GetFileService();
        const fs::path media = m_root / m_bare / "Media";
        for (int i = 0; i < 20; ++i)
            writeFile(media / "Many" / ("f" + std::to_string(i)), "x");
        int mine = 0;
        DirectoryEntryRecord* myEntries = nullptr;
        QCOMPARE(files->ReadDirectory("/Many", &mine, &myEntries), 0);
        QCOMPARE(mine, 22);

        std::atomic<int> failures{0};
        auto worker = [&](int id) {
            const std::string folder = "/Work" + std::to_string(id);
            for (int round = 0; round < 40; ++round) {
                const std::string path = folder + "/" + std::to_string(round);
                int count = 0;
                DirectoryEntryRecord* entries = nullptr;
                if (files->MakeDirectory(path.c_str()) != 0 ||
                    files->ReadDirectory(folder.c_str(), &count, &entries) != 0 || count != round + 3 ||
                    files->ReadDirectory("/", &count, &entries) != 0) {
                    ++failures;
                }
            }
            if (files->RemovePath(folder.c_str()) != 0)
                ++failures;
        };
        std::thread first(worker, 1);
        std::thread second(worker, 2);
        first.join();
        second.join();
        QCOMPARE(failures.load(), 0);
        // Other threads' calls did not touch this thread's result.
        QCOMPARE(myEntries[21].name, "f9");
        QCOMPARE(myEntries[2].name, "f0");
        fs::remove_all(media / "Many");
    }

    void damagedDatabaseIsReportedByTheFailingCall() {
        const std::string udid = makeBareDevice("Damaged");
        writeFile(m_root / udid / "device.sqlite", std::string(8192, '\x5a'));
        BoundManager manager(arrive(udid));
        BackupRecord* records = nullptr;
        int count = -1;
        QCOMPARE(manager->GetDeviceService()->GetBackups(&records, &count), int(VEXA_E_DATABASE));
        QCOMPARE(count, 0);
        int files = 0;
        DirectoryEntryRecord* entries = nullptr;
        QCOMPARE(manager->GetFileService()->ReadDirectory("/", &files, &entries), 0);
    }

    void backupIsReadableByIndependentToolsAndListed() {
        const std::string udid = NewUdid();
        QCOMPARE(GenerateDemoDevice(m_root, udid, "Backup Source"), 0);
        BoundManager manager(arrive(udid));
        const fs::path folder = temp() / "backups/plain";
        const std::u16string folder16 = ToUtf16(folder.string());
        QCOMPARE(manager->GetDeviceService()->BackupDevice(nullptr, 0), int(VEXA_E_INVALID_ARGUMENT));
        QCOMPARE(manager->GetDeviceService()->BackupDevice(folder16.c_str(), 0), 0);

        const QJsonObject report = ReadBackup(QString::fromStdString(folder.string()));
        QVERIFY2(BackupProblems(report).isEmpty(), BackupProblems(report).constData());
        // Its identity, domains and files are checked against the device in the backup page's tests.
        QCOMPARE(report.value("name").toString(), QStringLiteral("Backup Source"));

        BackupRecord* records = nullptr;
        int count = 0;
        QCOMPARE(manager->GetDeviceService()->GetBackups(&records, &count), 0);
        QCOMPARE(count, 1);
        QCOMPARE(QString::fromStdU16String(records[0].folder), QString::fromStdString(folder.string()));
        QCOMPARE(records[0].deviceName, "Backup Source");
        QCOMPARE(records[0].uniqueDeviceId, udid.c_str());
        QCOMPARE(int(records[0].encrypted), 0);
        QVERIFY(records[0].size > 100000);
        QVERIFY(
            QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$)").match(records[0].dateTime).hasMatch());

        // A backup folder removed by the user is no longer offered.
        fs::remove(folder / "Manifest.plist");
        QCOMPARE(manager->GetDeviceService()->GetBackups(&records, &count), 0);
        QCOMPARE(count, 0);
    }

    // An encrypted backup restores onto another device only with its password, which keeps its identity.
    void encryptedRestoreReproducesContentOnAnotherDevice() {
        const std::string source = NewUdid();
        QCOMPARE(GenerateDemoDevice(m_root, source, "Restore Source"), 0);
        // Few rounds keep the test quick: every restore derives the key again.
        QCOMPARE(simctl({"backup-password", QString::fromStdString(source), "s3cret", "--sha256-rounds",
                         "20000", "--sha1-rounds", "1000"}),
                 0);
        const std::string target = makeBareDevice("Restore Target", "iPhone8,1");
        BoundManager from(arrive(source));
        BoundManager to(arrive(target));
        const std::u16string folder = ToUtf16((temp() / "backups/restore").string());
        QCOMPARE(from->GetDeviceService()->BackupDevice(folder.c_str(), 0), 0);
        BackupRecord* records = nullptr;
        int count = 0;
        QCOMPARE(from->GetDeviceService()->GetBackups(&records, &count), 0);
        QVERIFY(count == 1 && records[0].encrypted != 0);
        const ContentPrint expected = printOf(from.operator->(), m_root / source / "Media");
        QVERIFY(expected.contacts.size() >= 60);
        QVERIFY(expected.conversations.size() > 100);
        QVERIFY(expected.files.size() > 100 && !expected.calls.isEmpty() && !expected.attachments.isEmpty());

        const fs::path notBackup = temp() / "not-a-backup";
        fs::create_directories(notBackup);
        QCOMPARE(to->GetDeviceService()->RestoreDevice(ToUtf16(notBackup.string()).c_str(), nullptr),
                 int(VEXA_E_NOT_A_BACKUP));
        const ContentPrint before = printOf(to.operator->(), m_root / target / "Media");
        QCOMPARE(to->GetDeviceService()->RestoreDevice(folder.c_str(), "wrong"), int(VEXA_E_PASSWORD));
        QCOMPARE(to->GetDeviceService()->RestoreDevice(folder.c_str(), nullptr), int(VEXA_E_PASSWORD));
        QCOMPARE(printOf(to.operator->(), m_root / target / "Media"), before);

        QCOMPARE(to->GetDeviceService()->RestoreDevice(folder.c_str(), "s3cret"), 0);
        QCOMPARE(printOf(to.operator->(), m_root / target / "Media"), expected);
        DeviceInfo* info = nullptr;
        QVERIFY(to->GetDeviceInfo(&info));
        QCOMPARE(info->properties[DP_UniqueDeviceID], target.c_str()); // the target keeps its identity
        QCOMPARE(to->GetDeviceService()->GetBackups(&records, &count), 0);
        QCOMPARE(count, 0); // the source's backups are not the target's
        const fs::path staging = m_root / target / ".staging";
        QVERIFY(!fs::exists(staging) || fs::is_empty(staging));
    }

    // The backup copies files on worker threads and lists them in order; a failed copy must stop the rest
    // and no wait may hang, however the jobs end.
    void orderedJobsHandOverInOrderAndStopAfterAFailure() {
        using vexa::sim::OrderedJobs;
        {
            // Jobs finishing out of order still reach the consumer in order, each with its own result.
            std::atomic<int> running{0}, most{0};
            const auto job = [&](size_t i) {
                most = std::max(most.load(), ++running);
                std::this_thread::sleep_for(std::chrono::microseconds((i * 7919) % 400));
                --running;
                return 0;
            };
            OrderedJobs jobs(300, job, 3);
            for (size_t i = 0; i < 300; ++i)
                QCOMPARE(jobs.Wait(i), 0);
            QVERIFY(most.load() >= 2);
            QCOMPARE(jobs.Wait(300), OrderedJobs::kNotRun);
        }
        {
            // After job 40 fails no job starts any more; those before it still finish.
            std::atomic<int> ran{0};
            const auto job = [&](size_t i) {
                ++ran;
                return i == 40 ? 7 : 0;
            };
            OrderedJobs jobs(10000, job, 2);
            for (size_t i = 0; i < 40; ++i)
                QCOMPARE(jobs.Wait(i), 0);
            QCOMPARE(jobs.Wait(40), 7);
            QCOMPARE(jobs.Wait(5000), OrderedJobs::kNotRun);
            QVERIFY2(ran.load() < 200, qPrintable(QString::number(ran.load())));
        }
        {
            // A consumer that leaves early (a cancelled backup) ends the workers, which stay near it.
            std::atomic<int> ran{0};
            const auto job = [&](size_t) {
                ++ran;
                return 0;
            };
            {
                OrderedJobs jobs(100000, job, 4);
                QCOMPARE(jobs.Wait(10), 0);
            }
            QVERIFY2(ran.load() < 200, qPrintable(QString::number(ran.load())));
        }
    }

    void simctlValidatesItsArgumentsAndPrintsStats() {
        QCOMPARE(simctl({"no-such-command"}), 2);
        QCOMPARE(simctl({"plug"}), 2);
        QCOMPARE(simctl({"plug", "0000000000000000000000000000000000000000"}), 1);
        QCOMPARE(simctl({"wifi", QString::fromStdString(m_bare), "maybe"}), 2);
        QCOMPARE(simctl({"fault", QString::fromStdString(m_bare), "GetContacts", "often"}), 2);
        QCOMPARE(simctl({"fault", QString::fromStdString(m_bare), "GetContacts", "105", "--after", "-1"}), 2);
        QCOMPARE(simctl({"create", "--udid", "abc"}), 2);
        QCOMPARE(simctl({"--help"}), 0);

        QByteArray output;
        QCOMPARE(simctl({"create-demo", "--name", "Counted"}, &output), 0);
        const QByteArray udid = output.trimmed().split('\n').last();
        QCOMPARE(udid.size(), 40);
        QCOMPARE(simctl({"stats", QString::fromLatin1(udid)}, &output), 0);
        const QJsonObject stats = QJsonDocument::fromJson(output).object();
        for (const char* key : {"contacts", "groups", "conversations", "messages", "books", "songs",
                                "playlists", "videos", "photos", "albums", "apps", "files"}) {
            QVERIFY2(stats.value(key).toInt() > 0, key);
        }
    }

    void anEmptyRootGetsTheDemoDeviceAndUsbReportsNone() {
        const int before = handleOf(m_bare);
        const fs::path emptyRoot = temp() / "fresh-root";
        qputenv("VEXA_SIM_ROOT", QByteArray::fromStdString(emptyRoot.string()));
        QCOMPARE(IOSInitialize(), 0);
        QVERIFY(removedOnce(before, 10000));
        // The new root is reported whole, the demo device made for it included, before the wait returns.
        QCOMPARE(IOSWaitForPresentDevices(120000), int(VEXA_OK));
        const std::string demo = NewUdid("Demo iPhone");
        QVERIFY(handleOf(demo) != 0);
        BoundManager manager(handleOf(demo));
        DeviceInfo* info = nullptr;
        QVERIFY(manager->GetDeviceInfo(&info));
        QCOMPARE(info->properties[DP_DeviceName], "Demo iPhone");
        QCOMPARE(info->properties[DP_ProductType], "iPhone7,2");

        // The default backend without a running usbmuxd is the usb one: the simulated devices leave, none
        // takes their place, and the muxer is waited for.
        qputenv("VEXA_BACKEND", "auto");
        qputenv("USBMUXD_SOCKET_ADDRESS", "UNIX:/nonexistent/usbmuxd");
        QCOMPARE(IOSInitialize(), int(VEXA_OK));
        QCOMPARE(IOSTransportState(), int(VEXA_TRANSPORT_WAITING));
        QCOMPARE(IOSWaitForPresentDevices(1000), int(VEXA_E_NOT_SUPPORTED_YET));
        const int demoHandle = handleOf(demo);
        QVERIFY(removedOnce(demoHandle, 1000));
        qputenv("VEXA_BACKEND", "sim");
        QCOMPARE(IOSInitialize(), int(VEXA_OK));
        QCOMPARE(IOSTransportState(), int(VEXA_TRANSPORT_SIMULATOR));
        qunsetenv("USBMUXD_SOCKET_ADDRESS");
    }

    // The listener thread makes the demo device; a process that exits meanwhile destroys its statics
    // under it. The test runs itself as the exiting process, at several points of the making.
    void exitingWhileTheDemoDeviceIsMadeIsClean() {
        const QByteArray exitAfter = qgetenv("VEXA_TEST_EXIT_AFTER_MS");
        if (!exitAfter.isEmpty()) {
            qputenv("VEXA_SIM_ROOT", qgetenv("VEXA_TEST_DEMO_ROOT"));
            if (IOSInitialize() != VEXA_OK)
                std::_Exit(3);
            std::this_thread::sleep_for(std::chrono::milliseconds(exitAfter.toInt()));
            m_temp.remove();
            std::exit(0);
        }
        for (int delay : {50, 150, 300, 600, 1000}) {
            QTemporaryDir root;
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("VEXA_TEST_DEMO_ROOT", root.path());
            environment.insert("VEXA_TEST_EXIT_AFTER_MS", QString::number(delay));
            child.setProcessEnvironment(environment);
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(), {"exitingWhileTheDemoDeviceIsMadeIsClean"});
            QVERIFY(child.waitForFinished(60000));
            QCOMPARE(child.exitStatus(), QProcess::NormalExit);
            QCOMPARE(child.exitCode(), 0);
        }
    }

private:
    std::string makeBareDevice(const std::string& name, const std::string& productType = "iPhone7,2");

    int arrive(const std::string& udid) {
        (void)QTest::qWaitFor([&] { return handleOf(udid) != 0; }, 2000);
        return handleOf(udid);
    }

    int simctl(const QStringList& arguments, QByteArray* output = nullptr);

    fs::path temp() const { return m_temp.path().toStdString(); }

    QTemporaryDir m_temp;
    fs::path m_root;
    std::string m_bare;
};

std::string TestVexaCore::makeBareDevice(const std::string& name, const std::string& productType) {
    const std::string udid = NewUdid();
    if (SimDevice::Create(m_root, udid, name, productType) != VEXA_OK ||
        SimDevice::Publish(m_root, udid) != VEXA_OK) {
        return {};
    }
    return udid;
}

int TestVexaCore::simctl(const QStringList& arguments, QByteArray* output) {
    QProcess process;
    process.start(QStringLiteral(VEXA_BIN_DIR "/vexa-simctl"),
                  QStringList{"--root", QString::fromStdString(m_root.string())} + arguments);
    process.waitForFinished(120000);
    if (output != nullptr)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QTEST_GUILESS_MAIN(TestVexaCore)
#include "tst_vexa_core.moc"
