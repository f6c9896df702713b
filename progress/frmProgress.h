#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "forms/ControlState.h"
#include "forms/Desktop.h"
#include "forms/FormLife.h"
#include "forms/FormRows.h"
#include "common/Result.h"

namespace mapwren {

// How far a job is: items (maps, files) and bytes, each done of all.
struct ProgressCounts {
    std::uint64_t itemsDone = 0, itemsTotal = 0;
    std::uint64_t bytesDone = 0, bytesTotal = 0;
    friend bool operator==(const ProgressCounts&, const ProgressCounts&) = default;
};

// What a job calls, on its own thread, as it goes: false once the user has
// cancelled, after which the job undoes what it did and returns.
using ProgressReport = std::function<bool(const ProgressCounts&)>;

// A long piece of work shown in the progress window.
struct ProgressJob {
    std::string title;                    // the window's caption
    std::string what;                     // the line above the bar: what is being done, to which file
    std::string item = "map", items = "maps";   // what itemsDone counts, one and many
    ProgressCounts totals;                // what the window shows before the first report
    // Runs on a thread of its own; never touches a window.
    std::function<Status(const ProgressReport& report)> work;
    // On the window's thread once the window has closed: the job's outcome, and
    // whether the user cancelled it.
    std::function<void(const Status& outcome, bool cancelled)> ended;
};

// The progress window as a form: a line saying what is done, a bar, the
// items and megabytes done with the percentage, the time left, and Cancel.
// The job runs off the window's thread; what it reports reaches the form
// through Desktop::Post at least four times a second, so the window that
// started it stays free.
//
// How a front-end uses it: Desktop::ShowProgressWindow(form) shows a window
// built from frmProgressForm() and frmProgressControls(), titled Caption,
// owned by the main window and not blocking it; the window keeps the form
// alive. It draws the controls' state after every event and every posted
// event, and closes itself once Closed() is true. Cancel's click, Escape and
// the close box go to cmdCancel_Click / Form_QueryUnload.
class frmProgress : public std::enable_shared_from_this<frmProgress> {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Shows the window and starts the job. The owner keeps the pointer and
    // calls Stop() before the desktop goes.
    static std::shared_ptr<frmProgress> Start(Desktop& desktop, ProgressJob job, Clock clock = {});
    ~frmProgress();
    frmProgress(const frmProgress&) = delete;
    frmProgress& operator=(const frmProgress&) = delete;

    std::string Caption;
    ControlState lblWhat, prgDone, lblDone, lblTimeLeft, cmdCancel;   // prgDone's value: percent done
    ControlState* Control(std::string_view name);
    // True once the job has ended: the window closes.
    bool Closed() const { return closed_; }
    bool Running() const { return !closed_; }

    void Click(std::string_view name);
    void cmdCancel_Click();
    // The close box or Escape: the job is cancelled; the window closes when it has ended.
    void Form_QueryUnload() { cmdCancel_Click(); }

    // The owner is going: cancels the job and waits for its end, which is
    // then told to no one.
    void Stop();

    // How often the window hears of the job's progress while it runs.
    static constexpr std::chrono::milliseconds kUpdateEvery{200};

private:
    frmProgress(Desktop& desktop, ProgressJob job, Clock clock);
    void Begin();
    void ShowProgress();
    void Finish();

    ProgressJob job_;
    Clock clock_;
    std::chrono::steady_clock::time_point started_;
    // Shared with the job's threads, which are joined before the form goes.
    std::mutex mutex_;
    std::condition_variable changed_;
    ProgressCounts counts_;
    bool cancelled_ = false, ended_ = false;
    Status outcome_;
    std::atomic<bool> updatePosted_{false};
    ControlStates<frmProgress> states_;
    bool closed_ = false;
    FormLife life_;   // before the threads that post through it
    std::thread worker_, ticker_;
};

} // namespace mapwren
