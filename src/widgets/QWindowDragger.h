#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Lets the user move a frameless window by dragging it with the left mouse button anywhere that a
// child widget does not take the press itself.
class QWindowDragger : public QObject {
    Q_OBJECT
public:
    explicit QWindowDragger(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QPoint m_pressOffset;
    bool m_dragging = false;
};
