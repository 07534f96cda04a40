// The file export of 1,000 device files (200 MB in all) from a simulated device into a folder,
// against `cp -r` of the same files measured in the same run, and the longest time the GUI thread
// went without handling a timer while the export dialog was up. Prints each figure beside its limit.

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <vexa/vexa.h>

#include "CPhotoSerialThread.h"
#include "IBaseSerial.h"
#include "ISerialable.h"
#include "LanguageService.h"
#include "QFileFolderExport.h"
#include "sim/ContentServices.h"

namespace {

constexpr int kFiles = 1000;
constexpr int kFileBytes = 200 * 1000;
constexpr double kRatioLimit = 1.5;
constexpr double kPauseLimitMs = 100;
constexpr int kRounds = 3;
std::atomic<int> g_handle{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_handle = handle;
    return 0;
}

class SongList : public ISerialable {
public:
    explicit SongList(int count) {
        for (int i = 0; i < count; ++i)
            m_paths.push_back("/VexaBench/song" + std::to_string(i) + ".mp3");
    }
    void Serialize(IBaseSerial* writer) override {
        writer->BeginItem("Songs", -1);
        for (std::size_t i = 0; i < m_paths.size(); ++i) {
            writer->BeginItem("Item", -1);
            writer->WriteString("Title", ("Song " + std::to_string(i)).c_str());
            writer->WriteString("Path", m_paths[i].c_str());
            writer->EndItem();
        }
        writer->EndItem();
    }
    void Deserialize(IBaseSerial*) override {}

private:
    std::vector<std::string> m_paths;
};

// The simulator keeps device files in a host folder; `cp -r` copies that folder.
QString HostFolderOf(const QString& root, const QString& name) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root.toStdString()))
        if (entry.is_directory() && entry.path().filename() == name.toStdString())
            return QString::fromStdString(entry.path().string());
    return {};
}

void Report(const char* what, double value, const char* unit, double limit) {
    std::printf("%-52s %9.2f %-3s (limit %7.2f %s)  %s\n", what, value, unit, limit, unit,
                value <= limit ? "ok" : "OVER");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    const QString root = home.filePath(QStringLiteral("simulator"));
    qputenv("VEXA_SIM_ROOT", QFile::encodeName(root));
    qputenv("VEXA_BACKEND", "sim");
    QApplication app(argc, argv);
    SetAppDirPathForTesting(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));

    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-0000000000BENCH01";
    spec.name = "Bench Phone";
    if (vexa::sim::GenerateLargeDevice(root.toStdString(), spec) != 0 || IOSInitialize() != 0 ||
        IOSListener(OnDevice) != 0) {
        std::fprintf(stderr, "could not start the simulated device\n");
        return 1;
    }
    QElapsedTimer wait;
    wait.start();
    while (g_handle == 0 && wait.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    IVexaManager* manager = GetVexaManager();
    if (g_handle == 0 || manager->SetDeviceHandle(g_handle) != 0) {
        std::fprintf(stderr, "the device did not arrive\n");
        return 1;
    }
    IFileService* files = manager->GetFileService();
    files->MakeDirectory("/VexaBench");
    const QString upload = home.filePath(QStringLiteral("upload.bin"));
    {
        QFile file(upload);
        file.open(QIODevice::WriteOnly);
        QByteArray data(kFileBytes, '\0');
        for (int i = 0; i < kFileBytes; ++i)
            data[i] = char((i * 7919) & 0xff);
        file.write(data);
    }
    for (int i = 0; i < kFiles; ++i) {
        const QString device = QStringLiteral("/VexaBench/song%1.mp3").arg(i);
        if (files->CopyFileToDevice(reinterpret_cast<const char16_t*>(upload.utf16()),
                                    reinterpret_cast<const char16_t*>(device.utf16())) != 0) {
            std::fprintf(stderr, "could not put file %d on the device\n", i);
            return 1;
        }
    }
    const QString hostFolder = HostFolderOf(root, QStringLiteral("VexaBench"));
    if (hostFolder.isEmpty()) {
        std::fprintf(stderr, "could not find the device's files on the host\n");
        return 1;
    }
    std::printf("%d files of %d bytes (%.0f MB) on the device\n", kFiles, kFileBytes,
                double(kFiles) * kFileBytes / 1e6);

    SongList songs(kFiles);
    double bestCopyMs = 1e12;
    double bestExportMs = 1e12;
    qint64 longestPauseMs = 0;
    for (int round = 0; round < kRounds; ++round) {
        const QString cpTarget = home.filePath(QStringLiteral("cp%1").arg(round));
        QElapsedTimer clock;
        clock.start();
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), hostFolder, cpTarget});
        bestCopyMs = std::min(bestCopyMs, double(clock.nsecsElapsed()) / 1e6);
        QDir(cpTarget).removeRecursively();

        // A 5 ms timer on the GUI thread: the longest gap between its ticks is the longest pause.
        QElapsedTimer sinceTick;
        sinceTick.start();
        qint64 pause = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { pause = std::max(pause, sinceTick.restart()); });
        ticker.start(5);
        const QString folder = home.filePath(QStringLiteral("export%1").arg(round));
        clock.restart();
        const int failed = QFileFolderExport::ExportTo(&songs, manager, kExportMedia, folder);
        bestExportMs = std::min(bestExportMs, double(clock.nsecsElapsed()) / 1e6);
        ticker.stop();
        longestPauseMs = std::max(longestPauseMs, pause);
        const int written = int(QDir(folder).entryList(QDir::Files).size());
        if (failed != 0 || written != kFiles) {
            std::fprintf(stderr, "export %d: %d failed, %d files written\n", round, failed, written);
            return 1;
        }
        QDir(folder).removeRecursively();
    }
    const double ratio = bestExportMs / bestCopyMs;
    std::printf("cp -r of the same files (best of %d)                  %9.1f ms\n", kRounds, bestCopyMs);
    std::printf("file export (best of %d)                              %9.1f ms\n", kRounds, bestExportMs);
    Report("file export time / cp -r time", ratio, "x", kRatioLimit);
    Report("longest GUI-thread pause during the export", double(longestPauseMs), "ms", kPauseLimitMs);
    std::printf("BENCH fileexport_vs_cp %.2f x %.2f\n", ratio, kRatioLimit);
    std::printf("BENCH fileexport_gui_pause %lld ms %.0f\n", (long long)longestPauseMs, kPauseLimitMs);
    std::fflush(stdout);
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return ratio <= kRatioLimit && longestPauseMs <= kPauseLimitMs ? 0 : 2;
}
