// The video page on this machine: conversion of two 60 s 1280x720 clips (H.264 in Matroska, MPEG-4 in
// AVI) through the conversion dialog, with the longest pause of the GUI thread meanwhile; the player
// window from play to its first frame for a local 720p MP4 and a seek to the middle of a 10-minute clip;
// and the video page's press to the filled table with 2,000 videos on a simulated device. Outputs are
// null, so no sound card or display is needed. Clips are made once by the ffmpeg program and kept in the
// temporary folder. Prints one line per figure with its limit, and "BENCH <name> <value> <unit> <limit>".

#include <atomic>
#include <cstdio>
#include <filesystem>

#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "BenchHeartbeat.h"
#include "BenchMessageCloser.h"
#include "BenchReport.h"
#include "LanguageService.h"
#include "PlayerWidget.h"
#include "QConverVideoDlg.h"
#include "QMySortModel.h"
#include "QVideoView.h"
#include "sim/ContentServices.h"

namespace {

constexpr double kClipSeconds = 60;
constexpr int kVideos = 2000;
// The event loop is given 1 ms slices: the player's first frame and seek are figures of a few hundred ms.
constexpr int kSliceMs = 1;
std::atomic<int> g_handle{0};

int OnDevice(int mode, int handle) {
    if (mode == VEXA_DEVICE_ARRIVED)
        g_handle = handle;
    return 0;
}

// The media engine's benchmark makes the same 60 s and 10-minute clips: both share them.
QString ClipFolder() {
    const QString folder = QDir::temp().filePath(QStringLiteral("vexa-bench-mediacore"));
    QDir().mkpath(folder);
    return folder;
}

// Makes the clip unless an earlier run left it; empty when ffmpeg failed.
QString Clip(const QString& name, const QStringList& arguments) {
    const QString path = QDir(ClipFolder()).filePath(name);
    if (QFileInfo(path).size() > 0)
        return path;
    const QString partial = path + QStringLiteral(".part.") + QFileInfo(name).suffix();
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 QStringList{"-v", "error", "-y"} + arguments + QStringList{partial});
    if (!ffmpeg.waitForFinished(600000) || ffmpeg.exitCode() != 0 || !QFile::rename(partial, path)) {
        std::fprintf(stderr, "ffmpeg could not make %s\n", qPrintable(name));
        return {};
    }
    return path;
}

QStringList HdSource(int seconds) {
    return {
        "-f", "lavfi", "-i", QStringLiteral("testsrc2=size=1280x720:rate=25:duration=%1").arg(seconds),
        "-f", "lavfi", "-i", QStringLiteral("sine=frequency=440:sample_rate=48000:duration=%1").arg(seconds)};
}

bool Report(const char* name, const char* what, double value, const char* unit, double limit) {
    std::printf("%-48s %9.1f %s  (limit %6.0f %s)  %s\n", what, value, unit, limit, unit,
                value <= limit ? "ok" : "OVER");
    std::fflush(stdout);
    return BenchFigure(name, value, unit, limit);
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the conversion dialog over one clip; returns the clip's share of real time it took, in %.
bool Convert(const QString& source, const char* name, const char* label) {
    QTemporaryDir work;
    BenchHeartbeat heartbeat;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = CpuSeconds();
    QConverVideoDlg dialog({source}, work.path());
    const int result = dialog.exec();
    const double seconds = double(clock.elapsed()) / 1000.0;
    const double cpu = CpuSeconds() - cpuBefore;
    if (result != QConverVideoDlg::kSucceeded || dialog.Outputs().size() != 1) {
        std::printf("%s: conversion failed\n", label);
        return false;
    }
    std::printf("%-48s %6.1f s for %.0f s: %.2fx real time, longest GUI pause %lld ms\n", label, seconds,
                kClipSeconds, kClipSeconds / seconds, heartbeat.LongestSoFar());
    BenchWatch((std::string(name) + "_gui_pause").c_str(), double(heartbeat.LongestSoFar()), "ms");
    // The processor time says what the two cores would give if nothing else ran on them.
    std::printf("%-48s %6.1f s of processor time: %.2fx real time on two idle cores\n", "", cpu,
                kClipSeconds * 2 / cpu);
    BenchWatch((std::string(name) + "_two_idle_cores").c_str(), cpu / 2 / kClipSeconds * 100, "%");
    return Report(name, "  share of its playing time", seconds / kClipSeconds * 100, "%", 100);
}

bool PlayerFigures(const QString& hdClip, const QString& tenMinutes) {
    bool ok = true;
    {
        PlayerWidget player;
        player.show();
        if (!QTest::qWaitForWindowExposed(&player))
            std::fprintf(stderr, "the player was not shown\n");
        QElapsedTimer clock;
        clock.start();
        player.PlayLocalFile(hdClip);
        ProcessUntil([&] { return Player_GetPlayTime(player.Player()) > 0; }, 5000, kSliceMs);
        ok &= Report("video_player_press_to_first_frame", "player: play to first frame (720p MP4)",
                     double(clock.nsecsElapsed()) / 1e6, "ms", 300);
    }
    PlayerWidget player;
    player.show();
    player.PlayLocalFile(tenMinutes);
    ProcessUntil([&] { return Player_GetPlayTime(player.Player()) > 0; }, 5000, kSliceMs);
    const qint64 half = Player_GetDuration(player.Player()) / 2;
    QElapsedTimer clock;
    clock.start();
    player.ProgressValueChange(0.5);
    // While a seek is pending the engine reports its target; it is done when a frame near it shows.
    ProcessUntil(
        [&] {
            const qint64 now = Player_GetPlayTime(player.Player());
            return qAbs(now - half) > 500 && qAbs(now - half) < 3000000;
        },
        5000, kSliceMs);
    ok &= Report("video_player_seek_half_of_10_minutes", "player: seek to 50% of a 10-minute clip",
                 double(clock.nsecsElapsed()) / 1e6, "ms", 200);
    return ok;
}

bool TableFigure() {
    QTemporaryDir home;
    const std::string root = home.filePath(QStringLiteral("simulator")).toStdString();
    qputenv("VEXA_SIM_ROOT", QFile::encodeName(QString::fromStdString(root)));
    std::filesystem::create_directories(root);
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = "00008101-000000000B0C0A99";
    spec.name = "Bench Phone";
    spec.videos = kVideos;
    if (vexa::sim::GenerateLargeDevice(root, spec) != 0) {
        std::fprintf(stderr, "could not generate the device\n");
        return false;
    }
    IOSInitialize();
    IOSListener(OnDevice);
    ProcessUntil([] { return g_handle != 0; }, 10000, kSliceMs);
    IVexaManager* manager = GetVexaManager();
    if (!g_handle || manager->SetDeviceHandle(g_handle) != 0) {
        std::fprintf(stderr, "the device did not arrive\n");
        return false;
    }
    bool ok = true;
    {
        QVideoView view(manager, g_handle);
        view.resize(1000, 700);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            std::fprintf(stderr, "the video page was not shown\n");
        bool filled = false;
        QObject::connect(&view, &QVideoView::emitRefreshVideoNode, [&] { filled = true; });
        QElapsedTimer clock;
        clock.start();
        view.Start();
        ProcessUntil([&] { return filled; }, 60000, kSliceMs);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        view.repaint();
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        if (view.SortModel()->rowCount() != kVideos) {
            std::fprintf(stderr, "the table shows %d videos\n", view.SortModel()->rowCount());
            ok = false;
        }
        ok &= Report("video_load_2000", "Video press to filled table (2,000 videos)", ms, "ms", 500);
    }
    DeleteVexaManager(&manager);
    IOSListener(nullptr);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("MEDIACORE_NULL_OUTPUT", "1");
    qputenv("VEXA_BACKEND", "sim");
    QApplication app(argc, argv);
    SetAppDirPathForTesting(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    const BenchMessageCloser messageCloser;

    const QString mkv =
        Clip("h264-720p-60s.mkv", HdSource(60) + QStringList{"-c:v", "libx264", "-preset", "veryfast", "-crf",
                                                             "23", "-c:a", "aac"});
    const QString avi = Clip("mpeg4-720p-60s.avi",
                             HdSource(60) + QStringList{"-c:v", "mpeg4", "-q:v", "4", "-c:a", "libmp3lame"});
    const QString mp4 =
        Clip("h264-720p-10s.mp4", HdSource(10) + QStringList{"-c:v", "libx264", "-preset", "veryfast", "-c:a",
                                                             "aac", "-movflags", "+faststart"});
    const QString tenMinutes =
        Clip("ten-minutes.mkv", {"-f", "lavfi", "-i", "testsrc2=size=640x360:rate=25:duration=600", "-f",
                                 "lavfi", "-i", "sine=sample_rate=48000:duration=600", "-c:v", "libx264",
                                 "-preset", "ultrafast", "-g", "50", "-c:a", "aac"});
    if (mkv.isEmpty() || avi.isEmpty() || mp4.isEmpty() || tenMinutes.isEmpty())
        return 1;

    bool ok = true;
    ok &= Convert(mkv, "video_convert_h264_mkv_720p", "convert H.264 MKV 1280x720 60 s");
    ok &= Convert(avi, "video_convert_mpeg4_avi_720p", "convert MPEG-4 AVI 1280x720 60 s");
    ok &= PlayerFigures(mp4, tenMinutes);
    ok &= TableFigure();
    return ok ? 0 : 1;
}
