#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "progress/frmProgress.h"

namespace mapwren {

// The progress form on screen: a small window owned by the main window,
// built from the form's design table, that does not block the main window.
// Cancel, Escape and the close box go to the form; the window draws the
// form's state whenever the main window draws, and destroys itself once the
// form has closed.
class ProgressWindow {
public:
    ProgressWindow(std::shared_ptr<frmProgress> form, HWND owner);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // Null once the window is gone.
    HWND Handle() const { return window_; }
    HWND Control(std::string_view name) const;
    frmProgress& Form() { return *form_; }
    void Draw();
    // Tab, Escape and Enter within the window. True when handled.
    bool PreTranslate(MSG& message);

private:
    template <class Owner>
    friend LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window) { window_ = window; }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    std::shared_ptr<frmProgress> form_;
    HWND window_ = nullptr;
    std::map<std::string, HWND, std::less<>> controls_;
    std::vector<HFONT> fonts_;
};

} // namespace mapwren
