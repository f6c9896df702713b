#include "win32/Win32Desktop.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

#include "common/Encoding.h"
#include "win32/AboutWindow.h"
#include "win32/InstallWindow.h"
#include "win32/ProgressWindow.h"

namespace mapwren {

namespace {

// "description|pattern|description|pattern" as the common dialog's list of
// NUL-separated strings ending in two NULs.
std::wstring DialogFilter(const std::string& filter)
{
    std::wstring wide = WideFromUtf8(filter);
    for (wchar_t& c : wide) {
        if (c == L'|')
            c = L'\0';
    }
    wide.push_back(L'\0');
    return wide;
}

UINT IconStyle(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return MB_ICONERROR;
    case MessageIcon::Exclamation: return MB_ICONWARNING;
    case MessageIcon::Information: return MB_ICONINFORMATION;
    }
    return 0;
}

} // namespace

Win32Desktop::Win32Desktop(std::function<void()> draw, std::function<void()> showTileMap)
    : draw_(std::move(draw)), showTileMap_(std::move(showTileMap))
{
}

Win32Desktop::~Win32Desktop() = default;

// A window that is gone takes no message: the event waits unrun until the
// desktop goes, and is freed with it.
void Win32Desktop::Post(std::function<void()> event)
{
    {
        const std::lock_guard lock(postedMutex_);
        posted_.push_back(std::move(event));
    }
    if (window_)
        PostMessageW(window_, kPostedEventMessage, 0, 0);
}

std::vector<std::function<void()>> Win32Desktop::TakePosted()
{
    const std::lock_guard lock(postedMutex_);
    return std::exchange(posted_, {});
}

std::optional<std::string> Win32Desktop::AskForFile(const FileDialogRequest& request, bool save)
{
    draw_();
    // The longest path Windows has, so no name the user picks is cut or refused.
    constexpr std::size_t kLongestName = 32767;
    std::vector<wchar_t> name(kLongestName + 1, L'\0');
    const std::wstring preset = WideFromUtf8(request.fileName);
    preset.copy(name.data(), std::min(preset.size(), kLongestName));
    const std::wstring filter = DialogFilter(request.filter);
    const std::wstring title = WideFromUtf8(request.title);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = title.c_str();
    // The forms' flags are the common dialog's own; no default extension is
    // set, so a name is used exactly as given.
    dialog.Flags = static_cast<DWORD>(request.flags);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    return Utf8FromWide(name.data());
}

std::optional<std::string> Win32Desktop::AskOpenFile(const FileDialogRequest& request)
{
    return AskForFile(request, false);
}

std::optional<std::string> Win32Desktop::AskSaveFile(const FileDialogRequest& request)
{
    return AskForFile(request, true);
}

void Win32Desktop::ShowMessage(MessageIcon icon, const std::string& title, const std::string& text)
{
    draw_();
    HWND before = GetActiveWindow();
    MessageBoxW(window_, WideFromUtf8(text).c_str(), WideFromUtf8(title).c_str(), MB_OK | IconStyle(icon));
    ActivateAgain(before);
}

// No is the default answer, so a hasty Enter starts nothing.
bool Win32Desktop::AskYesNo(const std::string& title, const std::string& text)
{
    draw_();
    HWND before = GetActiveWindow();
    const bool yes = MessageBoxW(window_, WideFromUtf8(text).c_str(), WideFromUtf8(title).c_str(),
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    ActivateAgain(before);
    return yes;
}

void Win32Desktop::RepaintNow()
{
    draw_();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The work runs on the window's own thread, so no message puts the pointer
// back before it ends; the pointer the window shows then comes back.
void Win32Desktop::ShowBusy(bool busy)
{
    if (busy) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    } else {
        POINT at{};
        GetCursorPos(&at);
        SetCursorPos(at.x, at.y);   // the window under the pointer sets its own again
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
}

bool Win32Desktop::OpenAddress(const std::string& address)
{
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(window_, L"open", WideFromUtf8(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

// The About and tile map windows are owned by the main window, so they go with it.
void Win32Desktop::CloseAllWindows()
{
    if (HWND about = AboutHandle())
        DestroyWindow(about);
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

void Win32Desktop::ShowAboutWindow()
{
    if (!AboutHandle())
        about_ = std::make_unique<AboutWindow>(*this, window_);
    about_->ShowCentredOver(window_);
}

void Win32Desktop::ShowTileMapWindow()
{
    if (showTileMap_)
        showTileMap_();
}

HWND Win32Desktop::AboutHandle()
{
    if (about_ && !about_->Handle())
        about_.reset();   // closed: the next opening starts afresh
    return about_ ? about_->Handle() : nullptr;
}

bool Win32Desktop::PreTranslate(MSG& message)
{
    for (ProgressWindow* window : ProgressWindows()) {
        if (window->PreTranslate(message))
            return true;
    }
    if (InstallWindow* install = Install(); install && install->PreTranslate(message))
        return true;
    return AboutHandle() && about_->PreTranslate(message);
}

void Win32Desktop::ShowProgressWindow(std::shared_ptr<frmProgress> form)
{
    std::erase_if(progress_, [](const auto& window) { return !window->Handle(); });
    progress_.push_back(std::make_unique<ProgressWindow>(std::move(form), window_));
}

std::vector<ProgressWindow*> Win32Desktop::ProgressWindows()
{
    std::vector<ProgressWindow*> open;
    for (const auto& window : progress_) {
        if (window->Handle())
            open.push_back(window.get());
    }
    return open;
}

void Win32Desktop::DrawProgressWindows()
{
    for (ProgressWindow* window : ProgressWindows())
        window->Draw();
}

} // namespace mapwren

namespace mapwren {

std::optional<std::string> Win32Desktop::AskFolder(const std::string& title)
{
    if (draw_)
        draw_();
    const std::wstring caption = WideFromUtf8(title);
    BROWSEINFOW browse{};
    browse.hwndOwner = GetActiveWindow();
    browse.lpszTitle = caption.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen)
        return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool named = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!named)
        return std::nullopt;
    return Utf8FromWide(path);
}

void Win32Desktop::ShowInstallWindow(std::shared_ptr<frmInstall> form)
{
    install_.reset();
    install_ = std::make_unique<InstallWindow>(std::move(form), window_);
}

InstallWindow* Win32Desktop::Install()
{
    return install_ && install_->Handle() ? install_.get() : nullptr;
}

} // namespace mapwren
