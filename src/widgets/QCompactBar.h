#pragma once

#include <QObject>

class QBoxLayout;
class QWidget;

// Watches a bar of QBarButtons in a horizontal box layout: when their texts do not fit the bar's width
// (a narrow window, a language with long words) every button shows its icon alone, and its text again
// once there is room. The bar's own minimum width no longer grows with its texts. Owned by the bar.
class QCompactBar : public QObject {
    Q_OBJECT
public:
    static QCompactBar* Install(QWidget* bar);

    // The width the bar needs to show every text.
    int TextWidth() const;
    void Fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit QCompactBar(QWidget* bar);

    QWidget* m_bar;
};
