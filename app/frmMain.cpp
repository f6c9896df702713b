// The main window's form: its controls as designed, finding them by name,
// the events a front-end forwards, start-up and shutdown.
#include "app/frmMain.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/frmMainDesign.h"
#include "common/Addresses.h"

namespace mapwren {

frmMain::frmMain(Desktop& desktop, std::string programFolder, std::string argumentText,
                 const ShortNameSource& shortNames)
    : desktop_(desktop), programFolder_(std::move(programFolder)), argumentText_(std::move(argumentText)),
      mapList_(shortNames), states_(frmMainControlRows())
{
    states_.Start(*this);
    for (const MenuRow<frmMain>& row : frmMainMenuRows()) {
        if (row.state)
            (this->*row.state).enabled = row.design.enabled;
    }
}

ControlState* frmMain::Control(std::string_view name)
{
    return states_.Find(*this, name);
}

const ControlState* frmMain::Control(std::string_view name) const
{
    return const_cast<frmMain*>(this)->Control(name);
}

MenuState* frmMain::Menu(std::string_view name)
{
    const MenuRow<frmMain>* row = FindRow(frmMainMenuRows(), name);
    return row && row->state ? &(this->*row->state) : nullptr;
}

// What a click does follows from the control's kind; then its handler runs.
void frmMain::Click(std::string_view name)
{
    const ControlRow<frmMain>* row = FindRow(frmMainControlRows(), name);
    ControlState* control = row ? states_.Of(*this, *row) : nullptr;
    if (!control || !control->enabled || !control->visible)
        return;
    if (row->design.kind == ControlKind::OptionButton) {
        // An option button's event runs when it becomes the selected one of its group.
        if (control->value == 1)
            return;
        for (std::string_view other : OptionGroupOf(name))
            Control(other)->value = 0;
        control->value = 1;
    } else if (row->design.kind == ControlKind::CheckBox) {
        control->value = control->value == 1 ? 0 : 1;   // a greyed box becomes ticked
    }
    if (row->click)
        (this->*row->click)();
    ShowUploadEstimate();
}

void frmMain::TextChanged(std::string_view name, std::string text)
{
    if (ControlState* control = Control(name))
        control->text = std::move(text);
    ShowUploadEstimate();
}

void frmMain::MenuClick(std::string_view name)
{
    const MenuRow<frmMain>* row = FindRow(frmMainMenuRows(), name);
    if (row && row->state && (this->*row->state).enabled && row->click)
        (this->*row->click)();
    ShowUploadEstimate();
}

std::string frmMain::TakeFocusRequest()
{
    if (focusRequest_.empty() && !activeControl_.empty()) {
        const auto& designs = frmMainControls();
        const auto active = std::ranges::find(designs, activeControl_, &ControlDesign::name);
        if (active != designs.end() && !CanTakeFocus(*active, false))
            focusRequest_ = NextInTabOrder(activeControl_);
    }
    return std::exchange(focusRequest_, std::string());
}

bool frmMain::IsShownAndEnabled(std::string_view name) const
{
    const ControlState* state = Control(name);
    return state && state->enabled && state->visible;
}

// A tab stop in a group of option buttons is its selected one, or any while
// none is.
bool frmMain::CanTakeFocus(const ControlDesign& design, bool asTabStop) const
{
    if (!TakesFocus(design.kind) || !IsShownAndEnabled(design.name) ||
        (!design.container.empty() && !IsShownAndEnabled(design.container)))
        return false;
    if (!asTabStop || design.kind != ControlKind::OptionButton)
        return true;
    if (const std::span<const std::string_view> group = OptionGroupOf(design.name); !group.empty()) {
        const auto selected = [this](std::string_view option) {
            const ControlState* state = Control(option);
            return state && state->value == 1;
        };
        return selected(design.name) || std::ranges::none_of(group, selected);
    }
    return true;
}

std::vector<const ControlDesign*> frmMain::InTabOrder() const
{
    std::vector<const ControlDesign*> order;
    for (const ControlDesign& design : frmMainControls())
        order.push_back(&design);
    std::ranges::sort(order, {}, &ControlDesign::tab);
    return order;
}

std::string frmMain::AccessKeyControl(char letter) const
{
    if (letter >= 'A' && letter <= 'Z')
        letter = static_cast<char>(letter - 'A' + 'a');
    for (const ControlDesign* design : InTabOrder()) {
        const ControlKind kind = design->kind;
        const bool pressable = kind == ControlKind::CommandButton || kind == ControlKind::PictureButton ||
                               kind == ControlKind::OptionButton || kind == ControlKind::CheckBox;
        const ControlState* state = Control(design->name);
        if (pressable && state && letter != 0 && AccessKeyOf(state->text) == letter && CanTakeFocus(*design, false))
            return std::string(design->name);
    }
    return {};
}

std::string frmMain::NextInTabOrder(std::string_view name, bool backwards) const
{
    std::vector<const ControlDesign*> order = InTabOrder();
    if (backwards)
        std::ranges::reverse(order);
    const auto from = std::ranges::find(order, name, &ControlDesign::name);
    const std::size_t start = from == order.end() ? 0 : static_cast<std::size_t>(from - order.begin()) + 1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const ControlDesign& next = *order[(start + i) % order.size()];
        if (next.name != name && CanTakeFocus(next, true))
            return std::string(next.name);
    }
    return {};
}

bool frmMain::Form_Load()
{
    tools_ = FindTools(programFolder_);
    mnuUseSendmap1.enabled = tools_.sendmap.has_value();
    mnuUseSendmap2.enabled = tools_.sendmap20.has_value();
    if (!tools_.sendmap && !tools_.sendmap20) {
        desktop_.ShowMessage(MessageIcon::Critical, kProgramTitle, MissingToolsMessage(programFolder_));
        return false;
    }
    cboCOM.text = "COM1";
    StartWithVariant(tools_.sendmap20.has_value());
    ClearGrid();
    SetCurrentCell(0, 0);
    for (ControlState* button : {&cmdSelectAll, &cmdSelectNone, &cmdSaveList, &cmdUpload, &cmdCreateFile, &cmdClearGrid})
        button->enabled = false;
    LoadStartupArgument();   // its port and mapset settings replace the defaults
    return true;
}

// Closing the main window, by any cause, closes every other window of the
// program too, so nothing is left behind: a combined map file still being
// written or installed is cancelled first.
void frmMain::Form_Unload()
{
    StopWriting();
    StopInstalling();
    desktop_.CloseAllWindows();
}

void frmMain::cmdExit_Click() { Form_Unload(); }

void frmMain::mnuExit_Click() { Form_Unload(); }

void frmMain::mnuAbout_Click() { desktop_.ShowAboutWindow(); }

// Opening reads where every map lies.
void frmMain::mnuTileMap_Click()
{
    const BusyPointer busy(desktop_);
    desktop_.ShowTileMapWindow();
}

} // namespace mapwren
