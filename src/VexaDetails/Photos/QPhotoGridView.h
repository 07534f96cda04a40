#pragma once

#include <memory>
#include <vector>

#include <QAbstractScrollArea>
#include <QPointer>

#include "CPhotoThumbnailCache.h"
#include "indexPhoto.h"

class CPhotoList;
class CPhotoMonthGroups;
class QMovie;
class QPhotoStretchThread;

// Every photo of a page as one scrolling surface: month headers (DateItemWidget) each followed by the
// month's photos (picItemWidget) in rows. Only what is on screen is painted, and thumbnails are asked
// of the stretch thread for the screen plus one screen above and below; those scrolled far away are
// dropped again, so the page costs the same for fifty photos as for fifty thousand.
class QPhotoGridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kCell = 140;  // a tile and its spacing
    static constexpr int kMargin = 12; // left and right of the rows
    static constexpr size_t kCachedThumbnails = 600;

    explicit QPhotoGridView(QPhotoStretchThread* thread, QWidget* parent = nullptr);

    void SetPhotos(std::shared_ptr<CPhotoList> list, std::shared_ptr<CPhotoMonthGroups> groups);
    void Clear();
    const CPhotoMonthGroups* Groups() const { return m_groups.get(); }
    CPhotoList* List() const { return m_list.get(); }
    const std::shared_ptr<CPhotoList>& SharedList() const { return m_list; }

    // Checks of photos, by their index in the list.
    bool IsChecked(int index) const;
    void SetChecked(int index, bool checked);
    void SetGroupChecked(int group, bool checked);
    void SetAllChecked(bool checked);
    Qt::CheckState GroupCheckState(int group) const;
    std::vector<int> CheckedIndexes() const;
    int CheckedCount() const { return m_checkedTotal; }

    void ScrollToGroup(int group);
    // The group whose header or photos are at the top of the screen.
    int GroupAtTop() const;
    int ContentHeight() const;
    size_t CachedThumbnailCount() const { return m_cache.Size(); }
    bool HasThumbnail(int index) { return m_cache.Find(index) != nullptr; }
    // True when the photo shows its file name: the device gave no picture for it, or went away.
    bool IsPlaceholder(int index) const;
    // The rectangle a photo or a month header has in the viewport (may be off screen).
    QRect TileRect(int group, int position) const;
    QRect HeaderRect(int group) const;

signals:
    void emitDoubleClicked(int index);
    void emitCheckChanged();
    void emitTopGroupChanged(int group);
    void emitUnreadableCount(int count);

public slots:
    void OnScrollBarChanged(int value);
    void OnRedrawItem(QString key, indexPhoto* item);
    void OnThumbnailError(int code);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct Hit {
        int group = -1;
        int position = -1; // -1 for the header
    };
    void Relayout();
    void UpdateWanted();
    Hit HitAt(const QPoint& point) const;
    int GroupAtY(int y) const;
    int Columns() const { return m_columns; }
    int RowsOf(int group) const;
    bool IsFar(int index) const;

    QPointer<QPhotoStretchThread> m_thread;
    std::shared_ptr<CPhotoList> m_list;
    std::shared_ptr<CPhotoMonthGroups> m_groups;
    int m_generation = 0;
    int m_columns = 1;
    std::vector<int> m_groupTop; // content y of each group's header; one more entry for the end
    std::vector<int> m_groupOf;  // by list index: the group of a photo, -1 for left-out records
    std::vector<int> m_positionOf;
    std::vector<char> m_checked;
    std::vector<int> m_groupChecked;
    int m_checkedTotal = 0;
    std::vector<char> m_failed;
    bool m_deviceGone = false;
    CPhotoThumbnailCache m_cache;
    QMovie* m_loading;
    int m_lastTopGroup = -1;
};
