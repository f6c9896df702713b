#pragma once

#include <span>

#include "forms/FormRows.h"

namespace mapwren {

class frmInstall;

// The window that installs the ticked maps on a receiver or memory card, and
// its controls in tab order: each row its design, its state's member and its
// click's handler.
const FormDesign& frmInstallForm();
std::span<const ControlRow<frmInstall>> frmInstallControlRows();
inline auto frmInstallControls() { return Designs(frmInstallControlRows()); }

} // namespace mapwren
