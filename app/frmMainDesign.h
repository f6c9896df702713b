#pragma once

#include <span>
#include <string_view>

#include "forms/FormRows.h"

namespace mapwren {

class frmMain;

inline constexpr int kMainClientWidth = 11805;
inline constexpr int kMainClientHeight = 6510;
inline constexpr int kGridRowHeight = 240;   // the grid's rows, the header row included
inline constexpr Rgb kGridBeyondRows{213, 218, 194};

// The main window's controls and menus, in the design's order: each row its
// design, its state's member and its click's handler. Adding a control means
// adding its row and its handler.
std::span<const ControlRow<frmMain>> frmMainControlRows();
std::span<const MenuRow<frmMain>> frmMainMenuRows();
// Their designs alone, as the front-ends build from them.
inline auto frmMainControls() { return Designs(frmMainControlRows()); }
inline auto frmMainMenus() { return Designs(frmMainMenuRows()); }
// The option buttons in the same container as this one, itself included: one
// group, where selecting one unselects the others and Tab enters at the
// selected one. Empty for any other control.
std::span<const std::string_view> OptionGroupOf(std::string_view name);
// The COM port box's list.
std::span<const std::string_view> ComPortNames();

} // namespace mapwren
