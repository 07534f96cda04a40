#pragma once

#include <QRect>
#include <QSize>

// Where the message dialog puts its pieces, worked out from the sizes of its images and texts: the
// title bar image on top, then the body with the icon and message row and the button row, then the
// bottom edge image.
// Kept apart from the widget so the arithmetic can be checked without painting.
class CMessageLayout {
public:
    struct Input {
        int width = 420;
        int minimumHeight = 190;
        int topHeight = 36;
        int bottomHeight = 16;
        QSize titleIcon;
        QSize closeButton;
        QSize stateIcon; // empty when no state icon is shown
        QSize firstButton;
        QSize secondButton;    // empty when there is one button
        int titleHeight = 0;   // height of the wrapped title in TitleWidth()
        int messageHeight = 0; // height of the wrapped message in MessageWidth()
    };

    static constexpr int kMargin = 24;
    static constexpr int kMinimumButtonLeft = 15;
    static constexpr int kButtonGap = 24;

    explicit CMessageLayout(const Input& input);

    // Widths the texts wrap in; the caller measures the heights for these widths first.
    static int TitleWidth(const Input& input);
    static int MessageWidth(const Input& input);

    QSize DialogSize() const { return m_size; }
    QRect TitleIconRect() const { return m_titleIcon; }
    QRect TitleRect() const { return m_title; }
    QRect CloseButtonRect() const { return m_closeButton; }
    QRect BodyRect() const { return m_body; }
    QRect StateIconRect() const { return m_stateIcon; }
    QRect MessageRect() const { return m_message; }
    QRect FirstButtonRect() const { return m_firstButton; }
    QRect SecondButtonRect() const { return m_secondButton; }

private:
    static int TitleLeft(const Input& input);
    static int MessageLeft(const Input& input);
    int ButtonRowTop(const Input& input) const;
    void PlaceTitleBar(const Input& input);
    void PlaceBody(const Input& input);
    void PlaceButtons(const Input& input);

    QSize m_size;
    QRect m_titleIcon;
    QRect m_title;
    QRect m_closeButton;
    QRect m_body;
    QRect m_stateIcon;
    QRect m_message;
    QRect m_firstButton;
    QRect m_secondButton;
};
