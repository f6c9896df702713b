#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "about/frmAbout.h"
#include "forms/ControlDesign.h"
#include "win32/ObjectWindowProc.h"

namespace mapwren {

// The About form on screen: a borderless popup owned by the main window,
// its controls built from the design table, its mouse and key messages
// passed to the form's handlers, its state drawn after each of them. Closing
// destroys the window; the next opening makes a new one.
class AboutWindow {
public:
    AboutWindow(Desktop& desktop, HWND owner);
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Null once the window is closed.
    HWND Handle() const { return window_; }
    HWND Control(std::string_view name) const;
    const frmAbout& Form() const { return form_; }

    // Centre on centre over the main window, shown without blocking it.
    void ShowCentredOver(HWND mainWindow);
    // Keys anywhere in the window, presses on the address boxes. True when handled.
    bool PreTranslate(MSG& message);

private:
    template <class Owner>
    friend LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window) { window_ = window; }
    static LRESULT CALLBACK AddressProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    std::string NameAt(POINT inWindow) const;
    std::string NameOf(HWND control) const;
    void Draw();

    frmAbout form_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    HBRUSH sheet_ = nullptr;
    HICON icon_ = nullptr;
    HICON pictureIcon_ = nullptr;
    std::map<std::string, HWND, std::less<>> controls_;
    std::map<HWND, const ControlDesign*> designs_;
    std::vector<HFONT> fonts_;
    std::string pressed_;   // the control a press began on; a click needs the release too
    bool pressing_ = false;
};

} // namespace mapwren
