#pragma once

#include <span>

#include "forms/FormRows.h"

namespace mapwren {

class frmProgress;

// The progress window and its controls, in the design's tab order. Its
// caption is the job's title.
const FormDesign& frmProgressForm();
// Each row its design, its state's member and its click's handler.
std::span<const ControlRow<frmProgress>> frmProgressControlRows();
inline auto frmProgressControls() { return Designs(frmProgressControlRows()); }

} // namespace mapwren
