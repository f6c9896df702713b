#include "progress/frmProgress.h"

#include <algorithm>

#include "maplist/Captions.h"
#include "progress/frmProgressDesign.h"

namespace mapwren {

namespace {

// Below this, a guess at the time left swings too much to be worth showing.
constexpr std::chrono::seconds kGuessAfter{2};

std::uint64_t PercentDone(const ProgressCounts& counts)
{
    const auto percent = [](std::uint64_t done, std::uint64_t total) {
        return std::min<std::uint64_t>(100, done / total * 100 + done % total * 100 / total);
    };
    if (counts.bytesTotal > 0)
        return percent(counts.bytesDone, counts.bytesTotal);
    return counts.itemsTotal > 0 ? percent(counts.itemsDone, counts.itemsTotal) : 0;
}

} // namespace

frmProgress::frmProgress(Desktop& desktop, ProgressJob job, Clock clock)
    : job_(std::move(job)),
      clock_(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); })),
      counts_(job_.totals), states_(frmProgressControlRows()), life_(desktop)
{
    Caption = job_.title;
    states_.Start(*this);
    lblWhat.text = job_.what;
}

std::shared_ptr<frmProgress> frmProgress::Start(Desktop& desktop, ProgressJob job, Clock clock)
{
    std::shared_ptr<frmProgress> form(new frmProgress(desktop, std::move(job), std::move(clock)));
    form->ShowProgress();
    desktop.ShowProgressWindow(form);
    form->Begin();
    return form;
}

void frmProgress::Begin()
{
    if (closed_)   // stopped while its window was being shown
        return;
    started_ = clock_();
    worker_ = std::thread([this] {
        Status outcome = job_.work([this](const ProgressCounts& counts) {
            const std::lock_guard lock(mutex_);
            counts_ = counts;
            return !cancelled_;
        });
        {
            const std::lock_guard lock(mutex_);
            outcome_ = std::move(outcome);
            ended_ = true;
        }
        changed_.notify_all();
        life_.Post([this] { shared_from_this()->Finish(); });
    });
    // Updates come on a beat of their own, so the time left moves on even
    // while the job waits on a slow card; one at a time, so a busy window
    // never falls behind.
    ticker_ = std::thread([this] {
        std::unique_lock lock(mutex_);
        while (!changed_.wait_for(lock, kUpdateEvery, [this] { return ended_ || cancelled_; })) {
            if (!updatePosted_.exchange(true))
                life_.Post([this] {
                    updatePosted_ = false;
                    ShowProgress();
                });
        }
    });
}

ControlState* frmProgress::Control(std::string_view name) { return states_.Find(*this, name); }

void frmProgress::ShowProgress()
{
    ProgressCounts counts;
    bool cancelled = false;
    {
        const std::lock_guard lock(mutex_);
        counts = counts_;
        cancelled = cancelled_;
    }
    const std::uint64_t percent = PercentDone(counts);
    prgDone.value = static_cast<int>(percent);
    lblDone.text = std::to_string(counts.itemsDone) + " of " + std::to_string(counts.itemsTotal) + " " +
                   (counts.itemsTotal == 1 ? job_.item : job_.items) + ", " +
                   MegabytesText(static_cast<std::int64_t>(counts.bytesDone)) + " of " +
                   MegabytesText(static_cast<std::int64_t>(counts.bytesTotal)) + ", " + std::to_string(percent) + "%";
    const auto elapsed = std::chrono::duration<double>(clock_() - started_);
    if (cancelled)
        lblTimeLeft.text = "Cancelling ...";
    else if (counts.bytesDone == 0 || counts.bytesTotal == 0 || elapsed < kGuessAfter)
        lblTimeLeft.text = "Working out the time left ...";
    else
        lblTimeLeft.text = AboutHowLongText(elapsed.count() * static_cast<double>(counts.bytesTotal - std::min(counts.bytesDone, counts.bytesTotal)) /
                                            static_cast<double>(counts.bytesDone)) + " left";
}

void frmProgress::Click(std::string_view name)
{
    states_.Click(*this, name);
}

// The job sees the cancel at its next report; until it has undone its work
// the window stays, saying so.
void frmProgress::cmdCancel_Click()
{
    if (closed_)
        return;
    {
        const std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    changed_.notify_all();
    cmdCancel.enabled = false;
    ShowProgress();
}

// The job's end, on the window's thread; nothing once the owner has stopped it.
void frmProgress::Finish()
{
    if (closed_)
        return;
    Stop();
    Status outcome;
    bool cancelled = false;
    {
        const std::lock_guard lock(mutex_);
        outcome = outcome_;
        cancelled = cancelled_;
    }
    ShowProgress();
    // A cancel that came after the last piece of work was done leaves the work done.
    if (job_.ended)
        job_.ended(outcome, cancelled && !outcome.ok());
}

void frmProgress::Stop()
{
    {
        const std::lock_guard lock(mutex_);
        if (!ended_)
            cancelled_ = true;
    }
    changed_.notify_all();
    for (std::thread* thread : {&worker_, &ticker_}) {
        if (thread->joinable())
            thread->join();
    }
    closed_ = true;
}

frmProgress::~frmProgress() { Stop(); }

} // namespace mapwren
