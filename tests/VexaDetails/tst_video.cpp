// The video page against a simulated device: listing, adding with conversion (inputs made by the
// ffmpeg program, results read back by ffprobe), cancelling, bad inputs, deleting, dragging out, and
// the player window on local files and device videos.

#include <filesystem>
#include <memory>

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <vexa/vexa.h>

#include "CPlayerFileCopy.h"
#include "CPreviewCopy.h"
#include "LanguageService.h"
#include "ModelTexts.h"
#include "PageFixture.h"
#include "PlayBtnWidget.h"
#include "PlayListWidget.h"
#include "PlayerVideobar.h"
#include "PlayerWidget.h"
#include "QConverVideoDlg.h"
#include "QMySortModel.h"
#include "QVideoChunk.h"
#include "QVideoPlayModel.h"
#include "QVideoView.h"
#include "TestFiles.h"
#include "WhenShown.h"
#include "sim/ContentServices.h"

namespace fs = std::filesystem;

namespace {

const char* const kUdid = "00008101-0000000000VIDEO1";
constexpr int kListedVideos = 3;

struct Probe {
    QString format;
    QStringList codecs;
    double duration = 0;
};

Probe ProbeFile(const QString& path) {
    const QJsonObject root =
        QJsonDocument::fromJson(RunProgram("ffprobe", {"-v", "error", "-print_format", "json", "-show_format",
                                                       "-show_streams", path})
                                    .toUtf8())
            .object();
    Probe probe;
    probe.format = root[QStringLiteral("format")][QStringLiteral("format_name")].toString();
    probe.duration = root[QStringLiteral("format")][QStringLiteral("duration")].toString().toDouble();
    for (const QJsonValue& stream : root[QStringLiteral("streams")].toArray())
        probe.codecs << stream[QStringLiteral("codec_name")].toString();
    return probe;
}

QStringList Lavfi(int seconds, const QString& size, int rate, bool audio) {
    QStringList arguments{
        "-f", "lavfi", "-i",
        QStringLiteral("testsrc2=size=%1:rate=%2:duration=%3").arg(size).arg(rate).arg(seconds)};
    if (audio)
        arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
                  << QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(seconds);
    return arguments;
}

} // namespace

class tst_video : public QObject, PageFixture {
    Q_OBJECT
private slots:
    void initTestCase() {
        vexa::sim::LargeDeviceSpec spec;
        qputenv("MEDIACORE_NULL_OUTPUT", "1");
        spec.songs = 2;
        spec.videos = kListedVideos;
        QVERIFY(StartPage(kUdid, "Video Phone", spec));
        m_view = new QVideoView(m_manager, m_phone.Handle());
        m_view->SetWorkFolder(WorkParent());
    }

    void cleanupTestCase() {
        delete m_view.data();
        StopPage();
    }

    void init() { ResetMessages(); }

    void cleanup() {
        ClearFaults();
        // Whatever a test did, no conversion leaves anything in the working folder.
        QCOMPARE(QDir(WorkParent()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void namesOfConvertedAndDraggedFiles_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<bool>("mp4");
        const auto row = [](const char* name, const char* source, const char* destination, bool mp4) {
            QTest::newRow(name) << QString(source) << QString(destination) << mp4;
        };
        row("dots of the name become underscores", "/in/a.b.avi", "/work/a_b.mp4", false);
        row("upper-case MP4 is used as it is", "/in/clip.MP4", "/work/clip.mp4", true);
        row("no suffix", "/in/movie", "/work/movie.mp4", false);
        row("m4v is converted", "/in/x.m4v", "/work/x.mp4", false);
    }

    void namesOfConvertedAndDraggedFiles() {
        QFETCH(QString, source);
        QFETCH(QString, destination);
        QFETCH(bool, mp4);
        QCOMPARE(QConverVideoDlg::DestinationFor(QStringLiteral("/work"), source), destination);
        QCOMPARE(QConverVideoDlg::IsMp4(source), mp4);

        // Times: seconds alone, then minutes, then hours.
        QCOMPARE(QConverVideoDlg::TimeText(59999), QStringLiteral("59s"));
        QCOMPARE(QConverVideoDlg::TimeText(60000), QStringLiteral("01:00"));
        QCOMPARE(QConverVideoDlg::TimeText(3600000 + 61000), QStringLiteral("01:01:01"));

        // A dragged video keeps its device file's suffix; without a format it becomes an MP4.
        QVideoChunk video;
        video.titleText = QStringLiteral("Holiday");
        video.path = ":iTunes_Control:Music:F01:ABCD.m4v";
        video.format = "MPEG-4 video file";
        QCOMPARE(QVideoPlayModel::DragFileName(video), QStringLiteral("Holiday.m4v"));
        video.format.clear();
        QCOMPARE(QVideoPlayModel::DragFileName(video), QStringLiteral("Holiday.mp4"));
        video.format = "MPEG-4 video file";
        video.path = ":iTunes_Control:Music:F.01:ABCD";
        QCOMPARE(QVideoPlayModel::DragFileName(video), QStringLiteral("Holiday.mp4"));
    }

    void listsTheLibrarysVideosAndCountsThem() {
        QSignalSpy refreshed(m_view.data(), &QVideoView::emitRefreshVideoNode);
        Load();
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(refreshed.at(0).at(0).toInt(), m_phone.Handle());
        // The songs of the library stay on the music page.
        QCOMPARE(m_view->RecordCount(), kListedVideos);
        QCOMPARE(m_view->SortModel()->rowCount(), kListedVideos);
        const QVideoChunk* video = m_view->VideoAtRow(0);
        QVERIFY(video);
        QCOMPARE(video->GetPlaylistPosition(), 0);
        QVERIFY(QFileInfo::exists(DevicePathToLocal(video->path)));
        QVERIFY(m_view->SortModel()->index(0, QVideoPlayModel::ColumnSize).data().toString().endsWith(" MB"));
        // The kind of file the library states is shown in the language chosen.
        // A language change resets the table, so the cell is looked up afresh each time.
        const auto format = [this] {
            return m_view->SortModel()->index(0, QVideoPlayModel::ColumnFormat).data();
        };
        QCOMPARE(format().toString(), QStringLiteral("MPEG-4 video file"));
        {
            auto restore = qScopeGuard([] {
                SetLanguage(31);
                RemoveTranslationsForTesting();
            });
            QVERIFY(SetLanguage(42));
            QCOMPARE(format().toString(), QStringLiteral("MPEG-4-Videodatei"));
            QCOMPARE(QVideoPlayModel::FormatText("Matroska video file"),
                     QStringLiteral("Matroska video file"));
        }
    }

    void everyContainerIsConvertedAndAddedAsH264Aac() {
        const QStringList mp3{"-c:a", "libmp3lame", "-ar", "44100"};
        const struct {
            QString name;
            QStringList codecs;
        } inputs[] = {
            {"a.b.avi", QStringList{"-c:v", "mpeg4"} + mp3},
            {"film.mkv", {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "libvorbis"}},
            {"show.wmv", {"-c:v", "wmv2", "-c:a", "wmav2"}},
            {"flash.flv", QStringList{"-c:v", "flv"} + mp3},
            {"camera.mov", {"-c:v", "mjpeg", "-c:a", "pcm_s16le"}},
            {"clip.MP4", {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"}},
        };
        QStringList files;
        for (const auto& input : inputs) {
            const QString file = Clip(input.name, Lavfi(4, "160x120", 15, true), input.codecs);
            QVERIFY2(!file.isEmpty(), qPrintable(input.name));
            files << file;
        }
        const int before = LoadedCount();
        QSignalSpy refreshed(m_view.data(), &QVideoView::emitRefreshVideoNode);
        m_view->AddFiles(files);
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty() && !m_view->IsRunning(), 30000);
        QVERIFY2(m_messages->Messages().isEmpty(), qPrintable(m_messages->Messages().join('|')));
        QCOMPARE(m_view->RecordCount(), before + int(std::size(inputs)));

        const QStringList titles{"a_b", "film", "show", "flash", "camera", "clip"};
        for (int i = 0; i < titles.size(); ++i) {
            const QVideoChunk* video = VideoTitled(titles[i]);
            QVERIFY2(video, qPrintable(titles[i]));
            const QString stored = DevicePathToLocal(video->path);
            const Probe probe = ProbeFile(stored);
            QVERIFY2(probe.format.contains("mp4"), qPrintable(titles[i] + ": " + probe.format));
            QCOMPARE(probe.codecs, (QStringList{"h264", "aac"}));
            const double source = ProbeFile(files[i]).duration;
            QVERIFY2(
                qAbs(probe.duration - source) <= source * 0.01,
                qPrintable(
                    QStringLiteral("%1: %2 s against %3 s").arg(titles[i]).arg(probe.duration).arg(source)));
        }
        // The MP4 went over untouched.
        QCOMPARE(ReadFile(DevicePathToLocal(VideoTitled("clip")->path)), ReadFile(files.last()));
    }

    void cancelInTheMiddleOfABatchAddsNothing() {
        QStringList files;
        for (int i = 0; i < 3; ++i) {
            const QString file = Clip(QStringLiteral("long%1.avi").arg(i), Lavfi(40, "640x360", 25, true),
                                      {"-c:v", "mpeg4", "-q:v", "5", "-c:a", "libmp3lame"});
            QVERIFY(!file.isEmpty());
            files << file;
        }
        const int before = LoadedCount();
        const QStringList deviceFiles = FilesUnder(MediaFolder());
        m_messages->SetAnswerYes(true);
        int runningAtCancel = -1;
        int runningAfter = -1;
        QString progressText;
        WhenShown<QConverVideoDlg>([&](QConverVideoDlg* dialog) {
            auto* poll = new QTimer(dialog);
            QObject::connect(poll, &QTimer::timeout, dialog, [&, dialog, poll] {
                // Cancel once the first job has shown progress.
                if (!dialog->CalculationLabel()->text().contains('%'))
                    return;
                poll->stop();
                progressText = dialog->ProgressLabel()->text();
                runningAtCancel = dialog->RunningJob();
                dialog->OnBtnCancel();
                runningAfter = dialog->RunningJob();
            });
            poll->start(20);
        });
        m_view->AddFiles(files);
        QCOMPARE(runningAtCancel, 0);
        QCOMPARE(runningAfter, 0);
        QVERIFY2(progressText.startsWith("Converting(1/3):long0.avi ("), qPrintable(progressText));
        QVERIFY(m_messages->Saw("Are you sure to cancel video transfer?"));
        QVERIFY(!QTest::qWaitFor([&] { return FilesUnder(MediaFolder()) != deviceFiles; }, 300));
        QCOMPARE(LoadedCount(), before);
    }

    void badInputsAreNamedAndTheGoodOnesStillAdded() {
        QVERIFY(WriteFile(m_files.filePath("empty.avi"), QByteArray()));
        QVERIFY(WriteFile(m_files.filePath("notes.mp4"),
                          QByteArray("these are notes, not a video\n").repeated(200)));
        const QString whole =
            Clip("whole.mkv", Lavfi(4, "160x120", 15, true), {"-c:v", "libx264", "-c:a", "aac"});
        QVERIFY(WriteFile(m_files.filePath("truncated.mkv"), ReadFile(whole).left(600)));
        const QString audioOnly =
            Clip("song.avi", {"-f", "lavfi", "-i", "sine=duration=3"}, {"-c:a", "libmp3lame"});
        const QString silent = Clip("silent.mov", Lavfi(3, "160x120", 15, false), {"-c:v", "mjpeg"});
        const QString badMp4 = Clip("broken.mp4", Lavfi(3, "160x120", 15, false), {"-c:v", "libx264"});
        QFile::resize(badMp4, 700);
        QVERIFY(!audioOnly.isEmpty() && !silent.isEmpty());

        const int before = LoadedCount();
        m_view->AddFiles({m_files.filePath("empty.avi"), m_files.filePath("notes.mp4"),
                          m_files.filePath("truncated.mkv"), audioOnly, silent, badMp4,
                          m_files.filePath("missing.avi")});
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->IsRunning(), 30000);
        QCOMPARE(m_messages->Messages().size(), 1);
        const QString message = m_messages->Messages().first();
        for (const char* name :
             {"empty.avi", "notes.mp4", "truncated.mkv", "song.avi", "broken.mp4", "missing.avi"})
            QVERIFY2(message.contains(name), qPrintable(message));
        QVERIFY(!message.contains("silent.mov"));
        QCOMPARE(LoadedCount(), before + 1);
        // A video without sound converts to an MP4 without a sound track.
        QCOMPARE(ProbeFile(DevicePathToLocal(VideoTitled("silent")->path)).codecs, QStringList{"h264"});

        // A working folder that cannot be made (one under a plain file, whoever runs the test) adds nothing.
        m_messages->Clear();
        m_view->SetWorkFolder(whole + QStringLiteral("/work"));
        m_view->AddFiles({whole});
        m_view->SetWorkFolder(WorkParent());
        QCOMPARE(m_messages->Messages().size(), 1);
        QVERIFY2(m_messages->Messages().first().startsWith("The working folder"),
                 qPrintable(m_messages->Messages().first()));
        QCOMPARE(LoadedCount(), before + 1);
    }

    void deletedVideoLeavesWithItsFile() {
        const int before = LoadedCount();
        QVideoChunk* video = VideoTitled("show");
        QVERIFY(video);
        const QString stored = DevicePathToLocal(video->path);
        QVERIFY(QFileInfo::exists(stored));
        video->SetChecked(true);
        m_messages->SetAnswerYes(true);
        QSignalSpy deleted(m_view.data(), &QVideoView::sendDeleteVideoFile);
        m_view->DeleteVideoFile();
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->IsRunning(), 15000);
        Load();
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(m_view->RecordCount(), before - 1);
        QCOMPARE(RowOf("show"), -1);
        QVERIFY(!QFileInfo::exists(stored));
    }

    void dragOutCopiesTheSelectedVideos() {
        Load();
        const int row = RowOf("film");
        QVERIFY(row >= 0);
        m_view->TableView()->selectRow(row);
        std::unique_ptr<QMimeData> data(m_view->PrepareDrag());
        QVERIFY(data);
        QVERIFY(data->hasFormat("text/uri-list"));
        // The files are copied only when the target asks for them.
        const QList<QUrl> urls = data->urls();
        QCOMPARE(urls.size(), 1);
        const QString local = urls.first().toLocalFile();
        QCOMPARE(QFileInfo(local).fileName(), QStringLiteral("film.mp4"));
        QCOMPARE(ReadFile(local), ReadFile(DevicePathToLocal(VideoTitled("film")->path)));
        QDir(QFileInfo(local).absolutePath()).removeRecursively();
    }

    void playerSeeksWalksTheListAndMutes() {
        const QString longClip = Clip("ten-minutes.mp4", Lavfi(600, "64x36", 5, true),
                                      {"-c:v", "libx264", "-preset", "ultrafast", "-g", "10", "-c:a", "aac"});
        const QString first = Clip("clip.MP4", {}, {});
        const QString last = Clip("film.mkv", {}, {});
        QVERIFY(!longClip.isEmpty());
        PlayerWidget player;
        player.show();
        player.PlayLocalFile(first);
        player.PlayLocalFile(longClip);
        player.PlayLocalFile(last);
        QCOMPARE(player.PlayList()->count(), 3);
        QCOMPARE(player.CurrentRow(), 2);
        player.OnBtnNextVideo();
        QCOMPARE(player.CurrentRow(), 2); // the last file has nothing after it
        player.OnBtnPreVideo();
        player.OnBtnPreVideo();
        QCOMPARE(player.CurrentRow(), 0);
        QSignalSpy previous(&player, &PlayerWidget::emitPreFile);
        player.OnBtnPreVideo();
        QCOMPARE(player.CurrentRow(), 0);
        QCOMPARE(previous.count(), 0);
        QSignalSpy next(&player, &PlayerWidget::emitNextFile);
        player.OnBtnNextVideo();
        QCOMPARE(next.count(), 1);
        QCOMPARE(player.CurrentRow(), 1);
        QVERIFY(player.IsOpen());
        QCOMPARE(player.LocalFile(), longClip);
        QVERIFY(player.PlayList()->Bar(1)->HasPicture());
        QCOMPARE(player.PlayList()->Bar(1)->Duration() / 1000000, 600);

        player.ProgressValueChange(0.5);
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(Player_GetPlayTime(player.Player()) - 300000000LL) <= 1000000LL, 5000);
        QVERIFY(player.Buttons()->TimeText().endsWith(" / 10:00"));

        QCOMPARE(player.AppliedVolume(), 50);
        player.VolumeValueChange(0.7);
        QCOMPARE(player.AppliedVolume(), 70);
        player.OnBtnVolume(true);
        QCOMPARE(player.AppliedVolume(), 0);
        QCOMPARE(player.Volume(), 70);
        player.VolumeValueChange(0.3); // a change while muted waits for the unmute
        QCOMPARE(player.AppliedVolume(), 0);
        player.OnBtnVolume(false);
        QCOMPARE(player.AppliedVolume(), 30);
    }

    void deviceVideoPlaysFromALocalCopyAndClosesSafelyDuringIt() {
        Load();
        const int row = RowOf("clip");
        QVERIFY(row >= 0);
        m_view->PlayVideo(row);
        QVERIFY(m_view->Player());
        QTRY_VERIFY_WITH_TIMEOUT(m_view->Player()->IsOpen(), 15000);
        const QString local = m_view->Player()->LocalFile();
        QVERIFY(local.startsWith(CPreviewCopy::Folder()));
        QCOMPARE(ReadFile(local), ReadFile(m_files.filePath("clip.MP4")));
        QVERIFY(Player_HasVideo(m_view->Player()->Player()));
        m_view->Player()->close();

        // Closed during a slow copy: the copy's late answer is dropped, nothing opens and nothing is said.
        QCOMPARE(AddFault({.operation = "CopyFileToComputer", .delayMs = 800}), 0);
        m_view->PlayVideo(RowOf("clip"));
        QPointer<PlayerWidget> player = m_view->Player();
        QVERIFY(player->IsCopying());
        QSignalSpy copied(player->findChild<CPlayerFileCopy*>(), &CPlayerFileCopy::copied);
        player->close();
        QVERIFY(copied.wait(5000));
        QVERIFY(!QTest::qWaitFor(
            [&] { return !player || player->IsOpen() || !m_messages->Messages().isEmpty(); }, 200));
    }

private:
    QString MediaFolder() const { return QString::fromStdString((DeviceFolder() / "Media").string()); }

    QString DevicePathToLocal(const std::string& devicePath) const {
        return MediaFolder() + QString::fromStdString(devicePath).replace(QLatin1Char(':'), QLatin1Char('/'));
    }

    // Makes a clip with the ffmpeg program (once per run); empty when it failed.
    QString Clip(const QString& name, const QStringList& input, const QStringList& codecs) {
        const QString path = m_files.filePath(name);
        if (QFileInfo::exists(path))
            return path;
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     QStringList{"-v", "error", "-y"} + input + codecs + QStringList{path});
        if (!ffmpeg.waitForFinished(240000) || ffmpeg.exitCode() != 0) {
            qWarning() << "ffmpeg failed for" << name << ffmpeg.readAllStandardError();
            return {};
        }
        return path;
    }

    void Load() {
        QSignalSpy refreshed(m_view.data(), &QVideoView::emitRefreshVideoNode);
        QVERIFY(m_view->Start());
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty(), 15000);
    }

    int LoadedCount() { return Load(), m_view->RecordCount(); }

    int RowOf(const QString& title) const {
        return ColumnTexts(m_view->SortModel(), QVideoPlayModel::ColumnName).indexOf(title);
    }

    QVideoChunk* VideoTitled(const QString& title) const { return m_view->VideoAtRow(RowOf(title)); }

    QString WorkParent() const { return m_work.path(); }

    QTemporaryDir m_files;
    QTemporaryDir m_work;
    QPointer<QVideoView> m_view;
};

QTEST_MAIN(tst_video)
#include "tst_video.moc"
