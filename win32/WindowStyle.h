#pragma once

#include <windows.h>

namespace mapwren {

// Sets or clears style bits of a window, leaving it alone when they are as wanted.
inline void SetStyleBits(HWND window, LONG_PTR bits, bool on)
{
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR wanted = on ? style | bits : style & ~bits;
    if (wanted != style)
        SetWindowLongPtrW(window, GWL_STYLE, wanted);
}

} // namespace mapwren
