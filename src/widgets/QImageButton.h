#pragma once

#include <QPixmap>
#include <QPushButton>
#include <array>

// A push button drawn from images, one per state: normal, hover, pressed, disabled. Until images are
// set (or when they fail to load) it looks like an ordinary push button.
class QImageButton : public QPushButton {
    Q_OBJECT
public:
    enum State { Normal, Hover, Pressed, Disabled, StateCount };

    explicit QImageButton(QWidget* parent = nullptr);

    // One horizontal strip of `states` equal frames in the order above; states the strip lacks reuse
    // the normal frame. Resizes the button to one frame.
    bool SetImages(const QString& stripPath, int states = StateCount);
    bool SetImages(const QString& normal, const QString& hover, const QString& pressed,
                   const QString& disabled);
    bool HasImages() const { return !m_frames[Normal].isNull(); }
    State CurrentState() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ApplyFrames(const std::array<QPixmap, StateCount>& frames);

    std::array<QPixmap, StateCount> m_frames;
    bool m_hovered = false;
};
