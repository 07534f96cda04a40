#pragma once

#include <QPushButton>

// A text button of a tool bar that can draw itself as its icon alone, its text then shown as a tool
// tip. The text stays the button's text either way, so retranslating it works in both modes.
class QBarButton : public QPushButton {
    Q_OBJECT
public:
    explicit QBarButton(QWidget* parent = nullptr);

    void SetCompact(bool compact);
    bool IsCompact() const { return m_compact; }
    // The width the button needs to show its text, whatever its mode.
    int TextWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QSize HintFor(bool compact) const;

    bool m_compact = false;
};
