#pragma once

#include <string>
#include <vector>

#include "common/Result.h"
#include "tool/CommandLine.h"

namespace mapwren {

// Starts a command line without waiting and never through a shell. A failure
// names the program file, introduced by `what` ("The upload tool").
Status StartCommandLine(const std::string& commandLine, const std::string& what = "The upload tool");

#ifdef _WIN32
// Starts the command interpreter on the batch file `name` in `folder`, which
// becomes its current folder: the folder's name then never appears on the
// interpreter's command line, where a %NAME% in it would be expanded. A
// failure names the batch file, introduced by `what`.
Status StartBatchFileIn(const std::string& folder, const std::string& name, const std::string& what);
#else
// Starts argv[0] with the argument list as it is, without waiting.
Status StartArguments(const std::vector<std::string>& argv, const std::string& what);
#endif

} // namespace mapwren
