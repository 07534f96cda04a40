#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include <QPixmap>
#include <QWidget>

// A storage bar: coloured segments, each as wide as its share of the capacity, drawn left to right on
// a background strip that stands for the rest.
class QDiskContentBar : public QWidget {
    Q_OBJECT
public:
    struct Segment {
        uint64_t bytes = 0;
        QPixmap strip;
    };

    explicit QDiskContentBar(QWidget* parent = nullptr);

    bool SetBackground(const QString& path);
    void SetContent(uint64_t capacity, std::vector<Segment> segments);
    uint64_t Capacity() const { return m_capacity; }
    int SegmentCount() const { return static_cast<int>(m_segments.size()); }

    // Left and right pixel edges of each segment in a bar `width` pixels wide. Edges come from the
    // running total, so rounding never accumulates, and content beyond the capacity is cut off.
    static std::vector<std::pair<int, int>> SegmentSpans(const std::vector<uint64_t>& sizes,
                                                         uint64_t capacity, int width);

    QSize sizeHint() const override { return QSize(520, 22); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_background;
    uint64_t m_capacity = 0;
    std::vector<Segment> m_segments;
};
