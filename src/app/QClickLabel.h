#pragma once

#include <QLabel>

// A label that acts as a link: underlined, pointing-hand cursor, clicked() on a left-button release
// inside it.
class QClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit QClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
