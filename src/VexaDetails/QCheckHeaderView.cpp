#include "QCheckHeaderView.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPainter>

#include "LanguageService.h"

QCheckHeaderView::QCheckHeaderView(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    setSectionsClickable(true);
    m_checkBox = new QCheckBox(this);
    m_checkBox->setObjectName(QStringLiteral("m_checkAll"));
    m_checkBox->setTristate(true);
    m_checkBox->setCheckState(Qt::Unchecked);
    m_checkBox->move(5, 5);
    // Only the box, no text: a wider widget would take clicks meant for the next section.
    m_checkBox->resize(m_checkBox->sizeHint());
    // The box's own tristate cycle would go checked -> partly; the header decides the next state.
    m_checkBox->setFocusPolicy(Qt::NoFocus);
    connect(m_checkBox, &QCheckBox::clicked, this, &QCheckHeaderView::OnClickCheck);
}

void QCheckHeaderView::SetBackgroundImage(const QPixmap& image) {
    m_background = image;
    if (!image.isNull())
        setFixedHeight(image.height());
}

void QCheckHeaderView::SetSortImages(const QPixmap& ascending, const QPixmap& descending) {
    m_ascending = ascending;
    m_descending = descending;
}

void QCheckHeaderView::LoadDefaultImages() {
    const QString dir = ResourceRoot() + QStringLiteral("/image/details/");
    SetBackgroundImage(QPixmap(dir + QStringLiteral("header_bg.png")));
    SetSeparatorImage(QPixmap(dir + QStringLiteral("header_slip.png")));
    SetPressedImage(QPixmap(dir + QStringLiteral("header_select_bg.png")));
    const QPixmap up(dir + QStringLiteral("order_flag_up.png"));
    SetSortImages(up, up.isNull() ? QPixmap() : up.transformed(QTransform().scale(1, -1)));
}

Qt::CheckState QCheckHeaderView::CheckState() const {
    return m_checkBox->checkState();
}

void QCheckHeaderView::SetCheckState(Qt::CheckState state) {
    m_checkBox->setCheckState(state);
}

void QCheckHeaderView::OnClickCheck() {
    // QCheckBox has already stepped its tristate cycle; a partly checked box always means "check
    // all", so both partial states end up checked.
    if (m_checkBox->checkState() == Qt::PartiallyChecked)
        m_checkBox->setCheckState(Qt::Checked);
    emit checkChange(m_checkBox->checkState() == Qt::Checked);
}

void QCheckHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (m_background.isNull()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    painter->save();
    const QPixmap& back =
        (logicalIndex == m_pressedSection && !m_pressed.isNull()) ? m_pressed : m_background;
    painter->drawPixmap(rect, back);
    if (!m_separator.isNull())
        painter->drawPixmap(
            QRect(rect.right() - m_separator.width() + 1, rect.top(), m_separator.width(), rect.height()),
            m_separator);
    if (model()) {
        painter->setPen(m_textColor);
        const QString text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        painter->drawText(rect, Qt::AlignCenter, text);
    }
    if (isSortIndicatorShown() && sortIndicatorSection() == logicalIndex) {
        const QPixmap& flag = sortIndicatorOrder() == Qt::DescendingOrder ? m_descending : m_ascending;
        if (!flag.isNull())
            painter->drawPixmap(rect.right() - 10 - flag.width(), rect.center().y() - flag.height() / 2,
                                flag);
    }
    painter->restore();
}

void QCheckHeaderView::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    PlaceCheckBox();
}

void QCheckHeaderView::PlaceCheckBox() {
    // Follows section 0 when columns move or the table scrolls sideways, and leaves with it rather
    // than lie over the next column's title.
    const int left = sectionViewportPosition(0);
    const QPoint place(viewport()->x() + left + 5, 5);
    const bool fits = count() > 0 && !isSectionHidden(0) && left + 5 >= 0 &&
                      place.x() + m_checkBox->width() <= viewport()->x() + left + sectionSize(0);
    if (m_checkBox->pos() != place)
        m_checkBox->move(place);
    if (m_checkBox->isVisibleTo(this) != fits)
        m_checkBox->setVisible(fits);
}

void QCheckHeaderView::mousePressEvent(QMouseEvent* event) {
    m_pressedSection = logicalIndexAt(event->position().toPoint());
    viewport()->update();
    QHeaderView::mousePressEvent(event);
}

void QCheckHeaderView::mouseReleaseEvent(QMouseEvent* event) {
    m_pressedSection = -1;
    viewport()->update();
    QHeaderView::mouseReleaseEvent(event);
}
