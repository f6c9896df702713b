#include "win32/AboutWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "about/frmAboutDesign.h"
#include "common/Encoding.h"
#include "win32/DesignLook.h"
#include "win32/Input.h"
#include "win32/Pictures.h"
#include "win32/ObjectWindowProc.h"
#include "win32/Twips.h"

namespace mapwren {

namespace {

constexpr wchar_t kClassName[] = L"MapwrenAbout";

COLORREF Colour(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

} // namespace

AboutWindow::AboutWindow(Desktop& desktop, HWND owner) : form_(desktop)
{
    RegisterObjectWindowClass<AboutWindow>(kClassName);
    const FormDesign& design = frmAboutForm();
    dpi_ = owner ? GetDpiForWindow(owner) : 96;
    sheet_ = CreateSolidBrush(Colour(design.background));
    const DWORD style = design.titleBar ? WS_POPUP | WS_CAPTION : WS_POPUP;
    RECT frame{0, 0, Px(design.width, dpi_), Px(design.height, dpi_)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi_);
    window_ = CreateWindowExW(0, kClassName, WideFromUtf8(design.caption).c_str(), style, 0, 0,
                              frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                              GetModuleHandleW(nullptr), this);
    icon_ = LoadProgramIcon(design.icon, GetSystemMetricsForDpi(SM_CXICON, dpi_));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    CreateControls();
}

AboutWindow::~AboutWindow()
{
    if (window_)
        DestroyWindow(window_);
    for (HFONT font : fonts_)
        DeleteObject(font);
    DeleteObject(sheet_);
    for (HICON icon : {icon_, pictureIcon_}) {
        if (icon)
            DestroyIcon(icon);
    }
}

HWND AboutWindow::Control(std::string_view name) const
{
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void AboutWindow::CreateControls()
{
    for (const ControlDesign& design : frmAboutControls()) {
        const int left = Px(design.place.left, dpi_);
        const int top = Px(design.place.top, dpi_);
        const int width = Px(design.place.width, dpi_);
        const int height = Px(design.place.height, dpi_);
        HWND control = nullptr;
        if (design.kind == ControlKind::TextBox) {
            DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | (design.locked ? ES_READONLY : 0);
            style |= design.align == TextAlign::Centre ? ES_CENTER : design.align == TextAlign::Right ? ES_RIGHT : 0;
            control = CreateWindowExW(design.borderless ? 0 : WS_EX_CLIENTEDGE, L"EDIT",
                                      WideFromUtf8(design.caption).c_str(), style, left, top, width,
                                      height, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
            SetWindowSubclass(control, &AboutWindow::AddressProc, 0, reinterpret_cast<DWORD_PTR>(this));
        } else if (design.kind == ControlKind::PictureBox) {
            control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON | SS_CENTERIMAGE |
                                      SS_REALSIZECONTROL, left, top, width, height, window_,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
            pictureIcon_ = LoadProgramIcon(design.picture, width);
            SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(pictureIcon_), 0);
        } else {
            const DWORD align = design.align == TextAlign::Centre ? SS_CENTER
                                : design.align == TextAlign::Right ? SS_RIGHT
                                                                    : SS_LEFT;
            control = CreateWindowExW(0, L"STATIC", WideFromUtf8(design.caption).c_str(),
                                      WS_CHILD | WS_VISIBLE | SS_NOPREFIX | align, left, top, width,
                                      height, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
        }
        HFONT font = CreateDesignFont(design.font, dpi_);
        fonts_.push_back(font);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        controls_.emplace(std::string(design.name), control);
        designs_.emplace(control, &design);
    }
}

void AboutWindow::ShowCentredOver(HWND mainWindow)
{
    RECT main{};
    RECT own{};
    GetWindowRect(mainWindow, &main);
    GetWindowRect(window_, &own);
    const double left = main.left + (main.right - main.left) / 2.0 - (own.right - own.left) / 2.0;
    const double top = main.top + (main.bottom - main.top) / 2.0 - (own.bottom - own.top) / 2.0;
    SetWindowPos(window_, HWND_TOP, static_cast<int>(left + 0.5), static_cast<int>(top + 0.5), 0, 0, SWP_NOSIZE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(window_);
}

std::string AboutWindow::NameOf(HWND control) const
{
    const auto it = designs_.find(control);
    return it == designs_.end() ? std::string() : std::string(it->second->name);
}

// The labels and the icon let presses through to the window; the control
// under the pointer is told by place.
std::string AboutWindow::NameAt(POINT inWindow) const
{
    HWND child = ChildWindowFromPointEx(window_, inWindow, CWP_SKIPINVISIBLE);
    return child == window_ ? std::string() : NameOf(child);
}

bool AboutWindow::PreTranslate(MSG& message)
{
    if (!window_ || (message.hwnd != window_ && GetParent(message.hwnd) != window_))
        return false;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        form_.Form_KeyDown(static_cast<int>(message.wParam), KeyboardShiftMask());
        const bool closed = form_.Closed();
        Draw();
        // A key that keeps the window, such as Ctrl+C, goes on to its address box.
        return closed || message.hwnd == window_;
    }
    default: return false;
    }
}

LRESULT AboutWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        pressed_ = NameAt(at);
        pressing_ = true;
        SetCapture(window_);
        form_.MouseDown(pressed_, ButtonCode(message), false);
        Draw();
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if (GetCapture() == window_)
            ReleaseCapture();
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT client{};
        GetClientRect(window_, &client);
        if (std::exchange(pressing_, false) && PtInRect(&client, at)) {
            form_.Click(NameAt(at), ButtonCode(message));
            Draw();
        }
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
        const auto it = designs_.find(reinterpret_cast<HWND>(lParam));
        HDC dc = reinterpret_cast<HDC>(wParam);
        const TextColour colour = it == designs_.end() ? TextColour::System : it->second->colour;
        SetTextColor(dc, colour == TextColour::System ? GetSysColor(COLOR_WINDOWTEXT) : DesignColour(colour));
        SetBkColor(dc, Colour(frmAboutForm().background));
        return reinterpret_cast<LRESULT>(sheet_);
    }
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, sheet_);
        return 1;
    }
    case WM_SETCURSOR: {
        const auto it = designs_.find(reinterpret_cast<HWND>(wParam));
        if (it != designs_.end() && it->second->link) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// The address boxes: their presses go to the form only, so the box neither
// moves its caret nor narrows the selection by a drag.
LRESULT CALLBACK AboutWindow::AddressProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data)
{
    auto* self = reinterpret_cast<AboutWindow*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        const bool second = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
        self->form_.MouseDown(self->NameOf(box), ButtonCode(message), second);
        self->Draw();
        return 0;
    }
    case WM_MOUSEMOVE: return 0;
    case WM_CONTEXTMENU:
        if (self->designs_.at(box)->link)
            return 0;
        break;
    default: break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

void AboutWindow::Draw()
{
    if (!window_)
        return;
    if (form_.Closed()) {
        DestroyWindow(window_);
        return;
    }
    HWND active = Control(form_.ActiveControl());
    if (active && GetFocus() != active)
        SetFocus(active);
    const frmAbout::Selection selection = form_.txtEmailSelection();
    if (selection.length > 0)
        SendMessageW(Control("txtEmail"), EM_SETSEL, static_cast<WPARAM>(selection.start),
                     static_cast<LPARAM>(selection.start + selection.length));
}

} // namespace mapwren
