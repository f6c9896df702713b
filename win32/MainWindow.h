#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/frmMain.h"
#include "win32/ObjectWindowProc.h"
#include "win32/Pictures.h"
#include "win32/TileMapWindow.h"
#include "win32/Win32Desktop.h"

namespace mapwren {

// The main window's Win32 front-end: it builds native controls from the
// form's design table, forwards each window message that is a user's action
// to the form's handler, then draws the form's state.
class MainWindow {
public:
    MainWindow(std::string programFolder, std::string argumentText);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Shows the window in the centre of the screen and runs the form's
    // start-up; false when the program must end at once.
    bool Start();
    // What a message loop does before dispatching: the About window's keys,
    // the menu shortcuts, access keys and the tab order. True when handled.
    bool PreTranslate(MSG& message);
    // One message of a message loop: pre-translated, else translated and dispatched.
    void Dispatch(MSG& message);

    frmMain& Form() { return form_; }
    HWND Handle() const { return window_; }
    HWND Control(std::string_view name) const;
    HWND Grid() const { return grid_; }
    HWND ControlTips() const { return controlTips_; }
    HWND AboutHandle() { return desktop_.AboutHandle(); }
    // The tile map window while it is open, else null.
    TileMapWindow* TileMap() const { return tileMap_ && tileMap_->Handle() ? tileMap_.get() : nullptr; }
    UINT Dpi() const { return dpi_; }
    // The menu command of a menu item.
    int MenuCommand(std::string_view name) const;

private:
    struct NativeControl {
        const ControlDesign* design = nullptr;
        HWND window = nullptr;
        int id = 0;
    };

    template <class Owner>
    friend LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window) { window_ = window; }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(NMHDR* header);
    HBRUSH OnColour(HDC dc, HWND control);
    void OnCommand(int id, int code);
    void OnDrop(HDROP drop);
    void ShowTileMap();

    void CreateControls();
    void CreateControlTips();
    LRESULT ControlTipText(NMTTDISPINFOW& info);
    void CreateMenus();
    void Layout();
    HFONT Font(const FontDesign& design);
    const NativeControl* Find(std::string_view name) const;
    const NativeControl* FindById(int id) const;
    bool ActOnAccessKey(wchar_t letter);
    bool TabTo(const std::string& name);

    // Runs a form event, then draws what it changed.
    void Forward(const std::function<void()>& event);
    void Draw();
    void DrawControl(const NativeControl& control);
    void DrawMenus();
    std::string FocusedControl() const;
    void TakeFocusRequest();

    // The grid.
    void CreateGrid();
    void LayoutGrid();
    LRESULT GridNotify(NMHDR* header);
    void DrawGrid();
    void DrawGridRow(const DRAWITEMSTRUCT& item);
    bool FramesHeaderCell() const;
    void FrameCurrentHeaderCell() const;
    void GridText(NMLVDISPINFOW& info) const;
    LRESULT GridMouse(HWND from, UINT message, WPARAM wParam, LPARAM lParam);
    bool GridKey(WPARAM key);
    void ShowCurrentCell();
    void RelayToRowTip(UINT message, WPARAM wParam, LPARAM lParam);
    std::pair<int, int> CellAt(POINT inList) const;
    static LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);

    // In this order on purpose: the desktop outlives the form made with it, and
    // the form outlives every child window that refers to it.
    Win32Desktop desktop_;
    frmMain form_;
    std::unique_ptr<TileMapWindow> tileMap_;   // after the form it reads, so it goes first
    HWND window_ = nullptr;
    HWND grid_ = nullptr;
    HWND header_ = nullptr;
    HWND rowTip_ = nullptr;   // the tooltip of rows that are not maps
    HWND controlTips_ = nullptr;
    std::wstring shownTip_;   // the text a control's tooltip shows now
    RECT rowTipPlace_{};
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HWND focusBeforeLeaving_ = nullptr;
    UINT dpi_ = 96;
    std::vector<NativeControl> controls_;   // in the design's tab order, which is their z-order
    std::map<std::string, int, std::less<>> menuCommands_;
    std::map<std::tuple<std::string_view, double, bool>, HFONT> fonts_;
    std::map<std::string, Picture, std::less<>> pictures_;   // by picture name, at the window's scale
    HIMAGELIST tickPictures_ = nullptr;                      // unticked, ticked, missing file
    std::uint64_t drawnRevision_ = ~std::uint64_t{0};
    std::array<std::string, 5> drawnHeaders_;
    bool gridHadFocus_ = false;
    bool drawing_ = false;
    bool closing_ = false;
};

} // namespace mapwren
