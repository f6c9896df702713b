#pragma once

#include <span>

#include "forms/ControlDesign.h"

namespace mapwren {

// The progress window and its controls, in the design's tab order. Its
// caption is the job's title.
const FormDesign& frmProgressForm();
std::span<const ControlDesign> frmProgressControls();

} // namespace mapwren
