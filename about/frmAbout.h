#pragma once

#include <string_view>

#include "forms/Desktop.h"
#include "forms/Input.h"

namespace mapwren {

// The About window: a sheet with the program's name, version, author and
// addresses. A click on it or a key closes it; a press on the homepage opens
// it in the browser; a press on the e-mail address selects it for copying.
// Each opening makes a new one, so nothing carries over.
class frmAbout {
public:
    struct Selection {
        int start = 0;
        int length = 0;
        friend bool operator==(const Selection&, const Selection&) = default;
    };

    explicit frmAbout(Desktop& desktop) : desktop_(desktop) {}

    // What a front-end draws.
    bool Closed() const { return closed_; }
    Selection txtEmailSelection() const { return emailSelection_; }
    std::string_view ActiveControl() const { return activeControl_; }

    // Events by control name ("" is the window's own background). A press
    // reports its button; secondOfDoubleClick marks the second press of a
    // double click. A click is a press and release of the button over the window.
    void MouseDown(std::string_view control, int button, bool secondOfDoubleClick = false);
    void Click(std::string_view control, int button);

    // The handlers under the design's names.
    void txtURL_MouseDown(int button);
    void txtEmail_MouseDown(int button);
    void Form_Click(int button);   // the background, the icon or a label
    void Form_KeyDown(int keyCode, int shift);

private:
    Desktop& desktop_;
    bool closed_ = false;
    Selection emailSelection_;
    std::string_view activeControl_ = "picIcon";
};

} // namespace mapwren
