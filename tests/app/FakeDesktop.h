#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Desktop.h"

namespace mapwren::testing {

// Records every request the form makes of the desktop and answers as told.
class FakeDesktop : public Desktop {
public:
    struct Dialog { bool save = false; FileDialogRequest request; };
    std::optional<std::string> nextFile;   // the next dialog's file; nothing: cancelled
    bool answerYes = true, browserStarts = true;
    std::function<void()> onRepaint;       // to look at the form in the middle of its work

    std::vector<Dialog> dialogs;
    // Messages as "<icon> <title>: <text>", icon C, ! or i; questions as "? <title>: <text>".
    std::vector<std::string> messages, addresses;
    int repaints = 0, closeAllWindows = 0, aboutWindows = 0, tileMapWindows = 0;

    std::optional<std::string> AskOpenFile(const FileDialogRequest& r) override { return dialogs.push_back({false, r}), nextFile; }
    std::optional<std::string> AskSaveFile(const FileDialogRequest& r) override { return dialogs.push_back({true, r}), nextFile; }
    void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override
    {
        messages.push_back(std::string(1, "C!i"[int(icon)]) + " " + title + ": " + text);
    }
    bool AskYesNo(const std::string& title, const std::string& text) override
    {
        return messages.push_back("? " + title + ": " + text), answerYes;
    }
    void RepaintNow() override { if (++repaints, onRepaint) onRepaint(); }
    bool OpenAddress(const std::string& address) override { return addresses.push_back(address), browserStarts; }
    void CloseAllWindows() override { ++closeAllWindows; }
    void ShowAboutWindow() override { ++aboutWindows; }
    void ShowTileMapWindow() override { ++tileMapWindows; }
};

} // namespace mapwren::testing
