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

#ifndef _WIN32
// Programs the tool is started through, put first on the PATH of this test
// program: a terminal window that nobody sits at (it runs what follows "-e"
// with no input, so Enter is never awaited) and a Wine that runs a "Windows
// program" by starting the stand-in copied beside it as ".standin". Tests
// that need either missing set the PATH themselves.
std::string StandInSystemPrograms();
#endif

} // namespace mapwren::testing
