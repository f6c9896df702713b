// Erasing the receiver after a Yes/No question inside the window.
#include "app/frmMain.h"

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
    const ToolVariant variant = Variant();
    Launch(RunKind::Erase, variant, [&](ToolRuntime runsAs) -> Result<std::string> {
        if (const Status folder = CheckProgramFolder(programFolder_); !folder)
            return Result<std::string>::Failure(folder.error());
        return BuildEraseCommand(ToolSidePath(ToolFile(variant), runsAs), variant, SelectedPort(),
                                 ToolSidePort(cboCOM.text, runsAs));
    });
}

void frmMain::optSureNo_Click() { CloseEraseQuestion(); }

} // namespace mapwren
