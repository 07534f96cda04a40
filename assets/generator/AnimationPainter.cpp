#include "AnimationPainter.h"

#include <cmath>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "GlyphPainter.h"
#include "Theme.h"

namespace {

QImage blankFrame(const QSize& size) {
    QImage frame(size, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    return frame;
}

Movie spinner(const QSize& size) {
    constexpr int kDots = 10;
    Movie movie{{}, 80};
    const qreal side = qMin(size.width(), size.height());
    const QPointF center(size.width() / 2.0, size.height() / 2.0);
    const qreal orbit = side * 0.36;
    const qreal dot = qMax(1.3, side * 0.085);
    for (int step = 0; step < kDots; ++step) {
        QImage frame = blankFrame(size);
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < kDots; ++i) {
            const int age = (step - i + kDots) % kDots;
            QColor color = Theme::kTealDark;
            color.setAlphaF(1.0 - age * 0.08);
            p.setBrush(color);
            const qreal angle = 2 * M_PI * i / kDots - M_PI / 2;
            p.drawEllipse(center + QPointF(std::cos(angle) * orbit, std::sin(angle) * orbit),
                          dot * (1.0 - age * 0.05), dot * (1.0 - age * 0.05));
        }
        movie.frames.append(frame);
    }
    return movie;
}

Movie progressStrip(const QSize& size) {
    constexpr int kFrames = 12;
    Movie movie{{}, 60};
    const qreal period = 24;
    for (int step = 0; step < kFrames; ++step) {
        QImage frame = blankFrame(size);
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath groove;
        groove.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), size.height() / 2.0,
                              size.height() / 2.0);
        p.fillPath(groove, Theme::kTeal);
        p.setClipPath(groove);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 80));
        const qreal shift = step * period / kFrames;
        for (qreal x = -period * 2 + shift; x < size.width() + period; x += period) {
            p.drawPolygon(QPolygonF({QPointF(x, size.height()), QPointF(x + period / 2, size.height()),
                                     QPointF(x + period, 0), QPointF(x + period / 2, 0)}));
        }
        movie.frames.append(frame);
    }
    return movie;
}

void drawPhone(QPainter& p, const QRectF& body) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(58, 72, 80));
    p.drawRoundedRect(body, body.width() * 0.15, body.width() * 0.15);
    const QRectF screen =
        body.adjusted(body.width() * 0.08, body.height() * 0.11, -body.width() * 0.08, -body.height() * 0.13);
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0, Theme::kTealLight);
    glass.setColorAt(1, Theme::kTeal);
    p.setBrush(glass);
    p.drawRect(screen);
}

Movie connecting(const QSize& size) {
    constexpr int kFrames = 12;
    Movie movie{{}, 110};
    const qreal h = size.height();
    const QRectF phone(size.width() * 0.14, h * 0.12, h * 0.4, h * 0.76);
    const QRectF computer(size.width() * 0.6, h * 0.14, h * 0.72, h * 0.72);
    const qreal y = h * 0.5;
    const qreal from = computer.left() + 2;
    const qreal to = phone.right() + 10;
    for (int step = 0; step < kFrames; ++step) {
        QImage frame = blankFrame(size);
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        drawPhone(p, phone);
        GlyphPainter::Draw(p, Glyph::Computer, computer, Theme::kTealDark);
        p.setPen(Qt::NoPen);
        // Five dots travel from the computer to the device; each fades in and out along the way.
        for (int i = 0; i < 5; ++i) {
            const qreal t = std::fmod(step / qreal(kFrames) + i / 5.0, 1.0);
            QColor color = Theme::kTeal;
            color.setAlphaF(std::sin(t * M_PI));
            p.setBrush(color);
            p.drawEllipse(QPointF(from + (to - from) * t, y), 4, 4);
        }
        movie.frames.append(frame);
    }
    return movie;
}

Movie plugIn(const QSize& size) {
    constexpr int kTravel = 12;
    constexpr int kHold = 6;
    Movie movie{{}, 90};
    const qreal w = size.width();
    const qreal h = size.height();
    const QRectF phone(w / 2 - h * 0.2, h * 0.04, h * 0.4, h * 0.62);
    const qreal socket = phone.bottom();
    for (int step = 0; step < kTravel + kHold; ++step) {
        QImage frame = blankFrame(size);
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        drawPhone(p, phone);
        const qreal t = qMin(1.0, step / qreal(kTravel - 1));
        const qreal eased = 1 - (1 - t) * (1 - t);
        const qreal plugTop = socket + 4 + (h * 0.22) * (1 - eased);
        p.setPen(QPen(Theme::kTealDark, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(w / 2, plugTop + 14), QPointF(w / 2, h));
        p.setPen(Qt::NoPen);
        p.setBrush(Theme::kTealDeep);
        p.drawRoundedRect(QRectF(w / 2 - 7, plugTop, 14, 16), 3, 3);
        if (step >= kTravel) {
            // Once plugged in, the device answers with a pulse around it.
            const qreal pulse = (step - kTravel + 1) / qreal(kHold);
            QColor ring = Theme::kTeal;
            ring.setAlphaF(1.0 - pulse * 0.8);
            p.setPen(QPen(ring, 3));
            p.setBrush(Qt::NoBrush);
            const qreal grow = 6 + pulse * 14;
            p.drawRoundedRect(phone.adjusted(-grow, -grow * 0.3, grow, grow * 0.3), 14, 14);
        }
        movie.frames.append(frame);
    }
    return movie;
}

} // namespace

Movie AnimationPainter::Paint(const AssetSpec& spec) {
    switch (spec.look) {
    case Look::ProgressMovie:
        return progressStrip(spec.size);
    case Look::ConnectingMovie:
        return connecting(spec.size);
    case Look::PlugInMovie:
        return plugIn(spec.size);
    default:
        return spinner(spec.size);
    }
}
