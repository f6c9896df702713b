#pragma once

#include <span>

#include "forms/FormRows.h"

namespace mapwren {

class frmAbout;

// One control of the About window: its design and the handlers a press and a
// click on it run (none for a control that leaves them to the window).
struct AboutRow {
    ControlDesign design;
    void (frmAbout::*mouseDown)(int button) = nullptr;
    void (frmAbout::*click)(int button) = nullptr;
};

// The About window and its controls, in the design's tab order.
const FormDesign& frmAboutForm();
std::span<const AboutRow> frmAboutControlRows();
inline auto frmAboutControls() { return Designs(frmAboutControlRows()); }

} // namespace mapwren
