#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/Result.h"
#include "tool/Process.h"
#include "tool/ToolRuntime.h"

namespace mapwren {

// "Test Connection.bat" on Windows, the shell script "Test Connection.sh"
// elsewhere, in the program's folder.
std::string TestScriptPath(const std::string& programFolder);
// The script's three lines; toolName is the name the second tool was found by
// (Windows always writes "Sendmap20.exe"), run through Wine when it is a
// Windows program outside Windows.
std::vector<std::string> TestScriptLines(const std::string& programFolder, const std::string& toolName,
                                         ToolRuntime runtime = ToolRuntime::Native);
// Writes the script unless a file of that name exists already; an existing
// one is neither read nor rewritten.
Status WriteTestScriptIfMissing(const std::string& programFolder, const std::string& toolName,
                                ToolRuntime runtime = ToolRuntime::Native);
// The command line that runs the script (its path, quoted as it holds a blank).
std::string BuildTestCommand(const std::string& programFolder);
// Runs the script in the program's folder without waiting: through the
// command interpreter on Windows, unwatched (no run is returned); elsewhere
// read by /bin/sh, so it needs no run bit, in a terminal window
// (x-terminal-emulator or xterm), watched as a tool run is.
Result<std::unique_ptr<WatchedRun>> StartTestScript(const std::string& programFolder, WatchedRun::Ended ended = {});

} // namespace mapwren
