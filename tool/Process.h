#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Result.h"
#include "tool/CommandLine.h"
#include "tool/ToolRuntime.h"

namespace mapwren {

// A run of the upload tool that the user watches in a window of its own.
struct ToolRun {
    std::string commandLine;   // as the tool receives it
    std::string toolPath;      // the tool's file, as this system names it
    std::string folder;        // the folder it runs in
    ToolRuntime runtime = ToolRuntime::Native;
};

// How a watched run ended, as far as MAPWREN can tell: the tool's exit code
// says nothing, as the tool ends with 0 whether or not it did its work.
enum class RunEnd {
    ToolEnded,      // the tool ran to its end; its window tells how it went
    NeverStarted,   // its window closed, or never opened, before the tool could start
    Stopped,        // its window closed, or its script was killed, while the tool ran: the tool was hung up
};

// One watched run, owned from its start to its end. A thread of its own
// waits for it, so the window never does, and calls `ended` once, from that
// thread, when the run is over. Destroying the object ends the watching at
// once: on Linux a tool its script has not started yet then never starts and
// no file of the run stays behind; a tool already running goes on in its
// window.
class WatchedRun {
public:
    using Ended = std::function<void(RunEnd)>;
    // Starts the run without waiting, in a window that stays open, once the
    // tool has ended, until the user presses Enter: on Windows the console of
    // mapwren-console.exe in the run's folder (without it, a console of the
    // tool's own that closes with it); elsewhere a terminal window, through
    // Wine for a Windows program. The end is told as soon as the tool ends.
    static Result<std::unique_ptr<WatchedRun>> Start(const ToolRun& run, Ended ended);
#ifndef _WIN32
    // Runs the shell script `script` (read by /bin/sh, so it needs no run
    // bit) in a terminal window, in `folder`; the script itself keeps its
    // window open as long as it wants. A failure names the terminal program.
    static Result<std::unique_ptr<WatchedRun>> StartScript(const std::string& script, const std::string& folder,
                                                           Ended ended);
#endif
    ~WatchedRun();
    WatchedRun(const WatchedRun&) = delete;
    WatchedRun& operator=(const WatchedRun&) = delete;
    // True once there is nothing left to watch: the end was told and, on
    // Linux, the terminal window has gone.
    bool Finished() const;

    struct Watch;   // what each platform waits on

private:
    explicit WatchedRun(std::unique_ptr<Watch> watch);
    // Takes the started run and starts following it.
    static std::unique_ptr<WatchedRun> Own(std::unique_ptr<Watch> watch, Ended ended);
    std::unique_ptr<Watch> watch_;
};

#ifdef _WIN32
// Starts a command line without waiting and never through a shell, in
// `folder` when one is given. A failure names the program file, introduced
// by `what` ("The upload tool").
Status StartCommandLine(const std::string& commandLine, const std::string& what = "The upload tool",
                        const std::string& folder = {});
// Starts the command interpreter on the batch file `name` in `folder`, which
// becomes its current folder: the folder's name then never appears on the
// interpreter's command line, where a %NAME% in it would be expanded. A
// failure names the batch file, introduced by `what`.
Status StartBatchFileIn(const std::string& folder, const std::string& name, const std::string& what);
#else
// Starts argv[0] with the argument list as it is, in `folder` when one is
// given, in a session of its own (so a hang-up meant for it never reaches
// MAPWREN), without waiting; the process id, or why it could not start.
Result<int> StartArguments(const std::vector<std::string>& argv, const std::string& what,
                           const std::string& folder = {});
// The terminal program a tool is shown in: x-terminal-emulator, else xterm,
// from the PATH; a message naming what to install when there is none.
Result<std::string> FindTerminal();
#endif

} // namespace mapwren
