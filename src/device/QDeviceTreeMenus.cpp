#include "QDeviceTreeMenus.h"

#include <vexa/BackupDevice.h>

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QKeyEvent>
#include <QMenu>

#include "ContactGroupNames.h"
#include "DeviceSubItem.h"
#include "PhotoAlbumNames.h"
#include "QMusicTreeNodes.h"
#include "QPlayAnalysisTread.h"
#include "TreeModel.h"
#include "TreeNode.h"
#include "TreeView.h"
#include "WidgetColors.h"

QDeviceTreeMenus::QDeviceTreeMenus(TreeView* tree, TreeModel* model, QMusicTreeNodes* musicTree,
                                   CategoryLookup categoryNode, QWidget* parent)
    : QObject(parent)
    , m_tree(tree)
    , m_model(model)
    , m_musicTree(musicTree)
    , m_categoryNode(std::move(categoryNode)) {
    m_actionNewPlist = AddAction(&QDeviceTreeMenus::NewPlaylist);
    m_actionRename = AddAction(&QDeviceTreeMenus::Rename);
    m_actionDelPlist = AddAction(&QDeviceTreeMenus::DeletePlaylist);
    m_actionNewPhotos = AddAction(&QDeviceTreeMenus::NewAlbum);
    m_actionDelPhotos = AddAction(&QDeviceTreeMenus::DeleteAlbum);
    m_actionNewContact = AddAction(&QDeviceTreeMenus::NewGroup);
    m_actionDelContact = AddAction(&QDeviceTreeMenus::DeleteGroup);

    // The menus are the parent widget's, so that they open over its window.
    m_playlistMenu = new QMenu(parent);
    m_playlistMenu->addAction(m_actionNewPlist);
    m_playlistMenu->addAction(m_actionDelPlist);
    m_albumMenu = new QMenu(parent);
    m_groupMenu = new QMenu(parent);
    for (QMenu* menu : {m_playlistMenu, m_albumMenu, m_groupMenu})
        menu->setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    Retranslate();
}

QAction* QDeviceTreeMenus::AddAction(void (QDeviceTreeMenus::*slot)()) {
    auto* action = new QAction(this);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void QDeviceTreeMenus::Retranslate() {
    m_actionNewPlist->setText(tr("New Playlist"));
    m_actionRename->setText(tr("Rename"));
    m_actionDelPlist->setText(tr("Delete"));
    m_actionNewPhotos->setText(tr("new Album"));
    m_actionDelPhotos->setText(tr("Delete"));
    m_actionNewContact->setText(tr("Greate New Group"));
    m_actionDelContact->setText(tr("Delete"));
}

QMenu* QDeviceTreeMenus::Prepare(const QModelIndex& index) {
    TreeNode* node = m_model->NodeOf(index);
    TreeNode* parent = node ? node->Parent() : nullptr;
    // A backup's albums, groups and playlists are read, never changed.
    if (!parent || IsBackupDeviceHandle(node->DeviceHandle()))
        return nullptr;
    m_pressedIndex = index;
    if (parent->Kind() == SUB_ITEM_PLAYLIST && node->ChildCount() == 0) {
        // A real phone's playlists are made on the phone: nothing to offer.
        const QPlayAnalysisTread* loader = QMusicTreeNodes::LoaderOf(node);
        return loader && !loader->IsWritable() ? nullptr : m_playlistMenu;
    }
    if (parent->Kind() == SUB_ITEM_PHOTOS) {
        // Albums that are only read on this device offer nothing to do.
        const QWidget* view = parent->Binding().view;
        const QVariant writable = view ? view->property("contentWritable") : QVariant();
        if (writable.isValid() && !writable.toBool())
            return nullptr;
        return FillMenu(m_albumMenu, m_actionNewPhotos, m_actionDelPhotos, !IsBuiltInAlbum(node->Text()));
    }
    if (parent->Kind() == SUB_ITEM_CONTACTS)
        return FillMenu(m_groupMenu, m_actionNewContact, m_actionDelContact, !IsBuiltInGroup(node->Text()));
    return nullptr;
}

// The album and group menus share the rename action, so each is filled again when it is shown.
QMenu* QDeviceTreeMenus::FillMenu(QMenu* menu, QAction* create, QAction* remove, bool editable) {
    menu->clear();
    menu->addAction(create);
    menu->addAction(m_actionRename);
    menu->addAction(remove);
    m_actionRename->setEnabled(editable);
    remove->setEnabled(editable);
    return menu;
}

void QDeviceTreeMenus::ShowAt(const QPoint& pos) {
    if (QMenu* menu = Prepare(m_tree->indexAt(pos)))
        menu->exec(m_tree->viewport()->mapToGlobal(pos));
}

void QDeviceTreeMenus::NewPlaylist() {
    if (TreeNode* node = m_model->NodeOf(m_pressedIndex))
        m_musicTree->NewPlaylist(node->DeviceHandle());
}

void QDeviceTreeMenus::Rename() {
    if (!m_pressedIndex.isValid())
        return;
    m_tree->setCurrentIndex(m_pressedIndex);
    m_tree->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QCoreApplication::sendEvent(m_tree, &press);
}

void QDeviceTreeMenus::DeletePlaylist() {
    TreeNode* node = m_model->NodeOf(m_pressedIndex);
    if (!node || node->Kind() != NODE_PLAYLIST)
        return;
    // A refused delete shows a message, whose event loop may remove the device and this node.
    const int row = node->Row();
    m_musicTree->DeletePlaylist(node);
    emit playlistDeleted(row);
}

void QDeviceTreeMenus::ForwardToView(int categoryKind, const char* slot) {
    TreeNode* node = m_model->NodeOf(m_pressedIndex);
    TreeNode* category = node ? m_categoryNode(node->DeviceHandle(), categoryKind) : nullptr;
    QWidget* view = category ? category->Binding().view : nullptr;
    if (!view || !QMetaObject::invokeMethod(view, slot, Qt::DirectConnection, Q_ARG(QString, node->Text())))
        qDebug() << "QDeviceTreeMenus::ForwardToView" << slot << "is not offered by this view";
}

void QDeviceTreeMenus::NewAlbum() {
    ForwardToView(SUB_ITEM_PHOTOS, "OnNewAlbum");
}

void QDeviceTreeMenus::DeleteAlbum() {
    ForwardToView(SUB_ITEM_PHOTOS, "OnDeleteAlbum");
}

void QDeviceTreeMenus::NewGroup() {
    ForwardToView(SUB_ITEM_CONTACTS, "OnNewGroup");
}

void QDeviceTreeMenus::DeleteGroup() {
    ForwardToView(SUB_ITEM_CONTACTS, "OnDeleteGroup");
}
