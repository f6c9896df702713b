// The progress window's form: what it shows of a job's reports, Cancel, the
// close box, the end told once after the window closed, and an owner going.
#include <gtest/gtest.h>

#include <atomic>

#include "app/FakeDesktop.h"
#include "progress/frmProgress.h"

namespace mapwren::testing {
namespace {

constexpr std::uint64_t kMB = 1048576;

// A job that reports what it is told and then waits for the test (or a cancel)
// before it returns its outcome; honest: false, it goes on whatever the report says.
struct Job {
    std::atomic<bool> release{false}, honest{true};
    std::atomic<int> seconds{0};   // the form's clock, from the job's start
    ProgressCounts counts;
    Status outcome;
    std::vector<std::string> ends;   // "ok", "cancelled: ...", "failed: ..."
    FakeDesktop desktop;
    std::shared_ptr<frmProgress> form;

    void Start(const ProgressCounts& reported)
    {
        counts = reported;
        const auto base = std::chrono::steady_clock::now();
        ProgressJob job{"Write Combined Map File", "Writing /card/Garmin/gmapsupp.img", "map", "maps",
                        {0, counts.itemsTotal, 0, counts.bytesTotal}, {}, {}};
        job.work = [this](const ProgressReport& report) {
            while (!release) {
                if (!report(counts) && honest)
                    return Status::Failure("cancelled");
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            return outcome;
        };
        job.ended = [this](const Status& outcome, bool cancelled) {
            ends.push_back(cancelled ? "cancelled: " + outcome.error() : outcome ? "ok" : "failed: " + outcome.error());
        };
        form = frmProgress::Start(desktop, std::move(job), [this, base] { return base + std::chrono::seconds(seconds.load()); });
    }
    void RunUntilClosed()
    {
        for (int i = 0; i < 100 && !form->Closed(); ++i)
            desktop.RunPosted();
    }
};

TEST(FormProgress, ShowsItemsMegabytesPercentAndTimeLeft)
{
    const struct { ProgressCounts counts; int seconds; const char* done; const char* left; int bar; } cases[] = {
        {{0, 12, 0, 412 * kMB}, 0, "0 of 12 maps, 0.0 MB of 412.0 MB, 0%", "Working out the time left ...", 0},
        {{5, 12, 103 * kMB, 412 * kMB}, 60, "5 of 12 maps, 103.0 MB of 412.0 MB, 25%", "About 3 minutes left", 25},
        {{1, 1, kMB, 4 * kMB}, 1, "1 of 1 map, 1.0 MB of 4.0 MB, 25%", "Working out the time left ...", 25},
        {{11, 12, 400 * kMB, 412 * kMB}, 10, "11 of 12 maps, 400.0 MB of 412.0 MB, 97%", "Less than a minute left", 97},
        {{3, 3, 5 * kMB, 5 * kMB}, 30, "3 of 3 maps, 5.0 MB of 5.0 MB, 100%", "Less than a minute left", 100},
        {{2, 4, 0, 0}, 30, "2 of 4 maps, 0.0 MB of 0.0 MB, 50%", "Working out the time left ...", 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.done);
        Job job;
        job.Start(c.counts);
        job.seconds = c.seconds;
        job.desktop.RunPosted();   // the next update
        EXPECT_EQ(job.form->lblDone.text + " | " + job.form->lblTimeLeft.text + " | " + std::to_string(job.form->prgDone.value),
                  std::string(c.done) + " | " + c.left + " | " + std::to_string(c.bar));
        job.release = true;
        job.RunUntilClosed();
    }
}

// Steps: "cancel" a click on Cancel, "close" the close box or Escape, "stop" the owner going, "release" the job
// returning its outcome; then the window's state and what the owner heard.
TEST(FormProgress, TellsTheEndOnceAfterTheWindowClosed)
{
    const struct { const char* steps; bool honest; Status outcome; std::vector<std::string> ends; } cases[] = {
        {"release", true, Status(), {"ok"}},
        {"release", true, Status::Failure("The card is full."), {"failed: The card is full."}},
        {"cancel", true, Status(), {"cancelled: cancelled"}},
        {"close", true, Status(), {"cancelled: cancelled"}},
        {"cancel release", false, Status(), {"ok"}},   // done before it saw the cancel: the work stands
        {"stop", true, Status(), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        Job job;
        job.honest = c.honest;
        job.outcome = c.outcome;
        job.Start({1, 2, kMB, 2 * kMB});
        ASSERT_EQ(job.desktop.progressWindows.size(), 1u);
        EXPECT_EQ(job.form->Caption + " | " + job.form->lblWhat.text + " | " + job.form->cmdCancel.text,
                  "Write Combined Map File | Writing /card/Garmin/gmapsupp.img | Cancel");
        std::istringstream steps(c.steps);
        for (std::string step; steps >> step;) {
            if (step == "cancel" || step == "close") {
                step == "cancel" ? job.form->Click("cmdCancel") : job.form->Form_QueryUnload();
                EXPECT_EQ(job.form->lblTimeLeft.text + (job.form->cmdCancel.enabled ? " enabled" : " disabled"),
                          "Cancelling ... disabled");
                EXPECT_FALSE(job.form->Closed());   // until the job has undone its work
            }
            if (step == "release")
                job.release = true;
            if (step == "stop")
                job.form->Stop();
        }
        job.RunUntilClosed();
        EXPECT_TRUE(job.form->Closed());
        EXPECT_EQ(job.ends, c.ends);
    }
}

} // namespace
} // namespace mapwren::testing
