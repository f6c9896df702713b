#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"

// How the upload tool found in the program's folder runs on this system: a
// Windows program runs natively on Windows and through Wine elsewhere, a
// Linux build natively; and how the paths and ports it is given must read.
namespace mapwren {

enum class ToolRuntime { Native, Wine };

// How the tool file at `toolPath` can run here, or why it cannot: a Windows
// program (its file begins with "MZ") outside Windows needs Wine on the PATH;
// a Linux build needs its permission to execute.
Result<ToolRuntime> ToolRuntimeOf(const std::string& toolPath);

// A path as the tool must read it: unchanged when it runs natively; under Wine,
// Wine's Windows path for it ("/home/u/a.img" is "Z:\home\u\a.img", as Wine's
// drive Z: is the root of the file system).
std::string ToolSidePath(const std::string& path, ToolRuntime runtime);

// The port the tool is given for a COM port of the window ("COM1" to "COM9"):
// the Linux build opens a device path (COM1-COM4 /dev/ttyS0-3, COM5-COM7
// /dev/ttyUSB0-2, COM8-COM9 /dev/ttyACM0-1); a Windows tool takes COMn itself.
std::string ToolSidePort(const std::string& comPort, ToolRuntime runtime);

// Whether the tool, run as `runtime`, reads `text` on its command line as it
// was written: natively as ToolCanRead says; under Wine only when Wine's ANSI
// code page, which follows the locale, holds every character.
bool ToolReads(std::string_view text, ToolRuntime runtime);
// Whether the tool, run as `runtime`, can open a file by this path: under
// Wine, as a Windows path, it also may hold none of the characters Windows
// refuses in a name (\ " < > | ? * and control characters).
bool ToolOpens(const std::string& path, ToolRuntime runtime);

// One line per COM port, telling which device it reaches for the tool file
// at `toolPath` and whether that device is there: for a Linux build by the
// rule above, for a Windows program under Wine as the Wine prefix maps it;
// on Windows nothing, as the ports are the system's own.
std::string ComPortsToolTip(const std::string& toolPath);

#ifndef _WIN32
// The first executable file of that name in a folder of the PATH.
std::optional<std::string> FindOnPath(const std::string& name);
#endif

} // namespace mapwren
