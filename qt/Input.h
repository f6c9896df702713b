#pragma once

#include <Qt>

#include "forms/Input.h"

// The toolkit's facts as the forms want them: button codes, the Shift mask
// and Windows' virtual-key codes.
namespace mapwren {

// 1 left, 2 right, 4 middle.
inline int ButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
    }
}

// The buttons held, as the sum of their codes.
inline int ButtonCodes(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? kLeftButton : 0) | (buttons & Qt::RightButton ? kRightButton : 0) |
           (buttons & Qt::MiddleButton ? kMiddleButton : 0);
}

// 1 Shift, 2 Ctrl, 4 Alt.
inline int ShiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? kShiftMask : 0) | (modifiers & Qt::ControlModifier ? kCtrlMask : 0) |
           (modifiers & Qt::AltModifier ? kAltMask : 0);
}

// Windows' key code for a Qt key; 0 for a key no form tells apart. The one
// place a Qt key becomes the forms' code.
inline int KeyCode(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;   // the same codes
    switch (key) {
    case Qt::Key_Shift: return kKeyShift;
    case Qt::Key_Control: return kKeyControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return kKeyAlt;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return kKeyLeftWindows;
    case Qt::Key_Super_R: return kKeyRightWindows;
    case Qt::Key_Insert: return kKeyInsert;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyReturn;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Space: return kKeySpace;
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageDown;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_Plus: return kKeyPlus;
    case Qt::Key_Minus: return kKeyMinus;
    default: return 0;
    }
}

} // namespace mapwren
