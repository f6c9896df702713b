#pragma once

#include "common/Result.h"
#include "tool/ToolRuntime.h"

#include <string>

namespace mapwren {

// Refuses a mapset name that cannot reach the upload tool as typed, naming the
// characters its command line cannot carry (see ToolCanRead).
Status CheckMapsetReadable(const std::string& name, ToolRuntime runtime = ToolRuntime::Native);

} // namespace mapwren
