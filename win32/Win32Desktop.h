#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "forms/Desktop.h"

namespace mapwren {

class AboutWindow;
class InstallWindow;
class ProgressWindow;

// The message that tells the main window that events were posted.
inline constexpr UINT kPostedEventMessage = WM_APP + 1;

// The desktop the forms call, done with Win32: the common dialogs and
// message boxes owned by the main window, the browser through the shell.
// draw brings the main window up to date before anything is shown over it;
// showTileMap opens the main window's tile map.
class Win32Desktop : public Desktop {
public:
    explicit Win32Desktop(std::function<void()> draw, std::function<void()> showTileMap = {});
    ~Win32Desktop() override;
    void SetWindow(HWND window) { window_ = window; }

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
    // The install window while it is open, else null; drawn whenever the main window draws.
    InstallWindow* Install();
    void ShowProgressWindow(std::shared_ptr<frmProgress> form) override;
    void Post(std::function<void()> event) override;
    // The progress windows open now, drawn whenever the main window draws.
    std::vector<ProgressWindow*> ProgressWindows();
    void DrawProgressWindows();
    // The events posted so far, for the main window to run on kPostedEventMessage.
    std::vector<std::function<void()>> TakePosted();

    // The About window while it is open, else null.
    HWND AboutHandle();
    // The About window's keys and presses, before they are dispatched.
    bool PreTranslate(MSG& message);

private:
    std::optional<std::string> AskForFile(const FileDialogRequest& request, bool save);

    HWND window_ = nullptr;
    std::function<void()> draw_;
    std::function<void()> showTileMap_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<InstallWindow> install_;
    std::vector<std::unique_ptr<ProgressWindow>> progress_;
    // Owned here, not by the message that announces them, so events still
    // queued when the window has gone are freed with the desktop.
    std::mutex postedMutex_;
    std::vector<std::function<void()>> posted_;
};

} // namespace mapwren
