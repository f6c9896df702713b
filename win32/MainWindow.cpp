// The main window: its window procedure, start-up, forwarding events to the
// form and drawing the form's state.
#include "win32/MainWindow.h"

#include <algorithm>

#include "app/frmMainDesign.h"
#include "common/Encoding.h"
#include "win32/InstallWindow.h"
#include "win32/ObjectWindowProc.h"
#include "win32/Twips.h"
#include "win32/WindowStyle.h"
#include "win32/WindowText.h"

namespace mapwren {

namespace {

constexpr wchar_t kClassName[] = L"MapwrenMain";
// A fixed border and no minimise or maximise box. The window paints its
// background under its children too: a frame draws only its border.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

} // namespace

MainWindow::MainWindow(std::string programFolder, std::string argumentText)
    : desktop_([this] { Draw(); }, [this] { ShowTileMap(); }),
      form_(desktop_, std::move(programFolder), std::move(argumentText))
{
    RegisterObjectWindowClass<MainWindow>(kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                          LoadProgramIcon("icon", GetSystemMetrics(SM_CXICON)),
                                          LoadProgramIcon("icon", GetSystemMetrics(SM_CXSMICON)));
    // One blank until start-up names it, as the form's caption is.
    CreateWindowExW(0, kClassName, WideFromUtf8(form_.Caption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    100, 100, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    desktop_.SetWindow(window_);
    // Files dropped on a control that takes none of its own come here too.
    DragAcceptFiles(window_, TRUE);
    dpi_ = GetDpiForWindow(window_);
    CreateMenus();
    CreateControls();
    Layout();
    Draw();
}

MainWindow::~MainWindow()
{
    closing_ = true;   // a window destroyed with its object ends no message loop
    if (window_)
        DestroyWindow(window_);
    for (const auto& [key, font] : fonts_)
        DeleteObject(font);
    if (accelerators_)
        DestroyAcceleratorTable(accelerators_);
    if (tickPictures_)
        ImageList_Destroy(tickPictures_);
}

bool MainWindow::Start()
{
    RECT frame{};
    GetWindowRect(window_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetFocus(GetNextDlgTabItem(window_, nullptr, FALSE));
    bool started = false;
    Forward([&] { started = form_.Form_Load(); });
    return started;
}

void MainWindow::Dispatch(MSG& message)
{
    if (!PreTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool MainWindow::PreTranslate(MSG& message)
{
    if (desktop_.PreTranslate(message))
        return true;
    if (!window_ || (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
        return false;
    if (accelerators_ && TranslateAcceleratorW(window_, accelerators_, &message))
        return true;
    if (message.message == WM_SYSCHAR && ActOnAccessKey(static_cast<wchar_t>(message.wParam)))
        return true;
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0)
        return TabTo(form_.NextInTabOrder(FocusedControl(), GetKeyState(VK_SHIFT) < 0));
    return IsDialogMessageW(window_, &message);
}

// Tab and Shift+Tab go where the form's tab order says, the same rule as on
// Linux; the dialog manager's own walk would follow the window's z-order.
bool MainWindow::TabTo(const std::string& name)
{
    const NativeControl* control = name.empty() ? nullptr : Find(name);
    if (!control)
        return false;
    HWND target = control->window;
    // The keyboard is in use: focus frames show from now on, as after the dialog manager's Tab.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(target);
    if (control->design->kind == ControlKind::TextBox)
        SendMessageW(target, EM_SETSEL, 0, -1);   // the text selected, as a dialog's Tab selects it
    return true;
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam)
            OnCommand(LOWORD(wParam), HIWORD(wParam));
        else
            for (const auto& [name, command] : menuCommands_) {
                if (command == LOWORD(wParam))
                    Forward([&] { form_.MenuClick(name); });
            }
        return 0;
    case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case kPostedEventMessage:
        for (const std::function<void()>& event : desktop_.TakePosted())
            Forward(event);
        return 0;
    case WM_DROPFILES: OnDrop(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush = OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_LISTVIEW)
            break;
        item->itemHeight = static_cast<UINT>(Px(kGridRowHeight, dpi_));
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_LISTVIEW)
            break;
        DrawGridRow(*item);
        return TRUE;
    }
    case WM_ACTIVATE:
        // Keys go back to the control that had them before a dialog or another window.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus && IsChild(window_, focus))
                focusBeforeLeaving_ = focus;
        } else if (focusBeforeLeaving_ && IsWindow(focusBeforeLeaving_)) {
            SetFocus(focusBeforeLeaving_);
            form_.SetActiveControl(FocusedControl());
            TakeFocusRequest();
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        Layout();
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Draw();
        return 0;
    }
    case WM_CLOSE:
        Forward([&] { form_.Form_Unload(); });
        return 0;
    case WM_DESTROY:
        if (!closing_)
            PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int code)
{
    const NativeControl* control = FindById(id);
    if (!control || drawing_)
        return;
    const std::string name(control->design->name);
    switch (control->design->kind) {
    case ControlKind::CommandButton:
    case ControlKind::PictureButton:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
        if (code == BN_CLICKED)
            Forward([&] { form_.Click(name); });
        break;
    case ControlKind::ComboBox:
        if (code == CBN_SELCHANGE) {
            const auto index = SendMessageW(control->window, CB_GETCURSEL, 0, 0);
            std::wstring text(static_cast<std::size_t>(SendMessageW(control->window, CB_GETLBTEXTLEN, index, 0)), L'\0');
            SendMessageW(control->window, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
            Forward([&] { form_.TextChanged(name, Utf8FromWide(text)); });
        }
        break;
    case ControlKind::TextBox:
        if (code == EN_CHANGE)
            form_.TextChanged(name, Utf8FromWide(WindowText(control->window)));
        break;
    default: break;
    }
}

// The dropped paths in the order given, as UTF-8.
void MainWindow::OnDrop(HDROP drop)
{
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(Utf8FromWide(path));
    }
    DragFinish(drop);
    Forward([&] { form_.Form_OLEDragDrop(paths); });
}

// One tile map per main window; a closed one is made afresh.
void MainWindow::ShowTileMap()
{
    if (!TileMap())
        tileMap_ = std::make_unique<TileMapWindow>(form_, [this] { Draw(); }, window_);
    tileMap_->ShowOver(window_);
}

void MainWindow::Forward(const std::function<void()>& event)
{
    event();
    if (window_)
        Draw();
}

void MainWindow::Draw()
{
    if (!window_ || drawing_)
        return;
    drawing_ = true;
    // Found before a control is disabled: a disabled control's focus is gone.
    form_.SetActiveControl(FocusedControl());
    SetText(window_, form_.Caption);
    for (const NativeControl& control : controls_)
        DrawControl(control);
    DrawMenus();
    DrawGrid();
    if (TileMapWindow* tileMap = TileMap())
        tileMap->Draw();   // a tick in the grid shows on the map at once
    if (InstallWindow* install = desktop_.Install())
        install->Draw();   // an install's end comes as a posted event
    desktop_.DrawProgressWindows();   // a job's progress and end come as posted events
    TakeFocusRequest();
    drawing_ = false;
}

// A control in a disabled frame cannot be used, whatever its own state.
void MainWindow::DrawControl(const NativeControl& control)
{
    const ControlDesign& design = *control.design;
    const ControlState* state = form_.Control(design.name);
    if (!state || control.window == grid_)
        return;
    const ControlState* frame = design.container.empty() ? nullptr : form_.Control(design.container);
    const bool enabled = state->enabled && (!frame || frame->enabled);
    if (!IsWindowEnabled(control.window) != !enabled)
        EnableWindow(control.window, enabled);
    if (!IsWindowVisible(control.window) != !state->visible)
        ShowWindow(control.window, state->visible ? SW_SHOWNA : SW_HIDE);
    switch (design.kind) {
    case ControlKind::Label: SetText(control.window, state->text); break;
    case ControlKind::OptionButton:
    case ControlKind::CheckBox: {
        const WPARAM check = state->value == 1 ? BST_CHECKED : state->value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
        if (static_cast<WPARAM>(SendMessageW(control.window, BM_GETCHECK, 0, 0)) != check)
            SendMessageW(control.window, BM_SETCHECK, check, 0);
        break;
    }
    case ControlKind::TextBox:
        SetText(control.window, state->text);
        InvalidateRect(control.window, nullptr, TRUE);   // its background follows the form
        break;
    case ControlKind::ComboBox: {
        const auto index = SendMessageW(control.window, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(WideFromUtf8(state->text).c_str()));
        if (SendMessageW(control.window, CB_GETCURSEL, 0, 0) != index)
            SendMessageW(control.window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        break;
    }
    default: break;
    }
    // Tab enters a group of option buttons at its selected button.
    if (design.kind == ControlKind::OptionButton) {
        const bool groupHasSelection = std::ranges::any_of(
            OptionGroupOf(design.name), [this](std::string_view option) { return form_.Control(option)->value == 1; });
        SetStyleBits(control.window, WS_TABSTOP, state->value == 1 || !groupHasSelection);
    }
}

void MainWindow::DrawMenus()
{
    bool changed = false;
    for (const auto& [name, command] : menuCommands_) {
        const MenuState* state = form_.Menu(name);
        if (!state)
            continue;
        const UINT enabled = state->enabled ? MF_ENABLED : MF_GRAYED;
        const UINT checked = state->checked ? MF_CHECKED : MF_UNCHECKED;
        const UINT now = GetMenuState(menu_, static_cast<UINT>(command), MF_BYCOMMAND);
        if ((now & MF_GRAYED) != (enabled & MF_GRAYED) || (now & MF_CHECKED) != checked) {
            EnableMenuItem(menu_, static_cast<UINT>(command), MF_BYCOMMAND | enabled);
            CheckMenuItem(menu_, static_cast<UINT>(command), MF_BYCOMMAND | checked);
            changed = true;
        }
    }
    if (changed)
        DrawMenuBar(window_);
}

// The form's name of the control that has the focus; empty when none of ours has.
std::string MainWindow::FocusedControl() const
{
    for (HWND focus = GetFocus(); focus && focus != window_; focus = GetParent(focus)) {
        for (const NativeControl& control : controls_) {
            if (control.window == focus)
                return std::string(control.design->name);
        }
    }
    return {};
}

// Keys must never be left with a control the user cannot reach: the form
// names where the focus goes.
void MainWindow::TakeFocusRequest()
{
    if (const std::string focus = form_.TakeFocusRequest(); !focus.empty())
        SetFocus(Control(focus));
}

} // namespace mapwren
