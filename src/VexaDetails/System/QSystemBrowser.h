#pragma once

#include <QWidget>

class QAbstractItemView;
class QDragListView;
class QDragTableView;
class QDragTreeView;
class QLabel;
class QMovie;
class QPushButton;
class QSortFilterProxyModel;
class QStackedWidget;
class QSystemfileTreeModel;

// The file browser's widgets (object name "m_browser"): the folder tree on the left, and on the right
// the chosen folder's contents as a table or an icon list - or, while the root is read, a waiting
// animation in their place.
class QSystemBrowser : public QWidget {
    Q_OBJECT
public:
    // `contents` is the sorted content model the table and the icon list show.
    QSystemBrowser(QSystemfileTreeModel* treeModel, QSortFilterProxyModel* contents,
                   QWidget* parent = nullptr);

    QDragTreeView* Tree() const { return m_tree; }
    QDragTableView* Table() const { return m_table; }
    QDragListView* List() const { return m_list; }
    // The table or the icon list, whichever is shown.
    QAbstractItemView* VisibleContentView() const;
    bool ShowsIcons() const;
    void ShowIcons(bool icons);

    // The animation instead of the tree and the contents, or back.
    void ShowWaiting(bool waiting);
    // Keeps clicks off the views while the shown folders are read again.
    void SetBusy(bool busy);
    // Reloads the animation from the language's image folder.
    void ReloadImages();
    // While an app's container is shown, a bar above the browser names the app and leads back to
    // the device's own files; an empty id hides it.
    void ShowContainer(const QString& appId);
    QPushButton* BackButton() const { return m_backButton; }
    void Retranslate();

signals:
    void backToDevice();

private:
    QDragTreeView* m_tree = nullptr;
    QStackedWidget* m_content = nullptr;
    QDragTableView* m_table = nullptr;
    QDragListView* m_list = nullptr;
    QLabel* m_waitLabel = nullptr;
    QMovie* m_waitMovie = nullptr;
    QWidget* m_containerBar = nullptr;
    QLabel* m_containerLabel = nullptr;
    QPushButton* m_backButton = nullptr;
    QString m_appId;
};
