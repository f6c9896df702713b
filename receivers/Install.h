#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/Result.h"
#include "img/CombinedMap.h"

namespace mapwren {

// Temporary files that an earlier install or write left in the Garmin
// folder when it failed: `isTemporary` tells one by its name.
std::vector<std::string> FindLeftovers(const std::string& garminFolder,
                                       const std::function<bool(const std::string&)>& isTemporary);

// True for the name of a temporary file that writing a combined map file
// uses, here or under any other target name.
bool IsCombinedTemporary(const std::string& fileName);

// Removes them; a failure names the first file that stayed.
Status RemoveLeftovers(const std::vector<std::string>& paths);

// Makes sure the renamed file and its folder are on the device, not only in
// the system's cache: a failure names the file.
Status FlushToDevice(const std::string& path);

// Writes the plan's file to target in the receiver's Garmin folder (made
// when missing) under a temporary name, flushed, renamed over target and
// flushed again, so the old file stays whole until the new one is on the
// device. progress returning false cancels.
Status InstallCombinedMap(const CombinedPlan& plan, const std::string& target,
                          const std::function<bool(const CombinedProgress&)>& progress);

// Runs the argument list (never through a shell) and waits for its end; a
// failure names the command and its exit code.
Status RunAndWait(const std::vector<std::string>& argv);

// The command that ejects the volume the way the desktop does, as an
// argument list: `gio mount -e ROOT` when gio is installed, else
// `udisksctl unmount -b DEVICE`; none when neither is (or on Windows, where
// the user ejects it from the taskbar).
std::optional<std::vector<std::string>> EjectCommand(const std::string& root, const std::string& device);

} // namespace mapwren
