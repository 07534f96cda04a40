#include "BackgroundPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "GlyphPainter.h"
#include "TextPainter.h"
#include "Theme.h"

namespace {

constexpr qreal kTitleBand = 40;

void paintDialog(QPainter& p, const QRectF& box, const AssetSpec& spec, const QString& caption,
                 const QString& detail) {
    const QRectF frame = box.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outline;
    outline.addRoundedRect(frame, 6, 6);
    p.fillPath(outline, Theme::kWhite);
    p.save();
    p.setClipPath(outline);
    QLinearGradient band(0, 0, 0, kTitleBand);
    band.setColorAt(0, Theme::kTealPale);
    band.setColorAt(1, Theme::kTealLight);
    p.fillRect(QRectF(0, 0, box.width(), kTitleBand), band);
    p.fillRect(QRectF(0, kTitleBand - 1, box.width(), 1), Theme::kBorder);
    p.restore();
    p.setPen(QPen(Theme::kTeal, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);

    qreal textLeft = 16;
    if (spec.glyph != Glyph::None && !caption.isEmpty()) {
        GlyphPainter::Draw(p, spec.glyph, QRectF(14, 10, 20, 20), Theme::kTealDark);
        textLeft = 42;
    }
    // The right end of the band stays free for the close button.
    TextPainter::Draw(p, QRectF(textLeft, 0, box.width() - textLeft - 48, kTitleBand), caption, 15,
                      QFont::Bold, Theme::kTealDeep, Qt::AlignVCenter | Qt::AlignLeft);
    TextPainter::Draw(
        p, QRectF(24, kTitleBand + 12, box.width() - 48, qMin(box.height() - kTitleBand - 24, 90.0)), detail,
        13, QFont::Normal, Theme::kMutedText, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
}

void paintPanel(QPainter& p, const QRectF& box) {
    QLinearGradient fill(0, 0, 0, box.height());
    fill.setColorAt(0, Theme::kWhite);
    fill.setColorAt(1, Theme::kTealPale);
    p.fillRect(box, fill);
    p.fillRect(QRectF(0, 0, 1, box.height()), Theme::kBorder);
}

void paintEmptyState(QPainter& p, const QRectF& box, const AssetSpec& spec, const QString& caption,
                     const QString& detail) {
    const qreal circle = qMin(box.width(), box.height()) * 0.36;
    const QRectF circleRect(box.center().x() - circle / 2, box.height() * 0.1, circle, circle);
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::kTealLight);
    p.drawEllipse(circleRect);
    GlyphPainter::Draw(p, spec.glyph,
                       circleRect.adjusted(circle * 0.25, circle * 0.25, -circle * 0.25, -circle * 0.25),
                       Theme::kTealDark);
    const qreal top = circleRect.bottom() + 14;
    TextPainter::Draw(p, QRectF(16, top, box.width() - 32, 26), caption, 18, QFont::DemiBold,
                      Theme::kTealDeep, Qt::AlignCenter);
    TextPainter::Draw(p, QRectF(28, top + 30, box.width() - 56, box.height() - top - 36), detail, 13,
                      QFont::Normal, Theme::kMutedText, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
}

void paintPhone(QPainter& p, const QRectF& body, bool large) {
    const qreal radius = body.width() * (large ? 0.16 : 0.14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 40, 60, 30));
    p.drawRoundedRect(body.translated(0, 3), radius, radius);
    p.setBrush(QColor(58, 72, 80));
    p.drawRoundedRect(body, radius, radius);
    const QRectF screen =
        body.adjusted(body.width() * 0.07, body.height() * 0.1, -body.width() * 0.07, -body.height() * 0.12);
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0, Theme::kTealLight);
    glass.setColorAt(1, Theme::kTeal);
    p.setBrush(glass);
    p.drawRect(screen);
    p.setBrush(QColor(90, 104, 112));
    const qreal button = body.width() * 0.14;
    p.drawEllipse(QPointF(body.center().x(), screen.bottom() + (body.bottom() - screen.bottom()) / 2),
                  button / 2, button / 2);
}

// A tablet: a rounder-cornered body around a wide screen with even borders, the home button below it.
void paintTablet(QPainter& p, const QRectF& body) {
    const qreal radius = body.width() * 0.08;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 40, 60, 30));
    p.drawRoundedRect(body.translated(0, 3), radius, radius);
    p.setBrush(QColor(58, 72, 80));
    p.drawRoundedRect(body, radius, radius);
    const QRectF screen =
        body.adjusted(body.width() * 0.08, body.height() * 0.08, -body.width() * 0.08, -body.height() * 0.1);
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0, Theme::kTealLight);
    glass.setColorAt(1, Theme::kTeal);
    p.setBrush(glass);
    p.drawRect(screen);
    p.setBrush(QColor(90, 104, 112));
    const qreal button = body.width() * 0.06;
    p.drawEllipse(QPointF(body.center().x(), screen.bottom() + (body.bottom() - screen.bottom()) / 2),
                  button / 2, button / 2);
}

void paintDeviceCard(QPainter& p, const QRectF& box, Look look) {
    QPainterPath card;
    card.addRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.fillPath(card, Theme::kWhite);
    p.setPen(QPen(Theme::kBorder, 1));
    p.drawPath(card);
    const QRectF stage(12, 12, 170, box.height() - 24);
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::kTealPale);
    p.drawRoundedRect(stage, 8, 8);
    if (look == Look::DeviceCardTablet) {
        const qreal width = stage.width() - 24;
        const qreal height = qMin(stage.height() - 40, width * 1.33);
        paintTablet(p,
                    QRectF(stage.center().x() - width / 2, stage.center().y() - height / 2, width, height));
        return;
    }
    const bool large = look == Look::DeviceCardLarge;
    const qreal width = large ? 96 : 84;
    const qreal height = qMin(stage.height() - 40, width * 2.0);
    paintPhone(p, QRectF(stage.center().x() - width / 2, stage.center().y() - height / 2, width, height),
               large);
}

void paintConnectionFailed(QPainter& p, const QRectF& box, const QString& caption) {
    const qreal phoneHeight = box.height() - 50;
    const QRectF phone(box.center().x() - 80, 6, phoneHeight * 0.5, phoneHeight);
    paintPhone(p, phone, false);
    const QRectF computer(box.center().x() + 10, 24, 72, 56);
    GlyphPainter::Draw(p, Glyph::Computer, computer, Theme::kTealDark);
    QPen dashed(Theme::kTeal, 2, Qt::DashLine, Qt::RoundCap);
    p.setPen(dashed);
    p.drawLine(QPointF(phone.right() + 4, 52), QPointF(computer.left() + 2, 52));
    const QRectF badge(box.center().x() - 14, 38, 28, 28);
    GlyphPainter::Draw(p, Glyph::Error, badge, Theme::kDanger);
    TextPainter::Draw(p, QRectF(0, box.height() - 36, box.width(), 30), caption, 18, QFont::DemiBold,
                      Theme::kTealDeep, Qt::AlignCenter);
}

void paintSupportedDevices(QPainter& p, const QRectF& box, const QString& caption) {
    const qreal h = box.height() - 12;
    qreal x = 8;
    for (Glyph glyph : {Glyph::Phone, Glyph::Tablet, Glyph::Phone}) {
        GlyphPainter::Draw(p, glyph, QRectF(x, 6, h * 0.75, h), Theme::kTeal);
        x += h * 0.62;
    }
    TextPainter::Draw(p, QRectF(x + 12, 0, box.width() - x - 16, box.height()), caption, 15, QFont::DemiBold,
                      Theme::kTealDark, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap);
}

void paintCaptionBanner(QPainter& p, const QRectF& box, const AssetSpec& spec, const QString& caption) {
    const qreal side = box.height() - 6;
    GlyphPainter::Draw(p, spec.glyph, QRectF(2, 3, side, side), Theme::kTealDark);
    TextPainter::Draw(p, QRectF(side + 10, 0, box.width() - side - 12, box.height()), caption, 15,
                      QFont::DemiBold, Theme::kTealDark, Qt::AlignVCenter | Qt::AlignLeft);
}

void paintToolHeader(QPainter& p, const QRectF& box, const AssetSpec& spec, const QString& caption) {
    const qreal side = box.height() - 10;
    const QRectF badge(4, 5, side, side);
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::kTeal);
    p.drawRoundedRect(badge, 5, 5);
    GlyphPainter::Draw(p, spec.glyph, badge.adjusted(4, 4, -4, -4), Theme::kWhite);
    const qreal textLeft = badge.right() + 10;
    const qreal size = TextPainter::FittedSize(QRectF(textLeft, 0, box.width() - textLeft - 40, box.height()),
                                               caption, 16, QFont::Bold, Qt::AlignVCenter | Qt::AlignLeft);
    const qreal width = TextPainter::Width(caption, size, QFont::Bold);
    TextPainter::Draw(p, QRectF(textLeft, 0, width + 2, box.height()), caption, size, QFont::Bold,
                      Theme::kTealDeep, Qt::AlignVCenter | Qt::AlignLeft);
    p.fillRect(QRectF(textLeft + width + 14, box.height() / 2, box.width() - textLeft - width - 18, 1),
               Theme::kBorder);
}

void paintTreeTitle(QPainter& p, const QRectF& box, const QString& caption) {
    QLinearGradient fill(0, 0, 0, box.height());
    fill.setColorAt(0, Theme::kTeal);
    fill.setColorAt(1, Theme::kTealDark);
    p.fillRect(box, fill);
    GlyphPainter::Draw(p, Glyph::Phone, QRectF(10, 8, box.height() - 16, box.height() - 16), Theme::kWhite);
    TextPainter::Draw(p, QRectF(box.height() + 2, 0, box.width() - box.height() - 8, box.height()), caption,
                      15, QFont::Bold, Theme::kWhite, Qt::AlignVCenter | Qt::AlignLeft);
}

void paintLogo(QPainter& p, const QRectF& box, const QString& caption) {
    const qreal side = box.height();
    BackgroundPainter::PaintAppIcon(p, QRectF(0, 0, side, side));
    TextPainter::Draw(p, QRectF(side + 6, 0, box.width() - side - 6, box.height()), caption, side * 0.55,
                      QFont::DemiBold, Theme::kTealDark, Qt::AlignVCenter | Qt::AlignLeft);
}

} // namespace

void BackgroundPainter::PaintAppIcon(QPainter& p, const QRectF& box) {
    const qreal s = qMin(box.width(), box.height());
    const QRectF tile(box.center().x() - s / 2 + s * 0.03, box.center().y() - s / 2 + s * 0.03, s * 0.94,
                      s * 0.94);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (s >= 48) {
        p.setBrush(QColor(0, 40, 60, 40));
        p.drawRoundedRect(tile.translated(0, s * 0.015), s * 0.22, s * 0.22);
    }
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0, QColor(138, 206, 219));
    fill.setColorAt(1, Theme::kTealDark);
    p.setBrush(fill);
    p.drawRoundedRect(tile, s * 0.22, s * 0.22);
    // A phone with two opposing arrows: moving data to and from the device.
    const QRectF phone(tile.left() + tile.width() * 0.22, tile.top() + tile.height() * 0.16,
                       tile.width() * 0.34, tile.height() * 0.62);
    p.setPen(QPen(Theme::kWhite, qMax(1.2, s * 0.045), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(phone, s * 0.05, s * 0.05);
    if (s >= 32)
        p.drawLine(QPointF(phone.center().x() - s * 0.04, phone.bottom() - s * 0.07),
                   QPointF(phone.center().x() + s * 0.04, phone.bottom() - s * 0.07));
    const qreal disc = tile.width() * 0.42;
    const QRectF badge(tile.right() - disc - tile.width() * 0.08, tile.bottom() - disc - tile.height() * 0.08,
                       disc, disc);
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::kWhite);
    p.drawEllipse(badge);
    GlyphPainter::Draw(p, Glyph::Transfer,
                       badge.adjusted(disc * 0.16, disc * 0.16, -disc * 0.16, -disc * 0.16),
                       Theme::kTealDark);
    p.restore();
}

QImage BackgroundPainter::Paint(const AssetSpec& spec, const QString& caption, const QString& detail) {
    QImage image(spec.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF box(QPointF(0, 0), spec.size);
    switch (spec.look) {
    case Look::DialogBackground:
        paintDialog(p, box, spec, caption, detail);
        break;
    case Look::PanelBackground:
        paintPanel(p, box);
        break;
    case Look::EmptyState:
        paintEmptyState(p, box, spec, caption, detail);
        break;
    case Look::DeviceCard:
    case Look::DeviceCardLarge:
    case Look::DeviceCardTablet:
        paintDeviceCard(p, box, spec.look);
        break;
    case Look::ConnectionFailed:
        paintConnectionFailed(p, box, caption);
        break;
    case Look::SupportedDevices:
        paintSupportedDevices(p, box, caption);
        break;
    case Look::CaptionBanner:
        paintCaptionBanner(p, box, spec, caption);
        break;
    case Look::ToolHeader:
        paintToolHeader(p, box, spec, caption);
        break;
    case Look::TreeTitle:
        paintTreeTitle(p, box, caption);
        break;
    case Look::Logo:
        paintLogo(p, box, caption);
        break;
    default:
        PaintAppIcon(p, box);
        break;
    }
    return image;
}
