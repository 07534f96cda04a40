#include "CMessageLayout.h"

#include <algorithm>

namespace {
constexpr int kTitleInset = 10;
constexpr int kCloseInset = 6;
constexpr int kIconGap = 8;
constexpr int kStateIconGap = 16;
constexpr int kBodyPadding = 20;
constexpr int kButtonPadding = 14;

int buttonRowHeight(const CMessageLayout::Input& input) {
    return std::max(input.firstButton.height(), input.secondButton.height());
}
} // namespace

CMessageLayout::CMessageLayout(const Input& input) {
    const int contentHeight = std::max(input.stateIcon.height(), input.messageHeight);
    const int height = input.topHeight + kBodyPadding + contentHeight + kBodyPadding +
                       buttonRowHeight(input) + kButtonPadding + input.bottomHeight;
    m_size = QSize(input.width, std::max(height, input.minimumHeight));
    PlaceTitleBar(input);
    PlaceBody(input);
    PlaceButtons(input);
}

int CMessageLayout::TitleLeft(const Input& input) {
    return kTitleInset + (input.titleIcon.isEmpty() ? 0 : input.titleIcon.width() + kIconGap);
}

int CMessageLayout::TitleWidth(const Input& input) {
    const int right = input.width - kCloseInset - input.closeButton.width() - kIconGap;
    return std::max(1, right - TitleLeft(input));
}

int CMessageLayout::MessageLeft(const Input& input) {
    return kMargin + (input.stateIcon.isEmpty() ? 0 : input.stateIcon.width() + kStateIconGap);
}

int CMessageLayout::MessageWidth(const Input& input) {
    return std::max(1, input.width - kMargin - MessageLeft(input));
}

int CMessageLayout::ButtonRowTop(const Input& input) const {
    return m_size.height() - input.bottomHeight - kButtonPadding - buttonRowHeight(input);
}

void CMessageLayout::PlaceTitleBar(const Input& input) {
    const int top = input.topHeight;
    if (!input.titleIcon.isEmpty()) {
        m_titleIcon = QRect(QPoint(kTitleInset, (top - input.titleIcon.height()) / 2), input.titleIcon);
    }
    const int titleHeight = std::min(top, std::max(input.titleHeight, 1));
    m_title = QRect(TitleLeft(input), (top - titleHeight) / 2, TitleWidth(input), titleHeight);
    m_closeButton = QRect(
        QPoint(input.width - kCloseInset - input.closeButton.width(), (top - input.closeButton.height()) / 2),
        input.closeButton);
}

void CMessageLayout::PlaceBody(const Input& input) {
    m_body = QRect(0, input.topHeight, input.width, m_size.height() - input.topHeight - input.bottomHeight);
    // Icon and message share one row above the buttons, each centred on the taller of the two.
    const int rowTop = m_body.top() + kBodyPadding;
    const int rowHeight = ButtonRowTop(input) - kBodyPadding - rowTop;
    if (!input.stateIcon.isEmpty()) {
        m_stateIcon =
            QRect(QPoint(kMargin, rowTop + (rowHeight - input.stateIcon.height()) / 2), input.stateIcon);
    }
    const int messageHeight = std::min(rowHeight, input.messageHeight);
    m_message = QRect(MessageLeft(input), rowTop + (rowHeight - messageHeight) / 2, MessageWidth(input),
                      messageHeight);
}

void CMessageLayout::PlaceButtons(const Input& input) {
    const int rowTop = ButtonRowTop(input);
    const int rowHeight = buttonRowHeight(input);
    const int centre = input.width / 2;
    auto placeAt = [&](int left, const QSize& size) {
        return QRect(QPoint(left, rowTop + (rowHeight - size.height()) / 2), size);
    };
    if (input.secondButton.isEmpty()) {
        m_firstButton = placeAt(centre - input.firstButton.width() / 2, input.firstButton);
        return;
    }
    const int firstLeft = std::max(kMinimumButtonLeft, centre - kButtonGap / 2 - input.firstButton.width());
    m_firstButton = placeAt(firstLeft, input.firstButton);
    m_secondButton = placeAt(std::max(centre + kButtonGap / 2, m_firstButton.right() + 1 + kButtonGap),
                             input.secondButton);
}
