#pragma once

#include <QWidget>

// The handle of qSliderCtrl: a round knob the user drags along the groove.
class QSliderCtrlBtn : public QWidget {
    Q_OBJECT
public:
    explicit QSliderCtrlBtn(QWidget* parent = nullptr);

signals:
    // While dragged: the event and the horizontal distance moved since the press.
    void mouseMove(QMouseEvent* event, int dx);
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_pressX = 0;
};
