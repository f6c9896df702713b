#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

// What only a front-end can do for the forms: dialogs, message boxes, the
// browser, repainting and closing its windows. The forms call it; tests give
// them a fake that records what was asked and answers as told.
namespace mapwren {

class frmInstall;
class frmProgress;

enum class MessageIcon { Critical, Exclamation, Information };

// The common dialog's flags the forms use.
inline constexpr int kOverwritePrompt = 0x2;
inline constexpr int kHideReadOnly = 0x4;
inline constexpr int kNoChangeDir = 0x8;
inline constexpr int kNoValidate = 0x100;
inline constexpr int kPathMustExist = 0x800;
inline constexpr int kFileMustExist = 0x1000;
inline constexpr int kExplorer = 0x80000;

// An open or save dialog as the forms set it up.
struct FileDialogRequest {
    std::string title;
    std::string filter;     // "description|pattern|description|pattern"
    std::string fileName;   // preset name, such as "*.mwl"
    int flags = 0;          // the common dialog's flags (0x800 path must exist, ...)
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<std::string> AskOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSaveFile(const FileDialogRequest& request) = 0;
    // The chosen folder (or drive), or nothing when the user cancelled.
    virtual std::optional<std::string> AskFolder(const std::string& title) = 0;
    virtual void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) = 0;
    // True for Yes.
    virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
    // Draws the window's state now, before a long piece of work.
    virtual void RepaintNow() = 0;
    // Shows the busy pointer over the program's windows, or the usual one again.
    virtual void ShowBusy(bool busy) = 0;
    // Opens the address in the user's web browser; false when none could be started.
    virtual bool OpenAddress(const std::string& address) = 0;
    virtual void CloseAllWindows() = 0;
    // Shows the About window over the main window, without blocking it.
    virtual void ShowAboutWindow() = 0;
    // Shows the tile map window (a frmTileMap over the main form), or raises
    // it when it is open already.
    virtual void ShowTileMapWindow() = 0;
    // Shows the window that installs maps on a receiver (a frmInstall) over
    // the main window, without blocking it; the window keeps the form until
    // it closes. A second one replaces the first.
    virtual void ShowInstallWindow(std::shared_ptr<frmInstall> form) = 0;
    // Shows a job's progress window (a frmProgress) over the main window,
    // without blocking it; the window keeps the form until it closes.
    virtual void ShowProgressWindow(std::shared_ptr<frmProgress> form) = 0;
    // Runs the event on the window's thread as soon as it is free, then draws
    // the window; callable from any thread. Dropped once the window is gone.
    // Forms post through FormLife (forms/FormLife.h), which also drops an
    // event once the form is gone.
    virtual void Post(std::function<void()> event) = 0;
};

// The busy pointer for as long as the object lives: a load or Select All
// shows it until its work is done, before any message it gives.
class BusyPointer {
public:
    explicit BusyPointer(Desktop& desktop) : desktop_(desktop) { desktop_.ShowBusy(true); }
    ~BusyPointer() { desktop_.ShowBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Desktop& desktop_;
};

} // namespace mapwren
