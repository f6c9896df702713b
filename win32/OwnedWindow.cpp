// A form's window owned by the main window: native controls from the form's
// design table, their events passed to the form, its state drawn.
#include "win32/OwnedWindow.h"

#include <commctrl.h>

#include "common/Encoding.h"
#include "win32/DesignLook.h"
#include "win32/ObjectWindowProc.h"
#include "win32/Twips.h"

namespace mapwren {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kFirstId = 100;

} // namespace

OwnedWindow::OwnedWindow(const wchar_t* className, const FormDesign& form, const std::string& caption, HWND owner)
{
    RegisterObjectWindowClass<OwnedWindow>(className, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    before_ = GetActiveWindow();
    dpi_ = owner ? GetDpiForWindow(owner) : 96;
    RECT frame{0, 0, Px(form.width, dpi_), Px(form.height, dpi_)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME, dpi_);
    CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, className, WideFromUtf8(caption).c_str(), kStyle, 0,
                    0, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, GetModuleHandleW(nullptr),
                    this);
}

// The window outlives the form its subclass held: what the controls say as
// they go reaches no form.
OwnedWindow::~OwnedWindow()
{
    muted_ = true;
    if (window_)
        DestroyWindow(window_);
    for (HFONT font : fonts_)
        DeleteObject(font);
}

// Made in the design's tab order, which the dialog manager's Tab follows.
void OwnedWindow::AddControl(const ControlDesign& design, Look look)
{
    NativeKind native = NativeKindOf(design);
    if (design.kind == ControlKind::CommandButton && design.name == look.defaultButton) {
        native.style |= BS_DEFPUSHBUTTON;
        defaultButton_ = design.name;
    }
    if (design.kind == ControlKind::Label && look.shortenPaths)
        native.style |= SS_PATHELLIPSIS;
    // A combo box's height is its list's when dropped down.
    const int height = design.kind == ControlKind::ComboBox ? design.place.height * 8 : design.place.height;
    if (design.kind == ControlKind::ProgressBar) {
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&classes);
    }
    const int id = kFirstId + static_cast<int>(children_.size());
    HWND child = CreateWindowExW(native.extendedStyle, native.className, WideFromUtf8(design.caption).c_str(),
                                 WS_CHILD | WS_VISIBLE | native.style, Px(design.place.left, dpi_),
                                 Px(design.place.top, dpi_), Px(design.place.width, dpi_), Px(height, dpi_), window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (design.kind == ControlKind::ProgressBar)
        SendMessageW(child, PBM_SETRANGE32, 0, 100);
    HFONT font = CreateDesignFont(design.font, dpi_);
    fonts_.push_back(font);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    children_.push_back({&design, child});
}

void ActivateAgain(HWND before)
{
    if (before && IsWindow(before) && IsWindowEnabled(before))
        SetActiveWindow(before);
}

void OwnedWindow::Destroy()
{
    if (GetActiveWindow() == window_)
        ActivateAgain(before_);
    DestroyWindow(window_);
}

HWND OwnedWindow::Control(std::string_view name) const
{
    for (const Child& child : children_) {
        if (child.design->name == name)
            return child.window;
    }
    return nullptr;
}

void OwnedWindow::ShowOver(HWND owner)
{
    RECT main{}, own{};
    GetWindowRect(owner, &main);
    GetWindowRect(window_, &own);
    SetWindowPos(window_, HWND_TOP, (main.left + main.right) / 2 - (own.right - own.left) / 2,
                 (main.top + main.bottom) / 2 - (own.bottom - own.top) / 2, 0, 0, SWP_NOSIZE);
    ShowWindow(window_, SW_SHOW);
    for (const Child& child : children_) {
        if (TakesFocus(child.design->kind)) {
            SetFocus(child.window);
            break;
        }
    }
}

void OwnedWindow::DrawState(HWND control, ControlKind kind, const ControlState& state)
{
    if (!IsWindowEnabled(control) != !state.enabled)
        EnableWindow(control, state.enabled);
    if (!IsWindowVisible(control) != !state.visible)
        ShowWindow(control, state.visible ? SW_SHOWNA : SW_HIDE);
    if (kind == ControlKind::ComboBox) {
        if (SendMessageW(control, CB_GETCURSEL, 0, 0) != state.value)
            SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(state.value), 0);
    } else if (kind == ControlKind::ProgressBar) {
        SendMessageW(control, PBM_SETPOS, static_cast<WPARAM>(state.value), 0);
    } else {
        SetText(control, state.text);
    }
}

bool OwnedWindow::PreTranslate(MSG& message)
{
    return window_ && (message.hwnd == window_ || IsChild(window_, message.hwnd)) &&
           IsDialogMessageW(window_, &message);
}

LRESULT OwnedWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        if (muted_)
            return 0;
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        const auto index = static_cast<std::size_t>(id - kFirstId);
        const Child* child = id >= kFirstId && index < children_.size() ? &children_[index] : nullptr;
        // Enter presses the default button and Escape is the close box, as the dialog manager sends them.
        if (id == IDOK && !defaultButton_.empty())
            Clicked(defaultButton_);
        else if (id == IDCANCEL)
            CloseAsked();
        else if (!child)
            return 0;
        else if (child->design->kind == ControlKind::CommandButton && code == BN_CLICKED)
            Clicked(child->design->name);
        else if (child->design->kind == ControlKind::ComboBox && code == CBN_SELCHANGE)
            Chosen(static_cast<int>(SendMessageW(child->window, CB_GETCURSEL, 0, 0)));
        else if (child->design->kind == ControlKind::TextBox && code == EN_CHANGE)
            Edited(Utf8FromWide(WindowText(child->window)));
        else
            return 0;
        Draw();
        return 0;
    }
    case WM_CLOSE:
        CloseAsked();
        Draw();
        return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace mapwren
