#pragma once

#include <memory>
#include <string>
#include <vector>

#include "install/frmInstall.h"
#include "win32/OwnedWindow.h"

namespace mapwren {

// The install form on screen: it looks for receivers as often as the form
// asks, forwards clicks, the place chosen and the name typed, draws the
// form's state and place list after each and whenever the main window draws.
class InstallWindow : public OwnedWindow {
public:
    InstallWindow(std::shared_ptr<frmInstall> form, HWND owner);

    frmInstall& Form() { return *form_; }
    void Draw() override;

private:
    void Clicked(std::string_view name) override { form_->Click(name); }
    void CloseAsked() override { form_->Form_QueryUnload(); }
    void Chosen(int index) override { form_->cboPlace_Click(index); }
    void Edited(const std::string& text) override { form_->txtName_Change(text); }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::shared_ptr<frmInstall> form_;
    std::vector<std::string> placeItems_;    // as the place box lists them now
};

} // namespace mapwren
