#include <memory>

#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QUrl>

#include <vexa/vexa.h>

#include "DeviceSubItem.h"
#include "FaultSweep.h"
#include "QDropFileMimeData.h"
#include "QMusicPlayListChunk.h"
#include "QMusicView.h"
#include "QMySortModel.h"
#include "SweepKit.h"
#include "TreeNode.h"
#include "formats/AudioFile.h"

namespace {

const QString kTitle = QStringLiteral("Sweep Drag Song");

QString Source() {
    static QTemporaryDir folder;
    const QString path = folder.filePath(kTitle + QStringLiteral(".mp3"));
    if (!QFile::exists(path))
        vexa::formats::WriteAudioFile(path.toStdString(), {.seconds = 1, .title = kTitle.toStdString()});
    return path;
}

// The local files the last drag offered.
QStringList g_dragged;

// The song on the device, the music page read again and the song's row selected.
void Prepare(SweepDevice& device) {
    if (!DeviceTrackTitles(device).contains(kTitle))
        AddToDeviceLibrary(device, Source());
    QPointer<QMusicView> view = MusicPage(device);
    TreeNode* node = MediaNode(device, NODE_MUSIC);
    if (!view || !node)
        return;
    QSignalSpy refreshed(view.data(), &QMusicView::emitRefreshMusicNode);
    LoadPage(device, node, view, refreshed);
    for (int row = 0; view && row < view->SortModel()->rowCount(); ++row) {
        if (view->SongAtRow(row) && QString::fromStdString(view->SongAtRow(row)->GetName()) == kTitle)
            view->TableView()->selectRow(row);
    }
}

// Starts the drag of the selected song and asks for its files as a drop target does.
bool DragSong(SweepDevice& device) {
    QPointer<QMusicView> view = MusicPage(device);
    if (!view)
        return false;
    const std::unique_ptr<QDropFileMimeData> data(view->PrepareDrag());
    if (!data)
        return false;
    device.JustBeforeCall();
    g_dragged.clear();
    for (const QUrl& url : data->urls())
        g_dragged << url.toLocalFile();
    const QByteArray song = FileBytes(Source());
    return data->DropSucceeded() && g_dragged.size() == 1 && FileBytes(g_dragged.constFirst()) == song;
}

// A copy that failed leaves nothing at its path.
QString PartialDrops(SweepDevice&) {
    QStringList partial;
    for (const QString& path : std::as_const(g_dragged))
        if (QFile::exists(path) && FileBytes(path) != FileBytes(Source()))
            partial << path;
    return partial.join(QLatin1String(", "));
}

} // namespace

void AddDragOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"CopyFileToComputer",
                 "Drag of the selected song out of the music page; the target asks for the files",
                 "These items could not be copied from the device:"},
        .worker = false,
        .prepare = Prepare,
        .act = DragSong,
        .leftovers = PartialDrops,
    });
}
