#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "install/frmInstall.h"

namespace mapwren {

// The install form on screen: a window owned by the main window, built from
// the form's design table, that does not block it. It looks for receivers as
// often as the form asks, forwards clicks, the place chosen and the name
// typed, draws the form's state after each and whenever the main window
// draws, and destroys itself once the form has closed.
class InstallWindow {
public:
    InstallWindow(std::shared_ptr<frmInstall> form, HWND owner);
    ~InstallWindow();
    InstallWindow(const InstallWindow&) = delete;
    InstallWindow& operator=(const InstallWindow&) = delete;

    // Null once the window is gone.
    HWND Handle() const { return window_; }
    HWND Control(std::string_view name) const;
    frmInstall& Form() { return *form_; }
    void Draw();
    // Tab, Escape, Enter and access keys within the window. True when handled.
    bool PreTranslate(MSG& message);

private:
    template <class Owner>
    friend LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window) { window_ = window; }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    std::shared_ptr<frmInstall> form_;
    HWND window_ = nullptr;
    std::map<std::string, HWND, std::less<>> controls_;
    std::vector<std::string> names_;         // by control id less kFirstId
    std::vector<std::string> placeItems_;    // as the place box lists them now
    std::vector<HFONT> fonts_;
    bool drawing_ = false;
};

} // namespace mapwren
