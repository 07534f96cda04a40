// The music page of a phone with 10,000 songs reached through the usb backend and the device emulator:
// the press of the Music node to the filled table, the first time (the library copied off the device and
// every song's file looked up) and again (the device unchanged).
#include <atomic>
#include <cstdio>
#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <vexa/vexa.h>

#include "BenchMessageCloser.h"
#include "BenchReport.h"
#include "EmulatorProcess.h"
#include "LanguageService.h"
#include "QMusicView.h"
#include "QMySortModel.h"

namespace {

constexpr int kSongs = 10000;
constexpr char kUdid[] = "00008101-00000000000A0B10";
std::atomic<int> g_arrived{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_arrived = handle;
    return 0;
}

void ProcessUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetAppDirPathForTesting(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    const BenchMessageCloser messageCloser;
    EmulatorProcess emulator;
    QElapsedTimer clock;
    clock.start();
    if (emulator.SimCtl({"create", "--udid", kUdid, "--name", "Bench iPhone", "--product-type", "iPhone15,2",
                         "--songs", QString::number(kSongs)}) != 0 ||
        !emulator.Start()) {
        std::fprintf(stderr, "bench_music_usb: the device emulator did not start\n");
        return 1;
    }
    qputenv("VEXA_BACKEND", "usb");
    IOSInitialize();
    IOSListener(OnDevice);
    ProcessUntil([] { return g_arrived != 0; }, 30000);
    IVexaManager* manager = GetVexaManager();
    if (!g_arrived || manager->SetDeviceHandle(g_arrived) != VEXA_OK) {
        std::fprintf(stderr, "bench_music_usb: the device did not arrive\n");
        return 1;
    }
    std::printf("made and plugged in %d songs in %.1f s\n", kSongs, double(clock.elapsed()) / 1000.0);

    int result = 0;
    {
        QMusicView music(manager, g_arrived);
        music.resize(1000, 700);
        music.show();
        (void)QTest::qWaitForWindowExposed(&music);
        for (int round = 0; round < 2; ++round) {
            bool filled = false;
            const auto connection =
                QObject::connect(&music, &QMusicView::emitRefreshMusicNode, [&] { filled = true; });
            clock.restart();
            music.Start();
            ProcessUntil([&] { return filled; }, 60000);
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            QObject::disconnect(connection);
            if (music.SortModel()->rowCount() < kSongs - 10) {
                std::fprintf(stderr, "the table shows %d songs\n", music.SortModel()->rowCount());
                result = 1;
            }
            const bool first = round == 0;
            std::printf("%-44s %9.1f ms  (limit 500 ms)\n",
                        first ? "Music press to filled table (usb)" : "again, device unchanged (usb)", ms);
            BenchFigure(first ? "music_usb_load" : "music_usb_reload", ms, "ms", 500);
        }
    }
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    qputenv("VEXA_BACKEND", "sim");
    IOSInitialize();
    emulator.Stop();
    return result;
}
