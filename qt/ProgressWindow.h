#pragma once

#include <memory>

#include "progress/frmProgress.h"
#include "qt/OwnedWindow.h"

namespace mapwren {

// The progress form on screen: Cancel, Escape and the close box go to the
// form; the window draws the form's state whenever the desktop draws.
class ProgressWindow : public OwnedWindow {
    Q_OBJECT
public:
    ProgressWindow(std::shared_ptr<frmProgress> form, QWidget* mainWindow);

    frmProgress& Form() { return *form_; }
    void Draw() override { DrawForm(*form_); }

private:
    void Clicked(std::string_view name) override { form_->Click(name); }
    void CloseAsked() override { form_->Form_QueryUnload(); }
    bool FormClosed() const override { return form_->Closed(); }

    std::shared_ptr<frmProgress> form_;
};

} // namespace mapwren
