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
    struct Dialog {
        bool save = false;
        FileDialogRequest request;
    };
    // Answers: the next dialog's file (nothing: cancelled), Yes or No, whether a browser starts.
    std::optional<std::string> nextFile;
    bool answerYes = true;
    bool browserStarts = true;
    std::function<void()> onRepaint;   // to look at the form in the middle of its work

    std::vector<Dialog> dialogs;
    // Messages as "<icon> <title>: <text>", icon C, ! or i; questions as "? <title>: <text>".
    std::vector<std::string> messages;
    std::vector<std::string> addresses;
    int repaints = 0, closeAllWindows = 0, aboutWindows = 0;

    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override
    {
        dialogs.push_back({false, request});
        return nextFile;
    }
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override
    {
        dialogs.push_back({true, request});
        return nextFile;
    }
    void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override
    {
        const char* const icons[] = {"C ", "! ", "i "};
        messages.push_back(icons[int(icon)] + title + ": " + text);
    }
    bool AskYesNo(const std::string& title, const std::string& text) override
    {
        messages.push_back("? " + title + ": " + text);
        return answerYes;
    }
    void RepaintNow() override
    {
        ++repaints;
        if (onRepaint)
            onRepaint();
    }
    bool OpenAddress(const std::string& address) override
    {
        addresses.push_back(address);
        return browserStarts;
    }
    void CloseAllWindows() override { ++closeAllWindows; }
    void ShowAboutWindow() override { ++aboutWindows; }
};

} // namespace mapwren::testing
