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
    struct Message {
        MessageIcon icon = MessageIcon::Information;
        std::string title;
        std::string text;
    };

    // Answers: the next open/save dialog's file (nothing: cancelled) and the Yes/No answer.
    std::optional<std::string> nextFile;
    bool answerYes = true;
    bool browserStarts = true;
    // Runs at each repaint, to look at the form in the middle of its work.
    std::function<void()> onRepaint;

    std::vector<Dialog> dialogs;
    std::vector<Message> messages;
    std::vector<Message> questions;   // icon unused
    std::vector<std::string> addresses;
    int repaints = 0;
    int closeAllWindows = 0;
    int aboutWindows = 0;

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
        messages.push_back({icon, title, text});
    }
    bool AskYesNo(const std::string& title, const std::string& text) override
    {
        questions.push_back({MessageIcon::Information, title, text});
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
