// The grid as a report-style ListView in owner-data mode: its rows are read
// from the form's map list when drawn, never copied. Presses and releases go
// to the form as it wants them (button code, Shift mask, the pointer in
// twips, the cell under it), and so do the grid's keys.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "app/frmMainDesign.h"
#include "common/Encoding.h"
#include "maplist/MapRow.h"
#include "win32/Input.h"
#include "win32/MainWindow.h"
#include "win32/Twips.h"

namespace mapwren {

namespace {

constexpr COLORREF kGridLines = RGB(192, 192, 192);
constexpr int kCellMargin = 2;   // pixels between a cell's border and its text

// The row tip's one tool, on the grid.
TTTOOLINFOW RowTipTool(HWND grid, RECT place = {})
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = grid;
    tool.rect = place;
    return tool;
}

} // namespace

void MainWindow::CreateGrid()
{
    ListView_SetBkColor(grid_, RGB(kGridBeyondRows.red, kGridBeyondRows.green, kGridBeyondRows.blue));
    for (int col = 0; col < MapList::kColumnCount; ++col) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = Px(form_.Maps().ColumnWidth(col), dpi_);
        column.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertColumn(grid_, col, &column);
    }
    header_ = ListView_GetHeader(grid_);
    // The columns keep the widths the form gives them.
    SetWindowLongPtrW(header_, GWL_STYLE, GetWindowLongPtrW(header_, GWL_STYLE) | HDS_NOSIZING);
    // One tool whose place is the row under the pointer when that row is not a
    // map, else nowhere. Wine's ListView shows no info tips of its own.
    rowTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0,
                              0, 0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    std::wstring tip = WideFromUtf8(kNotAMapToolTip);
    TTTOOLINFOW tool = RowTipTool(grid_);
    tool.lpszText = tip.data();
    SendMessageW(rowTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SetWindowSubclass(grid_, &MainWindow::GridProc, 0, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(header_, &MainWindow::GridProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

// The tick pictures in the window's scale; the rows as high as designed,
// which the ListView asks for again when it is moved.
void MainWindow::LayoutGrid()
{
    if (tickPictures_)
        ImageList_Destroy(tickPictures_);
    const int size = Scaled(15, dpi_);
    tickPictures_ = ImageList_Create(size, size, ILC_COLOR32, 3, 0);
    for (const char* box : {"picUnchecked", "picChecked", "picNoFileExist"}) {
        const ControlDesign* design = Find(box)->design;
        ImageList_Add(tickPictures_, pictures_[std::string(design->picture)].Bitmap(), nullptr);
    }
    RECT place{};
    GetWindowRect(grid_, &place);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    SetWindowPos(grid_, nullptr, 0, 0, place.right - place.left + 1, place.bottom - place.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(grid_, nullptr, 0, 0, place.right - place.left, place.bottom - place.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(header_, WM_SETFONT, SendMessageW(grid_, WM_GETFONT, 0, 0), TRUE);
    drawnRevision_ = ~std::uint64_t{0};
}

void MainWindow::DrawGrid()
{
    const MapList& maps = form_.Maps();
    if (form_.RowsRevision() != drawnRevision_) {
        drawnRevision_ = form_.RowsRevision();
        ListView_SetItemCountEx(grid_, static_cast<int>(maps.RowCount()), LVSICF_NOSCROLL);
    }
    HDC dc = GetDC(grid_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(grid_, WM_GETFONT, 0, 0)));
    const std::wstring largest = WideFromUtf8(maps.LargestBytesText());
    SIZE needed{};
    GetTextExtentPoint32W(dc, largest.c_str(), static_cast<int>(largest.size()), &needed);
    SelectObject(dc, old);
    ReleaseDC(grid_, dc);
    for (int col = 0; col < MapList::kColumnCount; ++col) {
        const int width =
            ShownColumnPixels(col, Px(maps.ColumnWidth(col), dpi_), static_cast<int>(needed.cx), kCellMargin);
        if (ListView_GetColumnWidth(grid_, col) != width)
            ListView_SetColumnWidth(grid_, col, width);
        if (maps.HeaderCaption(col) != drawnHeaders_[static_cast<std::size_t>(col)]) {
            drawnHeaders_[static_cast<std::size_t>(col)] = maps.HeaderCaption(col);
            std::wstring caption = WideFromUtf8(maps.HeaderCaption(col));
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT;
            column.pszText = caption.data();
            ListView_SetColumn(grid_, col, &column);
        }
    }
    // The ListView's focused row is the form's current row, so the keyboard goes on from there.
    if (form_.Row() > 0 && ListView_GetNextItem(grid_, -1, LVNI_FOCUSED) != form_.Row() - 1)
        ListView_SetItemState(grid_, form_.Row() - 1, LVIS_FOCUSED, LVIS_FOCUSED);
    InvalidateRect(grid_, nullptr, FALSE);
    InvalidateRect(header_, nullptr, FALSE);
    // Hiding the grid while it fills must not lose the focus it had.
    const bool visible = form_.MSFlexGrid1.visible;
    if (!IsWindowVisible(grid_) != !visible) {
        const bool hadFocus = GetFocus() == grid_;
        ShowWindow(grid_, visible ? SW_SHOWNA : SW_HIDE);
        if (hadFocus)
            gridHadFocus_ = true;
        if (visible && std::exchange(gridHadFocus_, false))
            SetFocus(grid_);
    }
}

// One map row: the tick picture centred in column 0, the texts in the
// others (sizes to the right; grey for a file that is not a map), grid lines,
// the current cell framed while the grid has the keyboard.
void MainWindow::DrawGridRow(const DRAWITEMSTRUCT& item)
{
    const MapList& maps = form_.Maps();
    const auto row = static_cast<std::size_t>(item.itemID);
    if (row >= maps.RowCount())
        return;
    HDC dc = item.hDC;
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(grid_, WM_GETFONT, 0, 0)));
    HPEN lines = CreatePen(PS_SOLID, 1, kGridLines);
    HGDIOBJ oldPen = SelectObject(dc, lines);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(maps.Row(row).notAMap ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    int x = item.rcItem.left;
    for (int col = 0; col < MapList::kColumnCount; ++col) {
        const RECT cell{x, item.rcItem.top, x + ListView_GetColumnWidth(grid_, col), item.rcItem.bottom};
        x = cell.right;
        FillRect(dc, &cell, GetSysColorBrush(COLOR_MENU));
        if (col == 0) {
            int width = 0;
            int height = 0;
            ImageList_GetIconSize(tickPictures_, &width, &height);
            ImageList_Draw(tickPictures_, static_cast<int>(maps.Row(row).state), dc,
                           (cell.left + cell.right - width) / 2, (cell.top + cell.bottom - height) / 2, ILD_NORMAL);
        } else {
            RECT text = cell;
            InflateRect(&text, -kCellMargin, 0);
            const std::wstring wide = WideFromUtf8(maps.CellText(row, col));
            DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &text,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (MapList::AlignsRight(col) ? DT_RIGHT : DT_LEFT));
        }
        MoveToEx(dc, cell.right - 1, cell.top, nullptr);
        LineTo(dc, cell.right - 1, cell.bottom - 1);
        LineTo(dc, cell.left - 1, cell.bottom - 1);
        if (form_.Row() == static_cast<int>(row) + 1 && form_.Col() == col && GetFocus() == grid_) {
            RECT frame = cell;
            InflateRect(&frame, -1, -1);
            DrawFocusRect(dc, &frame);
        }
    }
    RECT client{};
    GetClientRect(grid_, &client);
    const RECT beyond{x, item.rcItem.top, std::max(client.right, static_cast<LONG>(item.rcItem.right)),
                      item.rcItem.bottom};
    HBRUSH background = CreateSolidBrush(RGB(kGridBeyondRows.red, kGridBeyondRows.green, kGridBeyondRows.blue));
    if (beyond.left < beyond.right)
        FillRect(dc, &beyond, background);
    DeleteObject(background);
    SelectObject(dc, oldPen);
    DeleteObject(lines);
    SelectObject(dc, oldFont);
}

// The ListView asks for a cell's text when something reads it (tests,
// accessibility tools); the rows are drawn by DrawGridRow.
LRESULT MainWindow::GridNotify(NMHDR* header)
{
    // The keyboard moves the current row too.
    if (header->code == LVN_ITEMCHANGED && !drawing_) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (change->iItem >= 0 && (change->uNewState & LVIS_FOCUSED) && !(change->uOldState & LVIS_FOCUSED)) {
            form_.SetCurrentCell(change->iItem + 1, form_.Col());
            InvalidateRect(grid_, nullptr, FALSE);
        }
        return 0;
    }
    // Typing finds no row, so a letter or Space never moves the current row.
    if (header->code == LVN_ODFINDITEMW)
        return -1;
    if (header->code != LVN_GETDISPINFOW)
        return 0;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    const MapList& maps = form_.Maps();
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 &&
        static_cast<std::size_t>(item.iItem) < maps.RowCount()) {
        const std::wstring text = WideFromUtf8(maps.CellText(static_cast<std::size_t>(item.iItem), item.iSubItem));
        const std::size_t copied = text.copy(item.pszText, static_cast<std::size_t>(item.cchTextMax) - 1);
        item.pszText[copied] = L'\0';
    }
    return 0;
}

// The cell under a point of the ListView's client area: row 0 is the
// header, -1 where there is none.
std::pair<int, int> MainWindow::CellAt(POINT inList) const
{
    RECT client{};
    GetClientRect(grid_, &client);
    if (!PtInRect(&client, inList))
        return {-1, -1};
    int col = -1;
    for (int c = 0; c < MapList::kColumnCount; ++c) {
        RECT item{};
        Header_GetItemRect(header_, c, &item);
        MapWindowPoints(header_, grid_, reinterpret_cast<POINT*>(&item), 2);
        if (inList.x >= item.left && inList.x < item.right)
            col = c;
    }
    RECT headerPlace{};
    GetWindowRect(header_, &headerPlace);
    MapWindowPoints(nullptr, grid_, reinterpret_cast<POINT*>(&headerPlace), 2);
    if (IsWindowVisible(header_) && inList.y >= headerPlace.top && inList.y < headerPlace.bottom)
        return {0, col};
    const int count = ListView_GetItemCount(grid_);
    const int top = ListView_GetTopIndex(grid_);
    RECT first{};
    if (count == 0 || col < 0 || !ListView_GetItemRect(grid_, top, &first, LVIR_BOUNDS) || inList.y < first.top)
        return {-1, -1};
    const int row = top + (inList.y - first.top) / std::max(1L, first.bottom - first.top);
    return row < count ? std::pair{row + 1, col} : std::pair{-1, -1};
}

LRESULT MainWindow::GridMouse(HWND from, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool press = IsPress(message);
    if (press) {
        SetFocus(grid_);
        SetCapture(from);   // the release reaches the form wherever it ends
    } else if (GetCapture() == from) {
        ReleaseCapture();
    }
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    POINT inList = at;
    MapWindowPoints(from, grid_, &inList, 1);
    const auto [row, col] = CellAt(inList);
    // The form measures from the grid's outer corner.
    ClientToScreen(from, &at);
    RECT outer{};
    GetWindowRect(grid_, &outer);
    const double x = Twips(at.x - outer.left, dpi_);
    const double y = Twips(at.y - outer.top, dpi_);
    const int button = ButtonCode(message);
    const int shift = MouseShiftMask(wParam);
    if (press)
        Forward([&] { form_.MSFlexGrid1_MouseDown(button, shift, x, y, row, col); });
    else
        Forward([&] { form_.MSFlexGrid1_MouseUp(button, shift, x, y, row, col); });
    return 0;
}

// The keys the form's grid may use go to it first, with their Windows key
// code; a key it leaves goes on to the ListView as usual.
bool MainWindow::GridKey(WPARAM key)
{
    bool used = false;
    Forward([&] { used = form_.MSFlexGrid1_KeyDown(static_cast<int>(key), KeyboardShiftMask()); });
    if (used && form_.Row() > 0)
        ShowCurrentCell();
    return used;
}

// The current cell scrolled into view both ways; its frame is drawn with the row.
void MainWindow::ShowCurrentCell()
{
    const int item = form_.Row() - 1;
    ListView_EnsureVisible(grid_, item, FALSE);
    RECT cell{};
    ListView_GetSubItemRect(grid_, item, form_.Col(), LVIR_BOUNDS, &cell);
    if (form_.Col() == 0)
        cell.right = cell.left + ListView_GetColumnWidth(grid_, 0);
    RECT client{};
    GetClientRect(grid_, &client);
    LONG by = 0;
    if (cell.left < 0)
        by = cell.left;
    else if (cell.right > client.right)
        by = std::min(cell.right - client.right, cell.left);   // a cell wider than the grid shows its left
    if (by != 0)
        ListView_Scroll(grid_, by, 0);
}

// The tooltip hears of the pointer over the rows; over a row that is not a
// map its tool lies there, so moving onto one shows the tip, off it hides it.
void MainWindow::RelayToRowTip(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE) {
        const auto [row, col] = CellAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        RECT place{};
        if (row > 0 && form_.Maps().Row(static_cast<std::size_t>(row - 1)).notAMap)
            ListView_GetItemRect(grid_, row - 1, &place, LVIR_BOUNDS);
        if (!EqualRect(&place, &rowTipPlace_)) {
            rowTipPlace_ = place;
            TTTOOLINFOW tool = RowTipTool(grid_, place);
            SendMessageW(rowTip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    MSG relayed{grid_, message, wParam, lParam, 0, {}};
    SendMessageW(rowTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

// While no map row is current (none loaded, or the header's row current),
// the grid's focus is framed on the header's current cell.
bool MainWindow::FramesHeaderCell() const { return form_.Row() == 0 && GetFocus() == grid_; }

void MainWindow::FrameCurrentHeaderCell() const
{
    RECT frame{};
    if (!Header_GetItemRect(header_, form_.Col(), &frame))
        return;
    InflateRect(&frame, -2, -2);
    HDC dc = GetDC(header_);
    DrawFocusRect(dc, &frame);
    ReleaseDC(header_, dc);
}

// The ListView and its header: presses and releases go to the form alone, so
// the ListView neither selects rows nor the header sorts or sizes on its own;
// the header is as high as a row.
LRESULT CALLBACK MainWindow::GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data)
{
    auto* self = reinterpret_cast<MainWindow*>(data);
    if (window == self->grid_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        self->RelayToRowTip(message, wParam, lParam);
    if (IsPress(message) || IsRelease(message))
        return self->GridMouse(window, message, wParam, lParam);
    switch (message) {
    case WM_CONTEXTMENU: return 0;
    case WM_KEYDOWN:
        if (window == self->grid_ && self->GridKey(wParam))
            return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (window == self->grid_) {   // the current cell's frame
            InvalidateRect(window, nullptr, FALSE);
            InvalidateRect(self->header_, nullptr, FALSE);
        }
        break;
    case WM_PAINT:
        if (window == self->header_ && self->FramesHeaderCell()) {
            // Painted whole, so the frame, drawn by inverting, is drawn once over fresh cells.
            InvalidateRect(window, nullptr, FALSE);
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            self->FrameCurrentHeaderCell();
            return result;
        }
        break;
    case HDM_LAYOUT: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        layout->pwpos->cy = Px(kGridRowHeight, self->dpi_);
        layout->prc->top = layout->pwpos->y + layout->pwpos->cy;
        return result;
    }
    default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace mapwren
