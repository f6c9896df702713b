// The main window's form: its controls as designed, finding them by name,
// the events a front-end forwards, start-up and shutdown.
#include "app/frmMain.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/frmMainDesign.h"
#include "common/Addresses.h"

namespace mapwren {

namespace {

using Member = ControlState frmMain::*;

constexpr std::array<std::pair<std::string_view, Member>, 42> kControls = {{
    {"cmdFileOpen", &frmMain::cmdFileOpen},       {"Frame1", &frmMain::Frame1},
    {"optAuto", &frmMain::optAuto},               {"optCOM", &frmMain::optCOM},
    {"cboCOM", &frmMain::cboCOM},                 {"optUSB", &frmMain::optUSB},
    {"fmeSpeed", &frmMain::fmeSpeed},             {"opt9600", &frmMain::opt9600},
    {"opt19200", &frmMain::opt19200},             {"opt38400", &frmMain::opt38400},
    {"opt57600", &frmMain::opt57600},             {"opt115200", &frmMain::opt115200},
    {"lbl9600", &frmMain::lbl9600},               {"lbl19200", &frmMain::lbl19200},
    {"lbl38400", &frmMain::lbl38400},             {"lbl57600", &frmMain::lbl57600},
    {"lbl115200", &frmMain::lbl115200},           {"picUnchecked", &frmMain::picUnchecked},
    {"picChecked", &frmMain::picChecked},         {"picNoFileExist", &frmMain::picNoFileExist},
    {"MSFlexGrid1", &frmMain::MSFlexGrid1},       {"lblProcessing", &frmMain::lblProcessing},
    {"lblTotalBytes", &frmMain::lblTotalBytes},   {"lblFilesSelected", &frmMain::lblFilesSelected},
    {"fmeMapset", &frmMain::fmeMapset},           {"chkMapset", &frmMain::chkMapset},
    {"lblEnterMapset", &frmMain::lblEnterMapset}, {"txtMapset", &frmMain::txtMapset},
    {"fmeList", &frmMain::fmeList},               {"cmdSelectAll", &frmMain::cmdSelectAll},
    {"cmdSelectNone", &frmMain::cmdSelectNone},   {"cmdClearGrid", &frmMain::cmdClearGrid},
    {"cmdLoadList", &frmMain::cmdLoadList},       {"cmdSaveList", &frmMain::cmdSaveList},
    {"cmdEraseGPS", &frmMain::cmdEraseGPS},       {"lblAreYouSure", &frmMain::lblAreYouSure},
    {"optSureYes", &frmMain::optSureYes},         {"optSureNo", &frmMain::optSureNo},
    {"chkCreateFile", &frmMain::chkCreateFile},   {"cmdUpload", &frmMain::cmdUpload},
    {"cmdCreateFile", &frmMain::cmdCreateFile},   {"cmdExit", &frmMain::cmdExit},
}};

using MenuMember = MenuState frmMain::*;

constexpr std::array<std::pair<std::string_view, MenuMember>, 8> kMenuItems = {{
    {"mnuUseSendmap1", &frmMain::mnuUseSendmap1},
    {"mnuUseSendmap2", &frmMain::mnuUseSendmap2},
    {"mnuTileMap", &frmMain::mnuTileMap},
    {"mnuCombinedMap", &frmMain::mnuCombinedMap},
    {"mnuInstall", &frmMain::mnuInstall},
    {"mnuExit", &frmMain::mnuExit},
    {"mnuID", &frmMain::mnuID},
    {"mnuAbout", &frmMain::mnuAbout},
}};

using Handler = void (frmMain::*)();

constexpr std::array<std::pair<std::string_view, Handler>, 17> kClickHandlers = {{
    {"cmdFileOpen", &frmMain::cmdFileOpen_Click},     {"cmdClearGrid", &frmMain::cmdClearGrid_Click},
    {"cmdSelectAll", &frmMain::cmdSelectAll_Click},   {"cmdSelectNone", &frmMain::cmdSelectNone_Click},
    {"cmdLoadList", &frmMain::cmdLoadList_Click},     {"cmdSaveList", &frmMain::cmdSaveList_Click},
    {"cmdUpload", &frmMain::cmdUpload_Click},         {"cmdCreateFile", &frmMain::cmdCreateFile_Click},
    {"cmdEraseGPS", &frmMain::cmdEraseGPS_Click},     {"cmdExit", &frmMain::cmdExit_Click},
    {"optAuto", &frmMain::optAuto_Click},             {"optCOM", &frmMain::optCOM_Click},
    {"optUSB", &frmMain::optUSB_Click},               {"optSureYes", &frmMain::optSureYes_Click},
    {"optSureNo", &frmMain::optSureNo_Click},         {"chkCreateFile", &frmMain::chkCreateFile_Click},
    {"chkMapset", &frmMain::chkMapset_Click},
}};

constexpr std::array<std::pair<std::string_view, Handler>, 8> kMenuHandlers = {{
    {"mnuUseSendmap1", &frmMain::mnuUseSendmap1_Click},
    {"mnuUseSendmap2", &frmMain::mnuUseSendmap2_Click},
    {"mnuTileMap", &frmMain::mnuTileMap_Click},
    {"mnuCombinedMap", &frmMain::mnuCombinedMap_Click},
    {"mnuInstall", &frmMain::mnuInstall_Click},
    {"mnuExit", &frmMain::mnuExit_Click},
    {"mnuID", &frmMain::mnuID_Click},
    {"mnuAbout", &frmMain::mnuAbout_Click},
}};

template <class Table>
auto Find(const Table& table, std::string_view name) -> decltype(table.begin())
{
    auto it = table.begin();
    while (it != table.end() && it->first != name)
        ++it;
    return it;
}

} // namespace

frmMain::frmMain(Desktop& desktop, std::string programFolder, std::string argumentText,
                 const ShortNameSource& shortNames)
    : desktop_(desktop), programFolder_(std::move(programFolder)), argumentText_(std::move(argumentText)),
      mapList_(shortNames)
{
    for (const ControlDesign& design : frmMainControls()) {
        if (ControlState* control = Control(design.name))
            *control = InitialState(design);
    }
    for (const MenuDesign& design : frmMainMenus()) {
        if (MenuState* item = Menu(design.name))
            item->enabled = design.enabled;
    }
}

ControlState* frmMain::Control(std::string_view name)
{
    const auto it = Find(kControls, name);
    return it == kControls.end() ? nullptr : &(this->*(it->second));
}

const ControlState* frmMain::Control(std::string_view name) const
{
    const auto it = Find(kControls, name);
    return it == kControls.end() ? nullptr : &(this->*(it->second));
}

MenuState* frmMain::Menu(std::string_view name)
{
    const auto it = Find(kMenuItems, name);
    return it == kMenuItems.end() ? nullptr : &(this->*(it->second));
}

void frmMain::Click(std::string_view name)
{
    ControlState* control = Control(name);
    if (!control || !control->enabled || !control->visible)
        return;
    bool changed = true;
    if (const std::span<const std::string_view> group = OptionGroupOf(name); !group.empty()) {
        changed = control->value != 1;
        for (std::string_view other : group) {
            if (ControlState* option = Control(other))
                option->value = 0;
        }
        control->value = 1;
    }
    if (name == "chkMapset" || name == "chkCreateFile")
        control->value = control->value == 1 ? 0 : 1;   // a greyed box becomes ticked
    // A port's event runs when its button becomes selected.
    if (!changed && (name == "optAuto" || name == "optCOM" || name == "optUSB"))
        return;
    const auto handler = Find(kClickHandlers, name);
    if (handler != kClickHandlers.end())
        (this->*(handler->second))();
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
    const MenuState* item = Menu(name);
    const auto handler = Find(kMenuHandlers, name);
    if (item && item->enabled && handler != kMenuHandlers.end())
        (this->*(handler->second))();
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
