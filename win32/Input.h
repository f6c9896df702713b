#pragma once

#include <windows.h>

#include "forms/Input.h"

namespace mapwren {

inline bool IsPress(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

inline bool IsRelease(UINT message)
{
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

// The forms' button code of a mouse message: 1 left, 2 right, 4 middle.
inline int ButtonCode(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return kRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return kMiddleButton;
    default: return 0;
    }
}

// The buttons a mouse message's wParam says are held, as the sum of their codes.
inline int HeldButtons(WPARAM keys)
{
    return (keys & MK_LBUTTON ? kLeftButton : 0) | (keys & MK_RBUTTON ? kRightButton : 0) |
           (keys & MK_MBUTTON ? kMiddleButton : 0);
}

// The forms' Shift mask of the keys held now: 1 Shift, 2 Ctrl, 4 Alt.
inline int KeyboardShiftMask()
{
    return (GetKeyState(VK_SHIFT) < 0 ? kShiftMask : 0) | (GetKeyState(VK_CONTROL) < 0 ? kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

// The same for a mouse message, whose wParam tells Shift and Ctrl as they
// were when it was sent.
inline int MouseShiftMask(WPARAM keys)
{
    return (keys & MK_SHIFT ? kShiftMask : 0) | (keys & MK_CONTROL ? kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

} // namespace mapwren
