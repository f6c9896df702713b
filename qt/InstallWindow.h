#pragma once

#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "install/frmInstall.h"
#include "qt/OwnedWindow.h"

namespace mapwren {

// The install form on screen: it looks for receivers as often as the form
// asks, forwards clicks, the place chosen and the name typed, and draws the
// form's state and place list after each.
class InstallWindow : public OwnedWindow {
    Q_OBJECT
public:
    InstallWindow(std::shared_ptr<frmInstall> form, QWidget* mainWindow);

    frmInstall& Form() { return *form_; }
    void Draw() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Clicked(std::string_view name) override { form_->Click(name); }
    void CloseAsked() override { form_->Form_QueryUnload(); }
    bool FormClosed() const override { return form_->Closed(); }
    void Chosen(int index) override { form_->cboPlace_Click(index); }
    void Edited(const std::string& text) override { form_->txtName_Change(text); }

    std::shared_ptr<frmInstall> form_;
    std::vector<std::string> placeItems_;   // as the place box lists them now
    QTimer poll_;
};

} // namespace mapwren
