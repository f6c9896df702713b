#include "tool/TestScript.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "common/Encoding.h"
#include "common/Paths.h"
#include "common/AtomicWrite.h"
#include "tool/CommandLine.h"
#include "tool/Process.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mapwren {

namespace fs = std::filesystem;

namespace {

Status CannotWrite(const std::string& path, const std::string& reason)
{
    return Status::Failure("The test script " + path + " could not be written: " + reason + ".");
}

// Written whole or not at all, so no half script is ever run; on POSIX it
// is then made executable.
Status WriteWhole(const std::string& path, const std::string& bytes)
{
    std::error_code ec = WriteFileAtomically(path, bytes);
#ifndef _WIN32
    if (!ec)
        fs::permissions(PathFromUtf8(path), fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::add, ec);
#endif
    return ec ? CannotWrite(path, ec.message()) : Status{};
}

#ifdef _WIN32

constexpr const char* kScriptName = "Test Connection.bat";
constexpr const char* kLineEnd = "\r\n";

// A lone "%" in a batch file starts a variable name; "%%" is a percent sign.
std::string EscapePercent(const std::string& text)
{
    std::string out;
    for (const char c : text)
        out += c == '%' ? std::string("%%") : std::string(1, c);
    return out;
}

std::vector<std::string> ScriptLines(const std::string& programFolder, const std::string&, ToolRuntime)
{
    return {"@echo off", "\"" + EscapePercent(programFolder) + "\\Sendmap20.exe\" - i", "Pause"};
}

bool ScriptBytes(const std::string& text, std::string& bytes) { return Utf8ToBatchFileBytes(text, bytes); }

#else

constexpr const char* kScriptName = "Test Connection.sh";
constexpr const char* kLineEnd = "\n";

// Single quotes keep every character of the path as it is; a single quote
// itself closes, escapes and reopens.
std::string ShellQuote(const std::string& text)
{
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// A Windows program runs through Wine, which takes the program by this
// system's path.
std::vector<std::string> ScriptLines(const std::string& programFolder, const std::string& toolName,
                                     ToolRuntime runtime)
{
    const std::string tool = ShellQuote(programFolder + "/" + toolName);
    return {"#!/bin/sh", (runtime == ToolRuntime::Wine ? "wine " + tool : tool) + " - i",
            "printf 'Press Enter to continue . . . '; read -r answer"};
}

// Paths are bytes here and go into the script unchanged.
bool ScriptBytes(const std::string& text, std::string& bytes)
{
    bytes = text;
    return true;
}

#endif

} // namespace

std::string TestScriptPath(const std::string& programFolder) { return programFolder + kPathSeparator + kScriptName; }

std::vector<std::string> TestScriptLines(const std::string& programFolder, const std::string& toolName,
                                         ToolRuntime runtime)
{
    return ScriptLines(programFolder, toolName, runtime);
}

Status WriteTestScriptIfMissing(const std::string& programFolder, const std::string& toolName, ToolRuntime runtime)
{
    const std::string path = TestScriptPath(programFolder);
    if (FileExist(path))
        return {};
    std::string text;
    for (const std::string& line : TestScriptLines(programFolder, toolName, runtime))
        text += line + kLineEnd;
    std::string bytes;
    if (!ScriptBytes(text, bytes))
        return CannotWrite(path, "the program's folder holds a character the system's code page cannot hold");
    return WriteWhole(path, bytes);
}

std::string BuildTestCommand(const std::string& programFolder)
{
    return QuoteProgramPath(TestScriptPath(programFolder));
}

#ifdef _WIN32

namespace {

Status StartBatchFile(const std::string& programFolder)
{
    if (programFolder.find('%') == std::string::npos)
        return StartCommandLine(BuildTestCommand(programFolder), "The test script", programFolder);
    // The command interpreter would expand a %NAME% in the script's path, so
    // it starts in the folder and is given the name alone; it cannot start in
    // a network folder ("\\server\share").
    if (programFolder.starts_with("\\\\"))
        return Status::Failure("The connection test cannot run from the program's folder " + programFolder +
                               ": it is a network folder whose name holds a \"%\". Move the program to a folder "
                               "on this computer or rename the folder.");
    return StartBatchFileIn(programFolder, kScriptName, "The test script");
}

} // namespace

Result<std::unique_ptr<WatchedRun>> StartTestScript(const std::string& programFolder, WatchedRun::Ended)
{
    if (const Status started = StartBatchFile(programFolder); !started)
        return Result<std::unique_ptr<WatchedRun>>::Failure(started.error());
    return std::unique_ptr<WatchedRun>();
}

#else

Result<std::unique_ptr<WatchedRun>> StartTestScript(const std::string& programFolder, WatchedRun::Ended ended)
{
    return WatchedRun::StartScript(TestScriptPath(programFolder), programFolder, std::move(ended));
}

#endif

} // namespace mapwren
