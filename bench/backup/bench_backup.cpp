// Whole-device backup and restore of a simulated device holding 2 GB in 20,000 files, each timed against
// `cp -r` of the same files in the same run, with the longest gap between two progress reports; and the
// transfer of 5,000 contacts, 1,000 photos and 200 songs between two simulated devices. Prints each figure
// with its limit and as "BENCH <name> <value> <unit> <limit>". BENCH_BACKUP_MB scales the data down (the
// real size is printed); everything generated is deleted at the end.

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <set>
#include <vector>

#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "BackupDataThread.h"
#include "BenchReport.h"
#include "CDeviceLease.h"
#include "CDeviceTransfer.h"
#include "IDeviceDirectory.h"
#include "RestoreThread.h"
#include "sim/ContentServices.h"

namespace fs = std::filesystem;

namespace {

std::mutex g_arrivedMutex;
std::vector<int> g_arrived;

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED) {
        std::lock_guard lock(g_arrivedMutex);
        g_arrived.push_back(handle);
    }
    return 0;
}

// A manager for the device with that identifier once it has arrived. The simulator may also bring its demo
// device, so the first arrival is not necessarily the one the benchmark made.
IVexaManager* Bind(const std::string& udid) {
    QElapsedTimer clock;
    clock.start();
    std::set<int> tried;
    while (clock.elapsed() < 20000) {
        std::vector<int> arrived;
        {
            std::lock_guard lock(g_arrivedMutex);
            arrived = g_arrived;
        }
        for (int handle : arrived) {
            if (!tried.insert(handle).second)
                continue;
            IVexaManager* manager = GetVexaManager();
            DeviceInfo* info = nullptr;
            if (manager->SetDeviceHandle(handle) == 0 && manager->GetDeviceInfo(&info) && info &&
                info->properties[DP_UniqueDeviceID] && udid == info->properties[DP_UniqueDeviceID])
                return manager;
            DeleteVexaManager(&manager);
        }
        QTest::qWait(20);
    }
    return nullptr;
}

class OneDevice : public IDeviceDirectory {
public:
    explicit OneDevice(IVexaManager* manager)
        : m_manager(manager) {}
    QList<CConnectedDevice> ConnectedDevices() const override {
        CConnectedDevice device;
        device.manager = m_manager;
        device.name = QStringLiteral("Bench Phone");
        return {device};
    }
    bool IsConnected(IVexaManager* manager) const override { return manager == m_manager; }

private:
    IVexaManager* m_manager;
};

// Files of pseudo-random bytes (so nothing on the way can shortcut them), 100 per folder.
void WriteFiles(const fs::path& folder, int files, uint64_t totalBytes) {
    std::mt19937_64 random(7);
    std::vector<char> block(totalBytes / std::max(files, 1));
    for (int i = 0; i < files; ++i) {
        for (size_t at = 0; at + 8 <= block.size(); at += 8) {
            const uint64_t value = random();
            std::memcpy(block.data() + at, &value, 8);
        }
        const fs::path file = folder / ("d" + std::to_string(i / 100)) / ("f" + std::to_string(i) + ".bin");
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(block.data(), std::streamsize(block.size()));
    }
}

// Files and bytes below `folder`, to show what a step really wrote.
std::pair<uint64_t, uint64_t> FolderSize(const fs::path& folder) {
    uint64_t files = 0, bytes = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) {
            ++files;
            bytes += it->file_size(error);
        }
    }
    return {files, bytes};
}

double Seconds(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e9;
}

// Writes everything still in the page cache to disk, so that no timed step pays for the writing-back of
// what an earlier step (or the generator) wrote.
void Settle() {
    ::sync();
}

// `cp -r` of the device's files into a fresh folder, after the disk has settled; the copy goes again.
double TimeCopy(const fs::path& from, const QString& to) {
    Settle();
    QElapsedTimer clock;
    clock.start();
    const int exitCode = QProcess::execute(QStringLiteral("cp"),
                                           {QStringLiteral("-r"), QString::fromStdString(from.string()), to});
    const double seconds = Seconds(clock);
    fs::remove_all(to.toStdString());
    return exitCode == 0 ? seconds : -1;
}

// Ratios are kept to two decimals, so that a figure just over its limit of 1.5 is not shown as 1.5.
bool Line(const char* name, const char* what, double value, const char* unit, double limit,
          int decimals = 1) {
    std::printf("%-52s %9.2f %-3s (limit %7.2f)  %s\n", what, value, unit, limit,
                value <= limit ? "ok" : "OVER");
    return BenchFigure(name, value, unit, limit, decimals);
}

// Runs the thread to its end while the event loop turns, and returns the longest gap between two
// progress reports (from the start to the first, between reports, from the last to the end).
// The last report's files and bytes done go to `files` and `bytes`, to show the whole device was handled.
template <class Thread> double RunWithProgress(Thread& thread, qint64& files, qint64& bytes) {
    QElapsedTimer gap;
    double first = -1, between = 0;
    QObject::connect(&thread, &Thread::emitProgress, [&](qint64 filesDone, qint64, qint64 bytesDone, qint64) {
        (first < 0 ? first : between) = std::max(first < 0 ? 0.0 : between, Seconds(gap));
        gap.restart();
        files = filesDone;
        bytes = bytesDone;
    });
    QEventLoop loop;
    QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit);
    gap.start();
    thread.start();
    loop.exec();
    const double last = Seconds(gap);
    std::printf("  gaps: %.0f ms to the first report, %.0f ms at most between two, %.0f ms after the last\n",
                std::max(first, 0.0) * 1000, between * 1000, last * 1000);
    return std::max({first, between, last});
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("VEXA_SIM_ROOT", QFile::encodeName(home.filePath(QStringLiteral("simulator"))));
    qputenv("VEXA_BACKEND", "sim");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const uint64_t megabytes =
        qEnvironmentVariableIsSet("BENCH_BACKUP_MB") ? qEnvironmentVariableIntValue("BENCH_BACKUP_MB") : 2048;
    const int files = qEnvironmentVariableIsSet("BENCH_BACKUP_FILES")
                          ? qEnvironmentVariableIntValue("BENCH_BACKUP_FILES")
                          : 20000;
    const fs::path root = home.filePath(QStringLiteral("simulator")).toStdString();
    fs::create_directories(root);
    // Figures over their limit are reported, not failed; only a run that did not work fails.
    bool ok = true;

    IOSInitialize();
    IOSListener(OnDevice);
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-00000000BE4C0001";
    spec.name = "Bench Phone";
    if (vexa::sim::GenerateLargeDevice(root, spec) != 0)
        return 1;
    IVexaManager* phone = Bind(spec.udid);
    if (!phone)
        return 1;
    const fs::path data = root / spec.udid / "Media" / "BenchData";
    QElapsedTimer clock;
    clock.start();
    WriteFiles(data, files, megabytes << 20);
    std::printf("device data: %d files, %.0f MB (written in %.1f s)%s\n", files, double(megabytes),
                Seconds(clock), megabytes < 2048 ? "  -- scaled down by BENCH_BACKUP_MB" : "");

    // cp -r of the same files, then the backup through the backup thread; each starts from a settled disk.
    // An untimed copy goes first, so that the timed one, like every later step, follows the removal of a
    // copy: ext4 makes files more slowly just after many were removed (it looks for recently deleted
    // inodes), and a copy on fresh ground took a third of the time.
    const QString copy = home.filePath(QStringLiteral("cp-copy"));
    TimeCopy(data, copy);
    const double cpSeconds = TimeCopy(data, copy);
    std::printf("cp -r of the device's files: %.2f s\n", cpSeconds);
    ok &= cpSeconds > 0;

    const OneDevice directory(phone);
    const QString backup = home.filePath(QStringLiteral("backup"));
    double backupSeconds = 0;
    {
        BackupDataThread thread;
        thread.SetBackupInfo(backup, phone, &directory);
        Settle();
        clock.restart();
        qint64 doneFiles = 0, doneBytes = 0;
        const double gap = RunWithProgress(thread, doneFiles, doneBytes);
        backupSeconds = Seconds(clock);
        const auto [storedFiles, storedBytes] = FolderSize(backup.toStdString());
        std::printf("backup: %lld files, %.0f MB reported in %.2f s; the folder holds %llu files, %.0f MB\n",
                    doneFiles, double(doneBytes) / 1048576.0, backupSeconds, (unsigned long long)storedFiles,
                    double(storedBytes) / 1048576.0);
        ok &= thread.Succeeded();
        if (!thread.Succeeded())
            std::printf("the backup failed with %d\n", thread.LastResult());
        Line("backup_vs_cp", "backup time / cp -r time", backupSeconds / cpSeconds, "x", 1.5, 2);
        Line("backup_progress_gap", "longest gap between backup progress reports", gap * 1000, "ms", 500);
    }
    // The restore writes the same files back: it is held against a second cp -r made just before it.
    const double cpBeforeRestore = TimeCopy(data, copy);
    double restoreSeconds = 0;
    {
        Settle();
        RestoreThread thread;
        thread.SetRestoreInfo(phone->GetDeviceService(), CDeviceLease::Take(directory, phone), backup,
                              QString());
        clock.restart();
        qint64 doneFiles = 0, doneBytes = 0;
        const double gap = RunWithProgress(thread, doneFiles, doneBytes);
        restoreSeconds = Seconds(clock);
        std::printf("restore: %lld files, %.0f MB in %.2f s\n", doneFiles, double(doneBytes) / 1048576.0,
                    restoreSeconds);
        ok &= thread.Succeeded();
        if (!thread.Succeeded())
            std::printf("the restore failed with %d\n", thread.LastResult());
        Line("restore_vs_cp", "restore time / cp -r time", restoreSeconds / cpBeforeRestore, "x", 1.5, 2);
        Line("restore_progress_gap", "longest gap between restore progress reports", gap * 1000, "ms", 500);
    }
    std::printf("backup %.2f s against cp -r %.2f s; restore %.2f s against cp -r %.2f s\n", backupSeconds,
                cpSeconds, restoreSeconds, cpBeforeRestore);
    fs::remove_all(backup.toStdString());
    fs::remove_all(data);

    // The transfer between two further devices.
    vexa::sim::LargeDeviceSpec source;
    source.udid = "00008101-00000000BE4C0002";
    source.name = "Bench Source";
    source.contacts = 5000;
    source.photos = 1000;
    source.songs = 200;
    // Every photo and song its own content, so that the transfer copies all of them.
    source.distinctContent = true;
    vexa::sim::LargeDeviceSpec target;
    target.udid = "00008101-00000000BE4C0003";
    target.name = "Bench Target";
    clock.restart();
    if (vexa::sim::GenerateLargeDevice(root, source) != 0)
        return 1;
    std::printf("source device of 5,000 contacts, 1,000 photos, 200 songs generated in %.1f s\n",
                Seconds(clock));
    IVexaManager* from = Bind(source.udid);
    if (vexa::sim::GenerateLargeDevice(root, target) != 0)
        return 1;
    IVexaManager* to = Bind(target.udid);
    if (!from || !to)
        return 1;
    CDeviceTransfer transfer(from, to, QStringLiteral("Bench Source"),
                             home.filePath(QStringLiteral("transfer")));
    // When each category was done, to show where the time goes.
    double categoryDone[CDeviceTransfer::CategoryCount] = {};
    transfer.SetProgress([&](int category, int done, int total) {
        if (category >= 0 && category < CDeviceTransfer::CategoryCount && done == total)
            categoryDone[category] = Seconds(clock);
    });
    clock.restart();
    const int result = transfer.Run();
    const double transferSeconds = Seconds(clock);
    const CTransferCounts& counts = transfer.Counts();
    std::printf("transfer: %s\n", qPrintable(CDeviceTransfer::SummaryText(counts, QStringLiteral("source"), QStringLiteral("target"))));
    std::printf("categories done at: contacts %.2f s, photos %.2f s, music %.2f s, books %.2f s\n",
                categoryDone[CDeviceTransfer::Contacts], categoryDone[CDeviceTransfer::Photos],
                categoryDone[CDeviceTransfer::Music], categoryDone[CDeviceTransfer::Books]);
    // The target starts empty and every item differs, so everything is copied and nothing skipped.
    ok &= result == 0 && counts.contacts == 5000 && counts.photos == 1000 && counts.songs == 200 &&
          counts.skipped == 0;
    if (result != 0)
        std::printf("the transfer failed with %d\n", result);
    Line("transfer_5000_1000_200", "transfer of 5,000 contacts, 1,000 photos, 200 songs", transferSeconds,
         "s", 30);

    for (IVexaManager* manager : {phone, from, to})
        DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return ok ? 0 : 1;
}
