#pragma once

#include <QColor>

// The program's colour family, shared by everything the kit paints itself.
namespace WidgetColors {
inline const QColor kTeal{122, 190, 204};
inline const QColor kDarkTeal{99, 165, 181};
inline const QColor kPaleTeal{216, 243, 249};
inline const QColor kText{58, 74, 80};
inline const QColor kTitleText{40, 100, 116};
} // namespace WidgetColors
