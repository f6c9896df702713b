// The connection test: a script in the program's folder, written once, that
// runs the second tool with " - i" where the user can watch it.
#include "app/frmMain.h"
#include "tool/TestScript.h"

namespace mapwren {

void frmMain::mnuID_Click()
{
    if (UseSendmap20 == kFalse)
        return;
    if (const Status folder = CheckProgramFolder(programFolder_); !folder) {
        Warn(folder.error());
        return;
    }
    const Result<ToolRuntime> runtime = ToolRuntimeOf(ToolFile(ToolVariant::Sendmap20));
    if (!runtime) {
        Fail(runtime.error());
        return;
    }
    Status done = WriteTestScriptIfMissing(programFolder_, ToolCommandName(ToolVariant::Sendmap20, tools_),
                                           runtime.value());
    if (done)
        done = StartTestScript(programFolder_);
    if (done)
        ++runsStarted_;
    if (!done)
        Fail(done.error());
}

} // namespace mapwren
