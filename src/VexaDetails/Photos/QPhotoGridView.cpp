#include "QPhotoGridView.h"

#include <algorithm>

#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QScrollBar>

#include "CPhotoList.h"
#include "CPhotoMonthGroups.h"
#include "DateItemWidget.h"
#include "LanguageService.h"
#include "QPhotoStretchThread.h"
#include "picItemWidget.h"

QPhotoGridView::QPhotoGridView(QPhotoStretchThread* thread, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_thread(thread)
    , m_cache(kCachedThumbnails)
    , m_loading(
          new QMovie(ResourceRoot() + QStringLiteral("/image/details/refresh.gif"), QByteArray(), this)) {
    setObjectName(QStringLiteral("QPhotoGridView"));
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    verticalScrollBar()->setSingleStep(40);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &QPhotoGridView::OnScrollBarChanged);
    connect(m_loading, &QMovie::frameChanged, viewport(), qOverload<>(&QWidget::update));
    if (m_thread != nullptr) {
        connect(m_thread, &QPhotoStretchThread::emitRedrawItem, this, &QPhotoGridView::OnRedrawItem,
                Qt::QueuedConnection);
        connect(m_thread, &QPhotoStretchThread::emitError, this, &QPhotoGridView::OnThumbnailError,
                Qt::QueuedConnection);
        connect(m_thread, &QPhotoStretchThread::emitUnreadableCount, this,
                &QPhotoGridView::emitUnreadableCount, Qt::QueuedConnection);
    }
}

void QPhotoGridView::SetPhotos(std::shared_ptr<CPhotoList> list, std::shared_ptr<CPhotoMonthGroups> groups) {
    m_list = std::move(list);
    m_groups = std::move(groups);
    m_cache.Clear();
    m_deviceGone = false;
    const size_t count = m_list ? static_cast<size_t>(m_list->Count()) : 0;
    m_groupOf.assign(count, -1);
    m_positionOf.assign(count, -1);
    m_checked.assign(count, 0);
    m_failed.assign(count, 0);
    m_checkedTotal = 0;
    m_groupChecked.assign(m_groups ? m_groups->Groups().size() : 0, 0);
    if (m_groups) {
        for (size_t g = 0; g < m_groups->Groups().size(); ++g) {
            const auto& photos = m_groups->Groups()[g].photos;
            for (size_t p = 0; p < photos.size(); ++p) {
                m_groupOf[static_cast<size_t>(photos[p].index)] = static_cast<int>(g);
                m_positionOf[static_cast<size_t>(photos[p].index)] = static_cast<int>(p);
            }
        }
    }
    m_generation = m_thread != nullptr ? m_thread->SetSource(m_list, m_groups) : 0;
    m_lastTopGroup = -1;
    verticalScrollBar()->setValue(0);
    Relayout();
    UpdateWanted();
    viewport()->update();
}

void QPhotoGridView::Clear() {
    SetPhotos(nullptr, nullptr);
}

int QPhotoGridView::RowsOf(int group) const {
    const int count = m_groups->Groups()[static_cast<size_t>(group)].Count();
    return (count + m_columns - 1) / m_columns;
}

void QPhotoGridView::Relayout() {
    m_columns = std::max(1, (viewport()->width() - 2 * kMargin) / kCell);
    const size_t groups = m_groups ? m_groups->Groups().size() : 0;
    m_groupTop.assign(groups + 1, 0);
    int y = 0;
    for (size_t g = 0; g < groups; ++g) {
        m_groupTop[g] = y;
        y += DateItemWidget::kHeight + RowsOf(static_cast<int>(g)) * kCell + 8;
    }
    m_groupTop[groups] = y;
    verticalScrollBar()->setPageStep(viewport()->height());
    // The last month may be scrolled up to the top too, as choosing it in the combo box does.
    const int lastTop = groups > 0 ? m_groupTop[groups - 1] : 0;
    verticalScrollBar()->setRange(0, std::max({0, y - viewport()->height(), lastTop}));
}

int QPhotoGridView::ContentHeight() const {
    return m_groupTop.empty() ? 0 : m_groupTop.back();
}

QRect QPhotoGridView::HeaderRect(int group) const {
    const int top = m_groupTop[static_cast<size_t>(group)] - verticalScrollBar()->value();
    return QRect(kMargin, top, viewport()->width() - 2 * kMargin, DateItemWidget::kHeight);
}

QRect QPhotoGridView::TileRect(int group, int position) const {
    const int top =
        m_groupTop[static_cast<size_t>(group)] + DateItemWidget::kHeight - verticalScrollBar()->value();
    const int row = position / m_columns;
    const int column = position % m_columns;
    const int gap = kCell - picItemWidget::kTileSide;
    return QRect(kMargin + column * kCell + gap / 2, top + row * kCell + gap / 2, picItemWidget::kTileSide,
                 picItemWidget::kTileSide);
}

int QPhotoGridView::GroupAtY(int y) const {
    if (m_groupTop.size() < 2) {
        return -1;
    }
    auto after = std::upper_bound(m_groupTop.begin(), m_groupTop.end() - 1, y);
    return std::max(0, static_cast<int>(after - m_groupTop.begin()) - 1);
}

int QPhotoGridView::GroupAtTop() const {
    return GroupAtY(verticalScrollBar()->value());
}

void QPhotoGridView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (!m_groups || m_groups->Groups().empty()) {
        return;
    }
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    const QPixmap frame = m_loading->currentPixmap();
    bool anyLoading = false;
    for (int g = GroupAtY(top); g >= 0 && g < static_cast<int>(m_groups->Groups().size()); ++g) {
        if (m_groupTop[static_cast<size_t>(g)] >= bottom) {
            break;
        }
        const auto& group = m_groups->Groups()[static_cast<size_t>(g)];
        DateItemWidget::Paint(painter, HeaderRect(g), group.key, group.Count(), GroupCheckState(g));
        const int firstRow =
            std::max(0, (top - m_groupTop[static_cast<size_t>(g)] - DateItemWidget::kHeight) / kCell);
        for (int p = firstRow * m_columns; p < group.Count(); ++p) {
            const QRect rect = TileRect(g, p);
            if (rect.top() >= viewport()->height()) {
                break;
            }
            const int index = group.photos[static_cast<size_t>(p)].index;
            const QImage* image = m_cache.Find(index);
            picItemWidget::Content content = picItemWidget::Content::Image;
            if (image == nullptr) {
                const bool placeholder = m_failed[static_cast<size_t>(index)] || m_deviceGone;
                content = placeholder ? picItemWidget::Content::Placeholder : picItemWidget::Content::Loading;
                anyLoading |= !placeholder;
            }
            const PhotoRecord* record = group.photos[static_cast<size_t>(p)].record;
            picItemWidget::Paint(painter, rect, content, image, &frame, QString::fromUtf8(record->fileName),
                                 m_checked[static_cast<size_t>(index)]);
        }
    }
    // The animation runs only while a photo on screen still waits for its thumbnail.
    if (anyLoading && m_loading->state() != QMovie::Running) {
        m_loading->start();
    } else if (!anyLoading && m_loading->state() == QMovie::Running) {
        m_loading->stop();
    }
}

void QPhotoGridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const int group = GroupAtTop();
    Relayout();
    if (group > 0) {
        ScrollToGroup(group);
    }
    UpdateWanted();
}

void QPhotoGridView::OnScrollBarChanged(int) {
    UpdateWanted();
    viewport()->update();
    const int group = GroupAtTop();
    if (group != m_lastTopGroup) {
        m_lastTopGroup = group;
        emit emitTopGroupChanged(group);
    }
}

void QPhotoGridView::ScrollToGroup(int group) {
    if (group >= 0 && group + 1 < static_cast<int>(m_groupTop.size())) {
        verticalScrollBar()->setValue(m_groupTop[static_cast<size_t>(group)]);
    }
}

bool QPhotoGridView::IsFar(int index) const {
    // More than three screens away from what is shown.
    const int group = m_groupOf[static_cast<size_t>(index)];
    if (group < 0) {
        return true;
    }
    const QRect rect = TileRect(group, m_positionOf[static_cast<size_t>(index)]);
    const int reach = 3 * viewport()->height();
    return rect.bottom() < -reach || rect.top() > viewport()->height() + reach;
}

void QPhotoGridView::UpdateWanted() {
    if (m_thread == nullptr || !m_groups || m_deviceGone) {
        return;
    }
    const int height = viewport()->height();
    const int top = verticalScrollBar()->value();
    // Content y ranges in the order they are wanted: the screen, the screen below, the one above.
    const std::pair<int, int> bands[] = {
        {top, top + height}, {top + height, top + 2 * height}, {top - height, top}};
    std::vector<QPhotoStretchThread::Request> wanted;
    auto& groups = const_cast<std::vector<CPhotoMonthGroups::Group>&>(m_groups->Groups());
    for (const auto& [from, to] : bands) {
        if (to <= 0) {
            continue;
        }
        for (int g = GroupAtY(std::max(0, from)); g >= 0 && g < static_cast<int>(groups.size()); ++g) {
            const int groupTop = m_groupTop[static_cast<size_t>(g)];
            if (groupTop >= to) {
                break;
            }
            auto& group = groups[static_cast<size_t>(g)];
            const int firstRow = std::max(0, (from - groupTop - DateItemWidget::kHeight) / kCell);
            for (int p = firstRow * m_columns; p < group.Count(); ++p) {
                const int tileTop = groupTop + DateItemWidget::kHeight + (p / m_columns) * kCell;
                if (tileTop >= to) {
                    break;
                }
                if (tileTop + kCell <= from) {
                    continue;
                }
                indexPhoto& item = group.photos[static_cast<size_t>(p)];
                if (!m_failed[static_cast<size_t>(item.index)] && m_cache.Find(item.index) == nullptr) {
                    wanted.push_back({group.key, &item});
                }
            }
        }
    }
    m_cache.Trim([this](int index) { return IsFar(index); });
    m_thread->SetWanted(std::move(wanted));
}

void QPhotoGridView::OnRedrawItem(QString, indexPhoto*) {
    if (m_thread == nullptr) {
        return;
    }
    bool changed = false;
    for (auto& result : m_thread->TakeResults()) {
        if (result.generation != m_generation || result.item == nullptr) {
            continue;
        }
        const int index = result.item->index;
        if (result.image.isNull()) {
            m_failed[static_cast<size_t>(index)] = 1;
        } else {
            m_cache.Insert(index, std::move(result.image));
        }
        changed = true;
    }
    if (changed) {
        viewport()->update();
    }
}

void QPhotoGridView::OnThumbnailError(int) {
    // The device went away: the remaining photos show their names instead of waiting forever.
    m_deviceGone = true;
    viewport()->update();
}

QPhotoGridView::Hit QPhotoGridView::HitAt(const QPoint& point) const {
    Hit hit;
    if (!m_groups) {
        return hit;
    }
    const int y = point.y() + verticalScrollBar()->value();
    const int g = GroupAtY(y);
    if (g < 0 || y >= ContentHeight()) {
        return hit;
    }
    if (HeaderRect(g).contains(point)) {
        hit.group = g;
        return hit;
    }
    const int inside = y - m_groupTop[static_cast<size_t>(g)] - DateItemWidget::kHeight;
    const int column = (point.x() - kMargin) / kCell;
    if (inside < 0 || point.x() < kMargin || column >= m_columns) {
        return hit;
    }
    const int position = (inside / kCell) * m_columns + column;
    if (position < m_groups->Groups()[static_cast<size_t>(g)].Count() &&
        TileRect(g, position).contains(point)) {
        hit.group = g;
        hit.position = position;
    }
    return hit;
}

void QPhotoGridView::mousePressEvent(QMouseEvent* event) {
    const Hit hit = HitAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || hit.group < 0) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    if (hit.position < 0) {
        if (DateItemWidget::CheckBoxRect(HeaderRect(hit.group))
                .adjusted(-4, -4, 4, 4)
                .contains(event->position().toPoint())) {
            SetGroupChecked(hit.group, GroupCheckState(hit.group) != Qt::Checked);
        }
        return;
    }
    const int index =
        m_groups->Groups()[static_cast<size_t>(hit.group)].photos[static_cast<size_t>(hit.position)].index;
    SetChecked(index, !IsChecked(index));
}

void QPhotoGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    const Hit hit = HitAt(event->position().toPoint());
    if (hit.group < 0 || hit.position < 0) {
        return;
    }
    const int index =
        m_groups->Groups()[static_cast<size_t>(hit.group)].photos[static_cast<size_t>(hit.position)].index;
    // The press before the double click toggled the check; the double click only opens the photo.
    SetChecked(index, !IsChecked(index));
    emit emitDoubleClicked(index);
}

bool QPhotoGridView::IsChecked(int index) const {
    return index >= 0 && static_cast<size_t>(index) < m_checked.size() &&
           m_checked[static_cast<size_t>(index)];
}

void QPhotoGridView::SetChecked(int index, bool checked) {
    if (index < 0 || static_cast<size_t>(index) >= m_checked.size() ||
        m_groupOf[static_cast<size_t>(index)] < 0 || IsChecked(index) == checked) {
        return;
    }
    m_checked[static_cast<size_t>(index)] = checked;
    const int delta = checked ? 1 : -1;
    m_groupChecked[static_cast<size_t>(m_groupOf[static_cast<size_t>(index)])] += delta;
    m_checkedTotal += delta;
    viewport()->update();
    emit emitCheckChanged();
}

void QPhotoGridView::SetGroupChecked(int group, bool checked) {
    if (!m_groups || group < 0 || group >= static_cast<int>(m_groups->Groups().size())) {
        return;
    }
    for (const indexPhoto& item : m_groups->Groups()[static_cast<size_t>(group)].photos) {
        if (IsChecked(item.index) != checked) {
            m_checked[static_cast<size_t>(item.index)] = checked;
            m_checkedTotal += checked ? 1 : -1;
        }
    }
    m_groupChecked[static_cast<size_t>(group)] =
        checked ? m_groups->Groups()[static_cast<size_t>(group)].Count() : 0;
    viewport()->update();
    emit emitCheckChanged();
}

void QPhotoGridView::SetAllChecked(bool checked) {
    if (!m_groups) {
        return;
    }
    for (size_t g = 0; g < m_groups->Groups().size(); ++g) {
        for (const indexPhoto& item : m_groups->Groups()[g].photos) {
            m_checked[static_cast<size_t>(item.index)] = checked;
        }
        m_groupChecked[g] = checked ? m_groups->Groups()[g].Count() : 0;
    }
    m_checkedTotal = checked ? m_groups->PhotoCount() : 0;
    viewport()->update();
    emit emitCheckChanged();
}

Qt::CheckState QPhotoGridView::GroupCheckState(int group) const {
    const int checked = m_groupChecked[static_cast<size_t>(group)];
    if (checked == 0) {
        return Qt::Unchecked;
    }
    return checked == m_groups->Groups()[static_cast<size_t>(group)].Count() ? Qt::Checked
                                                                             : Qt::PartiallyChecked;
}

std::vector<int> QPhotoGridView::CheckedIndexes() const {
    std::vector<int> indexes;
    for (size_t i = 0; i < m_checked.size(); ++i) {
        if (m_checked[i]) {
            indexes.push_back(static_cast<int>(i));
        }
    }
    return indexes;
}

bool QPhotoGridView::IsPlaceholder(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_failed.size()) {
        return false;
    }
    return m_failed[static_cast<size_t>(index)] || m_deviceGone;
}
