#include "TreeDelegate.h"

#include <QPainter>
#include <QPixmap>

#include "TreeModel.h"

namespace {

const QColor kHighlightColour(212, 240, 247);
const QColor kSelectedColour(122, 190, 204);
const QColor kTextColour(50, 70, 80);
constexpr int kIconTextGap = 6;

} // namespace

TreeDelegate::TreeDelegate(QObject* parent)
    : QStyledItemDelegate(parent) {}

void TreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const int state = index.data(TreeModel::StateRole).toInt();
    const QRect row = option.rect;
    painter->save();
    if (state == NODE_STATE_SELECTED)
        painter->fillRect(row, kSelectedColour);
    else if (state == NODE_STATE_HIGHLIGHTED)
        painter->fillRect(row, kHighlightColour);

    int x = row.left() + 4;
    const QPixmap icon = index.data(Qt::DecorationRole).value<QPixmap>();
    if (!icon.isNull()) {
        const QSize size = icon.size().scaled(row.height() - 6, row.height() - 6, Qt::KeepAspectRatio);
        painter->drawPixmap(QRect(QPoint(x, row.top() + (row.height() - size.height()) / 2), size), icon);
        x += size.width() + kIconTextGap;
    }
    QFont font = option.font;
    // Device nodes head their categories.
    font.setBold(!index.parent().isValid());
    painter->setFont(font);
    painter->setPen(state == NODE_STATE_SELECTED ? QColor(Qt::white) : kTextColour);
    const QRect textRect(x, row.top(), row.right() - x - 22, row.height());
    const QString text =
        painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
    painter->restore();
}

QSize TreeDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(index.parent().isValid() ? 28 : 34);
    return size;
}
