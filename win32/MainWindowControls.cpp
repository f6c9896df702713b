// The main window's controls, built from the form's design table, its menus
// and shortcuts, access keys, colours and the layout in the window's scale.
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "app/frmMainDesign.h"
#include "common/Encoding.h"
#include "win32/DesignLook.h"
#include "win32/MainWindow.h"
#include "win32/Twips.h"
#include "win32/WindowStyle.h"

namespace mapwren {

namespace {

constexpr int kFirstControlId = 1000;
constexpr int kFirstMenuCommand = 2000;

} // namespace

HWND MainWindow::Control(std::string_view name) const
{
    const NativeControl* control = Find(name);
    return control ? control->window : nullptr;
}

const MainWindow::NativeControl* MainWindow::Find(std::string_view name) const
{
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [&](const NativeControl& control) { return control.design->name == name; });
    return it == controls_.end() ? nullptr : &*it;
}

const MainWindow::NativeControl* MainWindow::FindById(int id) const
{
    const auto index = static_cast<std::size_t>(id - kFirstControlId);
    return id >= kFirstControlId && index < controls_.size() ? &controls_[index] : nullptr;
}

int MainWindow::MenuCommand(std::string_view name) const
{
    const auto it = menuCommands_.find(name);
    return it == menuCommands_.end() ? 0 : it->second;
}

// Created in the design's tab order, which makes it the z-order the dialog
// manager walks with Tab; each control starts a group of its own except an
// option button following one of its own group, so arrows move inside a group.
void MainWindow::CreateControls()
{
    std::vector<const ControlDesign*> designs;
    for (const ControlDesign& design : frmMainControls())
        designs.push_back(&design);
    std::stable_sort(designs.begin(), designs.end(),
                     [](const ControlDesign* a, const ControlDesign* b) { return a->tab < b->tab; });
    const ControlDesign* previous = nullptr;
    for (const ControlDesign* design : designs) {
        const NativeKind native = NativeKindOf(*design);
        const std::span<const std::string_view> group = OptionGroupOf(design->name);
        const bool continuesGroup = previous && std::ranges::find(group, previous->name) != group.end();
        const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | native.style | (continuesGroup ? 0 : WS_GROUP) |
                            (design->visible ? WS_VISIBLE : 0) | (design->enabled ? 0 : WS_DISABLED);
        const int id = kFirstControlId + static_cast<int>(controls_.size());
        const std::wstring caption = design->kind == ControlKind::PictureButton ? L"" : WideFromUtf8(design->caption);
        HWND window = CreateWindowExW(native.extendedStyle, native.className, caption.c_str(), style, 0, 0, 10, 10,
                                      window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleW(nullptr), nullptr);
        // A themed button draws its text in the theme's colour; the design's
        // red needs the classic look.
        if (design->colour != TextColour::System)
            SetWindowTheme(window, L"", L"");
        controls_.push_back({design, window, id});
        previous = design;
    }
    // Frames take no keys, so they leave the tab order's z-order for its
    // bottom, where they draw beneath what they hold.
    for (const NativeControl& control : controls_) {
        if (control.design->kind == ControlKind::Frame)
            SetWindowPos(control.window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    CreateControlTips();
    HWND cboCOM = Control("cboCOM");
    for (std::string_view port : ComPortNames())
        SendMessageW(cboCOM, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(port).c_str()));
    grid_ = Control("MSFlexGrid1");
    CreateGrid();
}

void MainWindow::CreateMenus()
{
    menu_ = CreateMenu();
    std::map<std::string_view, HMENU> popups;
    std::vector<ACCEL> shortcuts;
    const auto designs = frmMainMenus();
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const MenuDesign& design = designs[i];
        const int command = kFirstMenuCommand + static_cast<int>(i);
        std::wstring caption = WideFromUtf8(design.caption);
        if (!design.shortcut.empty())
            caption += L"\t" + WideFromUtf8(design.shortcut);
        HMENU parent = design.parent.empty() ? menu_ : popups.at(design.parent);
        if (OpensMenu(designs, design.name)) {
            HMENU popup = CreatePopupMenu();
            popups[design.name] = popup;
            AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
            continue;
        }
        AppendMenuW(parent, MF_STRING | (design.enabled ? 0 : MF_GRAYED), static_cast<UINT_PTR>(command),
                    caption.c_str());
        menuCommands_.emplace(std::string(design.name), command);
        // The design's shortcuts are function keys, "F1" and up, or Ctrl with a letter.
        constexpr std::string_view kCtrl = "Ctrl+";
        if (design.shortcut.size() > 1 && design.shortcut[0] == 'F') {
            const int number = std::stoi(std::string(design.shortcut.substr(1)));
            shortcuts.push_back({FVIRTKEY, static_cast<WORD>(VK_F1 + number - 1), static_cast<WORD>(command)});
        } else if (design.shortcut.size() == kCtrl.size() + 1 && design.shortcut.starts_with(kCtrl)) {
            shortcuts.push_back({FVIRTKEY | FCONTROL, static_cast<WORD>(design.shortcut.back()), static_cast<WORD>(command)});
        }
    }
    SetMenu(window_, menu_);
    if (!shortcuts.empty())
        accelerators_ = CreateAcceleratorTableW(shortcuts.data(), static_cast<int>(shortcuts.size()));
}

HFONT MainWindow::Font(const FontDesign& design)
{
    const auto key = std::make_tuple(design.family, design.points, design.bold);
    auto it = fonts_.find(key);
    if (it == fonts_.end())
        it = fonts_.emplace(key, CreateDesignFont(design, dpi_)).first;
    return it->second;
}

// Places, fonts and pictures in the window's present scale.
void MainWindow::Layout()
{
    for (const auto& [key, font] : fonts_)
        DeleteObject(font);
    fonts_.clear();
    HDC screen = GetDC(window_);
    for (const NativeControl& control : controls_) {
        const ControlDesign& design = *control.design;
        const ControlDesign* frame = nullptr;
        for (const NativeControl& other : controls_) {
            if (other.design->name == design.container)
                frame = other.design;
        }
        const int left = Px(design.place.left, dpi_) + (frame ? Px(frame->place.left, dpi_) : 0);
        const int top = Px(design.place.top, dpi_) + (frame ? Px(frame->place.top, dpi_) : 0);
        const int width = Px(design.place.width, dpi_);
        int height = Px(design.place.height, dpi_);
        HFONT font = Font(design.font);
        SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        TEXTMETRICW metrics{};
        HGDIOBJ old = SelectObject(screen, font);
        GetTextMetricsW(screen, &metrics);
        SelectObject(screen, old);
        if (design.kind == ControlKind::ComboBox) {
            // The closed box is as high as designed; the open list shows every port.
            SendMessageW(control.window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - 6);
            const auto count = SendMessageW(control.window, CB_GETCOUNT, 0, 0);
            height += static_cast<int>(count) * (metrics.tmHeight + 2) + 2;
        }
        // A label lower than a line shows its middle, so what is cut is cut evenly.
        if (design.kind == ControlKind::Label)
            SetStyleBits(control.window, SS_CENTERIMAGE, height < metrics.tmHeight);
        SetWindowPos(control.window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        if (!design.picture.empty()) {
            pictures_[std::string(design.picture)] =
                LoadPicture(design.picture, Scaled(design.pictureWidth, dpi_), Scaled(design.pictureHeight, dpi_));
        }
    }
    ReleaseDC(window_, screen);
    LayoutGrid();
    RECT frame{0, 0, Px(kMainClientWidth, dpi_), Px(kMainClientHeight, dpi_)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), TRUE, 0, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

// Alt with a letter presses at once the control the form picks for it; with
// none, the menu of that letter opens.
bool MainWindow::ActOnAccessKey(wchar_t letter)
{
    const std::string name = letter > 0 && letter < 0x80 ? form_.AccessKeyControl(static_cast<char>(letter)) : "";
    if (name.empty())
        return false;
    SetFocus(Control(name));
    Forward([&] { form_.Click(name); });
    return true;
}

// One tooltip for every control; it asks for a control's text each time it
// shows, so the text is always the form's of the moment.
void MainWindow::CreateControlTips()
{
    controlTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0,
                                   0, 0, 0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(controlTips_, TTM_SETMAXTIPWIDTH, 0, 600);   // long tips wrap into lines
    for (const NativeControl& control : controls_) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control.window);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(controlTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LRESULT MainWindow::ControlTipText(NMTTDISPINFOW& info)
{
    const auto it = std::find_if(controls_.begin(), controls_.end(), [&](const NativeControl& control) {
        return reinterpret_cast<UINT_PTR>(control.window) == info.hdr.idFrom;
    });
    const ControlState* state = it == controls_.end() ? nullptr : form_.Control(it->design->name);
    shownTip_ = WideFromUtf8(state ? state->toolTip : std::string());
    info.lpszText = shownTip_.data();
    return 0;
}

// The picture buttons show their pictures over the native button, faded
// while the button is disabled. An option button or check box without a
// caption, whose focus frame Windows draws around the caption alone, is
// framed whole while it has the focus. The grid has its own notifications.
LRESULT MainWindow::OnNotify(NMHDR* header)
{
    if (header->hwndFrom == grid_)
        return GridNotify(header);
    if (header->hwndFrom == controlTips_ && header->code == TTN_GETDISPINFOW)
        return ControlTipText(*reinterpret_cast<NMTTDISPINFOW*>(header));
    const NativeControl* control = FindById(static_cast<int>(header->idFrom));
    if (!control || header->code != NM_CUSTOMDRAW)
        return 0;
    const ControlKind kind = control->design->kind;
    const bool boxOnly = (kind == ControlKind::OptionButton || kind == ControlKind::CheckBox) &&
                         control->design->caption.empty();
    if (kind != ControlKind::PictureButton && !boxOnly)
        return 0;
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYPOSTPAINT;
    if (draw->dwDrawStage == CDDS_POSTPAINT && boxOnly) {
        if (GetFocus() == control->window)
            DrawFocusRect(draw->hdc, &draw->rc);
    } else if (draw->dwDrawStage == CDDS_POSTPAINT) {
        RECT box = draw->rc;
        if (draw->uItemState & CDIS_SELECTED)
            OffsetRect(&box, 1, 1);
        constexpr BYTE kFaded = 96;
        pictures_[std::string(control->design->picture)].DrawCentred(draw->hdc, box,
                                                                   draw->uItemState & CDIS_DISABLED ? kFaded : 255);
    }
    return CDRF_DODEFAULT;
}

// The design's colours: red and blue texts, the name box's background.
HBRUSH MainWindow::OnColour(HDC dc, HWND window)
{
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [&](const NativeControl& control) { return control.window == window; });
    if (it == controls_.end())
        return nullptr;
    const ControlDesign& design = *it->design;
    const ControlState* state = form_.Control(design.name);
    if (design.kind == ControlKind::TextBox && state && state->background != Background::System) {
        const int colour = state->background == Background::Menu ? COLOR_MENU : COLOR_3DLIGHT;
        SetBkColor(dc, GetSysColor(colour));
        SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        return GetSysColorBrush(colour);
    }
    if (design.colour == TextColour::System)
        return nullptr;
    SetTextColor(dc, DesignColour(design.colour));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

} // namespace mapwren
