// Write Combined Map File: MAPWREN combines the ticked maps into one map
// file itself, wherever the user saves it, without the upload tool. What
// cannot go in is asked about before the dialog; the writing runs in the
// progress window, off the window's thread, and its end is told here.
#include <unordered_map>

#include "app/frmMain.h"
#include "common/Addresses.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "img/CombinedMap.h"
#include "maplist/Captions.h"
#include "progress/frmProgress.h"
#include "tool/TickedMaps.h"

namespace mapwren {

namespace {

constexpr const char* kWriteTitle = "Write Combined Map File";
constexpr const char* kWrittenTitle = "Combined Map File Written";

// One line per later map that clashes with an earlier one, named once.
std::vector<std::string> ClashLines(const std::vector<CombinedClash>& clashes)
{
    std::vector<std::string> lines;
    std::vector<std::string> named;
    for (const CombinedClash& clash : clashes) {
        if (std::ranges::find(named, clash.later) != named.end())
            continue;
        named.push_back(clash.later);
        lines.push_back(clash.later + " (" + clash.subfile + ", as in " + clash.earlier + ")");
    }
    return lines;
}

std::string MapsCount(std::size_t count) { return count == 1 ? "1 map" : std::to_string(count) + " maps"; }

std::string WrittenMessage(const CombinedPlan& plan, const std::string& target)
{
    return MapsCount(plan.MapCount()) + ", " + MegabytesText(static_cast<std::int64_t>(plan.FileSize())) +
           ", written to " + target;
}

} // namespace

// The ticked maps' full paths in the order they were ticked, which is the
// order they go into the file. A map gone since is named by the plan.
std::vector<std::string> frmMain::TickedForWriting() const
{
    std::unordered_multimap<std::string, std::size_t> rowsOf;
    for (std::size_t row = 0; row < mapList_.RowCount(); ++row) {
        if (mapList_.Row(row).state == RowState::Ticked)
            rowsOf.emplace(mapList_.TickEntry(row), row);
    }
    std::vector<std::string> paths;
    for (const std::string& entry : mapList_.SelectedFiles()) {
        if (const auto it = rowsOf.find(entry); it != rowsOf.end()) {
            paths.push_back(mapList_.Row(it->second).FullPath());
            rowsOf.erase(it);
        }
    }
    return paths;
}

// The ticked maps planned into one combined file, after the questions about
// what cannot go in (each No gives nothing); noneTicked is the warning when no
// map is ticked. Neither the tool nor the port plays a part.
std::optional<CombinedPlan> frmMain::PlanTickedMaps(const std::string& noneTicked)
{
    const std::vector<std::string> ticked = TickedForWriting();
    if (ticked.empty()) {
        Warn(noneTicked);
        return std::nullopt;
    }
    Result<CombinedPlan> planned = [&] {
        const BusyPointer busy(desktop_);
        return PlanCombinedMap(ticked, MapsetNameForWriting());
    }();
    if (!planned) {
        Warn(planned.error());
        return std::nullopt;
    }
    CombinedPlan& plan = planned.value();
    if (!plan.Clashes().empty()) {
        if (!desktop_.AskYesNo(kMessageTitle, "These ticked maps hold a tile whose name a map ticked before them "
                                              "holds too, and one map file holds each name only once:" +
                                                  ListedPaths(ClashLines(plan.Clashes())) +
                                                  "\nLeave these later tiles out and write the others?"))
            return std::nullopt;
        plan.LeaveOutClashes();
    }
    if (!plan.Unusable().empty()) {
        std::vector<std::string> lines;
        for (const CombinedUnusable& map : plan.Unusable())
            lines.push_back(map.why);
        if (!desktop_.AskYesNo(kMessageTitle, "These ticked files cannot go into a combined map file:" +
                                                  ListedPaths(lines) + "\nLeave them out and write the other " +
                                                  (plan.MapCount() == 1 ? std::string("map")
                                                                        : MapsCount(plan.MapCount())) +
                                                  "?"))
            return std::nullopt;
        plan.LeaveOutUnusable();
    }
    return std::move(plan);
}

std::string frmMain::MapsetNameForWriting() const { return chkMapset.value == 1 ? txtMapset.text : std::string(); }

// Questions first, each with No writing nothing; the dialog last, so its
// answer starts the writing.
void frmMain::mnuCombinedMap_Click()
{
    if (writing_.progress && writing_.progress->Running()) {
        Warn("A combined map file is being written to " + writing_.target +
             " now. Wait for it to end, or cancel it, before writing another.");
        return;
    }
    std::optional<CombinedPlan> planned =
        PlanTickedMaps("No map is ticked. Tick the maps to write into the combined map file first.");
    if (!planned)
        return;
    CombinedPlan& plan = *planned;
    if (const auto oversize = OversizeMessage(plan.FileSize(), "the combined map file");
        oversize && !desktop_.AskYesNo(kMessageTitle, *oversize))
        return;
    const std::optional<std::string> picked = desktop_.AskSaveFile(
        {"Save the ticked maps as one combined map file", "Garmin IMG Files (*.img)|*.img", "gmapsupp.img",
         kOverwritePrompt | kPathMustExist | kHideReadOnly | kNoChangeDir | kExplorer});
    if (!picked || picked->empty() || *picked == "gmapsupp.img")
        return;
    StartWriting(std::move(plan), *picked);
}

void frmMain::StartWriting(CombinedPlan plan, const std::string& target)
{
    writing_.target = target;
    const bool replacing = FileExist(target);
    ProgressJob job;
    job.title = kWriteTitle;
    job.what = "Writing " + target;
    job.totals = {0, plan.MapCount(), 0, plan.FileSize()};
    auto shared = std::make_shared<const CombinedPlan>(std::move(plan));
    job.work = [shared, target](const ProgressReport& report) {
        return WriteCombinedMap(*shared, target, [&report](const CombinedProgress& done) {
            return report({done.mapsDone, done.mapsTotal, done.bytesDone, done.bytesTotal});
        });
    };
    job.ended = [this, shared, target, replacing](const Status& outcome, bool cancelled) {
        const std::string kept = replacing ? " The file that was there stays as it was." : "";
        if (cancelled)
            desktop_.ShowMessage(MessageIcon::Information, kMessageTitle,
                                 CombinedCancelledMessage(target) + " Nothing was left behind." + kept);
        else if (!outcome)
            Warn(outcome.error() + "\nNothing was left behind." + kept);
        else
            desktop_.ShowMessage(MessageIcon::Information, kWrittenTitle, WrittenMessage(*shared, target));
    };
    writing_.progress = frmProgress::Start(desktop_, std::move(job));
}

// The window is going: a write still going is cancelled, and its file not left half written.
void frmMain::StopWriting()
{
    if (writing_.progress)
        writing_.progress->Stop();
}

frmMain::Writing::~Writing()
{
    if (progress)
        progress->Stop();
}

} // namespace mapwren
