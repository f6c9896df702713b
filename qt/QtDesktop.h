#pragma once

#include "app/Desktop.h"

class QWidget;

namespace mapwren {

// The desktop the forms call, done with Qt: dialogs and message boxes over
// the given window, the browser through the desktop's URL handler.
class QtDesktop : public Desktop {
public:
    explicit QtDesktop(QWidget* window) : window_(window) {}

    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
    void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override;
    bool AskYesNo(const std::string& title, const std::string& text) override;
    void RepaintNow() override;
    bool OpenAddress(const std::string& address) override;
    void CloseAllWindows() override;

private:
    QWidget* window_;
};

} // namespace mapwren
