#pragma once

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "common/Result.h"
#include "tool/ToolRuntime.h"
#include "common/Settings.h"

namespace mapwren {

enum class ToolVariant { Sendmap, Sendmap20 };

// The tool files found in the program's folder, by the names they really have.
struct FoundTools {
    std::optional<std::string> sendmap;     // "sendmap.exe" in any case; elsewhere also its Linux build "sendmap"
    std::optional<std::string> sendmap20;   // "sendmap20.exe" in any case; elsewhere also "sendmap20"
};
FoundTools FindTools(const std::string& programFolder);

// The message when neither tool is in the program's folder: two lines, and a
// third naming the folder searched.
std::string MissingToolsMessage(const std::string& programFolder);

// Name the command line uses for a variant: "SENDMAP.EXE" / "SENDMAP20.EXE"
// on Windows, the name found on a case-sensitive file system.
std::string ToolCommandName(ToolVariant variant, const FoundTools& found);

struct UploadSettings {
    ToolVariant variant = ToolVariant::Sendmap20;
    Port port = Port::Auto;
    std::string comPort = "COM1";            // as the tool opens it: "COM3", or "/dev/ttyS2" for a Linux build
    int speed = 115200;                      // 9600, 19200, 38400, 57600 or 115200
    bool mapsetTicked = false;               // the box's value is 1
    std::string mapsetName;
    std::string createFileSwitch;            // kCreateFileSwitch or empty
};

// What makes the tool combine the maps into GMAPSUPP.IMG instead of sending them.
inline constexpr const char* kCreateFileSwitch = "-l ";

// The text the upload tool receives; a path holding a blank is quoted.
// toolPath and the maps are written as the tool reads them (under Wine as
// Windows paths).
std::string BuildUploadCommand(const std::string& toolPath, const UploadSettings& settings,
                               const std::list<std::string>& selectedFiles);
std::string BuildEraseCommand(const std::string& toolPath, ToolVariant variant, Port port,
                              const std::string& comPort);

// Longest command line any platform starts, in characters as Windows counts
// them, its terminating NUL included.
inline constexpr std::size_t kMaxCommandLine = 32767;

// Refuses every command from a program's folder with a double quote in it
// (possible outside Windows): it cannot be written on a command line, and the
// command would start a program in another folder.
Status CheckProgramFolder(const std::string& programFolder);

// Refuses the upload, with a message ready to show: no map ticked, a mapset
// name the tool cannot receive intact, the program's folder, a command line
// too long. `runtime`: how the tool runs, which decides what it can read.
Status CheckUploadCommand(const std::string& programFolder, const std::string& toolPath,
                          const UploadSettings& settings, const std::list<std::string>& selectedFiles,
                          ToolRuntime runtime = ToolRuntime::Native);

} // namespace mapwren
