#pragma once

#include <string>

#include "forms/ControlDesign.h"

namespace mapwren {

// What a control shows at run time; a front-end draws it after each event.
// The meaning of value depends on the kind: an option button is selected at
// 1, a check box is 0 unticked, 1 ticked, 2 greyed.
struct ControlState {
    bool enabled = true;
    bool visible = true;
    std::string text;   // a caption, or what a text box or the COM box holds
    int value = 0;
    Background background = Background::System;
    std::string toolTip;   // shown while the pointer rests on the control; empty for none
};

struct MenuState {
    bool enabled = true;
    bool checked = false;
};

// A control's state as its design sets it, before any code runs.
inline ControlState InitialState(const ControlDesign& design)
{
    return {design.enabled, design.visible, std::string(design.caption), design.selected ? 1 : 0,
            design.background, std::string(design.tooltip)};
}

} // namespace mapwren
