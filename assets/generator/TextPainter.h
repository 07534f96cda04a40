#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// Draws words into a fixed box. Translations run longer than English, so the font shrinks until the text
// fits; text that still does not fit at the smallest readable size is reported instead of clipped silently.
class TextPainter {
public:
    static QFont Font(qreal pixelSize, QFont::Weight weight);
    static void Draw(QPainter& painter, const QRectF& box, const QString& text, qreal pixelSize,
                     QFont::Weight weight, const QColor& color, int alignment);
    static qreal FittedSize(const QRectF& box, const QString& text, qreal pixelSize, QFont::Weight weight,
                            int alignment);
    static qreal Width(const QString& text, qreal pixelSize, QFont::Weight weight);
    static QStringList TakeWarnings();
};
