#include "TextPainter.h"

#include <QFontMetricsF>
#include <QPainter>

#include "Theme.h"

namespace {

constexpr qreal kSmallestReadable = 9.0;

QStringList& warnings() {
    static QStringList list;
    return list;
}

bool fits(const QRectF& box, const QString& text, const QFont& font, int alignment) {
    const QFontMetricsF metrics(font);
    const QRectF needed = metrics.boundingRect(box, alignment, text);
    return needed.width() <= box.width() + 0.5 && needed.height() <= box.height() + 0.5;
}

} // namespace

QFont TextPainter::Font(qreal pixelSize, QFont::Weight weight) {
    QFont font(Theme::kFontFamily);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

qreal TextPainter::FittedSize(const QRectF& box, const QString& text, qreal pixelSize, QFont::Weight weight,
                              int alignment) {
    qreal size = pixelSize;
    while (size > kSmallestReadable && !fits(box, text, Font(size, weight), alignment))
        size -= 0.5;
    if (!fits(box, text, Font(size, weight), alignment))
        warnings().append(
            QStringLiteral("\"%1\" does not fit %2x%3").arg(text).arg(box.width()).arg(box.height()));
    return size;
}

qreal TextPainter::Width(const QString& text, qreal pixelSize, QFont::Weight weight) {
    return QFontMetricsF(Font(pixelSize, weight)).horizontalAdvance(text);
}

void TextPainter::Draw(QPainter& painter, const QRectF& box, const QString& text, qreal pixelSize,
                       QFont::Weight weight, const QColor& color, int alignment) {
    if (text.isEmpty())
        return;
    const qreal size = FittedSize(box, text, pixelSize, weight, alignment);
    painter.save();
    painter.setFont(Font(size, weight));
    painter.setPen(color);
    painter.drawText(box, alignment, text);
    painter.restore();
}

QStringList TextPainter::TakeWarnings() {
    QStringList taken;
    taken.swap(warnings());
    return taken;
}
