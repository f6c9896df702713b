#include "install/frmInstallDesign.h"

#include <array>

namespace mapwren {

namespace {

using enum ControlKind;

constexpr FormDesign kForm{.caption = "Install Maps on Receiver or Card", .width = 7800, .height = 5400,
                           .background = {240, 240, 240}, .icon = "icon"};

// One row per control, in tab order.
constexpr std::array kControls = {
    ControlDesign{.name = "lblPlace", .kind = Label, .caption = "&Where the maps go:", .place = {120, 120, 5760, 255}},
    ControlDesign{.name = "cboPlace", .kind = ComboBox, .place = {120, 390, 5760, 315}, .tab = 1},
    ControlDesign{.name = "cmdAnotherFolder", .kind = CommandButton, .caption = "&Another folder\u2026",
                  .place = {6000, 360, 1680, 375}, .tab = 2},
    ControlDesign{.name = "lblVolume", .kind = Label, .place = {120, 780, 7560, 255}, .tab = 3},
    ControlDesign{.name = "lblExisting", .kind = Label, .caption = "Map files there now:",
                  .place = {120, 1140, 7560, 255}, .tab = 4},
    ControlDesign{.name = "lblMaps", .kind = Label, .place = {240, 1410, 7440, 1500}, .tab = 5},
    ControlDesign{.name = "lblName", .kind = Label, .caption = "&File name:", .place = {120, 3045, 1080, 255},
                  .tab = 6},
    ControlDesign{.name = "txtName", .kind = TextBox, .place = {1200, 3000, 3360, 315}, .tab = 7},
    ControlDesign{.name = "lblOlder", .kind = Label,
                  .caption = "Older receivers read only gmapsupp.img: a new file of that name replaces all their maps.",
                  .place = {120, 3420, 7560, 255}, .tab = 8},
    ControlDesign{.name = "lblSize", .kind = Label, .place = {120, 3780, 7560, 510}, .tab = 9},
    ControlDesign{.name = "cmdInstall", .kind = CommandButton, .caption = "&Install", .place = {5040, 4800, 1260, 420},
                  .tab = 10},
    ControlDesign{.name = "cmdClose", .kind = CommandButton, .caption = "Close", .place = {6420, 4800, 1260, 420},
                  .tab = 11},
};

} // namespace

const FormDesign& frmInstallForm() { return kForm; }

std::span<const ControlDesign> frmInstallControls() { return kControls; }

} // namespace mapwren
