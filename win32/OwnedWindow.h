#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "forms/ControlDesign.h"
#include "forms/ControlState.h"
#include "win32/WindowText.h"

namespace mapwren {

// Makes the window that was active before a window of ours opened active
// again as that one goes, if it is still there to take the keys, rather than
// the window the system picks: Wine picks the owner and raises it over the
// other windows it owns, the install window among them.
void ActivateAgain(HWND before);

// A form's window owned by the main window, built from the form's design
// table, that does not block it: its controls made in the design's tab
// order, centred over the main window. A click of a command button goes to
// the form by the control's name, a choice in a combo box and an edit of a
// text box by their kind; Escape and the close box both ask the form to
// close. The form's state is drawn by each control's kind after every event,
// and the window destroys itself once the form has closed.
class OwnedWindow {
public:
    virtual ~OwnedWindow();
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    // Null once the window is gone.
    HWND Handle() const { return window_; }
    HWND Control(std::string_view name) const;
    virtual void Draw() = 0;
    // Tab, Escape, Enter and access keys within the window. True when handled.
    bool PreTranslate(MSG& message);

protected:
    // Where the windows made this way differ.
    struct Look {
        std::string_view defaultButton = {};   // the button Enter presses, drawn as such; none for none
        bool shortenPaths = false;             // a label too narrow for its path loses the path's middle
    };

    template <class Designs>
    OwnedWindow(const wchar_t* className, const FormDesign& form, const std::string& caption, HWND owner,
                const Designs& designs, Look look)
        : OwnedWindow(className, form, caption, owner)
    {
        muted_ = true;
        for (const ControlDesign& design : designs)
            AddControl(design, look);
        muted_ = false;
    }

    // Centre on centre over the main window, shown, the keys on the first
    // control in tab order that takes them.
    void ShowOver(HWND owner);

    // The form's caption and each control's state; false, and the window
    // destroyed, once the form has closed.
    template <class Form>
    bool DrawForm(Form& form)
    {
        if (!window_)
            return false;
        if (form.Closed()) {
            Destroy();
            return false;
        }
        muted_ = true;
        SetText(window_, form.Caption);
        for (const Child& child : children_)
            DrawState(child.window, child.design->kind, *form.Control(child.design->name));
        muted_ = false;
        return true;
    }

    virtual void Clicked(std::string_view name) = 0;
    virtual void CloseAsked() = 0;
    virtual void Chosen(int /*index*/) {}
    virtual void Edited(const std::string& /*text*/) {}
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    template <class Owner>
    friend LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    struct Child {
        const ControlDesign* design;
        HWND window;
    };

    OwnedWindow(const wchar_t* className, const FormDesign& form, const std::string& caption, HWND owner);
    void Attach(HWND window) { window_ = window; }
    void AddControl(const ControlDesign& design, Look look);
    void Destroy();
    static void DrawState(HWND control, ControlKind kind, const ControlState& state);

    HWND window_ = nullptr;
    HWND before_ = nullptr;   // the window active when this one opened
    UINT dpi_ = 96;
    std::vector<Child> children_;   // by control id less the first id
    std::vector<HFONT> fonts_;
    std::string defaultButton_;
    // While the window is made, drawn or destroyed: what the controls say then is not the user's doing.
    bool muted_ = false;
};

} // namespace mapwren
