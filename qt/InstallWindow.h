#pragma once

#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "install/frmInstall.h"

namespace mapwren {

// The install form on screen: a window over the main window, built from the
// form's design table, that does not block it. It looks for receivers as
// often as the form asks, forwards clicks, the place chosen and the name
// typed, draws the form's state after each, and closes once the form has.
class InstallWindow : public QWidget {
    Q_OBJECT
public:
    InstallWindow(std::shared_ptr<frmInstall> form, QWidget* mainWindow);

    frmInstall& Form() { return *form_; }
    QWidget* Control(std::string_view name) const;
    void Draw();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* MakeControl(const ControlDesign& design);
    void After();

    std::shared_ptr<frmInstall> form_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    std::vector<std::string> placeItems_;   // as the place box lists them now
    QTimer poll_;
};

} // namespace mapwren
