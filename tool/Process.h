#pragma once

#include <string>
#include <vector>

#include "common/Result.h"

namespace mapwren {

// Splits a command line as the Microsoft C runtime splits it into argv.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// Starts a command line without waiting and never through a shell.
Status StartCommandLine(const std::string& commandLine);

} // namespace mapwren
