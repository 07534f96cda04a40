#pragma once

#include <QImage>
#include <QString>

#include "AssetSpec.h"

// Paints a button's four states (normal, hover, pressed, disabled) side by side into one strip.
class ButtonPainter {
public:
    static QImage Paint(const AssetSpec& spec, const QString& caption);
};
