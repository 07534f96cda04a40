// The media engine on this machine: conversion of two 60 s 1280x720 clips (H.264 in Matroska, MPEG-4 in
// AVI) against their playing time, the song preview from play to sound for a 5 MB MP3, and the player's
// first picture and a seek to the middle of a 10-minute clip. Outputs are null, so no sound card or
// display is needed. The clips are made once by the ffmpeg program and kept in the temporary folder.
// Prints one line per figure with its limit, and the same as "BENCH <name> <value> <unit> <limit>".

#include <cstdio>
#include <functional>

#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "BenchReport.h"
#include "mediacore/MediaCore.h"
#include "mediacore/QPreviewPlayer.h"

namespace {

constexpr double kClipSeconds = 60;

QString clipFolder() {
    const QString folder = QDir::temp().filePath("vexa-bench-mediacore");
    QDir().mkpath(folder);
    return folder;
}

// Makes the clip unless an earlier run left it; empty when ffmpeg failed.
QString clip(const QString& name, const QStringList& arguments) {
    const QString path = QDir(clipFolder()).filePath(name);
    if (QFileInfo(path).size() > 0)
        return path;
    const QString partial = path + ".part." + QFileInfo(name).suffix();
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-y"} + arguments + QStringList{partial});
    if (!ffmpeg.waitForFinished(600000) || ffmpeg.exitCode() != 0 || !QFile::rename(partial, path)) {
        std::fprintf(stderr, "ffmpeg could not make %s\n", qPrintable(name));
        return {};
    }
    return path;
}

QStringList hdSource(int seconds) {
    return {"-f", "lavfi", "-i", QString("testsrc2=size=1280x720:rate=25:duration=%1").arg(seconds),
            "-f", "lavfi", "-i", QString("sine=frequency=440:sample_rate=48000:duration=%1").arg(seconds)};
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool waitFor(const std::function<bool()>& done, int timeoutMs, int pollMs = 1) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(pollMs);
    }
    return true;
}

// Converts with the settings the video view passes; the share of the clip's playing time it took, in %.
// The processor time beside it says what the two cores would give if nothing else ran on them.
double conversionShare(const QString& source, const char* label, const char* cpuFigure) {
    const QString output = QDir(clipFolder()).filePath("converted.mp4");
    MediaConfig* config = Config_Create();
    Config_SetVideoFormat(config, MEDIACORE_VIDEO_H264);
    Config_SetAudioFormat(config, MEDIACORE_AUDIO_AAC);
    Config_SetVideoQuality(config, 90);
    Config_SetAudioChannels(config, 2);
    MediaConverter* converter = Converter_Create(MEDIACORE_CONVERTER_MP4);
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    const int opened = Converter_Open(converter, source.toUtf8(), output.toUtf8(), "mp4", config);
    Config_Release(config);
    Converter_Start(converter);
    const bool ended =
        opened == MEDIACORE_OK && waitFor([&] { return Converter_IsCompleted(converter) != 0; }, 600000, 20);
    const double seconds = clock.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;
    const int result = Converter_IsCompleted(converter);
    Converter_Release(converter);
    QFile::remove(output);
    if (!ended || result != 1) {
        std::printf("%s: conversion failed (%d)\n", label, opened != MEDIACORE_OK ? opened : result);
        return 1e6;
    }
    std::printf("%-44s %6.1f s for %.0f s: %.2fx real time (%.1f s of processor time)\n", label, seconds,
                kClipSeconds, kClipSeconds / seconds, cpu);
    BenchWatch(cpuFigure, cpu / 2 / kClipSeconds * 100, "%");
    return seconds / kClipSeconds * 100;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("MEDIACORE_NULL_OUTPUT", "1");
    QCoreApplication app(argc, argv);
    const QString mkv =
        clip("h264-720p-60s.mkv", hdSource(60) + QStringList{"-c:v", "libx264", "-preset", "veryfast", "-crf",
                                                             "23", "-c:a", "aac"});
    const QString avi = clip("mpeg4-720p-60s.avi",
                             hdSource(60) + QStringList{"-c:v", "mpeg4", "-q:v", "4", "-c:a", "libmp3lame"});
    const QString song =
        clip("song-5mb.mp3", {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=220", "-ac",
                              "2", "-c:a", "libmp3lame", "-b:a", "192k"});
    const QString tenMinutes =
        clip("ten-minutes.mkv", {"-f", "lavfi", "-i", "testsrc2=size=640x360:rate=25:duration=600", "-f",
                                 "lavfi", "-i", "sine=sample_rate=48000:duration=600", "-c:v", "libx264",
                                 "-preset", "ultrafast", "-g", "50", "-c:a", "aac"});
    if (mkv.isEmpty() || avi.isEmpty() || song.isEmpty() || tenMinutes.isEmpty())
        return 1;
    std::printf("song: %.1f MB\n", QFileInfo(song).size() / 1048576.0);

    bool failed = false;
    BenchFigure("convert_h264_mkv_720p_share_of_real_time",
                conversionShare(mkv, "H.264 MKV 1280x720 60 s", "convert_h264_mkv_720p_two_idle_cores"), "%",
                100);
    BenchFigure("convert_mpeg4_avi_720p_share_of_real_time",
                conversionShare(avi, "MPEG-4 AVI 1280x720 60 s", "convert_mpeg4_avi_720p_two_idle_cores"),
                "%", 100);

    {
        QPreviewPlayer preview; // made with the view, before the press
        QElapsedTimer clock;
        clock.start();
        preview.setCurrentSource(song);
        preview.play();
        failed |= !waitFor([&] { return preview.currentTime() > 0; }, 5000);
        BenchFigure("preview_mp3_play_to_sound", clock.nsecsElapsed() / 1e6, "ms", 300);
    }

    MediaPlayer* player = Player_Create(-97);
    QElapsedTimer clock;
    clock.start();
    failed |= Player_Open(player, tenMinutes.toUtf8()) != MEDIACORE_OK;
    Player_SetVideoView(player, 0);
    Player_Play(player);
    failed |= !waitFor([&] { return Player_GetPlayTime(player) > 0; }, 5000);
    BenchWatch("player_open_to_first_frame", clock.nsecsElapsed() / 1e6, "ms");

    // While a seek is pending mpv reports its target (which lies between frames here); the seek is done
    // when a real frame's time near it shows.
    const int64_t half = Player_GetDuration(player) / 2;
    clock.restart();
    Player_FastSeek(player, half);
    failed |= !waitFor(
        [&] {
            const int64_t now = Player_GetPlayTime(player);
            return qAbs(now - half) > 500 && qAbs(now - half) < 3000000;
        },
        5000);
    BenchFigure("player_seek_half_of_10_minutes", clock.nsecsElapsed() / 1e6, "ms", 200);
    Player_Release(player);
    return failed ? 1 : 0;
}
