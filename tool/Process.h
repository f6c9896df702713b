#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/Result.h"
#include "tool/CommandLine.h"
#include "tool/ToolRuntime.h"

namespace mapwren {

// Starts a command line without waiting and never through a shell, in
// `folder` when one is given. A failure names the program file, introduced
// by `what` ("The upload tool").
Status StartCommandLine(const std::string& commandLine, const std::string& what = "The upload tool",
                        const std::string& folder = {});

// A run of the upload tool that the user watches in a window of its own.
struct ToolRun {
    std::string commandLine;   // as the tool receives it
    std::string toolPath;      // the tool's file, as this system names it
    std::string folder;        // the folder it runs in
    ToolRuntime runtime = ToolRuntime::Native;
};

// How a watched run ended: ran is false when its window closed before the
// tool could start in it; the tool's exit code otherwise.
struct RunEnd {
    bool ran = true;
    int exitCode = 0;
};

// Starts the run without waiting: on Windows with a console of its own;
// elsewhere in a terminal window that stays open, once the tool has ended,
// until the user presses Enter, and through Wine for a Windows program.
// `ended`, when given, is called once from another thread when the tool has
// ended (not when its window closes).
Status StartToolRun(const ToolRun& run, std::function<void(RunEnd)> ended);

#ifdef _WIN32
// Starts the command interpreter on the batch file `name` in `folder`, which
// becomes its current folder: the folder's name then never appears on the
// interpreter's command line, where a %NAME% in it would be expanded. A
// failure names the batch file, introduced by `what`.
Status StartBatchFileIn(const std::string& folder, const std::string& name, const std::string& what);
#else
// Starts argv[0] with the argument list as it is, in `folder` when one is
// given, without waiting; the process id, or why it could not start.
Result<int> StartArguments(const std::vector<std::string>& argv, const std::string& what,
                           const std::string& folder = {});
// The terminal program a tool is shown in: x-terminal-emulator, else xterm,
// from the PATH; a message naming what to install when there is none.
Result<std::string> FindTerminal();
#endif

} // namespace mapwren
