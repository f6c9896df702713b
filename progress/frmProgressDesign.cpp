#include "progress/frmProgressDesign.h"

#include <array>

#include "progress/frmProgress.h"

namespace mapwren {

namespace {

using enum ControlKind;
using Row = ControlRow<frmProgress>;

constexpr FormDesign kForm{.width = 5400, .height = 2040, .background = {240, 240, 240}, .icon = "icon"};

constexpr std::array kControls = {
    Row{{.name = "lblWhat", .kind = Label, .place = {120, 120, 5160, 255}, .tab = 0}, &frmProgress::lblWhat},
    Row{{.name = "prgDone", .kind = ProgressBar, .place = {120, 450, 5160, 300}, .tab = 1}, &frmProgress::prgDone},
    Row{{.name = "lblDone", .kind = Label, .place = {120, 870, 5160, 255}, .tab = 2}, &frmProgress::lblDone},
    Row{{.name = "lblTimeLeft", .kind = Label, .place = {120, 1170, 5160, 255}, .tab = 3}, &frmProgress::lblTimeLeft},
    Row{{.name = "cmdCancel", .kind = CommandButton, .caption = "Cancel", .place = {4080, 1560, 1200, 360}, .tab = 4},
        &frmProgress::cmdCancel, &frmProgress::cmdCancel_Click},
};

} // namespace

const FormDesign& frmProgressForm() { return kForm; }

std::span<const ControlRow<frmProgress>> frmProgressControlRows() { return kControls; }

} // namespace mapwren
