#pragma once

#include <QTimer>
#include <QWidget>

// A turning ring of dots that shows work is going on; needs no image. Turns only while visible.
class QBusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit QBusyIndicator(QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(40, 40); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer m_timer;
    int m_step = 0;
};
