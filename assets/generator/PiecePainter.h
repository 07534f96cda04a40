#pragma once

#include <QImage>

#include "AssetSpec.h"

// Paints small single images: icons, frame edges, strips that windows stretch, header and bubble pieces.
class PiecePainter {
public:
    static QImage Paint(const AssetSpec& spec);
};
