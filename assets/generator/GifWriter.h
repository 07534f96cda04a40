#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

// Writes frames as a looping GIF89a. Qt reads GIF but cannot write it, so the encoder lives here:
// one palette for all frames (the most used colours, the rest mapped to the nearest), LZW-compressed.
// Pixels less than half opaque become transparent; the rest are blended over the matte colour, because
// GIF has no partial transparency.
class GifWriter {
public:
    static bool Write(const QString& path, const QList<QImage>& frames, int delayMs, const QColor& matte,
                      QString* error);
};
