// Runs of the upload tool and of the connection test: each starts where the
// user can watch it, in the program's folder, after the same steps in the
// same order, and its end reaches the form on the window's thread without
// the window ever waiting for it.
#include "app/frmMain.h"
#include "common/Addresses.h"
#include "common/Paths.h"
#include "tool/TestScript.h"

namespace mapwren {

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

// The steps, in their order: the command's own refusals (the program's folder
// among them), how the tool runs here, a run still going, then the start.
void frmMain::Launch(RunKind kind, ToolVariant variant, const CommandFor& command)
{
    const std::string toolFile = ToolFile(variant);
    const Result<ToolRuntime> runtime = ToolRuntimeOf(toolFile);
    const ToolRuntime runsAs = runtime ? runtime.value() : ToolRuntime::Native;
    const Result<std::string> commandLine = command(runsAs);
    if (!commandLine) {
        Warn(commandLine.error());
        return;
    }
    if (!runtime) {
        Fail(runtime.error());
        return;
    }
    const bool test = kind == RunKind::Test;
    if (!test && !MayStartAnotherRun())
        return;
    if (kind == RunKind::Upload || kind == RunKind::CreateFile)
        UploadCommand = commandLine.value();
    // Only a file this run writes counts: one left by an earlier run does not.
    const std::optional<FileStamp> before =
        kind == RunKind::CreateFile ? CombinedFileStamp(programFolder_) : std::nullopt;
    const auto ended = [this, kind, before](RunEnd end) {
        life_.Post([this, kind, before, end] { TellRunEnd(kind, end, before); });
    };
    const auto start = [&]() -> Result<std::unique_ptr<WatchedRun>> {
        if (!test)
            return WatchedRun::Start({commandLine.value(), toolFile, programFolder_, runsAs}, ended);
        if (const Status written = WriteTestScriptIfMissing(programFolder_, ToolCommandName(variant, tools_), runsAs);
            !written)
            return Result<std::unique_ptr<WatchedRun>>::Failure(written.error());
        return StartTestScript(programFolder_, ended);
    };
    Result<std::unique_ptr<WatchedRun>> started = start();
    if (!started) {
        Fail(started.error());
        return;
    }
    std::erase_if(runs_, [](const auto& run) { return run->Finished(); });
    if (started.value())
        runs_.push_back(std::move(started.value()));
    toolRunsGoing_ += !test;
    ++runsStarted_;
}

// Where the user would otherwise see nothing, the end is told; a tool that ran
// to its end tells in its own window how it went.
void frmMain::TellRunEnd(RunKind kind, RunEnd end, const std::optional<FileStamp>& before)
{
    toolRunsGoing_ -= kind != RunKind::Test;
    if (kind == RunKind::Test) {
        if (end == RunEnd::NeverStarted)
            Warn("The connection test did not run: its terminal window closed before the test could start.");
        return;
    }
    const bool createsFile = kind == RunKind::CreateFile;
    const std::optional<FileStamp> after = createsFile ? CombinedFileStamp(programFolder_) : std::nullopt;
    if (end == RunEnd::NeverStarted)
        Warn(std::string("The upload tool did not run: its terminal window closed before the tool could start") +
             (createsFile ? ", so GMAPSUPP.IMG was not created." : "."));
    else if (end == RunEnd::Stopped)
        Warn(std::string("The upload tool was stopped before it had ended, as its terminal window closed") +
             (createsFile && after && after != before ? ", so GMAPSUPP.IMG in the MAPWREN Folder may be incomplete."
                                                      : "."));
    else if (createsFile && after && after != before)
        desktop_.ShowMessage(MessageIcon::Information, "Map File Created",
                             "Created Map file GMAPSUPP.IMG in the MAPWREN Folder     ");
    else if (createsFile)
        Warn("The upload tool ended without creating GMAPSUPP.IMG in the MAPWREN Folder. Its window tells why.");
}

// The runs go first (their threads are joined), then the form's life.
frmMain::~frmMain() = default;

} // namespace mapwren
