#pragma once

#include <QColor>

namespace mapwren {

// The system colour of menu backgrounds (COLOR_MENU on Windows).
QColor MenuColour();
// The system colour 3D light (COLOR_3DLIGHT on Windows).
QColor Light3DColour();

inline const QColor kRed{255, 0, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kGridBackground{213, 218, 194};   // beyond the last row and column

} // namespace mapwren
