#include <QDir>
#include <QDirIterator>
#include <QPointer>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

#include <vexa/vexa.h>

#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "IBaseChunk.h"
#include "PostedEvents.h"
#include "QMusicView.h"
#include "QMySortModel.h"
#include "QNavigateWidget.h"
#include "QOperatePanel.h"
#include "QPlayAnalysisTread.h"
#include "QPlayListNameDlg.h"
#include "QPlayListView.h"
#include "SweepKit.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "formats/AudioFile.h"

namespace {

constexpr int kSongCount = 3;
QString SongTitle(int i) {
    return QStringLiteral("Sweep Song %1").arg(i);
}

QString SongSource(const QString& title) {
    return ExportRoot().filePath(title + QStringLiteral(".mp3"));
}
// The folder of the export the last action ran.
QString g_exportFolder;
QString g_lastSong;
QString g_lastPlaylist;

// A short MP3 of that title on the computer.
QString MakeSong(const QString& title) {
    const QString path = SongSource(title);
    if (!QFile::exists(path))
        vexa::formats::WriteAudioFile(path.toStdString(), {.seconds = 1, .title = title.toStdString()});
    return path;
}

QStringList DeviceSongTitles(const SweepDevice& device) {
    return DeviceTrackTitles(device);
}

// Puts the songs on the device's library, past the program.
void EnsureDeviceSongs(SweepDevice& device, const QStringList& titles) {
    const QStringList present = DeviceSongTitles(device);
    for (const QString& title : titles) {
        if (!present.contains(title))
            AddToDeviceLibrary(device, MakeSong(title));
    }
}

// Shows the music page and has it read the library (its first press loads it, Refresh later ones).
bool LoadMusic(SweepDevice& device) {
    QMusicView* view = MusicPage(device);
    TreeNode* node = MediaNode(device, NODE_MUSIC);
    if (!view || !node)
        return false;
    QSignalSpy refreshed(view, &QMusicView::emitRefreshMusicNode);
    return LoadPage(device, node, view, refreshed) && refreshed.count() > 0;
}

int RowOfSong(QMusicView* view, const QString& title) {
    for (int row = 0; view && row < view->GetChunkCount(); ++row)
        if (QString::fromStdString(view->GetChunk(row)->GetName()) == title)
            return row;
    return -1;
}

// Checks exactly the songs of those titles (and selects their rows).
bool CheckSongs(QMusicView* view, const QStringList& titles) {
    int found = 0;
    view->TableView()->clearSelection();
    for (int row = 0; row < view->GetChunkCount(); ++row) {
        const bool wanted = titles.contains(QString::fromStdString(view->GetChunk(row)->GetName()));
        view->GetChunk(row)->SetChecked(wanted);
        found += wanted;
    }
    for (int row = 0; row < view->SortModel()->rowCount(); ++row)
        if (titles.contains(view->SortModel()->index(row, 0).data().toString()))
            view->TableView()->selectionModel()->select(
                view->SortModel()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return found == titles.size();
}

void PrepareExport(SweepDevice& device) {
    QStringList titles;
    for (int i = 0; i < kSongCount; ++i)
        titles << SongTitle(i);
    EnsureDeviceSongs(device, titles);
    LoadMusic(device);
    if (QMusicView* view = MusicPage(device))
        CheckSongs(view, titles);
}

// Presses the export button on the music page, picks a fresh folder in the folder dialog and waits
// for the transfer dialog (a healthy one may close before anything sees it); its last line, when it
// stays open on a failure, counts as the message.
bool ExportSongs(SweepDevice& device) {
    QPointer<QBaseDetailsView> view = device.MusicView();
    if (!view || view->SelectedCount() == 0)
        return false;
    g_exportFolder = ExportRoot().filePath(QStringLiteral("export%1").arg(device.Next()));
    if (!QDir().mkpath(g_exportFolder))
        return false;
    ChooseFolderWhenShown(device, g_exportFolder);
    // A healthy export closes its dialog by itself, and every song is in the folder.
    if (!ExportWithoutMessage(device, [&device] { device.Navigate()->OnClickPc(); }))
        return false;
    for (int i = 0; i < kSongCount; ++i) {
        const QByteArray copied =
            FileBytes(g_exportFolder + QLatin1Char('/') + SongTitle(i) + QStringLiteral(".mp3"));
        if (copied.isEmpty() || copied != FileBytes(SongSource(SongTitle(i))))
            return false;
    }
    return true;
}

// Files in the export's folder that are not a whole song: a failed copy leaves nothing half-written.
QString PartialExportFiles(SweepDevice&) {
    QStringList partial;
    QDirIterator it(g_exportFolder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        bool whole = false;
        for (int i = 0; i < kSongCount; ++i)
            whole = whole || (it.fileName() == SongTitle(i) + QStringLiteral(".mp3") &&
                              FileBytes(path) == FileBytes(SongSource(SongTitle(i))));
        if (!whole)
            partial << it.fileName();
    }
    return partial.join(QLatin1String(", "));
}

QPlayAnalysisTread* ReadPlaylists(SweepDevice& device) {
    QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
    if (!loader)
        return nullptr;
    QSignalSpy read(loader.data(), &QPlayAnalysisTread::refreshPlayList);
    loader->RefreshList();
    return Await(loader, [&] { return !loader->IsRunning() && read.count() > 0; }) ? loader : nullptr;
}

void EnsurePlaylist(SweepDevice& device) {
    g_lastPlaylist = QStringLiteral("List%1").arg(device.Next());
    device.WithManager([](IVexaManager* manager) {
        const QString name = g_lastPlaylist;
        return manager->GetMediaLibrary()->AddPlaylist(reinterpret_cast<const char16_t*>(name.utf16())) == 0;
    });
    ReadPlaylists(device);
}

// Runs a change of the playlist loader and waits for the reading that follows it.
bool WaitForReading(QPlayAnalysisTread* loader, const QSignalSpy& read) {
    return Await(loader, [&] { return !loader->IsRunning() && read.count() > 0; }) && RunPostedEvents() &&
           read.count() > 0;
}

// Runs `action` from the tree menu of the playlist of that name and waits for the reading that follows
// the change; true when the reading came and no message was shown.
bool FromPlaylistMenu(SweepDevice& device, const QString& playlist, const std::function<void()>& action) {
    QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
    TreeNode* list = ChildNamed(device.Category(SUB_ITEM_PLAYLIST), playlist);
    if (!loader || !list)
        return false;
    device.Navigate()->PrepareTreeMenu(device.Navigate()->Model()->IndexOf(list));
    QSignalSpy read(loader.data(), &QPlayAnalysisTread::refreshPlayList);
    const int before = int(device.Dialogs()->Messages().size());
    action();
    return WaitForReading(loader, read) && device.Dialogs()->Messages().size() == before;
}

} // namespace

void AddMusicOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"GetPlaylists", "press Music, then Refresh on the music page (loader thread)",
                 "Get playlist failed"},
        .act =
            [](SweepDevice& device) {
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                return LoadMusic(device) && device.Dialogs()->Messages().size() == before;
            },
        .verify =
            [](SweepDevice& device) {
                QMusicView* view = MusicPage(device);
                return view && view->GetChunkCount() == int(DeviceSongTitles(device).size());
            },
    });

    operations.push_back({
        .call = {"GetPlaylists", "Refresh on the playlist page (playlist thread)", "Get playlist failed"},
        .act =
            [](SweepDevice& device) {
                QPointer<QPlayAnalysisTread> loader = device.PlaylistLoader();
                auto* view =
                    loader ? qobject_cast<QPlayListView*>(device.Category(SUB_ITEM_PLAYLIST)->Binding().view)
                           : nullptr;
                if (!view)
                    return false;
                device.Press(device.Category(SUB_ITEM_PLAYLIST));
                QSignalSpy read(loader.data(), &QPlayAnalysisTread::refreshPlayList);
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                emit view->OperatePanel()->refreshOperate();
                return WaitForReading(loader, read) && device.Dialogs()->Messages().size() == before;
            },
        .verify =
            [](SweepDevice& device) {
                TreeNode* playlists = device.Category(SUB_ITEM_PLAYLIST);
                return playlists && int(playlists->Children().size()) == int(device.DevicePlaylists().size());
            },
    });

    operations.push_back({
        .call = {"AddMediaFileData", "drop an MP3 on the music page (add dialog worker)",
                 "Add musci fialed!"},
        .prepare = [](SweepDevice& device) { LoadMusic(device); },
        .act =
            [](SweepDevice& device) {
                QPointer<QMusicView> view = MusicPage(device);
                if (!view)
                    return false;
                g_lastSong = QStringLiteral("Added%1").arg(device.Next());
                const QString file = MakeSong(g_lastSong);
                QSignalSpy refreshed(view.data(), &QMusicView::emitRefreshMusicNode);
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                emit view->sendAddComputerFile(0, {file}, view);
                return WaitForPass(view, refreshed) && device.Dialogs()->Messages().size() == before &&
                       RowOfSong(view, g_lastSong) >= 0;
            },
        .verify = [](SweepDevice& device) { return DeviceSongTitles(device).contains(g_lastSong); },
    });

    operations.push_back({
        .call = {"DelMediaFileData",
                 "check a song, Delete on the music page, answer yes (delete dialog worker)",
                 "The selected item(s) could not be deleted from the device!"},
        .prepare =
            [](SweepDevice& device) {
                g_lastSong = QStringLiteral("Doomed%1").arg(device.Next());
                EnsureDeviceSongs(device, {g_lastSong});
                LoadMusic(device);
            },
        .act =
            [](SweepDevice& device) {
                QPointer<QMusicView> view = MusicPage(device);
                if (!view || !CheckSongs(view, {g_lastSong}))
                    return false;
                QSignalSpy refreshed(view.data(), &QMusicView::emitRefreshMusicNode);
                device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
                const int before = int(device.Dialogs()->Messages().size());
                emit view->OperatePanel()->deleteOperate();
                // The question is the one message a healthy delete shows.
                return WaitForPass(view, refreshed) && device.Dialogs()->Messages().size() == before + 1 &&
                       RowOfSong(view, g_lastSong) < 0;
            },
        .verify = [](SweepDevice& device) { return !DeviceSongTitles(device).contains(g_lastSong); },
    });

    operations.push_back({
        .call = {"AddPlaylist", "New Playlist from a playlist's menu in the tree", "Add playlist failed!"},
        .prepare = EnsurePlaylist,
        .act =
            [](SweepDevice& device) {
                const QString from = g_lastPlaylist;
                g_lastPlaylist = QStringLiteral("New%1").arg(device.Next());
                device.Dialogs()->WhenShown<QPlayListNameDlg>([&device](QPlayListNameDlg* dialog) {
                    dialog->SetPlayListName(g_lastPlaylist);
                    device.JustBeforeCall();
                    dialog->OnBtnOk();
                });
                return FromPlaylistMenu(device, from, [&] { device.Navigate()->OnActionNewPlist(); }) &&
                       ChildNamed(device.Category(SUB_ITEM_PLAYLIST), g_lastPlaylist);
            },
        .verify = [](SweepDevice& device) { return device.DevicePlaylists().contains(g_lastPlaylist); },
    });

    operations.push_back({
        .call = {"DeletePlaylist", "Delete from a playlist's menu in the tree", "Dele Playlist failed!"},
        .prepare = EnsurePlaylist,
        .act =
            [](SweepDevice& device) {
                const auto remove = [&device] {
                    device.JustBeforeCall();
                    device.Navigate()->OnActionDelPlist();
                };
                return FromPlaylistMenu(device, g_lastPlaylist, remove) &&
                       !ChildNamed(device.Category(SUB_ITEM_PLAYLIST), g_lastPlaylist);
            },
        .verify = [](SweepDevice& device) { return !device.DevicePlaylists().contains(g_lastPlaylist); },
    });

    operations.push_back({
        .call = {"CopyFileToComputer", "Export to PC of checked songs on the music page into a chosen folder",
                 QStringLiteral("%1 file(s) could not be copied.").arg(kSongCount)},
        .prepare = PrepareExport,
        .act = ExportSongs,
        .leftovers = PartialExportFiles,
    });
}
