#pragma once

#include <windows.h>

namespace mapwren {

// The design is measured in twips, 1440 to the inch; the window's own dots
// per inch turn them into pixels, so the layout holds at any scaling.
inline int Px(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }
inline double Twips(int pixels, UINT dpi) { return pixels * 1440.0 / dpi; }

// A picture's pixels are logical ones, 96 to the inch.
inline int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

} // namespace mapwren
