#include "QBarButton.h"

#include <QHelpEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolTip>
#include <algorithm>

QBarButton::QBarButton(QWidget* parent)
    : QPushButton(parent) {}

void QBarButton::SetCompact(bool compact) {
    if (compact == m_compact)
        return;
    m_compact = compact;
    updateGeometry();
    update();
}

QSize QBarButton::HintFor(bool compact) const {
    QStyleOptionButton option;
    initStyleOption(&option);
    if (compact && !option.icon.isNull())
        option.text.clear();
    else
        option.icon = QIcon();
    const QFontMetrics metrics = fontMetrics();
    QSize content = option.text.isEmpty() ? QSize() : metrics.size(Qt::TextShowMnemonic, option.text);
    if (!option.icon.isNull())
        content = option.iconSize;
    content.setHeight(std::max(content.height(), metrics.height()));
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, content, this);
}

int QBarButton::TextWidth() const {
    return HintFor(false).width();
}

QSize QBarButton::sizeHint() const {
    return HintFor(m_compact);
}

QSize QBarButton::minimumSizeHint() const {
    return sizeHint();
}

bool QBarButton::event(QEvent* event) {
    // A compact button without a tool tip of its own says what it does in its text.
    if (event->type() == QEvent::ToolTip && m_compact && toolTip().isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QPushButton::event(event);
}

void QBarButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (m_compact && !option.icon.isNull())
        option.text.clear();
    else
        option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);
}
