// Runs of the upload tool: each starts where the user can watch it, in the
// program's folder, and its end reaches the form on the window's thread
// without the window ever waiting for it.
#include <mutex>

#include "app/frmMain.h"
#include "common/Addresses.h"
#include "common/Paths.h"

namespace mapwren {

struct frmMain::RunWatch {
    std::mutex mutex;
    frmMain* form = nullptr;
};

std::string frmMain::ToolFile(ToolVariant variant) const
{
    return programFolder_ + kPathSeparator + ToolCommandName(variant, tools_);
}

// Two tools on one port, or two making one GMAPSUPP.IMG, spoil each other's work.
bool frmMain::MayStartAnotherRun()
{
    return toolRunsGoing_ == 0 ||
           desktop_.AskYesNo(kMessageTitle, "The upload tool is still running from an earlier press; its window shows "
                                        "how far it is. Start it once more anyway?");
}

Status frmMain::StartWatchedRun(const std::string& commandLine, const std::string& toolFile, ToolRuntime runtime,
                                std::function<void(const RunEnd&)> onEnd)
{
    if (!runWatch_) {
        runWatch_ = std::make_shared<RunWatch>();
        runWatch_->form = this;
    }
    const auto ended = [watch = runWatch_, onEnd = std::move(onEnd)](RunEnd end) {
        const std::lock_guard lock(watch->mutex);
        if (!watch->form)
            return;
        watch->form->desktop_.Post([watch, onEnd, end] {
            if (!watch->form)   // posted events run on the thread that ends the form
                return;
            --watch->form->toolRunsGoing_;
            if (onEnd)
                onEnd(end);
        });
    };
    const Status started = StartToolRun({commandLine, toolFile, programFolder_, runtime}, ended);
    if (started) {
        ++toolRunsGoing_;
        ++runsStarted_;
    }
    return started;
}

// Only a file this run wrote counts: one left by an earlier run does not.
void frmMain::TellCreateFileOutcome(const RunEnd& end, const std::optional<FileStamp>& before)
{
    const std::optional<FileStamp> after = CombinedFileStamp(programFolder_);
    if (end.ran && after && after != before)
        desktop_.ShowMessage(MessageIcon::Information, "Map File Created",
                             "Created Map file GMAPSUPP.IMG in the MAPWREN Folder     ");
    else if (end.ran)
        Warn("The upload tool ended without creating GMAPSUPP.IMG in the MAPWREN Folder. Its window tells why.");
    else
        Warn("The upload tool did not run: its terminal window closed before the tool could start, so "
             "GMAPSUPP.IMG was not created.");
}

frmMain::~frmMain()
{
    if (!runWatch_)
        return;
    const std::lock_guard lock(runWatch_->mutex);
    runWatch_->form = nullptr;
}

} // namespace mapwren
