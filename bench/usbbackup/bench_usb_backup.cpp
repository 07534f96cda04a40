// A whole-device backup through the usb backend and vexa-device-emulator against `cp -r` of the same
// files on this machine: 1 GB in 10,000 files.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <vexa/vexa.h>

#include "BenchReport.h"
#include "BenchUsbConnection.h"
#include "EmulatorProcess.h"

namespace {

constexpr char kUdid[] = "00008030-00BE0C4D5E6F7090";
constexpr int kFiles = 10000;
constexpr int kFileBytes = 100000; // 10,000 of them make 1 GB
constexpr int kFolders = 100;

bool fillMedia(const QString& folder) {
    QByteArray bytes(kFileBytes, Qt::Uninitialized);
    uint32_t state = 12345;
    for (int i = 0; i < kFiles; ++i) {
        const QString sub = QStringLiteral("%1/%2").arg(folder).arg(i % kFolders, 3, 10, QLatin1Char('0'));
        if (i < kFolders && !QDir().mkpath(sub)) {
            return false;
        }
        for (int j = 0; j < kFileBytes; j += 4) {
            state = state * 1664525u + 1013904223u;
            std::memcpy(bytes.data() + j, &state, std::min(4, kFileBytes - j));
        }
        QFile file(QStringLiteral("%1/IMG_%2.JPG").arg(sub).arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != kFileBytes) {
            return false;
        }
    }
    return true;
}

// When the device sent its first file: before that it makes the backup on its side.
QElapsedTimer g_clock;
qint64 g_firstFile = -1;

int onProgress(const BackupProgress* progress, void*) {
    if (g_firstFile < 0 && progress->filesDone > 0) {
        g_firstFile = g_clock.elapsed();
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    EmulatorProcess emulator;
    QTemporaryDir work;
    if (emulator.SimCtl(
            {"create", "--udid", kUdid, "--name", "Bench iPhone", "--product-type", "iPhone15,2"}) != 0) {
        std::fprintf(stderr, "bench_usb_backup: vexa-simctl failed\n");
        return 1;
    }
    const QString media = emulator.Root() + "/" + kUdid + "/Media/DCIM";
    if (!fillMedia(media) || !emulator.Start()) {
        std::fprintf(stderr, "bench_usb_backup: the device or the emulator could not be set up\n");
        return 1;
    }
    const BenchUsbConnection connection;
    IVexaManager* manager = connection.Manager();
    bool ok = connection.Connected();

    const QString copy = work.filePath("cp-copy");
    const QString folder = work.filePath("backup");
    // Every timed run on either side follows the removal of the other side's 10,000 files: ext4 makes
    // files more slowly just after many were removed (it looks for recently deleted inodes), so a run on
    // fresh ground would have an edge. Hence an untimed copy first, turns taken, and each side's best
    // of three.
    QProcess::execute("cp", {"-r", media, copy});
    QDir(copy).removeRecursively();
    constexpr int kRounds = 3;
    double cp = 0;
    double backup = 0;
    double transfer = 0;
    qint64 making = 0;
    int result = -1;
    qint64 stored = 0;
    for (int round = 1; round <= kRounds; ++round) {
        const double cpRun = TimedAfterSync(
            [&] {
                return QProcess::execute("cp", {"-r", media, copy}) == 0;
            },
            ok);
        QDir(copy).removeRecursively();
        g_firstFile = -1;
        const double backupRun = TimedAfterSync(
            [&] {
                g_clock.start();
                result = ok ? manager->GetDeviceService()->BackupDeviceWithProgress(
                                  folder.toStdU16String().c_str(), 0, onProgress, nullptr)
                            : -1;
                return result == VEXA_OK;
            },
            ok);
        stored = 0;
        for (const QString& sub : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            stored += QDir(folder + "/" + sub).entryList(QDir::Files).size();
        }
        QDir(folder).removeRecursively();
        ok = ok && stored >= kFiles;
        std::printf("  round %d: cp -r %.0f ms, usb backup %.0f ms (%lld files stored)\n", round, cpRun,
                    backupRun, static_cast<long long>(stored));
        cp = round == 1 ? cpRun : std::min(cp, cpRun);
        if (round == 1 || backupRun < backup) {
            backup = backupRun;
            making = g_firstFile;
            transfer = backupRun - double(g_firstFile);
        }
    }

    std::printf("backup of %d files, %.1f MB (result %d)\n", kFiles, double(kFiles) * kFileBytes / 1e6,
                result);
    std::printf("best of %d: cp -r %.0f ms, usb backup %.0f ms, ratio %.2f (limit 2.0)\n", kRounds, cp,
                backup, backup / cp);
    // The emulated device first writes the whole backup on its side (a real device does this on its own
    // storage); the rest is the transfer to this computer.
    std::printf("device making the backup: %lld ms, transfer to the computer: %.0f ms (%.2f of cp)\n",
                static_cast<long long>(making), transfer, transfer / cp);
    BenchWatch("usb_backup_cp_1gb", cp, "ms");
    BenchWatch("usb_backup_transfer_1gb", transfer, "ms");
    BenchWatch("usb_backup_1gb", backup, "ms");
    const bool within = BenchFigure("usb_backup_ratio_to_cp", backup / cp, "x", 2.0);
    return ok && within ? 0 : 1;
}
