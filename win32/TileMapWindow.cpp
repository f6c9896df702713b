// The tile map window: the form's draw list painted with GDI, the pointer,
// the wheel and keys over its client area passed to the form.
#include "win32/TileMapWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/Encoding.h"
#include "tilemap/WorldOutlines.h"
#include "tilemap/frmTileMapDesign.h"
#include "win32/DesignLook.h"
#include "win32/Input.h"
#include "win32/Twips.h"
#include "win32/WindowText.h"

namespace mapwren {

namespace {

constexpr wchar_t kClassName[] = L"MapwrenTileMap";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr double kWheelNotch = WHEEL_DELTA;
// GDI takes no place further than 2^27 pixels out; deep in, the world's
// outlines reach that far. The longest outline segment is a few degrees, so
// one that crosses the window never has an end this far out.
constexpr long long kFar = 1 << 26;

COLORREF Colour(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// A pen or brush selected into a device context for one scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object, bool owned = true)
        : dc_(dc), object_(object), old_(SelectObject(dc, object)), owned_(owned)
    {
    }
    ~Selected()
    {
        SelectObject(dc_, old_);
        if (owned_)
            DeleteObject(object_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ old_;
    bool owned_;
};

} // namespace

TileMapWindow::TileMapWindow(TickableMaps& main, std::function<void()> drawMain, HWND owner)
    : form_(main, WorldOutlines()), drawMain_(std::move(drawMain))
{
    RegisterObjectWindowClass<TileMapWindow>(kClassName);
    dpi_ = owner ? GetDpiForWindow(owner) : 96;
    font_ = CreateDesignFont(FontDesign{}, dpi_);
    RECT frame{0, 0, Scaled(kTileMapWidth, dpi_), Scaled(kTileMapHeight, dpi_) + StatusHeight()};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi_);
    CreateWindowExW(0, kClassName, WideFromUtf8(frmTileMap::Caption()).c_str(), kStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    icon_ = LoadProgramIcon("icon", GetSystemMetricsForDpi(SM_CXSMICON, dpi_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX |
                              SS_CENTERIMAGE, 0, 0, 0, 0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    // A tooltip that follows the pointer, shown while the form has a text for it.
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0,
                           0, 0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(window_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, Scaled(600, dpi_));   // lines break where the text breaks them
    tickFill_ = SolidPicture(Colour(kTileTicked));
    Layout();
    Draw();
}

TileMapWindow::~TileMapWindow()
{
    if (window_)
        DestroyWindow(window_);
    DeleteObject(font_);
    if (icon_)
        DestroyIcon(icon_);
}

void TileMapWindow::ShowOver(HWND mainWindow)
{
    if (!IsWindowVisible(window_)) {
        RECT main{};
        RECT own{};
        GetWindowRect(mainWindow, &main);
        GetWindowRect(window_, &own);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const auto onScreen = [](const RECT& rect) {
            return ScreenRect{static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right),
                              static_cast<int>(rect.bottom)};
        };
        const ScreenPlace place =
            TileMapOpeningPlace(onScreen(main), onScreen(monitor.rcWork), static_cast<int>(own.right - own.left));
        SetWindowPos(window_, HWND_TOP, place.left, place.top, 0, 0, SWP_NOSIZE);
    }
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(window_);
}

int TileMapWindow::StatusHeight() const { return Scaled(20, dpi_); }

// The status line along the bottom; the rest is the form's drawing area, in its logical pixels.
void TileMapWindow::Layout()
{
    RECT client{};
    GetClientRect(window_, &client);
    const int areaHeight = std::max(0, static_cast<int>(client.bottom) - StatusHeight());
    if (status_)
        MoveWindow(status_, Scaled(4, dpi_), areaHeight, std::max(0, static_cast<int>(client.right) - Scaled(8, dpi_)),
                   StatusHeight(), TRUE);
    form_.Resize(client.right / Scale(), areaHeight / Scale());
}

void TileMapWindow::Forward(const std::function<void()>& event)
{
    event();
    if (drawMain_)
        drawMain_();
    else
        Draw();
    if (form_.CloseRequested())
        PostMessageW(window_, WM_CLOSE, 0, 0);   // after this message, which still uses the window
}

void TileMapWindow::Draw()
{
    if (!window_)
        return;
    RECT area{};
    GetClientRect(window_, &area);
    area.bottom -= StatusHeight();
    InvalidateRect(window_, &area, FALSE);
    if (status_)
        SetText(status_, form_.StatusText());
    ShowToolTip();
}

void TileMapWindow::ShowToolTip()
{
    const std::wstring text = WideFromUtf8(form_.ToolTip());
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(window_);
    if (text.empty()) {
        SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
        tipText_.clear();
        return;
    }
    if (text != tipText_) {
        tipText_ = text;
        tool.lpszText = tipText_.data();
        SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    SendMessageW(tip_, TTM_TRACKPOSITION, 0,
                 MAKELPARAM(pointer.x + Scaled(12, dpi_), pointer.y + Scaled(20, dpi_)));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

// Outlines, then the tiles in the form's order, then the drag box; the
// form's logical pixels scaled to the window's.
void TileMapWindow::Paint(HDC dc, const RECT& area)
{
    const double scale = Scale();
    const auto px = [scale](double logical) {
        return static_cast<int>(std::clamp(std::llround(logical * scale), -kFar, kFar));
    };
    HBRUSH sea = CreateSolidBrush(Colour(kTileMapSea));
    FillRect(dc, &area, sea);
    DeleteObject(sea);
    {
        Selected pen(dc, CreatePen(PS_SOLID, 1, Colour(kTileMapOutline)));
        std::vector<POINT> line;
        for (const std::vector<PixelPoint>& outline : form_.Outlines()) {
            line.clear();
            for (const PixelPoint& point : outline)
                line.push_back({px(point.x), px(point.y)});
            Polyline(dc, line.data(), static_cast<int>(line.size()));
        }
    }
    // A rectangle far larger than the window is cut to just beyond it, where
    // its cut edges cannot be seen.
    const auto clamp = [&](double logical, LONG high) {
        return std::clamp(px(logical), -4, static_cast<int>(high) + 4);
    };
    Selected hollow(dc, GetStockObject(NULL_BRUSH), false);
    for (const TileShape& tile : form_.Tiles()) {
        const int left = clamp(tile.rect.left, area.right);
        const int right = clamp(tile.rect.right, area.right);
        const int top = clamp(tile.rect.top, area.bottom);
        const int bottom = clamp(tile.rect.bottom, area.bottom);
        if (tile.ticked)
            tickFill_.Draw(dc, left, top, right - left, bottom - top, kTileTickedAlpha);
        Selected pen(dc, tile.hovered ? CreatePen(PS_SOLID, Scaled(2, dpi_), Colour(kTileHovered))
                                      : CreatePen(PS_SOLID, 1, Colour(kTileEdge)));
        Rectangle(dc, left, top, right + 1, bottom + 1);
    }
    if (const std::optional<PixelRect> box = form_.SelectionBox()) {
        SetBkMode(dc, TRANSPARENT);
        Selected pen(dc, CreatePen(PS_DOT, 1, Colour(kSelectionBoxEdge)));
        Rectangle(dc, px(box->left), px(box->top), px(box->right) + 1, px(box->bottom) + 1);
    }
}

// The pointer in the form's logical pixels. A press starts only over the
// drawing area; a drag goes on over the status line and beyond the window.
bool TileMapWindow::OnMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    const double x = GET_X_LPARAM(lParam) / Scale();
    const double y = GET_Y_LPARAM(lParam) / Scale();
    const int shift = MouseShiftMask(wParam);
    if (IsPress(message)) {
        RECT client{};
        GetClientRect(window_, &client);
        if (GET_Y_LPARAM(lParam) >= client.bottom - StatusHeight())
            return false;
        SetFocus(window_);
        SetCapture(window_);
        Forward([&] { form_.MouseDown(ButtonCode(message), shift, x, y); });
    } else if (IsRelease(message)) {
        if (HeldButtons(wParam) == 0 && GetCapture() == window_)
            ReleaseCapture();
        Forward([&] { form_.MouseUp(ButtonCode(message), shift, x, y); });
    } else if (message == WM_MOUSEMOVE) {
        if (!tracking_) {
            TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, window_, 0};
            tracking_ = TrackMouseEvent(&leave) != FALSE;
        }
        Forward([&] { form_.MouseMove(HeldButtons(wParam), shift, x, y); });
    } else {
        return false;
    }
    return true;
}

LRESULT TileMapWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONUP && OnMouse(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_MOUSELEAVE:
        tracking_ = false;
        Forward([&] { form_.MouseLeave(); });
        return 0;
    case WM_MOUSEWHEEL: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};   // on the screen
        ScreenToClient(window_, &at);
        const double notches = GET_WHEEL_DELTA_WPARAM(wParam) / kWheelNotch;
        Forward([&] { form_.MouseWheel(notches, at.x / Scale(), at.y / Scale()); });
        return 0;
    }
    case WM_KEYDOWN: {
        bool used = false;
        Forward([&] { used = form_.KeyDown(static_cast<int>(wParam), KeyboardShiftMask()); });
        if (used)
            return 0;
        break;
    }
    case WM_SIZE:
        Layout();
        Draw();
        return 0;
    case WM_ERASEBKGND: return 1;   // the painting covers the drawing area; the status line paints itself
    case WM_CTLCOLORSTATIC: return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window_, &paint);
        RECT area{};
        GetClientRect(window_, &area);
        area.bottom = std::max(area.top, area.bottom - StatusHeight());
        // Drawn off screen first, so hovering and dragging do not flicker.
        HDC buffer = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(1L, area.right), std::max(1L, area.bottom));
        HGDIOBJ old = SelectObject(buffer, bitmap);
        Paint(buffer, area);
        BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, old);
        DeleteObject(bitmap);
        DeleteDC(buffer);
        RECT strip{0, area.bottom, area.right, area.bottom + StatusHeight()};
        FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        DeleteObject(font_);
        font_ = CreateDesignFont(FontDesign{}, dpi_);
        SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace mapwren
