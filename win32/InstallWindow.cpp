// The install window: native controls from the install form's design table,
// their events passed to the form, its state drawn.
#include "win32/InstallWindow.h"

#include "common/Encoding.h"
#include "install/frmInstallDesign.h"
#include "win32/DesignLook.h"
#include "win32/ObjectWindowProc.h"
#include "win32/Twips.h"
#include "win32/WindowText.h"

namespace mapwren {

namespace {

constexpr wchar_t kClassName[] = L"MapwrenInstall";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr UINT_PTR kPollTimer = 1;
constexpr int kFirstId = 100;

struct NativeKind {
    const wchar_t* type;
    DWORD style;
    DWORD extended;
};

NativeKind KindOf(const ControlDesign& control)
{
    switch (control.kind) {
    case ControlKind::CommandButton:
        return {L"BUTTON", WS_TABSTOP | (control.name == "cmdInstall" ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case ControlKind::ComboBox: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::TextBox: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    default:
        // Only a caption with an access key reads "&" as one; a path shows it as it is.
        return {L"STATIC", control.caption.find('&') == std::string_view::npos ? DWORD{SS_NOPREFIX} : 0u, 0};
    }
}

} // namespace

InstallWindow::InstallWindow(std::shared_ptr<frmInstall> form, HWND owner) : form_(std::move(form))
{
    RegisterObjectWindowClass<InstallWindow>(kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const FormDesign& design = frmInstallForm();
    const UINT dpi = owner ? GetDpiForWindow(owner) : 96;
    RECT frame{0, 0, Px(design.width, dpi), Px(design.height, dpi)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME, dpi);
    CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClassName, WideFromUtf8(form_->Caption).c_str(),
                    kStyle, 0, 0, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    // Made in the design's tab order, which the dialog manager's Tab follows.
    for (const ControlDesign& control : frmInstallControls()) {
        const NativeKind kind = KindOf(control);
        // The place box's height is its list's when dropped down.
        const int height = control.kind == ControlKind::ComboBox ? control.place.height * 8 : control.place.height;
        const int id = kFirstId + static_cast<int>(names_.size());
        HWND child = CreateWindowExW(kind.extended, kind.type, WideFromUtf8(control.caption).c_str(),
                                     WS_CHILD | WS_VISIBLE | kind.style, Px(control.place.left, dpi),
                                     Px(control.place.top, dpi), Px(control.place.width, dpi), Px(height, dpi),
                                     window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     GetModuleHandleW(nullptr), nullptr);
        HFONT font = CreateDesignFont(control.font, dpi);
        fonts_.push_back(font);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        controls_.emplace(std::string(control.name), child);
        names_.emplace_back(control.name);
    }
    form_->Form_Load();
    Draw();
    SetTimer(window_, kPollTimer, static_cast<UINT>(frmInstall::kPollEvery.count()), nullptr);
    RECT main{}, own{};
    GetWindowRect(owner, &main);
    GetWindowRect(window_, &own);
    SetWindowPos(window_, HWND_TOP, (main.left + main.right) / 2 - (own.right - own.left) / 2,
                 (main.top + main.bottom) / 2 - (own.bottom - own.top) / 2, 0, 0, SWP_NOSIZE);
    ShowWindow(window_, SW_SHOW);
    SetFocus(Control("cboPlace"));
}

InstallWindow::~InstallWindow()
{
    if (window_)
        DestroyWindow(window_);
    for (HFONT font : fonts_)
        DeleteObject(font);
}

HWND InstallWindow::Control(std::string_view name) const
{
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void InstallWindow::Draw()
{
    if (!window_)
        return;
    if (form_->Closed()) {
        DestroyWindow(window_);
        return;
    }
    drawing_ = true;
    SetText(window_, form_->Caption);
    for (const auto& [name, control] : controls_) {
        const ControlState* state = form_->Control(name);
        if (!IsWindowEnabled(control) != !state->enabled)
            EnableWindow(control, state->enabled);
        if (!IsWindowVisible(control) != !state->visible)
            ShowWindow(control, state->visible ? SW_SHOWNA : SW_HIDE);
        if (name == "cboPlace") {
            if (placeItems_ != form_->PlaceItems()) {
                placeItems_ = form_->PlaceItems();
                SendMessageW(control, CB_RESETCONTENT, 0, 0);
                for (const std::string& item : placeItems_)
                    SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item).c_str()));
            }
            if (SendMessageW(control, CB_GETCURSEL, 0, 0) != state->value)
                SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(state->value), 0);
        } else {
            SetText(control, state->text);
        }
    }
    drawing_ = false;
}

bool InstallWindow::PreTranslate(MSG& message)
{
    return window_ && (message.hwnd == window_ || IsChild(window_, message.hwnd)) &&
           IsDialogMessageW(window_, &message);
}

LRESULT InstallWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        // Enter presses Install and Escape Close, as the dialog manager sends them.
        const std::string name = id == IDOK       ? "cmdInstall"
                                 : id == IDCANCEL ? "cmdClose"
                                 : id >= kFirstId && id - kFirstId < static_cast<int>(names_.size())
                                     ? names_[static_cast<std::size_t>(id - kFirstId)]
                                     : "";
        if (drawing_ || name.empty())
            return 0;
        if (name == "cboPlace" && code == CBN_SELCHANGE)
            form_->cboPlace_Click(static_cast<int>(SendMessageW(Control(name), CB_GETCURSEL, 0, 0)));
        else if (name == "txtName" && code == EN_CHANGE)
            form_->txtName_Change(Utf8FromWide(WindowText(Control(name))));
        else if (code == BN_CLICKED && (name.starts_with("cmd")))
            form_->Click(name);
        else
            return 0;
        Draw();
        return 0;
    }
    case WM_TIMER:
        if (wParam == kPollTimer) {
            form_->tmrPoll_Timer();
            Draw();
        }
        return 0;
    case WM_CLOSE:
        form_->cmdClose_Click();
        Draw();
        return 0;
    case WM_DESTROY:
        KillTimer(window_, kPollTimer);
        break;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace mapwren
