#include "QDiskContentBar.h"

#include <algorithm>

#include <QPainter>

#include "WidgetColors.h"

namespace {

constexpr int kMinimumSliver = 3;

int EdgeFor(uint64_t total, uint64_t capacity, int width) {
    if (total >= capacity)
        return width;
    // 128-bit product: terabyte counts times a few thousand pixels would overflow 64 bits.
    const unsigned __int128 scaled = static_cast<unsigned __int128>(total) * static_cast<unsigned>(width);
    return static_cast<int>(scaled / capacity);
}

void FillSpan(QPainter& painter, const QRect& rect, const QPixmap& strip, const QColor& fallback) {
    if (rect.isEmpty())
        return;
    if (strip.isNull())
        painter.fillRect(rect, fallback);
    else
        painter.drawPixmap(rect, strip);
}

} // namespace

QDiskContentBar::QDiskContentBar(QWidget* parent)
    : QWidget(parent) {
    setMinimumHeight(12);
}

bool QDiskContentBar::SetBackground(const QString& path) {
    QPixmap pixmap(path);
    if (pixmap.isNull())
        return false;
    m_background = pixmap;
    update();
    return true;
}

void QDiskContentBar::SetContent(uint64_t capacity, std::vector<Segment> segments) {
    m_capacity = capacity;
    m_segments = std::move(segments);
    update();
}

std::vector<std::pair<int, int>> QDiskContentBar::SegmentSpans(const std::vector<uint64_t>& sizes,
                                                               uint64_t capacity, int width) {
    std::vector<std::pair<int, int>> spans;
    spans.reserve(sizes.size());
    width = std::max(width, 0);
    uint64_t total = 0;
    int left = 0;
    for (uint64_t size : sizes) {
        // Saturate instead of wrapping when a device reports nonsense sizes.
        total = (size > UINT64_MAX - total) ? UINT64_MAX : total + size;
        const int right = capacity == 0 ? 0 : EdgeFor(total, capacity, width);
        spans.emplace_back(left, right);
        left = right;
    }
    return spans;
}

void QDiskContentBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect bar = rect();
    FillSpan(painter, bar, m_background, WidgetColors::kPaleTeal);

    std::vector<uint64_t> sizes;
    sizes.reserve(m_segments.size());
    for (const Segment& segment : m_segments)
        sizes.push_back(segment.bytes);
    const auto spans = SegmentSpans(sizes, m_capacity, bar.width());
    // A category of a few megabytes on a large disk rounds to nothing; a sliver still shows it is there,
    // and the segments after it move right by as much.
    int cursor = 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        const int left = std::max(spans[i].first, cursor);
        int right = std::max(spans[i].second, left);
        if (m_segments[i].bytes > 0)
            right = std::max(right, left + kMinimumSliver);
        right = std::min(right, bar.width());
        FillSpan(painter, QRect(left, 0, right - left, bar.height()), m_segments[i].strip,
                 WidgetColors::kTeal);
        cursor = right;
    }
}
