#include "install/frmInstallDesign.h"

#include <array>

#include "install/frmInstall.h"

namespace mapwren {

namespace {

using enum ControlKind;
using Row = ControlRow<frmInstall>;

constexpr FormDesign kForm{.caption = "Install Maps on Receiver or Card", .width = 7800, .height = 5400,
                           .background = {240, 240, 240}, .icon = "icon"};

constexpr std::array kControls = {
    Row{{.name = "lblPlace", .kind = Label, .caption = "&Where the maps go:", .place = {120, 120, 5760, 255}},
        &frmInstall::lblPlace},
    Row{{.name = "cboPlace", .kind = ComboBox, .place = {120, 390, 5760, 315}, .tab = 1}, &frmInstall::cboPlace},
    Row{{.name = "cmdAnotherFolder", .kind = CommandButton, .caption = "&Another folder\u2026",
         .place = {6000, 360, 1680, 375}, .tab = 2},
        &frmInstall::cmdAnotherFolder, &frmInstall::cmdAnotherFolder_Click},
    Row{{.name = "lblVolume", .kind = Label, .place = {120, 780, 7560, 255}, .tab = 3}, &frmInstall::lblVolume},
    Row{{.name = "lblExisting", .kind = Label, .caption = "Map files there now:", .place = {120, 1140, 7560, 255},
         .tab = 4},
        &frmInstall::lblExisting},
    Row{{.name = "lblMaps", .kind = Label, .place = {240, 1410, 7440, 1500}, .tab = 5}, &frmInstall::lblMaps},
    Row{{.name = "lblName", .kind = Label, .caption = "&File name:", .place = {120, 3045, 1080, 255}, .tab = 6},
        &frmInstall::lblName},
    Row{{.name = "txtName", .kind = TextBox, .place = {1200, 3000, 3360, 315}, .tab = 7}, &frmInstall::txtName},
    Row{{.name = "lblOlder", .kind = Label,
         .caption = "Older receivers read only gmapsupp.img: a new file of that name replaces all their maps.",
         .place = {120, 3420, 7560, 255}, .tab = 8},
        &frmInstall::lblOlder},
    Row{{.name = "lblSize", .kind = Label, .place = {120, 3780, 7560, 510}, .tab = 9}, &frmInstall::lblSize},
    Row{{.name = "cmdInstall", .kind = CommandButton, .caption = "&Install", .place = {5040, 4800, 1260, 420},
         .tab = 10},
        &frmInstall::cmdInstall, &frmInstall::cmdInstall_Click},
    Row{{.name = "cmdClose", .kind = CommandButton, .caption = "Close", .place = {6420, 4800, 1260, 420}, .tab = 11},
        &frmInstall::cmdClose, &frmInstall::cmdClose_Click},
};

} // namespace

const FormDesign& frmInstallForm() { return kForm; }

std::span<const ControlRow<frmInstall>> frmInstallControlRows() { return kControls; }

} // namespace mapwren
