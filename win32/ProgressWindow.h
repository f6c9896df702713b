#pragma once

#include <memory>

#include "progress/frmProgress.h"
#include "win32/OwnedWindow.h"

namespace mapwren {

// The progress form on screen: Cancel, Escape and the close box go to the
// form; the window draws the form's state whenever the main window draws.
class ProgressWindow : public OwnedWindow {
public:
    ProgressWindow(std::shared_ptr<frmProgress> form, HWND owner);

    frmProgress& Form() { return *form_; }
    void Draw() override { DrawForm(*form_); }

private:
    void Clicked(std::string_view name) override { form_->Click(name); }
    void CloseAsked() override { form_->Form_QueryUnload(); }

    std::shared_ptr<frmProgress> form_;
};

} // namespace mapwren
