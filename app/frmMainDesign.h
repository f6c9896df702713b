#pragma once

#include <span>
#include <string_view>

#include "app/ControlDesign.h"

namespace mapwren {

inline constexpr int kMainClientWidth = 11805;
inline constexpr int kMainClientHeight = 6510;
inline constexpr int kGridRowHeight = 240;   // the grid's rows, the header row included
inline constexpr Rgb kGridBeyondRows{213, 218, 194};

// The main window's controls and menus, in the design's order.
std::span<const ControlDesign> frmMainControls();
std::span<const MenuDesign> frmMainMenus();
// The COM port box's list.
std::span<const std::string_view> ComPortNames();

} // namespace mapwren
