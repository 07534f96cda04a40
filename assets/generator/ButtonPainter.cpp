#include "ButtonPainter.h"

#include <QPainter>
#include <QPainterPath>

#include "GlyphPainter.h"
#include "TextPainter.h"
#include "Theme.h"

namespace {

enum State {
    Normal,
    Hover,
    Pressed,
    Disabled,
};

struct Colors {
    QColor fill;
    QColor border;
    QColor ink;
};

Colors primaryColors(State state) {
    switch (state) {
    case Hover:
        return {QColor(138, 204, 217), QColor(138, 204, 217), Theme::kWhite};
    case Pressed:
        return {Theme::kTealDark, Theme::kTealDark, Theme::kWhite};
    case Disabled:
        return {Theme::kDisabled, Theme::kDisabled, QColor(245, 247, 248)};
    case Normal:
        break;
    }
    return {Theme::kTeal, Theme::kTeal, Theme::kWhite};
}

Colors secondaryColors(State state) {
    switch (state) {
    case Hover:
        return {Theme::kTealPale, Theme::kTeal, Theme::kTealDeep};
    case Pressed:
        return {Theme::kTealLight, Theme::kTealDark, Theme::kTealDeep};
    case Disabled:
        return {QColor(246, 248, 248), Theme::kDisabled, Theme::kDisabledText};
    case Normal:
        break;
    }
    return {Theme::kWhite, Theme::kTeal, Theme::kTealDark};
}

// A rounded face with a one-pixel shadow under it, the one depth cue of the flat look.
void drawFace(QPainter& p, const QRectF& cell, const Colors& colors, qreal radius, bool shadow) {
    QRectF face = cell.adjusted(0.5, 0.5, -0.5, shadow ? -1.5 : -0.5);
    if (shadow) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 40, 60, 40));
        p.drawRoundedRect(face.translated(0, 1), radius, radius);
    }
    p.setPen(QPen(colors.border, 1));
    p.setBrush(colors.fill);
    p.drawRoundedRect(face, radius, radius);
}

// Glyph and caption centred together as one group.
void drawContent(QPainter& p, const QRectF& face, Glyph glyph, const QString& caption, const QColor& ink) {
    const qreal glyphSide = glyph == Glyph::None ? 0 : qMin(face.height() * 0.52, 18.0);
    const qreal gap = glyph == Glyph::None || caption.isEmpty() ? 0 : 6;
    const qreal pixelSize = qBound(11.0, face.height() * 0.43, 15.0);
    const QRectF textBox = face.adjusted(8 + glyphSide + gap, 0, -8, 0);
    const qreal size = caption.isEmpty() ? pixelSize
                                         : TextPainter::FittedSize(textBox, caption, pixelSize,
                                                                   QFont::DemiBold, Qt::AlignCenter);
    const qreal textWidth = caption.isEmpty() ? 0 : TextPainter::Width(caption, size, QFont::DemiBold);
    const qreal groupWidth = glyphSide + gap + textWidth;
    qreal x = face.center().x() - groupWidth / 2;
    if (glyph != Glyph::None) {
        GlyphPainter::Draw(p, glyph, QRectF(x, face.center().y() - glyphSide / 2, glyphSide, glyphSide), ink);
        x += glyphSide + gap;
    }
    if (!caption.isEmpty()) {
        p.setFont(TextPainter::Font(size, QFont::DemiBold));
        p.setPen(ink);
        p.drawText(QRectF(x - 1, face.top(), textWidth + 2, face.height()), Qt::AlignCenter, caption);
    }
}

void paintTextButton(QPainter& p, const QRectF& cell, const AssetSpec& spec, const QString& caption,
                     State state) {
    const Colors colors = spec.look == Look::PrimaryButton ? primaryColors(state) : secondaryColors(state);
    drawFace(p, cell, colors, 4, state != Pressed && state != Disabled);
    drawContent(p, cell.adjusted(0, 0, 0, -1), spec.glyph, caption, colors.ink);
}

void paintIconButton(QPainter& p, const QRectF& cell, const AssetSpec& spec, State state) {
    const bool selected = spec.look == Look::SelectedIconButton;
    QColor fill = Qt::transparent;
    QColor ink = Theme::kTealDark;
    if (selected) {
        fill = state == Hover ? QColor(138, 204, 217) : state == Pressed ? Theme::kTealDark : Theme::kTeal;
        ink = Theme::kWhite;
    } else if (state == Hover) {
        fill = Theme::kTealLight;
        ink = Theme::kTealDeep;
    } else if (state == Pressed) {
        fill = QColor(190, 228, 236);
        ink = Theme::kTealDeep;
    }
    if (state == Disabled) {
        fill = selected ? Theme::kDisabled : Qt::transparent;
        ink = selected ? Theme::kWhite : Theme::kDisabled;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(cell.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    const qreal side = qMin(cell.width(), cell.height()) * 0.7;
    GlyphPainter::Draw(p, spec.glyph,
                       QRectF(cell.center().x() - side / 2, cell.center().y() - side / 2, side, side), ink);
}

void paintTitleBarButton(QPainter& p, const QRectF& cell, const AssetSpec& spec, State state) {
    const bool closing = spec.look != Look::TitleBarButton;
    QColor fill = Qt::transparent;
    QColor ink = Theme::kTealDark;
    if (state == Hover) {
        fill = closing ? Theme::kDanger : QColor(122, 190, 204, 70);
        ink = closing ? Theme::kWhite : Theme::kTealDeep;
    } else if (state == Pressed) {
        fill = closing ? QColor(196, 70, 62) : QColor(122, 190, 204, 130);
        ink = closing ? Theme::kWhite : Theme::kTealDeep;
    } else if (state == Disabled) {
        ink = Theme::kDisabled;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(cell.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    const qreal side = qMin(cell.height() * 0.72, 18.0);
    GlyphPainter::Draw(p, spec.glyph,
                       QRectF(cell.center().x() - side / 2, cell.center().y() - side / 2, side, side), ink);
}

void paintTileButton(QPainter& p, const QRectF& cell, const AssetSpec& spec, const QString& caption,
                     State state) {
    const Colors colors = secondaryColors(state);
    drawFace(p, cell, {colors.fill, state == Normal ? Theme::kBorder : colors.border, colors.ink}, 8,
             state == Normal || state == Hover);
    const qreal badge = cell.height() * 0.44;
    const QRectF badgeRect(cell.center().x() - badge / 2, cell.top() + 10, badge, badge);
    p.setPen(Qt::NoPen);
    p.setBrush(state == Disabled ? Theme::kDisabled : state == Pressed ? Theme::kTealDark : Theme::kTeal);
    p.drawRoundedRect(badgeRect, badge * 0.25, badge * 0.25);
    GlyphPainter::Draw(p, spec.glyph,
                       badgeRect.adjusted(badge * 0.2, badge * 0.2, -badge * 0.2, -badge * 0.2),
                       Theme::kWhite);
    const QRectF textBox(cell.left() + 4, badgeRect.bottom() + 4, cell.width() - 8,
                         cell.bottom() - badgeRect.bottom() - 9);
    TextPainter::Draw(p, textBox, caption, 12, QFont::DemiBold, colors.ink,
                      Qt::AlignCenter | Qt::TextWordWrap);
}

void paintHomeToolButton(QPainter& p, const QRectF& cell, const AssetSpec& spec, const QString& caption,
                         State state) {
    const QRectF face = cell.adjusted(3, 3, -3, -3);
    p.setPen(Qt::NoPen);
    p.setBrush(state == Hover     ? Theme::kTealPale
               : state == Pressed ? Theme::kTealLight
                                  : QColor(Qt::transparent));
    p.drawRoundedRect(face, 8, 8);
    const qreal circle = face.height() - 12;
    const QRectF circleRect(face.left() + 6, face.center().y() - circle / 2, circle, circle);
    p.setBrush(state == Disabled ? Theme::kDisabled : state == Pressed ? Theme::kTealDark : Theme::kTeal);
    p.drawEllipse(circleRect);
    GlyphPainter::Draw(p, spec.glyph,
                       circleRect.adjusted(circle * 0.22, circle * 0.22, -circle * 0.22, -circle * 0.22),
                       Theme::kWhite);
    const QRectF textBox(circleRect.right() + 8, face.top(), face.right() - circleRect.right() - 12,
                         face.height());
    TextPainter::Draw(p, textBox, caption, 13, QFont::DemiBold,
                      state == Disabled ? Theme::kDisabledText : Theme::kTealDeep,
                      Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap);
}

void paintBadgeButton(QPainter& p, const QRectF& cell, const AssetSpec& spec, State state) {
    p.setPen(Qt::NoPen);
    p.setBrush(state == Hover      ? QColor(138, 204, 217)
               : state == Pressed  ? Theme::kTealDeep
               : state == Disabled ? Theme::kDisabled
                                   : Theme::kTealDark);
    const qreal radius = cell.width() * 0.22;
    p.drawRoundedRect(cell.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    GlyphPainter::Draw(p, spec.glyph, cell.adjusted(3, 3, -3, -3), Theme::kWhite);
}

void paintState(QPainter& p, const QRectF& cell, const AssetSpec& spec, const QString& caption, State state) {
    switch (spec.look) {
    case Look::PrimaryButton:
    case Look::SecondaryButton:
        paintTextButton(p, cell, spec, caption, state);
        break;
    case Look::IconButton:
    case Look::SelectedIconButton:
        paintIconButton(p, cell, spec, state);
        break;
    case Look::TileButton:
        paintTileButton(p, cell, spec, caption, state);
        break;
    case Look::HomeToolButton:
        paintHomeToolButton(p, cell, spec, caption, state);
        break;
    case Look::BadgeButton:
        paintBadgeButton(p, cell, spec, state);
        break;
    default:
        paintTitleBarButton(p, cell, spec, state);
        break;
    }
}

} // namespace

QImage ButtonPainter::Paint(const AssetSpec& spec, const QString& caption) {
    QImage strip(spec.FileSize(), QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (int state = Normal; state <= Disabled; ++state) {
        const QRectF cell(state * spec.size.width(), 0, spec.size.width(), spec.size.height());
        p.save();
        p.setClipRect(cell);
        paintState(p, cell, spec, caption, static_cast<State>(state));
        p.restore();
    }
    return strip;
}
