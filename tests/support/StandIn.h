#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mapwren::testing {

// Copies the built stand-in upload tool into folder under the given name.
void CopyStandIn(const std::filesystem::path& folder, const std::string& name);

// The arguments a stand-in in folder received, one per entry, once it has
// written them (waiting up to ten seconds); the record is removed, so the
// next start is read afresh. Empty when nothing arrived in time.
std::vector<std::string> ReceivedArguments(const std::filesystem::path& folder);

} // namespace mapwren::testing
