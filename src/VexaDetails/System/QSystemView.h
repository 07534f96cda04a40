#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <QPersistentModelIndex>
#include <QPoint>
#include <QPointer>
#include <QStringList>

#include "CDeviceDragOut.h"
#include "IDropSourceCallback.h"
#include "QBaseDetailsView.h"

class CDeviceFileItem;
class CSystemFileChunk;
class IFileService;
class QAbstractItemView;
class QDragListView;
class QDropFileMimeData;
class QDragTableView;
class QDragTreeView;
class QMenu;
class QSystemBrowser;
class QSystemModel;
class QSystemSortModel;
class QSystemfileTreeModel;

// The device's file system (object name "QSystemView"): the folder tree on the left, the chosen
// folder's contents as a table or an icon list on the right. New folder, rename (edit a name), delete,
// refresh, open, search; entries drag out to the desktop, and files dropped from the computer onto the
// table or a tree folder are copied into that folder. The root listing is read on the view's thread,
// every further folder on the GUI thread when it is first opened.
class QSystemView : public QBaseDetailsView, public IDropSourceCallback {
    Q_OBJECT
public:
    QSystemView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    ~QSystemView() override;

    QDragTreeView* TreeView() const { return m_tree; }
    QDragTableView* ContentTable() const { return m_table; }
    QDragListView* IconList() const { return m_list; }
    QSystemfileTreeModel* TreeModel() const { return m_treeModel; }
    QSystemModel* ContentModel() const { return m_model; }
    QSystemSortModel* ContentProxy() const { return m_proxy; }
    QMenu* ContextMenu() const { return m_menu; }
    CSystemFileChunk* RootItem() const { return m_root.get(); }
    // The folder the table shows.
    CDeviceFileItem* CurrentFolder() const;
    // The entry at `path` among what has been read, or null.
    CDeviceFileItem* FindItem(const std::string& path) const;
    // Shows `folder` in the table and makes it current in the tree, opening the tree down to it.
    void ShowFolder(CDeviceFileItem* folder);
    // Copies computer files and folders into `folder` behind a progress dialog; false when any failed.
    bool UploadInto(CDeviceFileItem* folder, const QStringList& localPaths);
    // Browsing an app's container instead of the device's own files (empty: the device's files).
    const std::string& AppId() const { return m_appId; }
    // The entries highlighted in the table or icon list; the last clicked one when none is.
    std::vector<CDeviceFileItem*> HighlightedItems() const;
    int SelectedCount() const override { return int(HighlightedItems().size()); }

    // The data of a drag of the entries selected in `view` (null when none are): the entries are copied
    // into a fresh folder when the drop target asks for the URLs.
    QDropFileMimeData* PrepareDrag(QAbstractItemView* view);
    // The drop target asked for the dragged entries: they are copied into the drag folder now.
    bool OnDrop() override;

public slots:
    void OnRefresh();
    void OnDelete();
    // "To Computer": the highlighted entries are copied into a folder the user picks.
    void OnExportHighlighted();
    void OnNewFolder();
    void OnAddFiles();
    void onClickedTree(const QModelIndex& index);
    void onClickedTable(const QModelIndex& index);
    void onClickedList(const QModelIndex& index);
    void onDoubleClicked(const QModelIndex& index);
    void OnRightClicked(const QPoint& position);
    void OnOpenFolder();
    void OnGetRootBegin();
    void OnGetRootDone();
    void OnStartDrag(Qt::DropActions actions);
    void OnLanguageChanged() override;
    // Browses the container of the app `appId` (opening its "Documents" folder when it has one);
    // the apps page's documents button leads here.
    void OnBrowseAppContainer(const QString& appId);
    // Back to the device's own file system.
    void OnBrowseDevice();
    void OnTableFilesDropped(const QStringList& localPaths, const QModelIndex& target);
    void OnTreeFilesDropped(const QStringList& localPaths, const QModelIndex& target);

signals:
    void GetRootBegin();
    void GetRootDone();
    void emitCloseBtnEnable(bool enable);

protected:
    void Run() override;
    // The browser shows its own states; the record-table ones of the base do not apply.
    void OnAnalysisBegin() override {}
    void OnAnalysisEnd() override {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void OnReadFailed(const QString& path, int result);
    void ShowThumb();
    void ShowList();

private:
    void InitControls();
    IFileService* Files() const;
    // The entry of a table or icon list index (proxy index).
    CDeviceFileItem* ContentItem(const QModelIndex& proxyIndex) const;
    std::vector<CDeviceFileItem*> ItemsSelectedIn(QAbstractItemView* view) const;
    CDeviceFileItem* RememberedTreeItem() const;
    void RememberClick();
    // Shows `message` once control is back in the event loop (never inside a model call or a drop).
    void ShowLater(const QString& message);
    void StartLoad();
    void CloseContainer();
    // Forgets the shown tree (and an open container); false when the view is going.
    bool DropRoot();
    void ReloadPreservingOpenFolders(CDeviceFileItem* target);

    QSystemBrowser* m_browser = nullptr;
    QDragTreeView* m_tree = nullptr;
    QDragTableView* m_table = nullptr;
    QDragListView* m_list = nullptr;
    QSystemfileTreeModel* m_treeModel = nullptr;
    QSystemModel* m_model = nullptr;
    QSystemSortModel* m_proxy = nullptr;
    QMenu* m_menu = nullptr;

    std::unique_ptr<CSystemFileChunk> m_root;
    // The root the thread read, waiting for the GUI thread to take it.
    std::mutex m_loadedMutex;
    std::unique_ptr<CSystemFileChunk> m_loadedRoot;
    IFileService* m_loadFiles = nullptr;

    QPersistentModelIndex m_treeIndex;
    QPersistentModelIndex m_tableIndex; // of the content model, not the proxy
    QPersistentModelIndex m_contextIndex;
    QPoint m_clickPos{-1, -1};

    // Browsing an app's container: its id and the container service (owned by the device's service).
    std::string m_appId;
    IFileService* m_container = nullptr;
    CDeviceDragOut m_dragOut;
    QStringList m_pendingMessages;
};
