#include "GlyphPainter.h"

#include <QPainter>
#include <QPainterPath>

namespace {

void drawDevice(QPainter& p, const QRectF& body, qreal radius) {
    p.drawRoundedRect(body, radius, radius);
    const qreal cx = body.center().x();
    p.drawLine(QPointF(cx - 1.5, body.bottom() - 2.2), QPointF(cx + 1.5, body.bottom() - 2.2));
}

void drawArrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QLineF shaft(to, from);
    QLineF wing = shaft;
    wing.setLength(5);
    wing.setAngle(shaft.angle() + 40);
    p.drawLine(wing);
    wing.setAngle(shaft.angle() - 40);
    p.drawLine(wing);
}

void drawPolyline(QPainter& p, std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    p.drawPath(path);
}

void drawNote(QPainter& p, const QColor& color) {
    p.drawLine(QPointF(9, 18), QPointF(9, 5));
    p.drawLine(QPointF(9, 5), QPointF(19, 3));
    p.drawLine(QPointF(19, 3), QPointF(19, 16));
    p.setBrush(color);
    p.drawEllipse(QPointF(6.5, 18), 2.6, 2.2);
    p.drawEllipse(QPointF(16.5, 16), 2.6, 2.2);
    p.setBrush(Qt::NoBrush);
}

void drawStateCircle(QPainter& p, const QColor& color) {
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 12), 11, 11);
    p.setBrush(Qt::NoBrush);
    QPen pen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
}

void drawSimpleGlyph(QPainter& p, Glyph glyph, const QColor& color) {
    switch (glyph) {
    case Glyph::None:
        break;
    case Glyph::Close:
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    case Glyph::Minimize:
        p.drawLine(QPointF(6, 16), QPointF(18, 16));
        break;
    case Glyph::Maximize:
        p.drawRoundedRect(QRectF(6, 6, 12, 12), 1.5, 1.5);
        break;
    case Glyph::Restore:
        p.drawRoundedRect(QRectF(5, 9, 10, 10), 1.5, 1.5);
        drawPolyline(p, {QPointF(9, 9), QPointF(9, 5), QPointF(19, 5), QPointF(19, 15), QPointF(15, 15)});
        break;
    case Glyph::Menu:
        p.drawLine(QPointF(5, 7), QPointF(19, 7));
        p.drawLine(QPointF(5, 12), QPointF(19, 12));
        p.drawLine(QPointF(5, 17), QPointF(19, 17));
        break;
    case Glyph::Home:
        drawPolyline(p, {QPointF(3, 12), QPointF(12, 4), QPointF(21, 12)});
        drawPolyline(p, {QPointF(6, 10), QPointF(6, 20), QPointF(18, 20), QPointF(18, 10)});
        p.drawRect(QRectF(10, 14, 4, 6));
        break;
    case Glyph::Help: {
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        QPainterPath hook;
        hook.moveTo(9, 9.5);
        hook.cubicTo(9, 5.5, 15, 5.5, 15, 9.5);
        hook.cubicTo(15, 12, 12, 12, 12, 14.5);
        p.drawPath(hook);
        p.drawPoint(QPointF(12, 17.8));
        break;
    }
    case Glyph::Info:
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        p.drawLine(QPointF(12, 11), QPointF(12, 17));
        p.drawPoint(QPointF(12, 7.5));
        break;
    case Glyph::Plus:
        p.drawLine(QPointF(12, 5), QPointF(12, 19));
        p.drawLine(QPointF(5, 12), QPointF(19, 12));
        break;
    case Glyph::Minus:
        p.drawLine(QPointF(5, 12), QPointF(19, 12));
        break;
    case Glyph::Trash:
        p.drawLine(QPointF(4, 6.5), QPointF(20, 6.5));
        drawPolyline(p, {QPointF(9, 6.5), QPointF(9.5, 3.5), QPointF(14.5, 3.5), QPointF(15, 6.5)});
        drawPolyline(p, {QPointF(6, 6.5), QPointF(7, 20.5), QPointF(17, 20.5), QPointF(18, 6.5)});
        p.drawLine(QPointF(10, 10), QPointF(10, 17));
        p.drawLine(QPointF(14, 10), QPointF(14, 17));
        break;
    case Glyph::Refresh: {
        p.drawArc(QRectF(4.5, 4.5, 15, 15), 60 * 16, 270 * 16);
        drawPolyline(p, {QPointF(13.5, 2.5), QPointF(16.5, 5.3), QPointF(13.2, 7.8)});
        break;
    }
    case Glyph::List:
        for (qreal y : {6.0, 12.0, 18.0}) {
            p.drawPoint(QPointF(5, y));
            p.drawLine(QPointF(9, y), QPointF(19, y));
        }
        break;
    case Glyph::Grid:
        for (qreal x : {4.5, 13.5})
            for (qreal y : {4.5, 13.5})
                p.drawRoundedRect(QRectF(x, y, 6, 6), 1, 1);
        break;
    case Glyph::Search:
        p.drawEllipse(QPointF(10, 10), 6, 6);
        p.drawLine(QPointF(14.5, 14.5), QPointF(20, 20));
        break;
    case Glyph::ChevronLeft:
        drawPolyline(p, {QPointF(15, 5), QPointF(8, 12), QPointF(15, 19)});
        break;
    case Glyph::ChevronRight:
        drawPolyline(p, {QPointF(9, 5), QPointF(16, 12), QPointF(9, 19)});
        break;
    case Glyph::Pencil:
        drawPolyline(p, {QPointF(4, 20), QPointF(5, 15), QPointF(16, 4), QPointF(20, 8), QPointF(9, 19),
                         QPointF(4, 20)});
        p.drawLine(QPointF(13.5, 6.5), QPointF(17.5, 10.5));
        break;
    case Glyph::Phone:
        drawDevice(p, QRectF(7, 2.5, 10, 19), 2);
        break;
    case Glyph::Tablet:
        drawDevice(p, QRectF(4.5, 3, 15, 18), 2);
        break;
    case Glyph::Computer:
        p.drawRoundedRect(QRectF(3, 4, 18, 12), 1.5, 1.5);
        p.drawLine(QPointF(12, 16), QPointF(12, 20));
        p.drawLine(QPointF(8, 20), QPointF(16, 20));
        break;
    case Glyph::Music:
        drawNote(p, color);
        break;
    case Glyph::Video:
        p.drawRoundedRect(QRectF(3, 6, 13, 12), 2, 2);
        drawPolyline(p, {QPointF(16, 10), QPointF(21, 7), QPointF(21, 17), QPointF(16, 14)});
        break;
    case Glyph::Book:
        drawPolyline(p, {QPointF(12, 6), QPointF(7, 4), QPointF(3, 4.5), QPointF(3, 19), QPointF(7, 18.5),
                         QPointF(12, 20.5), QPointF(17, 18.5), QPointF(21, 19), QPointF(21, 4.5),
                         QPointF(17, 4), QPointF(12, 6), QPointF(12, 20.5)});
        break;
    case Glyph::Contacts:
        p.drawEllipse(QPointF(12, 8.5), 4, 4);
        p.drawArc(QRectF(4.5, 14, 15, 13), 0, 180 * 16);
        break;
    case Glyph::Message: {
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(3, 4, 18, 13), 4, 4);
        p.drawPath(bubble);
        drawPolyline(p, {QPointF(8, 17), QPointF(7, 21), QPointF(12, 17)});
        break;
    }
    case Glyph::Apps:
        for (qreal x : {4.0, 10.0, 16.0})
            for (qreal y : {4.0, 10.0, 16.0})
                p.drawRoundedRect(QRectF(x, y, 4, 4), 1, 1);
        break;
    case Glyph::Folder:
        drawPolyline(p, {QPointF(3, 19), QPointF(3, 5), QPointF(9, 5), QPointF(11, 7.5), QPointF(21, 7.5),
                         QPointF(21, 19), QPointF(3, 19)});
        break;
    case Glyph::FolderPlus:
        drawPolyline(p, {QPointF(3, 19), QPointF(3, 5), QPointF(9, 5), QPointF(11, 7.5), QPointF(21, 7.5),
                         QPointF(21, 19), QPointF(3, 19)});
        p.drawLine(QPointF(12, 10.5), QPointF(12, 16.5));
        p.drawLine(QPointF(9, 13.5), QPointF(15, 13.5));
        break;
    case Glyph::Photo:
        p.drawRoundedRect(QRectF(3, 5, 18, 14), 2, 2);
        drawPolyline(
            p, {QPointF(5, 17), QPointF(10, 11), QPointF(13, 14.5), QPointF(15, 12.5), QPointF(19, 17)});
        p.drawEllipse(QPointF(16, 9), 1.5, 1.5);
        break;
    case Glyph::Upload:
        drawArrow(p, QPointF(12, 16), QPointF(12, 3.5));
        drawPolyline(p, {QPointF(4, 14), QPointF(4, 20), QPointF(20, 20), QPointF(20, 14)});
        break;
    case Glyph::Download:
        drawArrow(p, QPointF(12, 3.5), QPointF(12, 16));
        drawPolyline(p, {QPointF(4, 14), QPointF(4, 20), QPointF(20, 20), QPointF(20, 14)});
        break;
    case Glyph::Tools:
        p.drawRoundedRect(QRectF(3.5, 3.5, 7, 7), 1.5, 1.5);
        p.drawRoundedRect(QRectF(13.5, 3.5, 7, 7), 1.5, 1.5);
        p.drawRoundedRect(QRectF(3.5, 13.5, 7, 7), 1.5, 1.5);
        p.drawLine(QPointF(17, 13.5), QPointF(17, 20.5));
        p.drawLine(QPointF(13.5, 17), QPointF(20.5, 17));
        break;
    case Glyph::Warning:
        p.setBrush(color);
        p.setPen(QPen(color, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolygon(QPolygonF({QPointF(12, 2.5), QPointF(22, 20.5), QPointF(2, 20.5)}));
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 8.5), QPointF(12, 13.5));
        p.drawPoint(QPointF(12, 17));
        break;
    case Glyph::Success:
        drawStateCircle(p, color);
        drawPolyline(p, {QPointF(7, 12.5), QPointF(10.5, 16), QPointF(17, 8.5)});
        break;
    case Glyph::Error:
        drawStateCircle(p, color);
        p.drawLine(QPointF(8, 8), QPointF(16, 16));
        p.drawLine(QPointF(16, 8), QPointF(8, 16));
        break;
    case Glyph::Send: {
        QPainterPath plane;
        plane.moveTo(3, 11);
        plane.lineTo(21, 3.5);
        plane.lineTo(15, 20.5);
        plane.lineTo(11, 13);
        plane.closeSubpath();
        p.drawPath(plane);
        p.drawLine(QPointF(11, 13), QPointF(21, 3.5));
        break;
    }
    case Glyph::Transfer:
        drawArrow(p, QPointF(4, 8), QPointF(20, 8));
        drawArrow(p, QPointF(20, 16), QPointF(4, 16));
        break;
    case Glyph::Playlist:
        p.drawLine(QPointF(3, 6), QPointF(14, 6));
        p.drawLine(QPointF(3, 11), QPointF(14, 11));
        p.drawLine(QPointF(3, 16), QPointF(9, 16));
        p.drawLine(QPointF(17, 19), QPointF(17, 6));
        p.drawLine(QPointF(17, 6), QPointF(21, 7.5));
        p.setBrush(color);
        p.drawEllipse(QPointF(15, 19), 2.2, 1.9);
        p.setBrush(Qt::NoBrush);
        break;
    case Glyph::Gear: {
        p.drawEllipse(QPointF(12, 12), 3, 3);
        for (int i = 0; i < 8; ++i) {
            QLineF spoke(QPointF(12, 12), QPointF(12, 3));
            spoke.setAngle(i * 45.0);
            spoke.setLength(9);
            const QPointF outer = spoke.p2();
            spoke.setLength(6);
            p.drawLine(spoke.p2(), outer);
        }
        p.drawEllipse(QPointF(12, 12), 6, 6);
        break;
    }
    case Glyph::Lock:
        p.drawRoundedRect(QRectF(5, 11, 14, 10), 2, 2);
        p.drawArc(QRectF(8, 4, 8, 12), 0, 180 * 16);
        p.drawLine(QPointF(8, 10), QPointF(8, 11));
        p.drawLine(QPointF(16, 10), QPointF(16, 11));
        p.drawLine(QPointF(12, 15), QPointF(12, 17));
        break;
    case Glyph::Document:
        drawPolyline(p, {QPointF(5, 3), QPointF(14, 3), QPointF(19, 8), QPointF(19, 21), QPointF(5, 21),
                         QPointF(5, 3)});
        drawPolyline(p, {QPointF(14, 3), QPointF(14, 8), QPointF(19, 8)});
        p.drawLine(QPointF(8.5, 13), QPointF(15.5, 13));
        p.drawLine(QPointF(8.5, 17), QPointF(15.5, 17));
        break;
    case Glyph::Check:
        drawPolyline(p, {QPointF(5, 12.5), QPointF(10, 17.5), QPointF(19, 6.5)});
        break;
    case Glyph::Box:
        drawPolyline(p, {QPointF(3, 8), QPointF(12, 3.5), QPointF(21, 8), QPointF(21, 17), QPointF(12, 21.5),
                         QPointF(3, 17), QPointF(3, 8), QPointF(12, 12.5), QPointF(21, 8)});
        p.drawLine(QPointF(12, 12.5), QPointF(12, 21.5));
        break;
    case Glyph::Storage:
        p.drawRoundedRect(QRectF(3, 5, 18, 6), 1.5, 1.5);
        p.drawRoundedRect(QRectF(3, 13, 18, 6), 1.5, 1.5);
        p.drawPoint(QPointF(17.5, 8));
        p.drawPoint(QPointF(17.5, 16));
        break;
    }
}

} // namespace

void GlyphPainter::Draw(QPainter& painter, Glyph glyph, const QRectF& target, const QColor& color) {
    if (glyph == Glyph::None)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(target.width(), target.height());
    painter.translate(target.center().x() - side / 2, target.center().y() - side / 2);
    painter.scale(side / 24.0, side / 24.0);
    // Thin strokes disappear in small icons, so the stroke grows a little as the glyph shrinks.
    const qreal stroke = side < 20 ? 2.2 : (side > 48 ? 1.6 : 1.9);
    painter.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    drawSimpleGlyph(painter, glyph, color);
    painter.restore();
}
