#include "picItemWidget.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {
const QColor kFrame(122, 190, 204);
const QColor kText(66, 127, 142);
} // namespace

void picItemWidget::Paint(QPainter& painter, const QRect& rect, Content content, const QImage* image,
                          const QPixmap* loadingFrame, const QString& fileName, bool checked) {
    painter.fillRect(rect, checked ? QColor(216, 243, 249) : QColor(245, 250, 251));
    painter.setPen(checked ? QColor(99, 165, 181) : kFrame);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    const QRect inner = rect.adjusted(5, 5, -5, -5);
    if (content == Content::Image && image != nullptr && !image->isNull()) {
        const QSize size = image->size().scaled(inner.size(), Qt::KeepAspectRatio);
        const QRect target(inner.center().x() - size.width() / 2 + 1,
                           inner.center().y() - size.height() / 2 + 1, size.width(), size.height());
        painter.drawImage(target, *image);
    } else if (content == Content::Loading && loadingFrame != nullptr && !loadingFrame->isNull()) {
        const QSize size = loadingFrame->size();
        painter.drawPixmap(inner.center().x() - size.width() / 2, inner.center().y() - size.height() / 2,
                           *loadingFrame);
    } else if (content == Content::Placeholder) {
        painter.setPen(kText);
        const QString name = painter.fontMetrics().elidedText(fileName, Qt::ElideMiddle, inner.width());
        painter.drawText(inner, Qt::AlignCenter, name);
    }
    PaintCheckBox(painter, CheckBoxRect(rect), checked ? Qt::Checked : Qt::Unchecked);
}

QRect picItemWidget::CheckBoxRect(const QRect& rect) {
    return QRect(rect.left() + 6, rect.top() + 6, 16, 16);
}

void picItemWidget::PaintCheckBox(QPainter& painter, const QRect& rect, Qt::CheckState state) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(99, 165, 181), 1.2));
    painter.setBrush(state == Qt::Unchecked ? QColor(255, 255, 255, 230) : QColor(99, 165, 181));
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    painter.setPen(QPen(Qt::white, 2));
    if (state == Qt::Checked) {
        const QPointF a(rect.left() + 3.5, rect.center().y() + 0.5);
        const QPointF b(rect.left() + 6.5, rect.bottom() - 3.5);
        const QPointF c(rect.right() - 3, rect.top() + 4);
        painter.drawPolyline(QList<QPointF>{a, b, c});
    } else if (state == Qt::PartiallyChecked) {
        painter.drawLine(QPointF(rect.left() + 4, rect.center().y() + 0.5),
                         QPointF(rect.right() - 3, rect.center().y() + 0.5));
    }
    painter.restore();
}
