// The install itself, in the progress window off the window's thread, and
// what the user is told at its end.
#include <filesystem>

#include "common/Paths.h"
#include "common/Text.h"
#include "install/frmInstall.h"
#include "progress/frmProgress.h"
#include "receivers/Install.h"
#include "receivers/Room.h"

namespace mapwren {

namespace {

constexpr const char* kTitle = "Install Maps on Receiver or Card";

// A volume taken away mid-write keeps the unfinished file the program could not remove.
std::string LeftBehind(const std::string& target)
{
    std::error_code error;
    if (!std::filesystem::exists(PathFromUtf8(CombinedTemporaryName(target)), error) && !error)
        return "Nothing was left behind.";
    return "If the receiver or card was taken away, an unfinished file may be left on it: the next install "
           "removes it.";
}

} // namespace

void frmInstall::StartInstall(const Place& place, const std::string& target, bool replacing)
{
    ProgressJob job;
    job.title = "Installing Maps";
    job.what = "Installing " + target;
    job.totals = {0, plan_->MapCount(), 0, plan_->FileSize()};
    job.work = [plan = plan_, target](const ProgressReport& report) {
        return InstallCombinedMap(*plan, target, [&report](const CombinedProgress& done) {
            return report({done.mapsDone, done.mapsTotal, done.bytesDone, done.bytesTotal});
        });
    };
    // The window may be closed while the maps are written: its end is then told by no one.
    job.ended = [self = weak_from_this(), place, target, replacing](const Status& outcome, bool cancelled) {
        const auto form = self.lock();
        if (!form)
            return;
        const std::string kept = replacing ? " The file that was there stays as it was." : "";
        if (cancelled)
            form->desktop_.ShowMessage(MessageIcon::Information, kTitle,
                                       CombinedCancelledMessage(target) + " Nothing was left behind." + kept);
        else if (!outcome)
            form->Warn(outcome.error() + "\n" + LeftBehind(target) + kept);
        else
            form->Installed(place, target);
        form->Choose(form->cboPlace.value);
    };
    progress_ = frmProgress::Start(desktop_, std::move(job));
    ShowChosen();
}

void frmInstall::Installed(const Place& place, const std::string& target)
{
    const std::string done = "The maps are installed on " + PlaceCaption(place) + ": " + target + ", " +
                             BytesText(plan_->FileSize()) + ".";
    const auto eject = EjectCommand(place.volume.root, place.volume.device);
    if (!eject) {
        desktop_.ShowMessage(MessageIcon::Information, kTitle,
                             done + " Eject the device before unplugging it.");
        return;
    }
    if (!desktop_.AskYesNo(kTitle, done + " Eject the device before unplugging it.\nEject it now?"))
        return;
    const Status ejected = [&] {
        const BusyPointer busy(desktop_);
        return RunAndWait(*eject);
    }();
    if (!ejected)
        Warn(ejected.error() + " Eject " + PlaceCaption(place) + " from the desktop before unplugging it.");
    else
        desktop_.ShowMessage(MessageIcon::Information, kTitle, PlaceCaption(place) + " can be unplugged now.");
}

} // namespace mapwren
