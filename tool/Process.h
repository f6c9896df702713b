#pragma once

#include <string>
#include <vector>

#include "common/Result.h"
#include "tool/CommandLine.h"

namespace mapwren {

// Starts a command line without waiting and never through a shell. A failure
// names the program file, introduced by `what` ("The upload tool").
Status StartCommandLine(const std::string& commandLine, const std::string& what = "The upload tool");

#ifndef _WIN32
// Starts argv[0] with the argument list as it is, without waiting.
Status StartArguments(const std::vector<std::string>& argv, const std::string& what);
#endif

} // namespace mapwren
