#pragma once

#include <QRect>
#include <QString>

class QImage;
class QPainter;
class QPixmap;

// One photo on a photo page: its thumbnail in a frame with a check box. While the thumbnail loads the
// frame shows the loading animation; a photo the device gives no picture for (a format the system can't
// read, or a device that went away) shows its file name instead.
class picItemWidget {
public:
    static constexpr int kTileSide = 130;

    enum class Content { Image, Loading, Placeholder };

    static void Paint(QPainter& painter, const QRect& rect, Content content, const QImage* image,
                      const QPixmap* loadingFrame, const QString& fileName, bool checked);
    static QRect CheckBoxRect(const QRect& rect);
    static void PaintCheckBox(QPainter& painter, const QRect& rect, Qt::CheckState state);
};
