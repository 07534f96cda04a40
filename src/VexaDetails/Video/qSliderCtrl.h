#pragma once

#include <QWidget>

class QSliderCtrlBtn;

// A horizontal slider drawn as a groove with a filled part and a knob. It reports the knob's place as
// a fraction in [0, 1] when the user clicks the groove or lets the knob go.
class qSliderCtrl : public QWidget {
    Q_OBJECT
public:
    explicit qSliderCtrl(QWidget* parent = nullptr);

    double Value() const { return m_value; }
    // Moves the knob without reporting; ignored while the user drags it.
    void SetValue(double fraction);
    bool IsDragging() const { return m_dragging; }

signals:
    void sendProgressValue(double fraction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceKnob();
    double FractionAt(int x) const;

    QSliderCtrlBtn* m_knob;
    double m_value = 0;
    bool m_dragging = false;
};
