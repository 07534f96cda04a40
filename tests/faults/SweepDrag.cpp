#include "SweepDrag.h"

#include <memory>

#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <vexa/vexa.h>

#include "DeviceSubItem.h"
#include "FaultSweep.h"
#include "QDropFileMimeData.h"
#include "QMusicPlayListChunk.h"
#include "QMusicView.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "TreeNode.h"
#include "formats/AudioFile.h"

namespace {

constexpr int kWaitMs = 15000;
const QString kTitle = QStringLiteral("Sweep Drag Song");

QString Source() {
    static QTemporaryDir folder;
    const QString path = folder.filePath(kTitle + QStringLiteral(".mp3"));
    if (!QFile::exists(path))
        vexa::formats::WriteAudioFile(path.toStdString(), {.seconds = 1, .title = kTitle.toStdString()});
    return path;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The local files the last drag offered.
QStringList g_dragged;

QMusicView* MusicPage(const SweepDevice& device) {
    return qobject_cast<QMusicView*>(device.MusicView());
}

bool DeviceHasSong(const SweepDevice& device) {
    return device.WithManager([](IVexaManager* manager) {
        int count = 0;
        PlaylistRecord* playlists = nullptr;
        if (manager->GetMediaLibrary()->GetPlaylists(&count, &playlists) != 0 || count < 1)
            return false;
        for (int i = 0; i < playlists[0].trackCount; ++i)
            if (playlists[0].tracks[i].title && kTitle == QString::fromUtf8(playlists[0].tracks[i].title))
                return true;
        return false;
    });
}

// The song on the device, the music page read again and the song's row selected.
void Prepare(SweepDevice& device) {
    if (!DeviceHasSong(device)) {
        const QString path = Source();
        device.WithManager([&](IVexaManager* manager) {
            const char16_t* paths[] = {reinterpret_cast<const char16_t*>(path.utf16())};
            return manager->GetMediaLibrary()->AddMediaFileData(paths, 1, nullptr, 0) == 0;
        });
    }
    QPointer<QMusicView> view = MusicPage(device);
    TreeNode* media = device.Category(SUB_ITEM_MEDIA);
    TreeNode* node = media ? media->FindChildOfKind(NODE_MUSIC) : nullptr;
    if (!view || !node)
        return;
    QSignalSpy refreshed(view.data(), &QMusicView::emitRefreshMusicNode);
    const bool first = node->PressCount() == 0;
    device.Press(node);
    if (!first && view)
        emit view->OperatePanel()->refreshOperate();
    (void)QTest::qWaitFor([&] { return !view || (!view->IsRunning() && refreshed.count() > 0); }, kWaitMs);
    QCoreApplication::processEvents();
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
    const QByteArray song = Bytes(Source());
    return data->DropSucceeded() && g_dragged.size() == 1 && Bytes(g_dragged.constFirst()) == song;
}

// A copy that failed leaves nothing at its path.
QString PartialDrops(SweepDevice&) {
    QStringList partial;
    for (const QString& path : std::as_const(g_dragged))
        if (QFile::exists(path) && Bytes(path) != Bytes(Source()))
            partial << path;
    return partial.join(QLatin1String(", "));
}

} // namespace

void AddDragOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .operation = QStringLiteral("CopyFileToComputer"),
        .path =
            QStringLiteral("Drag of the selected song out of the music page; the target asks for the files"),
        .message = QStringLiteral("These items could not be copied from the device:"),
        .prepare = Prepare,
        .act = DragSong,
        .leftovers = PartialDrops,
    });
}
