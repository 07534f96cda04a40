#pragma once

#include <QImage>
#include <QList>

#include "AssetSpec.h"

struct Movie {
    QList<QImage> frames;
    int delayMs = 100;
};

// Paints the frames of the looping animations: busy spinners, the indeterminate progress strip and the
// two connection scenes.
class AnimationPainter {
public:
    static Movie Paint(const AssetSpec& spec);
};
