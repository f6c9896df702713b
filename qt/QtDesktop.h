#pragma once

#include <QPointer>
#include <functional>
#include <vector>

#include "forms/Desktop.h"

class QWidget;

namespace mapwren {

class ProgressWindow;

// The desktop the forms call, done with Qt: dialogs and message boxes over
// the given window, the browser through the desktop's URL handler. draw, when
// given, brings the window up to date before anything is shown over it;
// showTileMap opens the main window's tile map.
class QtDesktop : public Desktop {
public:
    explicit QtDesktop(QWidget* window, std::function<void()> draw = {}, std::function<void()> showTileMap = {})
        : window_(window), draw_(std::move(draw)), showTileMap_(std::move(showTileMap))
    {
    }

    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
    void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override;
    bool AskYesNo(const std::string& title, const std::string& text) override;
    void RepaintNow() override;
    void ShowBusy(bool busy) override;
    bool OpenAddress(const std::string& address) override;
    void CloseAllWindows() override;
    void ShowAboutWindow() override;
    void ShowTileMapWindow() override;
    std::optional<std::string> AskFolder(const std::string& title) override;
    void ShowInstallWindow(std::shared_ptr<frmInstall> form) override;
    void ShowProgressWindow(std::shared_ptr<frmProgress> form) override;
    void Post(std::function<void()> event) override;
    // The progress windows open now.
    std::vector<ProgressWindow*> ProgressWindows() const;

private:
    std::optional<std::string> AskForFile(const FileDialogRequest& request, bool save);
    void Draw() const;

    QWidget* window_;
    std::function<void()> draw_;
    std::function<void()> showTileMap_;
    QPointer<QWidget> install_;
    std::vector<QPointer<ProgressWindow>> progress_;
};

} // namespace mapwren
