// Backups of the large phone through the usb backend and vexa-device-emulator: the first one against
// Debian's `idevicebackup2 backup --full` of the same emulated phone, and a second one with nothing
// changed, which the device answers with what changed since (next to nothing). The same for the
// snapshot the contacts, messages and calls pages read, a backup into the user's cache.
#include <algorithm>
#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <vexa/DeviceSnapshot.h>
#include <vexa/vexa.h>

#include "BenchReport.h"
#include "BenchUsbConnection.h"
#include "EmulatorProcess.h"

namespace {

constexpr char kUdid[] = "00008030-00BE0C4D5E6F7091";
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    EmulatorProcess emulator;
    QTemporaryDir work;
    QElapsedTimer making;
    making.start();
    if (emulator.SimCtl({"create", "--udid", kUdid, "--name", "Large iPhone", "--product-type", "iPhone15,2",
                         "--contacts", "20000", "--messages", "200000", "--photos", "2000", "--songs", "200",
                         "--apps", "20"}) != 0) {
        std::fprintf(stderr, "bench_usb_incremental: the large phone could not be made\n");
        return 1;
    }
    std::printf("large phone made in %.1f s\n", double(making.elapsed()) / 1000);
    if (!emulator.Start()) {
        std::fprintf(stderr, "bench_usb_incremental: the emulator did not start\n");
        return 1;
    }
    qputenv("XDG_CACHE_HOME", work.filePath("cache").toLocal8Bit());
    const BenchUsbConnection connection;
    IVexaManager* manager = connection.Manager();
    bool ok = connection.Connected();

    const QString tool = work.filePath("idevicebackup2");
    const QString ours = work.filePath("ours");
    auto backup = [&](int flags) {
        return manager->GetDeviceService()->BackupDeviceWithProgress(ours.toStdU16String().c_str(), flags,
                                                                     nullptr, nullptr) == VEXA_OK;
    };
    auto snapshot = [&] { return RefreshDeviceSnapshot(manager, nullptr, nullptr) == VEXA_OK; };
    // Turns taken, each side's best of two, every run into a fresh folder.
    constexpr int kRounds = 2;
    double first = 0;
    double debian = 0;
    double second = 0;
    double snapshotFirst = 0;
    double snapshotSecond = 0;
    QByteArray secondSent;
    for (int round = 1; round <= kRounds && ok; ++round) {
        QDir().mkpath(tool);
        const double toolRun = TimedAfterSync(
            [&] {
                return QProcess::execute("idevicebackup2", {"-u", kUdid, "backup", "--full", tool}) == 0;
            },
            ok);
        QDir(tool).removeRecursively();
        const double firstRun = TimedAfterSync([&] { return backup(0); }, ok);
        const QByteArray firstSent = emulator.Control("backup-stats");
        const double secondRun = TimedAfterSync([&] { return backup(0); }, ok);
        const QByteArray sent = emulator.Control("backup-stats");
        QDir(ours).removeRecursively();
        const double snapshotFirstRun = TimedAfterSync(snapshot, ok);
        const double snapshotSecondRun = TimedAfterSync(snapshot, ok);
        const QByteArray snapshotSent = emulator.Control("backup-stats");
        QDir(work.filePath("cache")).removeRecursively();
        std::printf(
            "  round %d: idevicebackup2 --full %.0f ms, first backup %.0f ms (%s), second %.0f ms (%s), "
            "first snapshot %.0f ms, second %.0f ms (%s)\n",
            round, toolRun, firstRun, firstSent.constData(), secondRun, sent.constData(), snapshotFirstRun,
            snapshotSecondRun, snapshotSent.constData());
        snapshotFirst = round == 1 ? snapshotFirstRun : std::min(snapshotFirst, snapshotFirstRun);
        snapshotSecond = round == 1 ? snapshotSecondRun : std::min(snapshotSecond, snapshotSecondRun);
        ok = ok && snapshotSent.startsWith("ok incremental");
        debian = round == 1 ? toolRun : std::min(debian, toolRun);
        first = round == 1 ? firstRun : std::min(first, firstRun);
        if (round == 1 || secondRun < second) {
            second = secondRun;
            secondSent = sent;
        }
        ok = ok && sent.startsWith("ok incremental");
    }
    std::printf("best of %d: idevicebackup2 --full %.0f ms, first backup %.0f ms, ratio %.2f (limit 1.2)\n",
                kRounds, debian, first, first / debian);
    std::printf("second backup, nothing changed: %.0f ms (limit 3000), the device sent: %s\n", second,
                secondSent.constData());
    std::printf(
        "snapshot: first %.0f ms, ratio %.2f (limit 1.2); second, nothing changed: %.0f ms (limit 3000)\n",
        snapshotFirst, snapshotFirst / debian, snapshotSecond);
    BenchWatch("usb_backup_large_idevicebackup2", debian, "ms");
    BenchWatch("usb_backup_large_first", first, "ms");
    const bool close = BenchFigure("usb_backup_large_ratio_to_idevicebackup2", first / debian, "x", 1.2, 2);
    const bool quick = BenchFigure("usb_backup_large_unchanged", second, "ms", 3000);
    const bool snapshotClose =
        BenchFigure("usb_snapshot_large_ratio_to_idevicebackup2", snapshotFirst / debian, "x", 1.2, 2);
    const bool snapshotQuick = BenchFigure("usb_snapshot_large_unchanged", snapshotSecond, "ms", 3000);
    return ok && close && quick && snapshotClose && snapshotQuick ? 0 : 1;
}
