#include "progress/frmProgressDesign.h"

#include <array>

namespace mapwren {

namespace {

using enum ControlKind;

constexpr FormDesign kForm{.width = 5400, .height = 2040, .background = {240, 240, 240}, .icon = "icon"};

constexpr std::array kControls = {
    ControlDesign{.name = "lblWhat", .kind = Label, .place = {120, 120, 5160, 255}, .tab = 0},
    ControlDesign{.name = "prgDone", .kind = ProgressBar, .place = {120, 450, 5160, 300}, .tab = 1},
    ControlDesign{.name = "lblDone", .kind = Label, .place = {120, 870, 5160, 255}, .tab = 2},
    ControlDesign{.name = "lblTimeLeft", .kind = Label, .place = {120, 1170, 5160, 255}, .tab = 3},
    ControlDesign{.name = "cmdCancel", .kind = CommandButton, .caption = "Cancel", .place = {4080, 1560, 1200, 360},
                  .tab = 4},
};

} // namespace

const FormDesign& frmProgressForm() { return kForm; }

std::span<const ControlDesign> frmProgressControls() { return kControls; }

} // namespace mapwren
