#include "PiecePainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "BackgroundPainter.h"
#include "GlyphPainter.h"
#include "Theme.h"

namespace {

void paintBadge(QPainter& p, const QRectF& box, const AssetSpec& spec) {
    const QRectF tile = box.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(spec.accent);
    p.drawRoundedRect(tile, tile.width() * 0.22, tile.width() * 0.22);
    const qreal inset = tile.width() * 0.18;
    GlyphPainter::Draw(p, spec.glyph, tile.adjusted(inset, inset, -inset, -inset), Theme::kWhite);
}

void paintMediaThumb(QPainter& p, const QRectF& box, const AssetSpec& spec) {
    const QRectF tile = box.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(tile.topLeft(), tile.bottomRight());
    fill.setColorAt(0, Theme::kTealPale);
    fill.setColorAt(1, Theme::kTealLight);
    p.setPen(QPen(Theme::kBorder, 1));
    p.setBrush(fill);
    p.drawRoundedRect(tile, tile.width() * 0.16, tile.width() * 0.16);
    const qreal inset = tile.width() * 0.2;
    GlyphPainter::Draw(p, spec.glyph, tile.adjusted(inset, inset, -inset, -inset), Theme::kTealDark);
}

// A stretchable strip: the same in every column, so the window can scale it to any width.
void paintBarStrip(QPainter& p, const QRectF& box, const QColor& color) {
    QLinearGradient fill(0, 0, 0, box.height());
    fill.setColorAt(0, color.lighter(108));
    fill.setColorAt(1, color.darker(104));
    p.fillRect(box, fill);
}

void paintMessageTop(QPainter& p, const QRectF& box) {
    QPainterPath shape;
    const qreal r = 8;
    shape.moveTo(0.5, box.height());
    shape.lineTo(0.5, r);
    shape.arcTo(QRectF(0.5, 0.5, 2 * r, 2 * r), 180, -90);
    shape.lineTo(box.width() - r - 0.5, 0.5);
    shape.arcTo(QRectF(box.width() - 2 * r - 0.5, 0.5, 2 * r, 2 * r), 90, -90);
    shape.lineTo(box.width() - 0.5, box.height());
    QLinearGradient band(0, 0, 0, box.height());
    band.setColorAt(0, Theme::kTealPale);
    band.setColorAt(1, Theme::kTealLight);
    p.fillPath(shape, band);
    p.setPen(QPen(Theme::kTeal, 1));
    p.drawPath(shape);
    p.fillRect(QRectF(1, box.height() - 1, box.width() - 2, 1), Theme::kBorder);
}

void paintMessageBottom(QPainter& p, const QRectF& box) {
    QPainterPath shape;
    const qreal r = 8;
    shape.moveTo(0.5, 0);
    shape.lineTo(0.5, box.height() - r - 0.5);
    shape.arcTo(QRectF(0.5, box.height() - 2 * r - 0.5, 2 * r, 2 * r), 180, 90);
    shape.lineTo(box.width() - r - 0.5, box.height() - 0.5);
    shape.arcTo(QRectF(box.width() - 2 * r - 0.5, box.height() - 2 * r - 0.5, 2 * r, 2 * r), 270, 90);
    shape.lineTo(box.width() - 0.5, 0);
    p.fillPath(shape, Theme::kWhite);
    p.setPen(QPen(Theme::kTeal, 1));
    p.drawPath(shape);
}

// Side edges: the outer border line on white; the right edge is the left one mirrored.
void paintSide(QPainter& p, const QRectF& box, bool right, const QColor& fill) {
    p.fillRect(box, fill);
    p.fillRect(QRectF(right ? box.width() - 1 : 0, 0, 1, box.height()), Theme::kTeal);
}

void paintWindowTop(QPainter& p, const QRectF& box) {
    QLinearGradient band(0, 0, 0, box.height());
    band.setColorAt(0, Theme::kTealPale);
    band.setColorAt(1, Theme::kTealLight);
    p.fillRect(box, band);
    p.fillRect(QRectF(0, 0, box.width(), 1), Theme::kTeal);
    p.fillRect(QRectF(0, box.height() - 1, box.width(), 1), Theme::kBorder);
}

void paintWindowBottom(QPainter& p, const QRectF& box) {
    p.fillRect(box, Theme::kTealPale);
    p.fillRect(QRectF(0, box.height() - 1, box.width(), 1), Theme::kTeal);
}

void paintBubble(QPainter& p, const QRectF& box, const AssetSpec& spec) {
    const QColor fill = spec.mirrored ? Theme::kTeal : QColor(238, 242, 243);
    const qreal r = 10;
    const qreal tail = 8;
    // The bubble body leaves room for its tail on the side it points to.
    const QRectF body = spec.mirrored ? QRectF(0, 0, box.width() - tail, box.height())
                                      : QRectF(tail, 0, box.width() - tail, box.height());
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    if (spec.look == Look::BubbleCenter) {
        p.drawRect(body);
        return;
    }
    QPainterPath shape;
    if (spec.look == Look::BubbleTop) {
        shape.addRoundedRect(QRectF(body.left(), 0, body.width(), box.height() + 2 * r), r, r);
    } else {
        shape.addRoundedRect(QRectF(body.left(), -2 * r, body.width(), box.height() + 2 * r - 2), r, r);
        QPainterPath tailPath;
        const qreal edge = spec.mirrored ? body.right() : body.left();
        const qreal tip = spec.mirrored ? box.width() : 0;
        tailPath.moveTo(edge, box.height() - 14);
        tailPath.quadTo(edge, box.height() - 2, tip, box.height());
        tailPath.quadTo(edge + (spec.mirrored ? -6 : 6), box.height() - 2, edge + (spec.mirrored ? -10 : 10),
                        box.height() - 6);
        shape = shape.united(tailPath);
    }
    p.save();
    p.setClipRect(box);
    p.drawPath(shape);
    p.restore();
}

void paintSearchField(QPainter& p, const QRectF& box) {
    p.setPen(QPen(Theme::kBorder, 1));
    p.setBrush(Theme::kWhite);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), box.height() / 2, box.height() / 2);
}

void paintHeader(QPainter& p, const QRectF& box, bool pressed) {
    QLinearGradient fill(0, 0, 0, box.height());
    fill.setColorAt(0, pressed ? Theme::kTeal : QColor(150, 210, 222));
    fill.setColorAt(1, pressed ? Theme::kTealDark : Theme::kHeader);
    p.fillRect(box, fill);
    p.fillRect(QRectF(0, box.height() - 1, box.width(), 1), Theme::kTealDark);
}

void paintSortArrow(QPainter& p, const QRectF& box) {
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::kInk);
    p.drawPolygon(QPolygonF(
        {QPointF(box.width() / 2, 0), QPointF(box.width(), box.height()), QPointF(0, box.height())}));
}

void paintPanelStrip(QPainter& p, const QRectF& box) {
    QLinearGradient fill(0, 0, 0, box.height());
    fill.setColorAt(0, Theme::kWhite);
    fill.setColorAt(1, Theme::kTealPale);
    p.fillRect(box, fill);
    p.fillRect(QRectF(0, box.height() - 1, box.width(), 1), Theme::kBorder);
}

void paintSwatch(QPainter& p, const QRectF& box, const QColor& color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 3, 3);
}

} // namespace

QImage PiecePainter::Paint(const AssetSpec& spec) {
    QImage image(spec.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(QPointF(0, 0), spec.size);
    switch (spec.look) {
    case Look::GlyphIcon:
        GlyphPainter::Draw(p, spec.glyph, box, spec.accent);
        break;
    case Look::StateIcon:
        GlyphPainter::Draw(p, spec.glyph, box.adjusted(1, 1, -1, -1), spec.accent);
        break;
    case Look::BadgeIcon:
        paintBadge(p, box, spec);
        break;
    case Look::MediaThumb:
        paintMediaThumb(p, box, spec);
        break;
    case Look::Swatch:
        paintSwatch(p, box, spec.accent);
        break;
    case Look::BarStrip:
    case Look::ProgressFill:
        paintBarStrip(p, box, spec.accent);
        break;
    case Look::ProgressGroove:
        p.fillRect(box, Theme::kTealPale);
        p.fillRect(QRectF(0, 0, box.width(), 1), Theme::kBorder);
        p.fillRect(QRectF(0, box.height() - 1, box.width(), 1), Theme::kBorder);
        break;
    case Look::SearchField:
        paintSearchField(p, box);
        break;
    case Look::PanelStrip:
        paintPanelStrip(p, box);
        break;
    case Look::HeaderNormal:
    case Look::HeaderPressed:
        paintHeader(p, box, spec.look == Look::HeaderPressed);
        break;
    case Look::HeaderSeparator:
        p.fillRect(QRectF(0, 5, 1, box.height() - 10), QColor(255, 255, 255, 150));
        p.fillRect(QRectF(1, 5, 1, box.height() - 10), Theme::kTealDark);
        break;
    case Look::SortArrow:
        paintSortArrow(p, box);
        break;
    case Look::MessageTop:
        paintMessageTop(p, box);
        break;
    case Look::MessageBottom:
        paintMessageBottom(p, box);
        break;
    case Look::MessageSide:
        paintSide(p, box, spec.mirrored, Theme::kWhite);
        break;
    case Look::WindowTop:
        paintWindowTop(p, box);
        break;
    case Look::WindowBottom:
        paintWindowBottom(p, box);
        break;
    case Look::WindowSide:
        paintSide(p, box, spec.mirrored, Theme::kTealPale);
        break;
    case Look::BubbleTop:
    case Look::BubbleCenter:
    case Look::BubbleBottom:
        paintBubble(p, box, spec);
        break;
    default:
        BackgroundPainter::PaintAppIcon(p, box);
        break;
    }
    return image;
}
