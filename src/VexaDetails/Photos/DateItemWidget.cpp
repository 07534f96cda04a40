#include "DateItemWidget.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include "picItemWidget.h"

void DateItemWidget::Paint(QPainter& painter, const QRect& rect, const QString& month, int count,
                           Qt::CheckState state) {
    painter.fillRect(rect.adjusted(0, 4, 0, -2), QColor(216, 243, 249));
    picItemWidget::PaintCheckBox(painter, CheckBoxRect(rect), state);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(66, 127, 142));
    const QRect text = rect.adjusted(CheckBoxRect(rect).right() + 10, 4, -10, -2);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, month);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(text.adjusted(painter.fontMetrics().horizontalAdvance(month) + 24, 0, 0, 0),
                     Qt::AlignVCenter | Qt::AlignLeft, tr("Total:") + QStringLiteral(" %1").arg(count));
}

QRect DateItemWidget::CheckBoxRect(const QRect& rect) {
    return QRect(rect.left() + 10, rect.top() + 4 + (rect.height() - 6 - 16) / 2, 16, 16);
}
