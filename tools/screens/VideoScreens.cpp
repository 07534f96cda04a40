// Renders the video page, the conversion dialog halfway through a job and the player window showing a
// frame in English, German and Chinese into PNG files, so their look can be checked by eye. The player
// draws through a native window, so the pictures are taken from the X server's screen: run it under
// Xvfb with the xcb platform.
// Usage: video_screens <output folder>

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "IBaseChunk.h"
#include "LanguageService.h"
#include "PlayerWidget.h"
#include "QConverVideoDlg.h"
#include "QVideoView.h"
#include "ScreensSession.h"

namespace {

const char* const kUdid = "00008101-0000000000V1DE05";
QString MakeClip(const QString& path, int seconds, const QString& size, const QStringList& codecs) {
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 QStringList{"-v", "error", "-y", "-f", "lavfi", "-i",
                             QStringLiteral("testsrc2=size=%1:rate=25:duration=%2").arg(size).arg(seconds),
                             "-f", "lavfi", "-i", QStringLiteral("sine=duration=%1").arg(seconds)} +
                     codecs + QStringList{path});
    return ffmpeg.waitForFinished(300000) && ffmpeg.exitCode() == 0 ? path : QString();
}

// The picture of the screen where the widget is, as the X server shows it.
void Shoot(QWidget* widget, const QString& path) {
    QTest::qWait(300);
    const QRect frame = widget->frameGeometry();
    QProcess import;
    import.start(
        QStringLiteral("import"),
        {"-window", "root", "-crop",
         QStringLiteral("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y()),
         path});
    if (!import.waitForFinished(30000) || import.exitCode() != 0)
        qWarning("can't save %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ScreensSession session(argc, argv);
    vexa::sim::LargeDeviceSpec spec;
    spec.udid = kUdid;
    spec.name = "Screens Phone";
    if (!session.Generate(spec) || !session.Connect({kUdid}) || !session.Manager(kUdid))
        return 1;
    IVexaManager* manager = session.Manager(kUdid);
    const int handle = session.Handle(kUdid);
    const QTemporaryDir& home = session.Home();
    const QStringList h264{"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"};
    std::vector<QString> clips;
    for (const char* title : {"Harbour at Dawn", "Über den Wolken", "Birthday Party", "旅行日记"})
        clips.push_back(MakeClip(home.filePath(QString::fromUtf8(title) + ".mp4"), 8, "320x180", h264));
    std::vector<const char16_t*> paths;
    for (const QString& clip : clips)
        paths.push_back(reinterpret_cast<const char16_t*>(clip.utf16()));
    if (manager->GetMediaLibrary()->AddMediaFileData(paths.data(), int(paths.size()), nullptr, 0) != 0)
        return 1;
    const QString avi = MakeClip(home.filePath("Holiday.2024.avi"), 40, "1280x720",
                                 {"-c:v", "mpeg4", "-q:v", "4", "-c:a", "libmp3lame"});
    const QString hd = MakeClip(home.filePath("Harbour.mp4"), 10, "1280x720", h264);
    if (avi.isEmpty() || hd.isEmpty())
        return 1;

    for (const auto& language : kScreenLanguages) {
        SetLanguage(language.code);
        {
            QVideoView view(manager, handle);
            view.setGeometry(0, 0, 830, 650); // the page in a window of the default size
            view.show();
            view.Start();
            (void)QTest::qWaitFor([&] { return view.HasLoaded() && !view.IsRunning(); }, 10000);
            view.GetChunk(1)->SetChecked(true);
            view.OnItemCheckChange(true);
            view.TableView()->selectRow(1);
            Shoot(&view, session.Picture(QStringLiteral("video_table"), language.name));
        }
        {
            QTemporaryDir work;
            QConverVideoDlg dialog({avi}, work.path());
            dialog.move(0, 0);
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
                // Halfway through the job, so that the estimate has settled.
                const QRegularExpression percent(QStringLiteral("(\\d+)%"));
                const QRegularExpressionMatch match = percent.match(dialog.CalculationLabel()->text());
                if (!match.hasMatch() || match.captured(1).toInt() < 40)
                    return;
                poll.stop();
                Shoot(&dialog, session.Picture(QStringLiteral("convert_dialog"), language.name));
                dialog.done(QConverVideoDlg::kCancelled);
            });
            poll.start(100);
            dialog.exec();
        }
        {
            PlayerWidget player;
            player.setGeometry(0, 0, 900, 480);
            player.show();
            player.PlayLocalFile(hd);
            player.PlayLocalFile(clips[0], QStringLiteral("Harbour at Dawn"));
            player.PlayRow(0);
            (void)QTest::qWaitFor([&] { return Player_GetPlayTime(player.Player()) > 1500000; }, 10000);
            player.OnBtnPause();
            Shoot(&player, session.Picture(QStringLiteral("player"), language.name));
        }
    }
    return 0;
}
