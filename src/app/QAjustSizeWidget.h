#pragma once

#include <QWidget>

// Which part of the window frame a border strip resizes.
enum tagFlag {
    FlagLeft = 0,
    FlagLeftTop = 1,
    FlagTop = 2,
    FlagRightTop = 3,
    FlagRight = 4,
    FlagRightBottom = 5,
    FlagBottom = 6,
    FlagLeftBottom = 7
};

// One of the eight border strips of the frameless main window. While the left button drags it, it
// reports the mouse's global position together with its own flag.
class QAjustSizeWidget : public QWidget {
    Q_OBJECT
public:
    explicit QAjustSizeWidget(QWidget* parent = nullptr);

    void SetFlag(tagFlag flag);
    tagFlag Flag() const { return m_flag; }

signals:
    void mouseMove(tagFlag flag, int x, int y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    tagFlag m_flag = FlagLeft;
    bool m_pressed = false;
};
