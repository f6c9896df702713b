#pragma once

#include <string>
#include <vector>

#include "common/Result.h"

namespace mapwren {

// "Test Connection.bat" on Windows, a shell script elsewhere.
std::string TestScriptPath(const std::string& programFolder);
std::vector<std::string> TestScriptLines(const std::string& programFolder, const std::string& toolName);
// Writes the script unless a file of that name exists already.
Status WriteTestScriptIfMissing(const std::string& programFolder, const std::string& toolName);
// The command line that runs the script.
std::string BuildTestCommand(const std::string& programFolder);

} // namespace mapwren
