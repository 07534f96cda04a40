#include "QMusicTreeNodes.h"

#include <QDebug>
#include <QPointer>

#include "AddItemDlg.h"
#include "CMediaFileAdd.h"
#include "DeviceSubItem.h"
#include "PlaylistEntry.h"
#include "QMessageDlg.h"
#include "QMusicView.h"
#include "QPlayAnalysisTread.h"
#include "QPlayListNameDlg.h"
#include "QPlayListView.h"
#include "TreeModel.h"
#include "TreeNode.h"

namespace {
const char* const kPlaylistIcon = "/image/div/Playlist_icon.png";
}

QMusicTreeNodes::QMusicTreeNodes(TreeModel* model, CategoryLookup categoryNode, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_categoryNode(std::move(categoryNode)) {}

QPlayAnalysisTread* QMusicTreeNodes::LoaderOf(const TreeNode* node) {
    return node ? qobject_cast<QPlayAnalysisTread*>(node->Binding().loader) : nullptr;
}

QPlayListView* QMusicTreeNodes::PlaylistViewOf(const TreeNode* node) {
    return node ? qobject_cast<QPlayListView*>(node->Binding().view) : nullptr;
}

void QMusicTreeNodes::Rebuild(TreeNode* playlistNode, QPlayAnalysisTread* loader) {
    m_model->RemoveChildren(playlistNode);
    for (int position = 1; position < loader->PlaylistCount(); ++position) {
        const PlaylistEntry* entry = loader->Entry(position);
        const QString text =
            QString::fromStdString(entry->Name()) + QStringLiteral(" (%1)").arg(entry->SongCount());
        auto* node = new TreeNode(NODE_PLAYLIST, text);
        node->SetIcons(QString::fromLatin1(kPlaylistIcon), QString());
        node->SetDeviceHandle(loader->DeviceHandle());
        node->SetBinding(playlistNode->Binding());
        m_model->AppendNode(playlistNode, node);
    }
}

void QMusicTreeNodes::OnNodePressed(TreeNode* node) {
    if (!node || (node->Kind() != NODE_PLAYLIST && node->Kind() != SUB_ITEM_PLAYLIST))
        return;
    if (QPlayListView* view = PlaylistViewOf(node))
        view->ShowPlaylist(node->Kind() == NODE_PLAYLIST ? node->Row() + 1 : view->CurrentPosition());
}

void QMusicTreeNodes::NewPlaylist(int deviceHandle) {
    QPointer<QPlayAnalysisTread> loader = LoaderOf(m_categoryNode(deviceHandle, SUB_ITEM_PLAYLIST));
    if (!loader || !loader->IsWritable())
        return;
    QPlayListNameDlg dialog;
    dialog.SetExistingNames(loader->PlaylistNames());
    // The dialog's event loop may remove the device with its loader.
    if (dialog.exec() != 1 || !loader || loader->IsHalted())
        return;
    loader->AddPlaylistName(loader->PlaylistCount(), dialog.PlayListName());
}

void QMusicTreeNodes::DeletePlaylist(TreeNode* node) {
    QPlayAnalysisTread* loader = LoaderOf(node);
    if (!loader || !node || node->Kind() != NODE_PLAYLIST)
        return;
    loader->deletePlayList(node->Row() + 1);
}

void QMusicTreeNodes::OnAddMusic(int playlist, const QStringList& files, QMusicView* view) {
    if (view)
        RunAdd(view->DeviceHandle(), AddItemDlg::MusicView, playlist, files);
}

void QMusicTreeNodes::OnAddPlay(int playlist, const QStringList& files, QPlayAnalysisTread* loader) {
    if (loader)
        RunAdd(loader->DeviceHandle(), AddItemDlg::PlaylistThread, playlist, files);
}

void QMusicTreeNodes::RunAdd(int deviceHandle, int mode, int playlist, const QStringList& files) {
    if (files.isEmpty())
        return;
    AddItemDlg dialog(mode, files, playlist);
    // The routine uses a manager of its own: the views may go with the device while it runs.
    dialog.SetRoutine([deviceHandle, playlist](const QStringList& list, int* progress) {
        const int code = CMediaFileAdd::Add(deviceHandle, list, playlist, progress);
        if (code != 0)
            qDebug() << "AddMediaFileData failed!" << code;
        return code;
    });
    dialog.exec();
    const int code = dialog.Result();
    TreeNode* musicNode = m_categoryNode(deviceHandle, NODE_MUSIC);
    QPointer<QMusicView> music = musicNode ? qobject_cast<QMusicView*>(musicNode->Binding().view) : nullptr;
    QPointer<QPlayAnalysisTread> loader = LoaderOf(m_categoryNode(deviceHandle, SUB_ITEM_PLAYLIST));
    if (code != 0) {
        if (music && mode == AddItemDlg::MusicView)
            emit music->emitFailed(code);
        else
            ShowMessage(CMediaFileAdd::FailureMessage(code));
    }
    // Whatever happened, both pages show the device's real state again.
    if (music && !music->IsHalted() && music->HasLoaded())
        music->Start();
    if (loader && !loader->IsHalted())
        loader->RefreshList();
}
