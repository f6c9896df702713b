#pragma once

// The user's input as every form receives it, whatever the toolkit: mouse
// buttons, the Shift mask and keys as Windows' virtual-key codes. The Win32
// front-end passes its messages' codes as they are; the Qt front-end turns
// its own into these (qt/Input.h).
namespace mapwren {

// A mouse button pressed, or the sum of those held.
inline constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;

// The modifier keys held, or'd together.
inline constexpr int kNoModifiers = 0, kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// Keys, as Windows' virtual-key codes; letters and digits are their capital ASCII codes.
inline constexpr int kKeyTab = 0x09, kKeyReturn = 0x0D, kKeyShift = 0x10, kKeyControl = 0x11, kKeyAlt = 0x12,
                     kKeyEscape = 0x1B, kKeySpace = 0x20, kKeyPageUp = 0x21, kKeyPageDown = 0x22, kKeyEnd = 0x23,
                     kKeyHome = 0x24, kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27, kKeyDown = 0x28,
                     kKeyInsert = 0x2D, kKeyC = 'C', kKeyLeftWindows = 0x5B, kKeyRightWindows = 0x5C,
                     kKeyPlus = 0xBB, kKeyMinus = 0xBD;

} // namespace mapwren
