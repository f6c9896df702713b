// The connection test: a script in the program's folder, written once, that
// runs the second tool with " - i" where the user can watch it.
#include "app/frmMain.h"
#include "tool/TestScript.h"

namespace mapwren {

void frmMain::mnuID_Click()
{
    if (UseSendmap20 == kFalse)
        return;
    Launch(RunKind::Test, ToolVariant::Sendmap20, [&](ToolRuntime) -> Result<std::string> {
        if (const Status folder = CheckProgramFolder(programFolder_); !folder)
            return Result<std::string>::Failure(folder.error());
        return BuildTestCommand(programFolder_);
    });
}

} // namespace mapwren
