#pragma once

#include <QColor>
#include <QString>

// The palette every image is drawn from: one teal family on white, so that pieces drawn by
// different recipes sit together in one window without clashing.
namespace Theme {

inline const QColor kTeal(122, 190, 204);
inline const QColor kTealDark(99, 165, 181);
inline const QColor kTealDeep(66, 127, 142);
inline const QColor kTealLight(216, 243, 249);
inline const QColor kTealPale(236, 249, 252);
inline const QColor kHeader(133, 198, 211);
inline const QColor kInk(0, 55, 100);
inline const QColor kMutedText(110, 167, 180);
inline const QColor kBorder(186, 222, 230);
inline const QColor kDisabled(196, 206, 209);
inline const QColor kDisabledText(150, 160, 163);
inline const QColor kDanger(225, 92, 82);
inline const QColor kWarning(240, 170, 60);
inline const QColor kSuccess(86, 178, 120);
inline const QColor kWhite(255, 255, 255);

// Noto Sans CJK carries Latin and CJK glyphs with one design, so German and Chinese words look alike.
inline const QString kFontFamily = QStringLiteral("Noto Sans CJK SC");

} // namespace Theme
