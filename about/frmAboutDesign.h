#pragma once

#include <span>

#include "forms/ControlDesign.h"

namespace mapwren {

// The About window and its controls, in the design's tab order.
const FormDesign& frmAboutForm();
std::span<const ControlDesign> frmAboutControls();

} // namespace mapwren
