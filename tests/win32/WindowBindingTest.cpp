// The Win32 front-end's binding: controls native and where the design puts
// them, each user's action reaching the form through the window messages
// Windows itself sends, and what the form changed drawn. The behaviour itself
// is tested on the forms.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <ranges>
#include <thread>

#include "app/frmMainDesign.h"
#include "common/Addresses.h"
#include "common/Encoding.h"
#include "common/Paths.h"
#include "maplist/MapRow.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tilemap/frmTileMapDesign.h"
#include "win32/MainWindow.h"
#include "win32/Pictures.h"
#include "win32/Twips.h"

namespace mapwren {
namespace {

std::string Text(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return Utf8FromWide(text);
}

// The width of a text in a control's font.
int TextWidth(HWND control, const std::wstring& text)
{
    HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE needed{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &needed);
    ReleaseDC(control, dc);
    return needed.cx;
}

// The tooltip showing now, waited for while the messages run.
HWND VisibleTip(const std::function<void()>& pump)
{
    for (int i = 0; i < 300; ++i, pump(), Sleep(10)) {
        for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
             w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
            if (IsWindowVisible(w))
                return w;
        }
    }
    return nullptr;
}

// The shown top-level window with the given title, waited for; Wine runs no other program here.
HWND WaitForWindow(const std::wstring& title)
{
    for (int i = 0; i < 500; ++i, Sleep(20)) {
        if (HWND found = FindWindowW(nullptr, title.c_str()); found && IsWindowVisible(found))
            return found;
    }
    return nullptr;
}

// A pixel of a window as drawn once its waiting paints are done.
COLORREF Pixel(HWND window, int x, int y)
{
    UpdateWindow(window);
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// Answers the next dialog or message box with that title from another thread,
// as a user would: a file name typed, or OK, Yes or No pressed (0: Enter, the
// box's default button). Said() is what
// the box said, "<icon> <text>" with icon C, !, i or ? as the forms' fake writes it.
class Answer {
public:
    Answer(std::string title, std::string fileName, int button = IDOK)
        : helper_([this, title, fileName, button]() mutable {
              HWND box = WaitForWindow(WideFromUtf8(title));
              if (!box)
                  return void(answered_ = true);
              char mark = ' ';
              for (auto [icon, is] :
                   {std::pair{IDI_ERROR, 'C'}, {IDI_WARNING, '!'}, {IDI_INFORMATION, 'i'}, {IDI_QUESTION, '?'}}) {
                  for (int picture : {20, 0x440}) {   // Windows' and Wine's icon control
                      if (SendDlgItemMessageW(box, picture, STM_GETICON, 0, 0) == LPARAM(LoadIconW(nullptr, icon)))
                          mark = is;
                  }
              }
              said_ = std::string(1, mark) + " " + Text(GetDlgItem(box, 0xFFFF));
              for (int name : {0x47c /* cmb13 */, 0x480 /* edt1 */}) {
                  if (HWND edit = GetDlgItem(box, name))
                      SetWindowTextW(edit, WideFromUtf8(fileName).c_str());
              }
              for (int id : {IDYES, IDNO}) {   // Enter presses the button drawn as the default
                  HWND key = GetDlgItem(box, id);
                  if (!button && key && (GetWindowLongW(key, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON)
                      button = id;
              }
              PostMessageW(box, WM_COMMAND, button, 0);
              answered_ = true;
          })
    {
    }
    ~Answer() { Said(); }
    std::string Said()
    {
        if (helper_.joinable())
            helper_.join();
        return said_;
    }
    bool Answered() const { return answered_; }

private:
    std::atomic<bool> answered_{false};
    std::string said_;
    std::thread helper_;
};

// A started window over a program folder holding both tools, with three maps
// loaded: a.img (Charlie, 1000 bytes), b.img (Alpha, 900), c.img (Bravo, 2411724800).
struct Started {
    testing::TempDir tools, maps;
    std::unique_ptr<MainWindow> window;
    frmMain* form = nullptr;
    Started()
    {
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        testing::CopyStandIn(tools.path(), "sendmap.exe");
        testing::CopyStandIn(tools.path(), "sendmap20.exe");
        testing::WriteImg(maps.path() / "a.img", "Charlie", "", 0, 1000);
        testing::WriteImg(maps.path() / "b.img", "Alpha", "", 0, 900);
        testing::WriteImg(maps.path() / "c.img", "Bravo", "", 0, 2411724800);
        const std::string list = tools.folder() + "maps.mwl", folder = tools.folder();
        testing::WriteBytes(list, "mapwren Auto\r\n" + maps.folder() + "a.img\r\n" + maps.folder() + "b.img\r\n" +
                                      maps.folder() + "c.img\r\n");
        window = std::make_unique<MainWindow>(folder.substr(0, folder.size() - 1), list);
        form = &window->Form();
        EXPECT_TRUE(window->Start());
        Pump();
    }
    HWND operator[](const char* name) const { return window->Control(name); }
    // Runs the messages waiting, as the program's message loop does.
    void Pump() const
    {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            window->Dispatch(message);
    }
    void Key(HWND to, UINT key) const
    {
        PostMessageW(to, WM_KEYDOWN, key, 1);   // pressed once
        Pump();
    }
    void Click(const char* name) const { SendMessageW((*this)[name], BM_CLICK, 0, 0); }
    void Send(HWND to, UINT message, WPARAM keys, POINT at) const   // a pointer's message, then the messages it caused
    {
        SendMessageW(to, message, keys, MAKELPARAM(at.x, at.y));
        Pump();
    }
    // A press and release at a cell's centre, row 0 the header.
    void Press(int row, int col, UINT down, UINT up, WPARAM keys = 0) const
    {
        HWND grid = window->Grid();
        RECT cell{};
        ListView_GetSubItemRect(grid, row > 0 ? row - 1 : 0, col, LVIR_BOUNDS, &cell);
        if (col == 0)
            cell.right = cell.left + ListView_GetColumnWidth(grid, 0);
        POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        HWND target = grid;
        if (row == 0) {   // the header is a window of its own, as high as a row
            target = ListView_GetHeader(grid);
            MapWindowPoints(grid, target, &at, 1);
            at.y = Px(kGridRowHeight, window->Dpi()) / 2;
        }
        Send(target, down, keys, at);
        Send(target, up, keys, at);
    }
    std::string Cell(int row, int col) const
    {
        wchar_t text[256] = {};
        ListView_GetItemText(window->Grid(), row - 1, col, text, 256);
        return Utf8FromWide(text);
    }
};

TEST(Win32Window, ControlsAreNativeWhereTheDesignPutsThemWithTheirPicturesTipsAndCaptionsFitting)
{
    Started s;
    const UINT dpi = s.window->Dpi();
    HWND main = s.window->Handle();
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(std::pair(int(client.right), int(client.bottom)), std::pair(Px(kMainClientWidth, dpi), Px(kMainClientHeight, dpi)));
    const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    using enum ControlKind;
    const std::map<ControlKind, std::wstring> classes = {
        {CommandButton, L"Button"}, {PictureButton, L"Button"}, {Frame, L"Button"}, {OptionButton, L"Button"},
        {CheckBox, L"Button"}, {ComboBox, L"ComboBox"}, {TextBox, L"Edit"}, {Label, L"Static"}, {PictureBox, L"Static"},
        {Grid, L"SysListView32"}};
    const auto controls = frmMainControls();
    for (const ControlDesign& design : controls) {
        SCOPED_TRACE(std::string(design.name));
        HWND control = s[design.name.data()];
        wchar_t type[64] = {};
        GetClassNameW(control, type, 64);
        EXPECT_EQ(_wcsicmp(type, classes.at(design.kind).c_str()), 0);
        int left = Px(design.place.left, dpi), top = Px(design.place.top, dpi);
        if (const auto frame = std::ranges::find(controls, design.container, &ControlDesign::name); frame != controls.end())
            left += Px((*frame).place.left, dpi), top += Px((*frame).place.top, dpi);
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(std::tuple(int(place.left), int(place.top), int(place.right - place.left)),
                  std::tuple(left, top, Px(design.place.width, dpi)));
        if (design.kind != ComboBox) {
            EXPECT_EQ(place.bottom - place.top, Px(design.place.height, dpi));
        }
        if (!design.picture.empty()) {
            const Picture picture = LoadPicture(design.picture);
            EXPECT_EQ(std::pair(picture.Width(), picture.Height()), std::pair(design.pictureWidth, design.pictureHeight));
        }
        std::wstring caption = WideFromUtf8(design.caption);
        std::erase(caption, L'&');
        const bool box = design.kind == OptionButton || design.kind == CheckBox;
        if (box || design.kind == CommandButton || design.kind == Frame) {
            EXPECT_EQ(Text(control), design.caption);
        }
        if (design.kind != Frame && !caption.empty()) {
            EXPECT_LE(TextWidth(control, caption) + (box ? GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + 4 : 0),
                      place.right - place.left);
        }
    }
    EXPECT_EQ(ListView_GetItemCount(s.window->Grid()), 3);
    EXPECT_EQ(s.Cell(3, 4), "2411724800");
    // Every port name reads whole in the closed COM box, and every size in the Bytes column.
    COMBOBOXINFO box{};
    box.cbSize = sizeof box;
    GetComboBoxInfo(s["cboCOM"], &box);
    EXPECT_LE(TextWidth(s["cboCOM"], L"COM8"), box.rcItem.right - box.rcItem.left);
    EXPECT_LE(TextWidth(s.window->Grid(), L"2411724800"), ListView_GetColumnWidth(s.window->Grid(), 4) - 4);
    // Every control has a tip, showing the form's text of the moment.
    EXPECT_EQ(SendMessageW(s.window->ControlTips(), TTM_GETTOOLCOUNT, 0, 0), LRESULT(frmMainControls().size()));
    s.window->Form().cmdUpload.toolTip = "About 3 seconds";   // the form may change a tip at any time
    for (const char* name : {"cmdEraseGPS", "cmdUpload", "cmdExit"}) {
        SCOPED_TRACE(name);
        NMTTDISPINFOW info{};
        info.hdr = {s.window->ControlTips(), reinterpret_cast<UINT_PTR>(s[name]), TTN_GETDISPINFOW};
        SendMessageW(s.window->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(Utf8FromWide(info.lpszText), s.window->Form().Control(name)->toolTip);
    }
}

TEST(Win32Window, ClicksGridPressesKeysAndTypingReachTheFormAndItsStateIsDrawn)
{
    Started s;
    // The middle of the upload picture's red arrow: faded while the button is disabled.
    const auto arrow = [&] {
        RECT button{};
        GetClientRect(s["cmdUpload"], &button);
        return Pixel(s["cmdUpload"], (button.right - 105) / 2 + 84, (button.bottom - 19) / 2 + 9);
    };
    EXPECT_NE(arrow(), RGB(224, 0, 0));
    // Grid presses reach the form with their button, Shift and cell.
    s.Press(2, 0, WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(s.form->Maps().SelectedCount(), 1);
    EXPECT_EQ(Text(s["lblFilesSelected"]), "1 Map Selected");
    s.Press(2, 0, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_SHIFT);   // a press with Shift ticks nothing
    EXPECT_EQ(s.form->Maps().SelectedCount(), 1);
    s.Press(0, 3, WM_RBUTTONDOWN, WM_RBUTTONUP);
    wchar_t header[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT, column.pszText = header, column.cchTextMax = 64;
    ListView_GetColumn(s.window->Grid(), 3, &column);
    EXPECT_EQ(Utf8FromWide(header), "> Map Name");
    s.Click("cmdSelectAll");
    EXPECT_EQ(arrow(), RGB(224, 0, 0));
    s.Click("optCOM");
    EXPECT_TRUE(IsWindowEnabled(s["cboCOM"]));
    SendMessageW(s["cboCOM"], WM_KEYDOWN, VK_DOWN, 0);   // the closed box steps to the next port
    EXPECT_EQ(s.form->cboCOM.text, "COM2");
    s.Click("chkMapset");
    EXPECT_TRUE(IsWindowEnabled(s["txtMapset"]) && GetFocus() == s["txtMapset"]);
    for (char c : std::string("Alps"))
        SendMessageW(s["txtMapset"], WM_CHAR, c, 0);
    EXPECT_EQ(s.form->txtMapset.text, "Alps");
    s.Click("chkCreateFile");
    EXPECT_TRUE(IsWindowVisible(s["cmdCreateFile"]) && !IsWindowVisible(s["cmdUpload"]));
    SendMessageW(s.window->Handle(), WM_COMMAND, s.window->MenuCommand("mnuUseSendmap1"), 0);
    EXPECT_TRUE(Text(s.window->Handle()).ends_with("(Using Sendmap.exe)"));
    const UINT menu = GetMenuState(GetMenu(s.window->Handle()), s.window->MenuCommand("mnuUseSendmap1"), MF_BYCOMMAND);
    EXPECT_EQ(menu & MF_CHECKED, UINT(MF_CHECKED));
    s.Click("cmdClearGrid");
    EXPECT_EQ(ListView_GetItemCount(s.window->Grid()), 0);
}

TEST(Win32Window, DroppedFilesReachTheFormAndARowThatIsNoMapIsGreyWithItsTip)
{
    Started s;
    testing::WriteBytes(PathFromUtf8(s.tools.folder() + "photö.img"), "\xFF\xD8\xFF\xE0");
    const std::wstring names = WideFromUtf8(s.tools.folder() + "photö.img") + L'\0';
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    *files = DROPFILES{sizeof(DROPFILES), {}, FALSE, TRUE};
    std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(files + 1));
    GlobalUnlock(drop);
    {
        Answer warning("MAPWREN", "");
        PostMessageW(s.window->Handle(), WM_DROPFILES, WPARAM(drop), 0);
        s.Pump();
        EXPECT_EQ(warning.Said(), "! This file is not a Garmin map (its header lacks the DSKIMG and GARMIN marks); "
                                  "its row is greyed:\n" + s.tools.folder() + "photö.img");
    }
    HWND grid = s.window->Grid();
    EXPECT_EQ(s.Cell(4, 1), "photö.img");
    // Whether a row's name is drawn in that colour.
    const auto drawnIn = [&](int row, COLORREF colour) {
        RECT cell{};
        ListView_GetSubItemRect(grid, row - 1, 1, LVIR_BOUNDS, &cell);
        for (LONG x = cell.left; x < cell.right; ++x)
            for (LONG y = cell.top; y < cell.bottom - 1; ++y)
                if (Pixel(grid, x, y) == colour)
                    return true;
        return false;
    };
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT), black = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(std::tuple(drawnIn(1, grey), drawnIn(1, black), drawnIn(4, grey), drawnIn(4, black)),
              std::tuple(false, true, true, false));
    // The pointer moved over that row shows its tip.
    RECT row{};
    ListView_GetItemRect(grid, 3, &row, LVIR_BOUNDS);
    POINT at{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    ClientToScreen(grid, &at);
    SetCursorPos(at.x, at.y);
    EXPECT_EQ(Text(VisibleTip([&] { s.Pump(); })), kNotAMapToolTip);
}

// Each kind of box the form asks for shows the form's text and icon (a warning's: the dropped file's case), a
// hasty Enter answering No; the form's busy spells reach the pointer.
TEST(Win32Window, MessageBoxesAndTheBusyPointerShowWhatTheFormAsks)
{
    Win32Desktop desktop([] {});
    {
        Answer notice("MAPWREN", "");
        desktop.ShowMessage(MessageIcon::Information, "MAPWREN", "Created");
        EXPECT_EQ(notice.Said(), "i Created");
    }
    Answer question("MAPWREN", "", 0);   // Enter: No must be the default
    EXPECT_FALSE(desktop.AskYesNo("MAPWREN", "Erase?"));
    EXPECT_EQ(question.Said(), "? Erase?");
    desktop.ShowBusy(true);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    desktop.ShowBusy(false);
    EXPECT_NE(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    // Without an upload tool the program says so and ends.
    testing::TempDir empty;
    Answer critical("mapwren", "");
    EXPECT_FALSE(MainWindow(Utf8FromWide(empty.path().wstring()), "").Start());
    EXPECT_EQ(critical.Said().substr(0, 55), "C Sendmap.exe or Sendmap20.exe is not in this folder.\r\n");
}

TEST(Win32Window, AboutWindowIsAPaleSheetOverTheMainWindowThatPressesAndKeysReach)
{
    Started s;
    for (UINT close : {WM_LBUTTONDOWN, WM_KEYDOWN}) {
        SendMessageW(s.window->Handle(), WM_COMMAND, s.window->MenuCommand("mnuAbout"), 0);
        s.Pump();
        HWND about = s.window->AboutHandle();
        ASSERT_TRUE(about && IsWindowVisible(about));
        EXPECT_EQ(GetWindowLongPtrW(about, GWL_STYLE) & WS_CAPTION, 0);
        RECT main{}, own{};
        GetWindowRect(s.window->Handle(), &main);
        GetWindowRect(about, &own);
        EXPECT_NEAR((own.left + own.right) / 2.0, (main.left + main.right) / 2.0, 1);
        EXPECT_NEAR((own.top + own.bottom) / 2.0, (main.top + main.bottom) / 2.0, 1);
        EXPECT_EQ(Pixel(about, 2, 2), RGB(255, 255, 192));
        HWND email = GetDlgItem(about, 0);
        for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            email = Text(child).find('@') != std::string::npos ? child : email;
        SendMessageW(email, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        DWORD start = 1, end = 0;
        SendMessageW(email, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        EXPECT_EQ(std::pair(start, end), std::pair(DWORD(0), DWORD(Text(email).size())));
        if (close == WM_KEYDOWN) {
            s.Key(about, 'X');
        } else {
            s.Send(about, WM_LBUTTONDOWN, MK_LBUTTON, {2, 2});
            s.Send(about, WM_LBUTTONUP, 0, {2, 2});
        }
        EXPECT_FALSE(IsWindow(about));
    }
}

// Explorer's Properties > Details and its large icon views read the program
// file's resources: the version block and an icon of 256 pixels.
TEST(Win32Window, ProgramFileCarriesItsVersionAndALargeIcon)
{
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    ASSERT_TRUE(found);
    // VerQueryValue wants a copy it may write to.
    const auto* block = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    std::vector<char> version(block, block + SizeofResource(nullptr, found));
    const std::string number = std::string(kVersion).substr(1);
    for (const auto& [name, expected] : {std::pair{L"ProductName", std::string("MAPWREN")},
                                         {L"ProductVersion", number}, {L"FileVersion", number},
                                         {L"LegalCopyright", std::string("Copyright (C) 2004 Tobrenn")}}) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(VerQueryValueW(version.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(Utf8FromWide(value), expected);
    }
    // A group icon's entries give the width as a byte, 0 meaning 256.
    HRSRC group = FindResourceW(nullptr, L"ICON", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_TRUE(group);
    const auto* entries = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
    const int count = *reinterpret_cast<const WORD*>(entries + 4);
    EXPECT_TRUE(std::ranges::any_of(std::views::iota(0, count), [&](int i) { return entries[6 + 14 * i] == 0; }));
}

TEST(Win32Window, TileMapOpensByItsShortcutAndItsPointerWheelAndKeysReachTheFormWhoseStateBothWindowsDraw)
{
    Started s;   // a.img, b.img and c.img have no place on the map
    testing::WriteTileImg(s.tools.path() / "d.img", "Delta", {{"00000004", 41, -30, 40, -31}});   // open sea
    s.form->Form_OLEDragDrop({s.tools.folder() + "d.img"});
    s.Key(s["cmdFileOpen"], VK_F3);
    TileMapWindow* map = s.window->TileMap();
    ASSERT_TRUE(map && IsWindowVisible(map->Handle()));
    EXPECT_EQ(Text(map->Status()).substr(Text(map->Status()).size() - 5), "c.img");
    frmTileMap& form = map->Form();
    const TileShape tile = form.Tiles().at(0);
    POINT at{LONG((tile.rect.left + tile.rect.right) / 2 * map->Scale()),
             LONG((tile.rect.top + tile.rect.bottom) / 2 * map->Scale())};
    const auto drawn = [&] { return Pixel(map->Handle(), at.x, at.y); };
    const COLORREF sea = RGB(kTileMapSea.red, kTileMapSea.green, kTileMapSea.blue);
    EXPECT_EQ(drawn(), sea);
    s.Send(map->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    s.Send(map->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Text(s["lblFilesSelected"]), "1 Map Selected");
    EXPECT_NE(drawn(), sea);
    // The pointer over the tile shows its tooltip.
    s.Send(map->Handle(), WM_MOUSEMOVE, 0, at);
    EXPECT_EQ(Text(VisibleTip([&] { s.Pump(); })).substr(0, 11), "d.img\nDelta");
    // The wheel zooms in, a right drag pans, Home fits every tile again.
    const double fitted = form.PixelsPerDegree();
    POINT onScreen = at;
    ClientToScreen(map->Handle(), &onScreen);
    SendMessageW(map->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(onScreen.x, onScreen.y));
    EXPECT_GT(form.PixelsPerDegree(), fitted);
    const double west = form.Centre().lon;
    s.Send(map->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, {100, 100});
    s.Send(map->Handle(), WM_MOUSEMOVE, MK_RBUTTON, {160, 100});
    s.Send(map->Handle(), WM_RBUTTONUP, 0, {160, 100});
    EXPECT_LT(form.Centre().lon, west);
    s.Key(map->Handle(), VK_HOME);
    EXPECT_EQ(form.PixelsPerDegree(), fitted);
    // The main window's Clear empties the map's status line too.
    s.Click("cmdClearGrid");
    EXPECT_EQ(Text(map->Status()), "");
}

// The progress window that follows the save dialog is native, its Cancel reaches the form and its state is drawn.
TEST(Win32Window, CombinedMapShowsTheProgressWindowWhoseCancelReachesTheForm)
{
    Started s;
    const std::string tile = s.maps.folder() + "63240001.img";
    testing::WriteContainer(PathFromUtf8(tile), {{"63240001", "TRE", testing::TreBytes(51, 11, 50, 10), 0},
                                                 {"63240001", "RGN", "", 800 << 20}},
                            16384);   // blocks large enough for 800 MB
    s.form->Form_OLEDragDrop({tile});
    s.form->PressTickCell(3);
    const std::string target = s.tools.folder() + "gmapsupp.img";
    Answer dialog("Save the ticked maps as one combined map file", target);
    SendMessageW(s.window->Handle(), WM_COMMAND, s.window->MenuCommand("mnuCombinedMap"), 0);
    EXPECT_TRUE(dialog.Answered());
    HWND progress = WaitForWindow(L"Write Combined Map File");
    ASSERT_TRUE(progress);
    HWND cancel = FindWindowExW(progress, nullptr, L"BUTTON", nullptr);
    EXPECT_EQ(Text(cancel), "Cancel");
    EXPECT_TRUE(FindWindowExW(progress, nullptr, PROGRESS_CLASSW, nullptr));
    Answer notice("MAPWREN", "");
    SendMessageW(cancel, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(cancel));   // until the job has undone its work
    for (int i = 0; i < 500 && !notice.Answered(); ++i, Sleep(20))   // ten seconds at most
        s.Pump();
    EXPECT_FALSE(IsWindow(progress));   // closed before the message
}

} // namespace
} // namespace mapwren
