// The media engine against clips the ffmpeg program makes: conversions read back by ffprobe, media
// information and frame grabs, playback with null outputs, and files that are not what they claim.

#include <cstdio>
#include <utility>

#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPoint>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include "mediacore/MediaCore.h"
#include "mediacore/QPreviewPlayer.h"

#include "TestFiles.h"

namespace {

struct Probe {
    QString format;
    double duration = 0;
    QJsonArray streams;

    QJsonObject stream(const QString& type) const {
        for (const QJsonValue& value : streams)
            if (value.toObject().value("codec_type").toString() == type)
                return value.toObject();
        return {};
    }
};

Probe probe(const QString& path) {
    const QJsonObject root =
        QJsonDocument::fromJson(RunProgram("ffprobe", {"-v", "error", "-print_format", "json", "-show_format",
                                                       "-show_streams", path})
                                    .toUtf8())
            .object();
    const QJsonObject format = root.value("format").toObject();
    return Probe{format.value("format_name").toString(), format.value("duration").toString().toDouble(),
                 root.value("streams").toArray()};
}

// Polls a converter until it reports an end; the conversion itself runs on the engine's thread.
int waitForEnd(MediaConverter* converter, int timeoutMs = 60000) {
    (void)QTest::qWaitFor([converter] { return Converter_IsCompleted(converter) != 0; }, timeoutMs);
    return Converter_IsCompleted(converter);
}

using Converter = std::unique_ptr<MediaConverter, decltype([](MediaConverter* c) { Converter_Release(c); })>;
using Player = std::unique_ptr<MediaPlayer, decltype([](MediaPlayer* player) { Player_Release(player); })>;
using Info = std::unique_ptr<MediaInfo, decltype([](MediaInfo* info) { Info_Release(info); })>;

// The settings the video view passes, with the given picture size and frame rate.
int convert(const QString& source, const QString& destination, int width = 0, int height = 0, int rate = 0) {
    MediaConfig* config = Config_Create();
    Config_SetVideoFormat(config, MEDIACORE_VIDEO_H264);
    Config_SetAudioFormat(config, MEDIACORE_AUDIO_AAC);
    Config_SetVideoSize(config, width, height);
    Config_SetVideoBitRate(config, 0);
    Config_SetVideoQuality(config, 90);
    Config_SetVideoFrameRate(config, rate, 1);
    Config_SetAudioSampleRate(config, 0);
    Config_SetAudioChannels(config, 2);
    Config_SetAudioBitRate(config, 0);
    Config_SetAudioQuality(config, 0);
    Converter converter(Converter_Create(MEDIACORE_CONVERTER_MP4));
    const int opened = Converter_Open(converter.get(), source.toUtf8(), destination.toUtf8(), "mp4", config);
    Config_Release(config);
    if (opened != MEDIACORE_OK)
        return opened;
    if (Converter_GetDuration(converter.get()) <= 0)
        return MEDIACORE_ERROR_STATE;
    Converter_Start(converter.get());
    const int result = waitForEnd(converter.get());
    Converter_Stop(converter.get());
    Converter_Close(converter.get());
    return result;
}

} // namespace

static QStringList picture(const QString& source, int seconds) {
    return {"-f", "lavfi", "-i", QString("%1:duration=%2").arg(source).arg(seconds)};
}

static QStringList tone(int seconds, int rate = 48000) {
    return {"-f", "lavfi", "-i",
            QString("sine=frequency=440:sample_rate=%1:duration=%2").arg(rate).arg(seconds)};
}

class tst_MediaCore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        qputenv("MEDIACORE_NULL_OUTPUT", "1");
        m_clip = makeClip("clip.mkv", picture("testsrc2=size=320x240:rate=25", 8) + tone(8) +
                                          QStringList{"-c:v", "libx264", "-g", "25", "-c:a", "aac"});
        QVERIFY(QFile::exists(m_clip));
    }

    void convertsEveryContainerToMp4_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("codecs"); // the video's and then the sound's
        QTest::addColumn<int>("audioRate");  // 0: no sound
        QTest::newRow("AVI, MPEG-4 + MP3") << "in.avi" << QString("mpeg4 libmp3lame") << 48000;
        QTest::newRow("MKV, H.264 + Vorbis") << "in.mkv" << QString("libx264 libvorbis") << 48000;
        QTest::newRow("WMV, WMV2 + WMA") << "in.wmv" << QString("wmv2 wmav2") << 44100;
        QTest::newRow("FLV, Sorenson + MP3") << "in.flv" << QString("flv libmp3lame") << 22050;
        QTest::newRow("MOV, Motion JPEG + PCM") << "in.mov" << QString("mjpeg pcm_s16le") << 48000;
        QTest::newRow("AVI without sound, MPEG-4") << "silent.avi" << QString("mpeg4") << 0;
    }

    void convertsEveryContainerToMp4() {
        QFETCH(QString, name);
        QFETCH(QString, codecs);
        QFETCH(int, audioRate);
        const QStringList video = {"-c:v", codecs.section(' ', 0, 0)};
        const QStringList audio =
            audioRate ? tone(8, audioRate) + QStringList{"-c:a", codecs.section(' ', 1)} : QStringList();
        const QString source = makeClip(name, picture("testsrc2=size=320x240:rate=25", 8) + audio + video);
        const QString output = path(QString(name) + ".mp4");
        QCOMPARE(convert(source, output), 1);

        // Measured against the length made, not the source's header: ASF counts ~90 ms of preroll in.
        const double made = 8.0;
        const Probe out = probe(output);
        QVERIFY2(out.format.contains("mp4"), qPrintable(out.format));
        QCOMPARE(out.stream("video").value("codec_name").toString(), QString("h264"));
        QCOMPARE(out.stream("audio").value("codec_name").toString(), audioRate ? QString("aac") : QString());
        QCOMPARE(out.stream("video").value("width").toInt(), 320);
        QVERIFY2(qAbs(out.duration - made) <= made * 0.01, qPrintable(QString("out %1 s").arg(out.duration)));
        // The index comes first, so a device can play the file while it is still arriving.
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(1 << 20);
        QVERIFY(head.indexOf("moov") >= 0 && head.indexOf("moov") < head.indexOf("mdat"));

        // The video player opens the source before it has a view to draw into.
        Player player(Player_Create(-97));
        QCOMPARE(Player_Open(player.get(), source.toUtf8()), int(MEDIACORE_OK));
        QVERIFY(Player_HasVideo(player.get()));
        QCOMPARE(bool(Player_HasAudio(player.get())), audioRate != 0);
        QCOMPARE(Player_Play(player.get()), int(MEDIACORE_OK));
        QTRY_VERIFY_WITH_TIMEOUT(Player_GetPlayTime(player.get()) > 0, 5000);
    }

    void keepsTheShapeHonoursTheRateAndNeverEnlarges() {
        // A 4:3 picture in a square box: the width decides; 10 fps from 25.
        QCOMPARE(convert(m_clip, path("small.mp4"), 160, 160, 10), 1);
        const QJsonObject small = probe(path("small.mp4")).stream("video");
        QCOMPARE(QSize(small.value("width").toInt(), small.value("height").toInt()), QSize(160, 120));
        QCOMPARE(small.value("avg_frame_rate").toString(), QString("10/1"));
        QCOMPARE(small.value("nb_frames").toString(), QString("80"));

        QCOMPARE(convert(m_clip, path("large.mp4"), 1280, 720), 1);
        const QJsonObject large = probe(path("large.mp4")).stream("video");
        QCOMPARE(QSize(large.value("width").toInt(), large.value("height").toInt()), QSize(320, 240));

        MediaConfig* config = Config_Create();
        QCOMPARE(Config_SetVideoSize(config, 100, 0), int(MEDIACORE_ERROR_ARGUMENT));
        QCOMPARE(Config_SetVideoQuality(config, 101), int(MEDIACORE_ERROR_ARGUMENT));
        QCOMPARE(Config_SetAudioChannels(config, 6), int(MEDIACORE_ERROR_ARGUMENT));
        QCOMPARE(Config_SetVideoFormat(nullptr, MEDIACORE_VIDEO_H264), int(MEDIACORE_ERROR_ARGUMENT));
        // A bit rate instead of a quality: the file grows with it.
        QCOMPARE(Config_SetVideoBitRate(config, 2000000), int(MEDIACORE_OK));
        Converter converter(Converter_Create(MEDIACORE_CONVERTER_MP4));
        QCOMPARE(Converter_Open(converter.get(), m_clip.toUtf8(), path("rate.mp4").toUtf8(), "mp4", config),
                 int(MEDIACORE_OK));
        Config_Release(config);
        QCOMPARE(Converter_Start(converter.get()), int(MEDIACORE_OK));
        QCOMPARE(waitForEnd(converter.get()), 1);
        const double bitRate =
            probe(path("rate.mp4")).stream("video").value("bit_rate").toString().toDouble();
        QVERIFY2(bitRate > 1400000 && bitRate < 2600000, qPrintable(QString::number(bitRate)));
    }

    void pauseHoldsAndStopRemovesThePartialFile() {
        const QString longer =
            makeClip("long.mkv", picture("testsrc2=size=640x480:rate=25", 30) + tone(30) +
                                     QStringList{"-c:v", "libx264", "-preset", "ultrafast"});
        const QString output = path("stopped.mp4");
        Converter converter(Converter_Create(MEDIACORE_CONVERTER_MP4));
        QVERIFY(!Converter_Create(5)); // only the MP4 converter exists
        QCOMPARE(Converter_Open(converter.get(), longer.toUtf8(), output.toUtf8(), "mp4", nullptr),
                 int(MEDIACORE_OK));
        QVERIFY(qAbs(Converter_GetDuration(converter.get()) - 30000000) < 100000);
        QCOMPARE(Converter_Pause(converter.get()), int(MEDIACORE_ERROR_STATE)); // not started yet
        QCOMPARE(Converter_Start(converter.get()), int(MEDIACORE_OK));
        QTRY_VERIFY_WITH_TIMEOUT(Converter_GetConvertTime(converter.get()) > 1000000, 20000);

        QCOMPARE(Converter_IsPaused(converter.get()), 0);
        QCOMPARE(Converter_Pause(converter.get()), int(MEDIACORE_OK));
        // The packet in hand is finished first; from then on the time converted stands still.
        QTRY_VERIFY_WITH_TIMEOUT(Converter_IsPaused(converter.get()), 5000);
        const int64_t held = Converter_GetConvertTime(converter.get());
        QVERIFY(!QTest::qWaitFor([&] { return Converter_GetConvertTime(converter.get()) != held; }, 300));
        QCOMPARE(Converter_IsCompleted(converter.get()), 0);

        QCOMPARE(Converter_Start(converter.get()), int(MEDIACORE_OK)); // resumes
        QTRY_VERIFY_WITH_TIMEOUT(!Converter_IsPaused(converter.get()), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(Converter_GetConvertTime(converter.get()) > held, 10000);
        QVERIFY(Converter_GetConvertTime(converter.get()) < Converter_GetDuration(converter.get()));
        QCOMPARE(Converter_Stop(converter.get()), int(MEDIACORE_OK));
        QCOMPARE(Converter_IsCompleted(converter.get()), int(MEDIACORE_ERROR_STOPPED));
        QVERIFY(!QFile::exists(output));
        QCOMPARE(Converter_Start(converter.get()), int(MEDIACORE_ERROR_STATE));

        // Opened but released without a start: nothing stays behind either.
        Converter unused(Converter_Create(MEDIACORE_CONVERTER_MP4));
        QCOMPARE(Converter_Open(unused.get(), m_clip.toUtf8(), output.toUtf8(), "mp4", nullptr),
                 int(MEDIACORE_OK));
        unused.reset();
        QVERIFY(!QFile::exists(output));
    }

    void infoReportsAKnownClipAndGrabsItsFrame() {
        // Left half red, right half blue: a frame grab with swapped colour channels would show.
        const QString clip =
            makeClip("known.mp4",
                     QStringList{"-f", "lavfi", "-i", "color=c=red:size=176x144:rate=25:duration=5", "-f",
                                 "lavfi", "-i", "color=c=blue:size=88x144:rate=25:duration=5",
                                 "-filter_complex", "[0][1]overlay=x=88", "-c:v", "libx264", "-b:v", "300k"});
        Info info(Info_Create(3));
        QCOMPARE(Info_Open(info.get(), clip.toUtf8()), int(MEDIACORE_OK));
        QCOMPARE(QSize(Info_GetVideoWidth(info.get()), Info_GetVideoHeight(info.get())), QSize(176, 144));
        QVERIFY(qAbs(Info_GetDuration(info.get()) - 5000000) < 50000);
        QCOMPARE(QString(Info_GetFormatName(info.get())), QString("mov,mp4,m4a,3gp,3g2,mj2"));
        QVERIFY(Info_CanSeek(info.get()));
        QVERIFY(Info_GetVideoBitRate(info.get()) > 0);

        for (const int64_t time : {int64_t(0), int64_t(2500000), int64_t(60000000)}) {
            const MediaImage* frame = Info_GetVideoImage(info.get(), time, MEDIACORE_IMAGE_EXACT);
            QVERIFY2(frame, qPrintable(QString::number(time)));
            const QImage image(frame->pixels, frame->width, frame->height, frame->stride,
                               QImage::Format_RGB32);
            QCOMPARE(image.size(), QSize(176, 144));
            const QColor left = image.pixelColor(40, 72);
            const QColor right = image.pixelColor(130, 72);
            QVERIFY2(left.red() > 200 && left.blue() < 60, qPrintable(left.name()));
            QVERIFY2(right.blue() > 200 && right.red() < 60, qPrintable(right.name()));
        }

        // A song: information without a picture.
        const QString song = makeClip("song.mp3", tone(2) + QStringList{"-c:a", "libmp3lame"});
        QCOMPARE(Info_Open(info.get(), song.toUtf8()), int(MEDIACORE_OK));
        QCOMPARE(Info_GetVideoWidth(info.get()), 0);
        QVERIFY(!Info_GetVideoImage(info.get(), 0, MEDIACORE_IMAGE_EXACT));
        QVERIFY(qAbs(Info_GetDuration(info.get()) - 2000000) < 100000);
    }

    void turnedClipsStayUpright_data() {
        // The "rotate" tag as the ffmpeg program takes it, which is also the counter-clockwise turn it writes
        // into the matrix, and where the top band and the top-left mark of the coded picture are seen.
        QTest::addColumn<int>("turn");
        QTest::addColumn<QPoint>("band"); // cells of an 8x8 grid over the shown picture
        QTest::addColumn<QPoint>("mark");
        QTest::newRow("none") << 0 << QPoint(4, 0) << QPoint(0, 0);
        QTest::newRow("quarter left") << 90 << QPoint(0, 4) << QPoint(0, 7);
        QTest::newRow("upside down") << 180 << QPoint(4, 7) << QPoint(7, 7);
        // What a phone held upright records.
        QTest::newRow("quarter right") << 270 << QPoint(7, 4) << QPoint(7, 0);
    }

    void turnedClipsStayUpright() {
        QFETCH(int, turn);
        QFETCH(QPoint, band);
        QFETCH(QPoint, mark);
        // 128x64 coded: blue, a red band along the top and a green mark in its top-left corner.
        const QString coded = makeClip("coded.mp4", QStringList{"-f", "lavfi", "-i",
                                                                "color=c=blue:size=128x64:rate=25:duration=1,"
                                                                "drawbox=x=0:y=0:w=128:h=16:color=red:t=fill,"
                                                                "drawbox=x=0:y=0:w=16:h=16:color=lime:t=fill",
                                                                "-c:v", "libx264", "-pix_fmt", "yuv420p"});
        const QString source =
            makeClip(QString("turned%1.mov").arg(turn),
                     {"-i", coded, "-c", "copy", "-metadata:s:v", QString("rotate=%1").arg(turn)});
        const auto turnOf = [](const QJsonObject& stream) {
            const QJsonArray sideData = stream.value("side_data_list").toArray();
            const int degrees =
                sideData.isEmpty() ? 0 : sideData.first().toObject().value("rotation").toInt();
            return (degrees % 360 + 360) % 360;
        };
        QCOMPARE(turnOf(probe(source).stream("video")), turn);
        const QSize shown = turn % 180 ? QSize(64, 128) : QSize(128, 64);

        // The pixels keep their coded shape and the turn goes along; the box applies to the picture as shown.
        const QString output = path(QString("upright%1.mp4").arg(turn));
        QCOMPARE(convert(source, output, shown.width() / 2, shown.height() / 2), 1);
        const QJsonObject converted = probe(output).stream("video");
        QCOMPARE(QSize(converted.value("width").toInt(), converted.value("height").toInt()), QSize(64, 32));
        QCOMPARE(turnOf(converted), turn);

        Player player(Player_Create(-97));
        QCOMPARE(Player_Open(player.get(), source.toUtf8()), int(MEDIACORE_OK));
        QCOMPARE(QSize(Player_GetVideoWidth(player.get()), Player_GetVideoHeight(player.get())), shown);

        for (const auto& [file, size] : {std::pair{source, shown}, std::pair{output, shown / 2}}) {
            Info info(Info_Create(3));
            QCOMPARE(Info_Open(info.get(), file.toUtf8()), int(MEDIACORE_OK));
            QCOMPARE(QSize(Info_GetVideoWidth(info.get()), Info_GetVideoHeight(info.get())), size);
            const MediaImage* frame = Info_GetVideoImage(info.get(), 0, MEDIACORE_IMAGE_EXACT);
            QVERIFY(frame);
            const QImage image(frame->pixels, frame->width, frame->height, frame->stride,
                               QImage::Format_RGB32);
            QCOMPARE(image.size(), size);
            const auto at = [&](QPoint cell) {
                return image.pixelColor((2 * cell.x() + 1) * size.width() / 16,
                                        (2 * cell.y() + 1) * size.height() / 16);
            };
            QVERIFY2(at(band).red() > 200, qPrintable(file + " " + at(band).name()));
            QVERIFY2(at({4, 4}).blue() > 200, qPrintable(file));
            QVERIFY2(at(mark).green() > 200 && at(mark).red() < 60, qPrintable(file));
        }
    }

    void playerPlaysSeeksPausesStopsAndCompletes() {
        Player player(Player_Create(-97));
        QVERIFY(player);
        QCOMPARE(Player_Open(player.get(), m_clip.toUtf8()), int(MEDIACORE_OK));
        QVERIFY(Player_HasAudio(player.get()));
        QVERIFY(Player_HasVideo(player.get()));
        QCOMPARE(QSize(Player_GetVideoWidth(player.get()), Player_GetVideoHeight(player.get())),
                 QSize(320, 240));
        QVERIFY(qAbs(Player_GetDuration(player.get()) - 8000000) < 100000);
        QCOMPARE(Player_SetAudioVolume(player.get(), 50), int(MEDIACORE_OK));
        QCOMPARE(Player_SetAudioVolume(player.get(), 101), int(MEDIACORE_ERROR_ARGUMENT));

        QCOMPARE(Player_Play(player.get()), int(MEDIACORE_OK));
        QTRY_VERIFY_WITH_TIMEOUT(Player_GetPlayTime(player.get()) > 300000, 5000);

        const int64_t half = Player_GetDuration(player.get()) / 2;
        QCOMPARE(Player_FastSeek(player.get(), half), int(MEDIACORE_OK));
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(Player_GetPlayTime(player.get()) - half) < 1000000, 3000);

        QVERIFY(!Player_IsPaused(player.get()));
        QCOMPARE(Player_Pause(player.get()), int(MEDIACORE_OK));
        QTRY_VERIFY_WITH_TIMEOUT(Player_IsPaused(player.get()), 3000);
        const int64_t paused = Player_GetPlayTime(player.get());
        QVERIFY(
            !QTest::qWaitFor([&] { return qAbs(Player_GetPlayTime(player.get()) - paused) >= 50000; }, 300));

        QCOMPARE(Player_Stop(player.get()), int(MEDIACORE_OK));
        QTRY_VERIFY_WITH_TIMEOUT(Player_GetPlayTime(player.get()) < 100000, 3000);

        // Near the end, playing on reaches completion and the clip stays open.
        Player_FastSeek(player.get(), Player_GetDuration(player.get()) - 1000000);
        Player_Play(player.get());
        QTRY_VERIFY_WITH_TIMEOUT(Player_IsCompleted(player.get()), 5000);
        QVERIFY(Player_GetDuration(player.get()) > 0);
        QCOMPARE(Player_Stop(player.get()), int(MEDIACORE_OK));
        QTRY_VERIFY_WITH_TIMEOUT(!Player_IsCompleted(player.get()), 3000);

        QCOMPARE(Player_Close(player.get()), int(MEDIACORE_OK));
        QVERIFY(!Player_HasAudio(player.get()));
        QCOMPARE(Player_Play(player.get()), int(MEDIACORE_ERROR_STATE));
        QCOMPARE(Player_GetPlayTime(player.get()), int64_t(0));

        // Sound only: the seek must not fall back to the start for want of key frames.
        Player song(Player_Create(MEDIACORE_PLAYER_AUDIO));
        QCOMPARE(Player_Open(song.get(), m_clip.toUtf8()), int(MEDIACORE_OK));
        Player_Play(song.get());
        QCOMPARE(Player_FastSeek(song.get(), 6000000), int(MEDIACORE_OK));
        // From the start it would take six seconds to get there.
        QTRY_VERIFY_WITH_TIMEOUT(Player_GetPlayTime(song.get()) >= 5900000, 2000);
        QVERIFY2(Player_GetPlayTime(song.get()) < 7000000,
                 qPrintable(QString::number(Player_GetPlayTime(song.get()))));
    }

    void previewPlaysASongToItsEnd() {
        const QString song = makeClip("short.mp3", tone(1) + QStringList{"-c:a", "libmp3lame"});
        QPreviewPlayer preview;
        QSignalSpy finished(&preview, &QPreviewPlayer::finished);
        preview.setCurrentSource(song);
        QCOMPARE(preview.state(), QPreviewPlayer::StoppedState);
        preview.play();
        QCOMPARE(preview.state(), QPreviewPlayer::PlayingState);
        QTRY_VERIFY_WITH_TIMEOUT(preview.currentTime() > 0, 3000);
        preview.pause();
        QCOMPARE(preview.state(), QPreviewPlayer::PausedState);
        preview.play();
        QVERIFY(finished.wait(5000));
        QCOMPARE(preview.state(), QPreviewPlayer::StoppedState);

        // Played again from the start after the end.
        preview.play();
        QTRY_VERIFY_WITH_TIMEOUT(preview.currentTime() > 0 && preview.currentTime() < 900, 3000);
        preview.clear();
        QVERIFY(preview.currentSource().isEmpty());

        preview.setCurrentSource(path("missing.mp3"));
        QCOMPARE(preview.state(), QPreviewPlayer::ErrorState);
        preview.play();
        QCOMPARE(preview.state(), QPreviewPlayer::ErrorState);
    }

    void damagedOrForeignFilesGiveErrorCodes() {
        QVERIFY(WriteFile(path("empty.avi"), {}));
        QVERIFY(WriteFile(path("notes.mp4"),
                          QByteArray("These are meeting notes, not a video.\n").repeated(200)));
        // The first 40 kB of a clip whose index sits at the end: the header names a stream, the data is cut.
        const QString whole = makeClip("whole.mp4", picture("testsrc2=size=320x240:rate=25", 4) +
                                                        QStringList{"-c:v", "libx264"});
        QVERIFY(WriteFile(path("cut.mp4"), ReadFile(whole).left(40000)));
        const QString song = makeClip("only.m4a", tone(2) + QStringList{"-c:a", "aac"});

        QElapsedTimer clock;
        clock.start();
        for (const char* name : {"empty.avi", "notes.mp4", "cut.mp4", "missing.avi"}) {
            Info info(Info_Create(3));
            QCOMPARE(Info_Open(info.get(), path(name).toUtf8()), int(MEDIACORE_ERROR_OPEN));
            QCOMPARE(Info_GetVideoWidth(info.get()), 0);
            QVERIFY(!Info_GetVideoImage(info.get(), 0, 1));
            QCOMPARE(convert(path(name), path(QString(name) + ".mp4")), int(MEDIACORE_ERROR_OPEN));
            QVERIFY(!QFile::exists(path(QString(name) + ".mp4")));
            Player player(Player_Create(-97));
            QCOMPARE(Player_Open(player.get(), path(name).toUtf8()), int(MEDIACORE_ERROR_OPEN));
            QCOMPARE(Player_Play(player.get()), int(MEDIACORE_ERROR_STATE));
        }
        QCOMPARE(convert(song, path("only.mp4")), int(MEDIACORE_ERROR_NO_VIDEO));
        QVERIFY(!QFile::exists(path("only.mp4")));
        QCOMPARE(convert(m_clip, path("no/such/folder/out.mp4")), int(MEDIACORE_ERROR_OUTPUT));
        QVERIFY(clock.elapsed() < 20000);

        // Null handles and texts are refused, not followed.
        QCOMPARE(Converter_Open(nullptr, "a", "b", "mp4", nullptr), int(MEDIACORE_ERROR_ARGUMENT));
        Converter converter(Converter_Create(MEDIACORE_CONVERTER_MP4));
        QCOMPARE(Converter_Open(converter.get(), nullptr, "b", "mp4", nullptr),
                 int(MEDIACORE_ERROR_ARGUMENT));
        QCOMPARE(Converter_Open(converter.get(), m_clip.toUtf8(), path("x.avi").toUtf8(), "avi", nullptr),
                 int(MEDIACORE_ERROR_ARGUMENT));
        QVERIFY(Converter_IsCompleted(converter.get()) < 0);
        QCOMPARE(Player_Open(nullptr, "a"), int(MEDIACORE_ERROR_ARGUMENT));
        QCOMPARE(Info_Open(nullptr, "a"), int(MEDIACORE_ERROR_ARGUMENT));
        QCOMPARE(QString(Info_GetFormatName(nullptr)), QString());
    }

    void nothingReachesTheTerminal() {
        // A player that has come and gone leaves mpv's FFmpeg log handler behind, which prints everything,
        // the AAC encoder's closing statistics included. The conversion after it must stay silent.
        Info info(Info_Create(3));
        QCOMPARE(Info_Open(info.get(), m_clip.toUtf8()), int(MEDIACORE_OK));
        QTemporaryFile captured;
        QVERIFY(captured.open());
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        dup2(captured.handle(), STDERR_FILENO);
        {
            Player player(Player_Create(MEDIACORE_PLAYER_AUDIO));
            Player_Open(player.get(), m_clip.toUtf8());
        }
        const int converted = convert(m_clip, path("quiet.mp4"));
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        QCOMPARE(converted, 1);
        QVERIFY(captured.seek(0));
        QCOMPARE(captured.readAll(), QByteArray());
    }

private:
    QString makeClip(const QString& name, const QStringList& arguments) {
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-y"} + arguments + QStringList{path(name)});
        if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0)
            qWarning() << "ffmpeg failed for" << name << ffmpeg.readAllStandardError();
        return path(name);
    }

    QString path(const QString& name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
    QString m_clip; // 8 s, 320x240 at 25 fps, sound: the common source
};

QTEST_MAIN(tst_MediaCore)
#include "tst_mediacore.moc"
