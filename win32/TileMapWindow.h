#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tilemap/frmTileMap.h"
#include "win32/ObjectWindowProc.h"
#include "win32/Pictures.h"

namespace mapwren {

// The tile map form on screen: a window owned by the main window (so it
// stays above it and goes with it) whose client area draws what the form
// gives, with the form's status line along its bottom; the pointer, the
// wheel and keys go to the form. Closing destroys the window; the next
// opening makes a new one.
class TileMapWindow {
public:
    // drawMain brings the main window up to date after a click here ticked a
    // map; it draws this window too.
    TileMapWindow(TickableMaps& main, std::function<void()> drawMain, HWND owner);
    ~TileMapWindow();
    TileMapWindow(const TileMapWindow&) = delete;
    TileMapWindow& operator=(const TileMapWindow&) = delete;

    // Null once the window is closed.
    HWND Handle() const { return window_; }
    HWND Status() const { return status_; }
    frmTileMap& Form() { return form_; }
    // The scale of the window's pixels to the form's logical ones.
    double Scale() const { return dpi_ / 96.0; }

    // At the top of the screen, centred across the main window, in front, with the keys.
    void ShowOver(HWND mainWindow);
    // Draws the form's state; the main window calls it after each of its events too.
    void Draw();

private:
    template <class Owner>
    friend LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window) { window_ = window; }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void Forward(const std::function<void()>& event);
    void Layout();
    void Paint(HDC dc, const RECT& area);
    void ShowToolTip();
    int StatusHeight() const;

    frmTileMap form_;
    std::function<void()> drawMain_;
    HWND window_ = nullptr;
    HWND status_ = nullptr;
    HWND tip_ = nullptr;
    std::wstring tipText_;
    HFONT font_ = nullptr;
    HICON icon_ = nullptr;
    Picture tickFill_;
    UINT dpi_ = 96;
    bool tracking_ = false;   // the pointer's leaving is asked for
};

} // namespace mapwren
