#pragma once

#include <functional>

#include <QModelIndex>
#include <QObject>

class QAction;
class QMenu;
class QMusicTreeNodes;
class QWidget;
class TreeModel;
class TreeNode;
class TreeView;

// The navigation tree's context menus: new and delete on a playlist, new, rename and delete on a photo
// album or a contact group. The albums and groups the device keeps for itself cannot be renamed or
// deleted. The actions work on the node the last press or menu was for.
class QDeviceTreeMenus : public QObject {
    Q_OBJECT
public:
    // `categoryNode` finds a device's category node by kind, or null when the device is gone.
    using CategoryLookup = std::function<TreeNode*(int deviceHandle, int kind)>;

    QDeviceTreeMenus(TreeView* tree, TreeModel* model, QMusicTreeNodes* musicTree,
                     CategoryLookup categoryNode, QWidget* parent);

    // The menu for the node, with its actions enabled as they apply, or null when the node has none.
    QMenu* Prepare(const QModelIndex& index);
    // Shows the menu of the node at `pos` (viewport coordinates of the tree), if it has one.
    void ShowAt(const QPoint& pos);
    void Retranslate();

    // The node the actions work on: the one last pressed or given a menu.
    QModelIndex PressedIndex() const { return m_pressedIndex; }
    void SetPressedIndex(const QModelIndex& index) { m_pressedIndex = index; }

public slots:
    void NewPlaylist();
    void Rename();
    void DeletePlaylist();
    void NewAlbum();
    void DeleteAlbum();
    void NewGroup();
    void DeleteGroup();

signals:
    // A playlist was deleted from the tree; `row` was its row under "Playlist".
    void playlistDeleted(int row);

private:
    QAction* AddAction(void (QDeviceTreeMenus::*slot)());
    QMenu* FillMenu(QMenu* menu, QAction* create, QAction* remove, bool editable);
    // Hands the pressed node's text to a slot of the category's view.
    void ForwardToView(int categoryKind, const char* slot);

    TreeView* m_tree;
    TreeModel* m_model;
    QMusicTreeNodes* m_musicTree;
    CategoryLookup m_categoryNode;
    QModelIndex m_pressedIndex;

    QMenu* m_playlistMenu = nullptr;
    QMenu* m_albumMenu = nullptr;
    QMenu* m_groupMenu = nullptr;
    QAction* m_actionNewPlist = nullptr;
    QAction* m_actionRename = nullptr;
    QAction* m_actionDelPlist = nullptr;
    QAction* m_actionNewPhotos = nullptr;
    QAction* m_actionDelPhotos = nullptr;
    QAction* m_actionNewContact = nullptr;
    QAction* m_actionDelContact = nullptr;
};
