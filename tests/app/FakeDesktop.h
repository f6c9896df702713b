#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "forms/Desktop.h"
#include "progress/frmProgress.h"

namespace mapwren::testing {

// Records every request the form makes of the desktop and answers as told.
class FakeDesktop : public Desktop {
public:
    struct Dialog { bool save = false; FileDialogRequest request; };
    std::optional<std::string> nextFile;   // the next dialog's file; nothing: cancelled
    std::optional<std::string> nextFolder; // the next folder dialog's folder; nothing: cancelled
    std::vector<std::string> answers;      // the next questions' answers ("Yes"/"No") before answerYes
    bool answerYes = true, browserStarts = true;
    std::function<void()> onRepaint;       // to look at the form in the middle of its work
    std::function<void()> onBusyGone, onTileMapWindow;

    std::vector<Dialog> dialogs;
    // Messages as "<icon> <title>: <text>", icon C, ! or i; questions as "? <title>: <text>".
    std::vector<std::string> messages, addresses;
    int repaints = 0, closeAllWindows = 0, aboutWindows = 0, tileMapWindows = 0;
    std::shared_ptr<frmInstall> installWindow;   // the last one shown
    std::string busy;                      // "[" when the busy pointer shows, "]" when it goes, a message as "m"

    std::optional<std::string> AskOpenFile(const FileDialogRequest& r) override { return dialogs.push_back({false, r}), nextFile; }
    std::optional<std::string> AskSaveFile(const FileDialogRequest& r) override { return dialogs.push_back({true, r}), nextFile; }
    std::optional<std::string> AskFolder(const std::string& title) override
    {
        return dialogs.push_back({false, {title, "folder", "", 0}}), nextFolder;
    }
    void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override
    {
        messages.push_back(std::string(1, "C!i"[int(icon)]) + " " + title + ": " + text), busy += "m";
    }
    bool AskYesNo(const std::string& title, const std::string& text) override
    {
        messages.push_back("? " + title + ": " + text), busy += "m";
        if (answers.empty())
            return answerYes;
        const bool yes = answers.front() == "Yes";
        answers.erase(answers.begin());
        return yes;
    }
    void RepaintNow() override { if (++repaints, onRepaint) onRepaint(); }
    void ShowBusy(bool on) override
    {
        if (busy += on ? "[" : "]", !on && onBusyGone)
            onBusyGone();
    }
    bool OpenAddress(const std::string& address) override { return addresses.push_back(address), browserStarts; }
    void CloseAllWindows() override { ++closeAllWindows; }
    void ShowAboutWindow() override { ++aboutWindows; }
    void ShowTileMapWindow() override
    {
        if (++tileMapWindows, onTileMapWindow)
            onTileMapWindow();
    }
    void ShowInstallWindow(std::shared_ptr<frmInstall> form) override { installWindow = std::move(form); }
    // The progress windows shown, as a front-end keeps them while they are open.
    std::vector<std::shared_ptr<frmProgress>> progressWindows;
    std::function<void(frmProgress&)> onProgressWindow;   // to act on the window before its job starts
    void ShowProgressWindow(std::shared_ptr<frmProgress> form) override
    {
        if (progressWindows.push_back(form), onProgressWindow)
            onProgressWindow(*form);
    }
    void Post(std::function<void()> event) override
    {
        const std::lock_guard lock(postedMutex_);
        posted_.push_back(std::move(event));
        postedArrived_.notify_all();
    }
    // Waits up to ten seconds for an event posted from another thread (a tool's
    // end), then runs every one posted so far; false when none came.
    bool RunPosted()
    {
        std::vector<std::function<void()>> events;
        {
            std::unique_lock lock(postedMutex_);
            postedArrived_.wait_for(lock, std::chrono::seconds(10), [&] { return !posted_.empty(); });
            events.swap(posted_);
        }
        for (const auto& event : events)
            event();
        return !events.empty();
    }

private:
    std::mutex postedMutex_;
    std::condition_variable postedArrived_;
    std::vector<std::function<void()>> posted_;
};

} // namespace mapwren::testing
