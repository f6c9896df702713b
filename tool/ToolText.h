#pragma once

#include <optional>
#include <string>

namespace mapwren {

// Why the mapset name cannot reach the upload tool as typed, naming the
// characters its command line cannot carry (see ToolCanRead); empty when it can.
std::optional<std::string> UnreadableMapsetMessage(const std::string& name);

} // namespace mapwren
