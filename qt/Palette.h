#pragma once

#include <QColor>

#include "forms/ControlDesign.h"

namespace mapwren {

// The system colour of menu backgrounds (COLOR_MENU on Windows).
QColor MenuColour();
// The system colour 3D light (COLOR_3DLIGHT on Windows).
QColor Light3DColour();

// A text colour the design names; an invalid colour for the system's own.
QColor DesignColour(TextColour colour);

} // namespace mapwren
