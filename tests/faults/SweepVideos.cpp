#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <vexa/vexa.h>

#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "PlayerWidget.h"
#include "QOperatePanel.h"
#include "QVideoChunk.h"
#include "QVideoView.h"
#include "SweepKit.h"
#include "TreeNode.h"

namespace {

QString g_lastVideo;

// A short MP4 of that name, made by the ffmpeg program; it is added as it is.
QString MakeVideo(const QString& title) {
    const QString path = ExportRoot().filePath(title + QStringLiteral(".mp4"));
    if (QFileInfo::exists(path))
        return path;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=96x64:rate=10:duration=1", "-c:v",
                  "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", path});
    ffmpeg.waitForFinished(60000);
    return path;
}

QVideoView* VideoPage(SweepDevice& device) {
    TreeNode* node = MediaNode(device, NODE_VIDEO);
    return node ? qobject_cast<QVideoView*>(node->Binding().view) : nullptr;
}

QStringList DeviceVideoTitles(SweepDevice& device) {
    return DeviceTrackTitles(device, [](const MediaTrackRecord& track) {
        return track.mediaKind == MEDIA_MUSIC_VIDEO || track.mediaKind == MEDIA_MOVIE;
    });
}

void EnsureDeviceVideo(SweepDevice& device, const QString& title) {
    if (!DeviceVideoTitles(device).contains(title))
        AddToDeviceLibrary(device, MakeVideo(title));
}

// Shows the video page and has it read the library (its first press loads it, Refresh later ones).
bool LoadVideos(SweepDevice& device) {
    QVideoView* view = VideoPage(device);
    TreeNode* node = MediaNode(device, NODE_VIDEO);
    if (!view || !node)
        return false;
    QSignalSpy refreshed(view, &QVideoView::emitRefreshVideoNode);
    return LoadPage(device, node, view, refreshed) && refreshed.count() > 0;
}

int RowOfVideo(QVideoView* view, const QString& title) {
    for (int row = 0; view && row < view->GetChunkCount(); ++row)
        if (view->VideoAtRow(row) && view->VideoAtRow(row)->titleText == title)
            return row;
    return -1;
}

} // namespace

void AddVideosOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"GetPlaylists", "press Video, then Refresh on the video page (view thread)",
                 "The video list could not be read from the device."},
        .act =
            [](SweepDevice& device) {
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                return LoadVideos(device) && device.Dialogs()->Messages().size() == before;
            },
        .verify =
            [](SweepDevice& device) {
                QPointer<QVideoView> view = VideoPage(device);
                return view && view->RecordCount() == DeviceVideoTitles(device).size();
            },
    });

    operations.push_back({
        .call = {"AddMediaFileData", "add an MP4 on the video page (add dialog worker)", "Add video failed!"},
        .prepare = [](SweepDevice& device) { LoadVideos(device); },
        .act =
            [](SweepDevice& device) {
                QPointer<QVideoView> view = VideoPage(device);
                if (!view)
                    return false;
                g_lastVideo = QStringLiteral("Clip%1").arg(device.Next());
                const QString file = MakeVideo(g_lastVideo);
                QSignalSpy refreshed(view.data(), &QVideoView::emitRefreshVideoNode);
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                view->AddFiles({file});
                return WaitForPass(view, refreshed) && device.Dialogs()->Messages().size() == before &&
                       RowOfVideo(view, g_lastVideo) >= 0;
            },
        .verify = [](SweepDevice& device) { return DeviceVideoTitles(device).contains(g_lastVideo); },
    });

    operations.push_back({
        .call = {"DelMediaFileData",
                 "check a video, Delete on the video page, answer yes (delete dialog worker)",
                 "The selected item(s) could not be deleted from the device!"},
        .prepare =
            [](SweepDevice& device) {
                g_lastVideo = QStringLiteral("Doomed%1").arg(device.Next());
                EnsureDeviceVideo(device, g_lastVideo);
                LoadVideos(device);
            },
        .act =
            [](SweepDevice& device) {
                QPointer<QVideoView> view = VideoPage(device);
                const int row = RowOfVideo(view, g_lastVideo);
                if (!view || row < 0)
                    return false;
                for (int i = 0; i < view->GetChunkCount(); ++i)
                    view->GetChunk(i)->SetChecked(false);
                view->VideoAtRow(row)->SetChecked(true);
                QSignalSpy refreshed(view.data(), &QVideoView::emitRefreshVideoNode);
                device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
                const int before = int(device.Dialogs()->Messages().size());
                emit view->OperatePanel()->deleteOperate();
                // The question is the one message a healthy delete shows.
                return WaitForPass(view, refreshed) && device.Dialogs()->Messages().size() == before + 1 &&
                       RowOfVideo(view, g_lastVideo) < 0;
            },
        .verify = [](SweepDevice& device) { return !DeviceVideoTitles(device).contains(g_lastVideo); },
    });

    operations.push_back({
        .call = {"CopyFileToComputer", "play a video of the video page (copy worker, then the player)",
                 "Can't play"},
        .prepare =
            [](SweepDevice& device) {
                g_lastVideo = QStringLiteral("Watch");
                EnsureDeviceVideo(device, g_lastVideo);
                LoadVideos(device);
            },
        .act =
            [](SweepDevice& device) {
                QPointer<QVideoView> view = VideoPage(device);
                const int row = RowOfVideo(view, g_lastVideo);
                if (!view || row < 0)
                    return false;
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                view->PlayVideo(row);
                QPointer<PlayerWidget> player = view ? view->Player() : nullptr;
                (void)QTest::qWaitFor(
                    [&] {
                        return !player ||
                               (!player->IsCopying() &&
                                (player->IsOpen() || device.Dialogs()->Messages().size() > before));
                    },
                    kSweepWaitMs);
                const bool played =
                    player && player->IsOpen() && device.Dialogs()->Messages().size() == before;
                if (player)
                    player->close();
                return played;
            },
        .verify = [](SweepDevice&) { return true; },
        .finish =
            [](SweepDevice& device) {
                if (QVideoView* view = VideoPage(device); view && view->Player())
                    view->Player()->close();
            },
    });
}
