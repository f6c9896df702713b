#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "progress/frmProgress.h"

namespace mapwren {

// The progress form on screen: a small window over the main window, built
// from the form's design table, that does not block the main window. Cancel,
// Escape and the close box go to the form; the window draws the form's state
// whenever the desktop draws, and closes itself once the form has closed.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    ProgressWindow(std::shared_ptr<frmProgress> form, QWidget* mainWindow);

    frmProgress& Form() { return *form_; }
    QWidget* Control(std::string_view name) const;
    void Draw();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::shared_ptr<frmProgress> form_;
    std::map<std::string, QWidget*, std::less<>> controls_;
};

} // namespace mapwren
