#pragma once

#include <QColor>

// The program's colour family, shared by everything the kit paints itself.
namespace WidgetColors {
inline const QColor kTeal{122, 190, 204};
inline const QColor kDarkTeal{99, 165, 181};
inline const QColor kPaleTeal{216, 243, 249};
inline const QColor kText{58, 74, 80};
inline const QColor kTitleText{40, 100, 116};

// The look of every popup menu: white items on a teal rim.
inline constexpr const char* kMenuStyleSheet =
    "QMenu{background-color:rgb(122,190,204);margin:2px;}"
    "QMenu:item{background-color:white;color:rgb(122,190,204);margin:1px;height:25px;width:120px;"
    "padding-left:5px;}"
    "QMenu:item:selected{background-color:rgb(212,240,247);}"
    "QMenu:item:disabled{color:rgb(190,210,214);}";
} // namespace WidgetColors
