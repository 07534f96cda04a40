#pragma once

#include <QColor>
#include <QRectF>

#include "Glyph.h"

class QPainter;

// Draws a glyph as round-capped strokes on a 24-unit grid scaled into the target rectangle.
class GlyphPainter {
public:
    static void Draw(QPainter& painter, Glyph glyph, const QRectF& target, const QColor& color);
};
