#pragma once

#include <span>
#include <string_view>

#include "forms/ControlDesign.h"

namespace mapwren {

inline constexpr int kMainClientWidth = 11805;
inline constexpr int kMainClientHeight = 6510;
inline constexpr int kGridRowHeight = 240;   // the grid's rows, the header row included
inline constexpr Rgb kGridBeyondRows{213, 218, 194};

// The main window's controls and menus, in the design's order.
std::span<const ControlDesign> frmMainControls();
std::span<const MenuDesign> frmMainMenus();
// The option buttons that are one group: selecting one unselects the others,
// and Tab enters the group at its selected one.
std::span<const std::span<const std::string_view>> OptionGroups();
// The group an option button belongs to; empty for any other control.
std::span<const std::string_view> OptionGroupOf(std::string_view name);
// The COM port box's list.
std::span<const std::string_view> ComPortNames();

} // namespace mapwren
