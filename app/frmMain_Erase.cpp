// Erasing the receiver after a Yes/No question inside the window, and the
// connection test script.
#include "app/frmMain.h"
#include "tool/Process.h"
#include "tool/TestScript.h"

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
    const ToolVariant variant = Variant();
    const auto refused = CheckProgramFolder(programFolder_);
    const Status started =
        refused ? Status()
                : StartCommandLine(BuildEraseCommand(programFolder_, ToolCommandName(variant, tools_), variant,
                                                     SelectedPort(), cboCOM.text));
    // The question closes whatever the outcome.
    CloseEraseQuestion();
    if (refused)
        Warn(*refused);
    else if (!started)
        Fail(started.error());
}

void frmMain::optSureNo_Click() { CloseEraseQuestion(); }

void frmMain::mnuID_Click()
{
    if (UseSendmap20 == 0)
        return;
    if (const auto refused = CheckProgramFolder(programFolder_)) {
        Warn(*refused);
        return;
    }
    Status done = WriteTestScriptIfMissing(programFolder_, ToolCommandName(ToolVariant::Sendmap20, tools_));
    if (done)
        done = StartTestScript(programFolder_);
    if (!done)
        Fail(done.error());
}

} // namespace mapwren
