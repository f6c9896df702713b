#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/Result.h"

namespace mapwren {

// Temporary files that an earlier install or write left in the Garmin
// folder when it failed: `isTemporary` tells one by its name.
std::vector<std::string> FindLeftovers(const std::string& garminFolder,
                                       const std::function<bool(const std::string&)>& isTemporary);

// Removes them; a failure names the first file that stayed.
Status RemoveLeftovers(const std::vector<std::string>& paths);

// Makes sure the renamed file and its folder are on the device, not only in
// the system's cache: a failure names the file.
Status FlushToDevice(const std::string& path);

// The command that ejects the volume the way the desktop does, as an
// argument list: `gio mount -e ROOT` when gio is installed, else
// `udisksctl unmount -b DEVICE`; none when neither is (or on Windows, where
// the user ejects it from the taskbar).
std::optional<std::vector<std::string>> EjectCommand(const std::string& root, const std::string& device);

} // namespace mapwren
