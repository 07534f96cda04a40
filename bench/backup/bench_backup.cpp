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
#include <random>

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

std::atomic<int> g_lastHandle{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_lastHandle = handle;
    return 0;
}

IVexaManager* Bind(int previousHandle) {
    QElapsedTimer clock;
    clock.start();
    while (g_lastHandle == previousHandle && clock.elapsed() < 20000)
        QTest::qWait(20);
    IVexaManager* manager = GetVexaManager();
    if (manager->SetDeviceHandle(g_lastHandle) != 0) {
        DeleteVexaManager(&manager);
        return nullptr;
    }
    return manager;
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

double Seconds(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e9;
}

bool Line(const char* name, const char* what, double value, const char* unit, double limit) {
    std::printf("%-52s %9.2f %-3s (limit %7.2f)  %s\n", what, value, unit, limit,
                value <= limit ? "ok" : "OVER");
    return BenchFigure(name, value, unit, limit);
}

// Runs the thread to its end while the event loop turns, and returns the longest gap between two
// progress reports (from the start to the first, between reports, from the last to the end).
template <class Thread> double RunWithProgress(Thread& thread) {
    QElapsedTimer gap;
    double longest = 0;
    QObject::connect(&thread, &Thread::emitProgress, [&](qint64, qint64, qint64, qint64) {
        longest = std::max(longest, Seconds(gap));
        gap.restart();
    });
    QEventLoop loop;
    QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit);
    gap.start();
    thread.start();
    loop.exec();
    return std::max(longest, Seconds(gap));
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
    IVexaManager* phone = Bind(0);
    if (!phone)
        return 1;
    const fs::path data = root / spec.udid / "Media" / "BenchData";
    QElapsedTimer clock;
    clock.start();
    WriteFiles(data, files, megabytes << 20);
    std::printf("device data: %d files, %.0f MB (written in %.1f s)%s\n", files, double(megabytes),
                Seconds(clock), megabytes < 2048 ? "  -- scaled down by BENCH_BACKUP_MB" : "");

    // cp -r of the same files, then the backup through the backup thread.
    const QString copy = home.filePath(QStringLiteral("cp-copy"));
    clock.restart();
    QProcess::execute(QStringLiteral("cp"),
                      {QStringLiteral("-r"), QString::fromStdString(data.string()), copy});
    const double cpSeconds = Seconds(clock);
    fs::remove_all(copy.toStdString());
    std::printf("cp -r of the device's files: %.2f s\n", cpSeconds);

    const OneDevice directory(phone);
    const QString backup = home.filePath(QStringLiteral("backup"));
    double backupSeconds = 0;
    {
        BackupDataThread thread;
        thread.SetBackupInfo(backup, phone, &directory);
        clock.restart();
        const double gap = RunWithProgress(thread);
        backupSeconds = Seconds(clock);
        ok &= thread.Succeeded();
        if (!thread.Succeeded())
            std::printf("the backup failed with %d\n", thread.LastResult());
        Line("backup_vs_cp", "backup time / cp -r time", backupSeconds / cpSeconds, "x", 1.5);
        Line("backup_progress_gap", "longest gap between backup progress reports", gap * 1000, "ms", 500);
    }
    {
        RestoreThread thread;
        thread.SetRestoreInfo(phone->GetDeviceService(), CDeviceLease::Take(directory, phone), backup,
                              QString());
        clock.restart();
        const double gap = RunWithProgress(thread);
        const double restoreSeconds = Seconds(clock);
        ok &= thread.Succeeded();
        if (!thread.Succeeded())
            std::printf("the restore failed with %d\n", thread.LastResult());
        Line("restore_vs_cp", "restore time / cp -r time", restoreSeconds / cpSeconds, "x", 1.5);
        Line("restore_progress_gap", "longest gap between restore progress reports", gap * 1000, "ms", 500);
    }
    std::printf("backup %.2f s, cp -r %.2f s\n", backupSeconds, cpSeconds);
    fs::remove_all(backup.toStdString());
    fs::remove_all(data);

    // The transfer between two further devices.
    vexa::sim::LargeDeviceSpec source;
    source.udid = "00008101-00000000BE4C0002";
    source.name = "Bench Source";
    source.contacts = 5000;
    source.photos = 1000;
    source.songs = 200;
    vexa::sim::LargeDeviceSpec target;
    target.udid = "00008101-00000000BE4C0003";
    target.name = "Bench Target";
    int handle = g_lastHandle;
    if (vexa::sim::GenerateLargeDevice(root, source) != 0)
        return 1;
    IVexaManager* from = Bind(handle);
    handle = g_lastHandle;
    if (vexa::sim::GenerateLargeDevice(root, target) != 0)
        return 1;
    IVexaManager* to = Bind(handle);
    if (!from || !to)
        return 1;
    CDeviceTransfer transfer(from, to, QStringLiteral("Bench Source"),
                             home.filePath(QStringLiteral("transfer")));
    clock.restart();
    const int result = transfer.Run();
    const double transferSeconds = Seconds(clock);
    std::printf("%s\n", qPrintable(CDeviceTransfer::SummaryText(transfer.Counts())));
    // The generator repeats its pictures and tones, so items with the same content count as skipped.
    const CTransferCounts& counts = transfer.Counts();
    ok &= result == 0 && counts.contacts == 5000 && counts.photos > 0 && counts.songs > 0 &&
          counts.Copied() + counts.skipped >= 5000 + 1000 + 200;
    Line("transfer_5000_1000_200", "transfer of 5,000 contacts, 1,000 photos, 200 songs", transferSeconds,
         "s", 30);

    for (IVexaManager* manager : {phone, from, to})
        DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return ok ? 0 : 1;
}
