#pragma once

#include <windows.h>

#include "forms/ControlDesign.h"

namespace mapwren {

// A font as the design names it, in the window's scale; where the system
// lacks the family its font mapper takes the nearest.
HFONT CreateDesignFont(const FontDesign& design, UINT dpi);

// The design's named text colours.
COLORREF DesignColour(TextColour colour);

} // namespace mapwren
