#pragma once

#include <QImage>
#include <QString>

#include "AssetSpec.h"

class QPainter;
class QRectF;

// Paints the larger single images: window and dialog backgrounds, empty-category panels, illustrations,
// captions and the program's icon.
class BackgroundPainter {
public:
    static QImage Paint(const AssetSpec& spec, const QString& caption, const QString& detail);
    static void PaintAppIcon(QPainter& painter, const QRectF& box);
};
