#pragma once

#include <windows.h>

#include "forms/ControlDesign.h"

namespace mapwren {

// A font as the design names it, in the window's scale; where the system
// lacks the family its font mapper takes the nearest.
HFONT CreateDesignFont(const FontDesign& design, UINT dpi);

// The design's named text colours.
COLORREF DesignColour(TextColour colour);

struct NativeKind {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

// Each kind of the design as its native control. Option buttons and check
// boxes do not check themselves: the form says what they show.
NativeKind NativeKindOf(const ControlDesign& design);

} // namespace mapwren
