#pragma once

#include <span>

#include "forms/ControlDesign.h"

namespace mapwren {

// The window that installs the ticked maps on a receiver or memory card, and
// its controls in tab order.
const FormDesign& frmInstallForm();
std::span<const ControlDesign> frmInstallControls();

} // namespace mapwren
