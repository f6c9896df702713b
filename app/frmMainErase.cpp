// Erasing the receiver after a Yes/No question inside the window.
#include "app/frmMain.h"
#include "tool/Process.h"

namespace mapwren {

void frmMain::cmdEraseGPS_Click()
{
    lblAreYouSure.visible = true;
    optSureYes.visible = true;
    optSureNo.visible = true;
}

void frmMain::CloseEraseQuestion()
{
    for (ControlState* control : {&lblAreYouSure, &optSureYes, &optSureNo}) {
        control->visible = false;
        control->value = 0;
    }
}

void frmMain::optSureYes_Click()
{
    // The question closes whatever the outcome.
    CloseEraseQuestion();
    if (const Status folder = CheckProgramFolder(programFolder_); !folder) {
        Warn(folder.error());
        return;
    }
    const ToolVariant variant = Variant();
    const std::string toolFile = ToolFile(variant);
    const Result<ToolRuntime> runtime = ToolRuntimeOf(toolFile);
    if (!runtime) {
        Fail(runtime.error());
        return;
    }
    if (!MayStartAnotherRun())
        return;
    const ToolRuntime runsAs = runtime.value();
    const std::string command = BuildEraseCommand(ToolSidePath(toolFile, runsAs), variant, SelectedPort(),
                                                  ToolSidePort(cboCOM.text, runsAs));
    if (const Status started = StartWatchedRun(command, toolFile, runsAs); !started)
        Fail(started.error());
}

void frmMain::optSureNo_Click() { CloseEraseQuestion(); }

} // namespace mapwren
