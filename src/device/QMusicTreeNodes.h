#pragma once

#include <functional>

#include <QObject>
#include <QStringList>

class IVexaManager;
class QMusicView;
class QPlayAnalysisTread;
class QPlayListView;
class TreeModel;
class TreeNode;

// The music side of the navigation tree: the playlist nodes under "Playlist" with their song counts,
// creating and deleting playlists from the tree's menu, showing a playlist's page when its node is
// pressed, and the add dialog behind the music and playlist pages' "Add Music".
class QMusicTreeNodes : public QObject {
    Q_OBJECT
public:
    // `categoryNode` finds a device's category node by kind, or null when the device is gone.
    using CategoryLookup = std::function<TreeNode*(int deviceHandle, int kind)>;

    QMusicTreeNodes(TreeModel* model, CategoryLookup categoryNode, QObject* parent = nullptr);

    // Rebuilds the children of the "Playlist" node from the loader's last reading: one per user
    // playlist, "name (songs)". The caller has forgotten the old children.
    void Rebuild(TreeNode* playlistNode, QPlayAnalysisTread* loader);
    // A node was pressed: a playlist node shows its playlist on the playlist page.
    void OnNodePressed(TreeNode* node);
    // "New Playlist": asks for the name and has the device's loader add it.
    void NewPlaylist(int deviceHandle);
    // "Delete" on a playlist node.
    void DeletePlaylist(TreeNode* node);

    static QPlayAnalysisTread* LoaderOf(const TreeNode* node);
    static QPlayListView* PlaylistViewOf(const TreeNode* node);

public slots:
    void OnAddMusic(int playlist, const QStringList& files, QMusicView* view);
    void OnAddPlay(int playlist, const QStringList& files, QPlayAnalysisTread* loader);

private:
    // Runs the add dialog and reloads what the add changed; `mode` is the add dialog's.
    void RunAdd(int deviceHandle, int mode, int playlist, const QStringList& files);

    TreeModel* m_model;
    CategoryLookup m_categoryNode;
};
