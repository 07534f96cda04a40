#pragma once

#include <QColor>
#include <QHeaderView>
#include <QPixmap>

class QCheckBox;

// Horizontal header of the record tables: sections drawn from images, sort indicators, and a
// check-all box in section 0 that the view keeps in step with the records' marks.
class QCheckHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit QCheckHeaderView(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

    // The background's height becomes the header's fixed height.
    void SetBackgroundImage(const QPixmap& image);
    void SetSeparatorImage(const QPixmap& image) { m_separator = image; }
    void SetPressedImage(const QPixmap& image) { m_pressed = image; }
    void SetSortImages(const QPixmap& ascending, const QPixmap& descending);
    void SetTextColor(const QColor& color) { m_textColor = color; }
    // Loads the images every record view uses; missing ones leave the standard painting.
    void LoadDefaultImages();

    Qt::CheckState CheckState() const;
    // Sets the box without raising checkChange.
    void SetCheckState(Qt::CheckState state);
    QCheckBox* CheckBox() const { return m_checkBox; }

signals:
    void checkChange(bool checked);

public slots:
    void OnClickCheck();

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PlaceCheckBox();

    QPixmap m_background;
    QPixmap m_separator;
    QPixmap m_pressed;
    QPixmap m_ascending;
    QPixmap m_descending;
    QColor m_textColor = Qt::black;
    QCheckBox* m_checkBox = nullptr;
    int m_pressedSection = -1;
};
