// The progress window: native controls from the progress form's design
// table, Cancel and the close box passed to the form, its state drawn.
#include "win32/ProgressWindow.h"

#include <commctrl.h>

#include "common/Encoding.h"
#include "progress/frmProgressDesign.h"
#include "win32/DesignLook.h"
#include "win32/ObjectWindowProc.h"
#include "win32/Twips.h"
#include "win32/WindowText.h"

namespace mapwren {

namespace {

constexpr wchar_t kClassName[] = L"MapwrenProgress";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

} // namespace

ProgressWindow::ProgressWindow(std::shared_ptr<frmProgress> form, HWND owner) : form_(std::move(form))
{
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    RegisterObjectWindowClass<ProgressWindow>(kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const FormDesign& design = frmProgressForm();
    const UINT dpi = owner ? GetDpiForWindow(owner) : 96;
    RECT frame{0, 0, Px(design.width, dpi), Px(design.height, dpi)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME, dpi);
    CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, WideFromUtf8(form_->Caption).c_str(), kStyle, 0, 0,
                    frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, GetModuleHandleW(nullptr),
                    this);
    for (const ControlDesign& control : frmProgressControls()) {
        const wchar_t* type = L"STATIC";
        // Escape and the button both send IDCANCEL.
        DWORD style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_PATHELLIPSIS;
        HMENU id = nullptr;
        if (control.kind == ControlKind::ProgressBar) {
            type = PROGRESS_CLASSW;
            style = WS_CHILD | WS_VISIBLE;
        } else if (control.kind == ControlKind::CommandButton) {
            type = L"BUTTON";
            style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
            id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL));
        }
        HWND child = CreateWindowExW(0, type, WideFromUtf8(control.caption).c_str(), style,
                                     Px(control.place.left, dpi), Px(control.place.top, dpi),
                                     Px(control.place.width, dpi), Px(control.place.height, dpi), window_, id,
                                     GetModuleHandleW(nullptr), nullptr);
        HFONT font = CreateDesignFont(control.font, dpi);
        fonts_.push_back(font);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        controls_.emplace(std::string(control.name), child);
    }
    SendMessageW(Control("prgDone"), PBM_SETRANGE32, 0, 100);
    Draw();
    // Centre on centre over the main window, the keys on Cancel.
    RECT main{}, own{};
    GetWindowRect(owner, &main);
    GetWindowRect(window_, &own);
    SetWindowPos(window_, HWND_TOP, (main.left + main.right) / 2 - (own.right - own.left) / 2,
                 (main.top + main.bottom) / 2 - (own.bottom - own.top) / 2, 0, 0, SWP_NOSIZE);
    ShowWindow(window_, SW_SHOW);
    SetFocus(Control("cmdCancel"));
}

ProgressWindow::~ProgressWindow()
{
    if (window_)
        DestroyWindow(window_);
    for (HFONT font : fonts_)
        DeleteObject(font);
}

HWND ProgressWindow::Control(std::string_view name) const
{
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void ProgressWindow::Draw()
{
    if (!window_)
        return;
    if (form_->Closed()) {
        DestroyWindow(window_);
        return;
    }
    SetText(window_, form_->Caption);
    for (const auto& [name, control] : controls_) {
        const ControlState* state = form_->Control(name);
        if (!IsWindowEnabled(control) != !state->enabled)
            EnableWindow(control, state->enabled);
        if (!IsWindowVisible(control) != !state->visible)
            ShowWindow(control, state->visible ? SW_SHOWNA : SW_HIDE);
        if (name == "prgDone")
            SendMessageW(control, PBM_SETPOS, static_cast<WPARAM>(state->value), 0);
        else if (name != "cmdCancel")
            SetText(control, state->text);
    }
}

bool ProgressWindow::PreTranslate(MSG& message)
{
    return window_ && (message.hwnd == window_ || IsChild(window_, message.hwnd)) &&
           IsDialogMessageW(window_, &message);
}

// The window stays until the job has ended: closing it cancels the job.
LRESULT ProgressWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            form_->Form_QueryUnload();
            Draw();
        }
        return 0;
    case WM_CLOSE:
        form_->Form_QueryUnload();
        Draw();
        return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace mapwren
