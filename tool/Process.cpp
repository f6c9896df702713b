#include "tool/Process.h"
#include "tool/ToolWindow.h"

#include <atomic>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include "common/Encoding.h"
#else
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>

extern char** environ;
#endif

namespace mapwren {

namespace {

Status CannotStart(const std::string& what, const std::string& program, const std::string& reason)
{
    return Status::Failure(what + " " + program + " could not be started: " + reason + ".");
}

} // namespace

#ifdef _WIN32

namespace {

// A console program gets a console window of its own, shown normally. The
// process's handle, or the system's error code when it cannot be started.
// With `inherit` the program gets this process's inheritable handles.
std::pair<HANDLE, DWORD> Start(const wchar_t* program, std::wstring commandLine, const wchar_t* currentFolder,
                               bool inherit = false)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, inherit, CREATE_NEW_CONSOLE, nullptr,
                        currentFolder, &startup, &process))
        return {nullptr, GetLastError()};
    CloseHandle(process.hThread);
    return {process.hProcess, 0};
}

Status StartUnwatched(const wchar_t* program, const std::wstring& commandLine, const wchar_t* folder,
                      const std::string& what, const std::string& named)
{
    const auto [process, error] = Start(program, commandLine, folder);
    if (error)
        return CannotStart(what, named, SystemMessage(error));
    CloseHandle(process);
    return {};
}

} // namespace

// A .bat runs in the command interpreter.
Status StartCommandLine(const std::string& commandLine, const std::string& what, const std::string& folder)
{
    const std::wstring wideFolder = WideFromUtf8(folder);
    return StartUnwatched(nullptr, WideFromUtf8(commandLine), folder.empty() ? nullptr : wideFolder.c_str(), what,
                          SplitCommandLine(commandLine).front());
}

// Nothing in the window waits: a thread of its own hears of the end. With the
// console program the tool's end is its event, set before the console waits
// for Enter; without it, the end of the tool itself.
struct WatchedRun::Watch {
    HANDLE process = nullptr;
    HANDLE toolEnded = nullptr;
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> finished{false};
    std::jthread thread;
    ~Watch()
    {
        SetEvent(stop);
        if (thread.joinable())
            thread.join();
        CloseHandle(stop);
        CloseHandle(process);
        if (toolEnded)
            CloseHandle(toolEnded);
    }
    void Follow(const Ended& ended)
    {
        const HANDLE handles[] = {stop, toolEnded ? toolEnded : process, process};
        const DWORD woke = WaitForMultipleObjects(toolEnded ? 3 : 2, handles, FALSE, INFINITE);
        // The console gone without its event: its window was closed, and the tool with it.
        if (woke != WAIT_OBJECT_0 && ended)
            ended(woke == WAIT_OBJECT_0 + 1 ? RunEnd::ToolEnded : RunEnd::Stopped);
        finished = true;
    }
};

namespace {

// The console program beside the tool, or nothing when it is not there.
std::wstring ToolConsoleIn(const std::string& folder)
{
    const std::wstring path = WideFromUtf8(folder) + L"\\" + kToolConsoleProgram;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? path : L"";
}

} // namespace

// The tool runs in the console program's window, which stays open once the
// tool has ended; without that program, in a console of its own that closes
// with it.
Result<std::unique_ptr<WatchedRun>> WatchedRun::Start(const ToolRun& run, Ended ended)
{
    auto watch = std::make_unique<Watch>();
    const std::wstring console = ToolConsoleIn(run.folder);
    std::wstring line = WideFromUtf8(run.commandLine);
    if (!console.empty()) {
        SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
        watch->toolEnded = CreateEventW(&inheritable, TRUE, FALSE, nullptr);
        line = L"\"" + console + L"\" " +
               std::to_wstring(reinterpret_cast<ULONG_PTR>(watch->toolEnded)) + L" " + line;
    }
    const auto [process, error] =
        mapwren::Start(console.empty() ? nullptr : console.c_str(), line, WideFromUtf8(run.folder).c_str(),
                       watch->toolEnded != nullptr);
    if (error)
        return Result<std::unique_ptr<WatchedRun>>::Failure(
            CannotStart("The upload tool", run.toolPath, SystemMessage(error)).error());
    watch->process = process;
    return Own(std::move(watch), std::move(ended));
}

Status StartBatchFileIn(const std::string& folder, const std::string& name, const std::string& what)
{
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring interpreter = std::wstring(system, length < MAX_PATH ? length : 0) + L"\\cmd.exe";
    // "/s" drops only the outermost quotes; ".\\" keeps the interpreter from
    // looking anywhere but in the current folder.
    const std::wstring line = L"cmd.exe /s /c \"\".\\" + WideFromUtf8(name) + L"\"\"";
    return StartUnwatched(interpreter.c_str(), line, WideFromUtf8(folder).c_str(), what, folder + "\\" + name);
}

#else

namespace {

namespace fs = std::filesystem;

// Runs in the terminal window, the command and its arguments as "$@": a
// fixed text, so nothing the user typed is ever read by a shell. Through the
// status pipe ($1) it says it is ready and waits for MAPWREN's go on the
// other pipe ($2), so nothing starts once MAPWREN has gone; it says when the
// command starts and ends, runs it in the program's folder ($3) and, when $4
// is not empty, keeps the window open until Enter. A hang-up (its window
// closed) while the command runs is reported once the command has gone.
const std::string kRunScript = std::string(R"(status=$1 go=$2 folder=$3 pause=$4
shift 4
exec 3<>"$status" 4<"$go" || exit 1
trap 'echo stopped >&3; exit 129' HUP TERM
echo "ready $$" >&3
read -r answer <&4 && [ "$answer" = go ] || exit 1
exec 4<&-
cd -- "$folder" || exit 1
echo started >&3
"$@" 3>&-
code=$?
trap - HUP TERM
echo ended >&3
exec 3>&-
[ -n "$pause" ] || exit "$code"
printf '\n%s' ')") + kToolEndedLine + R"('
read -r answer
)";

// xterm and its kin take a window title; other terminals may refuse one.
bool TakesTitle(const std::string& terminal)
{
    std::error_code ec;
    const fs::path real = fs::canonical(terminal, ec);
    return (ec ? fs::path(terminal) : real).filename().string().find("xterm") != std::string::npos;
}

// Tells when a child has ended without polling, where the system can.
int OpenProcessHandle(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

// A hang-up to the process group of the run script, and so to the tool; never
// to MAPWREN's own group.
void HangUp(pid_t group)
{
    if (group > 1 && group != ::getpgrp())
        ::kill(-group, SIGHUP);
}

} // namespace

// The run's two pipes live in a private folder, removed as soon as the
// script has opened both, or when the watching ends.
struct WatchedRun::Watch {
    std::string folder;
    int status = -1, go = -1, terminalHandle = -1;
    int stop[2] = {-1, -1};
    pid_t terminal = -1;
    std::atomic<bool> finished{false};
    std::jthread thread;

    ~Watch()
    {
        if (thread.joinable()) {
            [[maybe_unused]] const ssize_t n = ::write(stop[1], "x", 1);
            thread.join();
        }
        // Removed before the go pipe closes: a script that has not opened it
        // yet finds nothing, one that has reads no go; either way its tool never starts.
        RemoveFiles();
        for (const int fd : {status, go, terminalHandle, stop[0], stop[1]}) {
            if (fd >= 0)
                ::close(fd);
        }
    }

    void RemoveFiles()
    {
        if (folder.empty())
            return;
        ::unlink((folder + "/status").c_str());
        ::unlink((folder + "/go").c_str());
        ::rmdir(folder.c_str());
        folder.clear();
    }

    Status Make()
    {
        const char* tmp = std::getenv("TMPDIR");
        folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/mapwren-run-XXXXXX";
        if (!::mkdtemp(folder.data())) {
            folder.clear();
            return Status::Failure(std::generic_category().message(errno));
        }
        // MAPWREN reads the status pipe without ever waiting to open it, and
        // holds the go pipe open for writing, so the script never waits to
        // open either; neither reaches the terminal.
        const std::string statusPath = folder + "/status", goPath = folder + "/go";
        if (::mkfifo(statusPath.c_str(), 0600) != 0 || ::mkfifo(goPath.c_str(), 0600) != 0 ||
            (status = ::open(statusPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) < 0 ||
            (go = ::open(goPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)) < 0 || ::pipe2(stop, O_CLOEXEC) != 0)
            return Status::Failure(std::generic_category().message(errno));
        return {};
    }

    void Follow(const Ended& ended);
};

// Follows the script's reports and the terminal until the end is told and
// the terminal has gone. A terminal that ends before the script is ready
// could not open its window, unless it ended well: such a terminal may have
// handed the window to a server, and the script is given ten seconds.
void WatchedRun::Watch::Follow(const Ended& ended)
{
    using Clock = std::chrono::steady_clock;
    enum class Stage { Waiting, Ready, Started } stage = Stage::Waiting;
    pid_t group = -1;
    bool told = false, terminalGone = false, statusGone = false;
    std::optional<Clock::time_point> giveUp;
    std::string said;
    const auto tell = [&](RunEnd end) {
        if (!told && ended)
            ended(end);
        told = true;
    };
    while (!told || !terminalGone) {
        int timeout = terminalHandle < 0 && !terminalGone ? 200 : -1;
        if (giveUp && !told)
            timeout = static_cast<int>(std::max<long long>(
                0, std::chrono::duration_cast<std::chrono::milliseconds>(*giveUp - Clock::now()).count() + 1));
        pollfd wait[] = {{stop[0], POLLIN, 0}, {statusGone ? -1 : status, POLLIN, 0}, {terminalHandle, POLLIN, 0}};
        if (::poll(wait, 3, timeout) < 0 && errno != EINTR)
            break;
        if (wait[0].revents)
            return;   // the form is going
        if (wait[1].revents) {
            char buffer[256];
            const ssize_t n = ::read(status, buffer, sizeof buffer);
            if (n > 0)
                said.append(buffer, static_cast<std::size_t>(n));
            else if (n == 0)
                statusGone = true;   // the script and everything it started have gone
        }
        for (std::size_t line; (line = said.find('\n')) != std::string::npos; said.erase(0, line + 1)) {
            if (said.starts_with("ready ") && stage == Stage::Waiting) {
                const pid_t shell = std::atoi(said.c_str() + 6);
                group = shell > 1 ? ::getpgid(shell) : -1;
                stage = Stage::Ready;
                [[maybe_unused]] const ssize_t n = ::write(go, "go\n", 3);
                RemoveFiles();
            } else if (said.starts_with("started")) {
                stage = Stage::Started;
            } else if (said.starts_with("ended")) {
                tell(RunEnd::ToolEnded);
            } else if (said.starts_with("stopped")) {
                tell(stage == Stage::Started ? RunEnd::Stopped : RunEnd::NeverStarted);
            }
        }
        if (statusGone && !told) {   // the script was killed: its tool goes with it
            if (stage == Stage::Started)
                HangUp(group);
            tell(stage == Stage::Started ? RunEnd::Stopped : RunEnd::NeverStarted);
        }
        int how = 0;
        if (!terminalGone && ::waitpid(terminal, &how, WNOHANG) == terminal) {
            terminalGone = true;
            if (terminalHandle >= 0)
                ::close(std::exchange(terminalHandle, -1));
            if (stage != Stage::Waiting && !told)
                HangUp(group);   // its window closed: the script reports the tool's end
            else if (stage == Stage::Waiting && WIFEXITED(how) && WEXITSTATUS(how) == 0)
                giveUp = Clock::now() + std::chrono::seconds(10);
            else
                tell(RunEnd::NeverStarted);
        }
        if (giveUp && stage == Stage::Waiting && Clock::now() >= *giveUp)
            tell(RunEnd::NeverStarted);
    }
    finished = true;
}

Result<int> StartArguments(const std::vector<std::string>& argv, const std::string& what, const std::string& folder)
{
    const auto failed = [&](const std::string& program, const std::string& reason) {
        return Result<int>::Failure(CannotStart(what, program, reason).error());
    };
    if (argv.empty() || argv.front().empty())
        return failed("(no name)", "the command line names no program");
    std::vector<char*> pointers;
    for (const std::string& arg : argv)
        pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, pointers.front(), &actions, &attributes, pointers.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return failed(argv.front(), std::generic_category().message(error));
    return static_cast<int>(pid);
}

Result<std::string> FindTerminal()
{
    for (const char* name : {"x-terminal-emulator", "xterm"}) {
        if (auto found = FindOnPath(name))
            return *found;
    }
    return Result<std::string>::Failure("No terminal program was found to show the upload tool in: neither "
                                        "x-terminal-emulator nor xterm is on the PATH. Install xterm (package "
                                        "xterm) and try again.");
}

namespace {

// The command in a terminal window through the run script.
Result<std::unique_ptr<WatchedRun::Watch>> StartInTerminal(const std::vector<std::string>& command,
                                                           const std::string& folder, bool pause,
                                                           const std::string& program)
{
    using Started = Result<std::unique_ptr<WatchedRun::Watch>>;
    const Result<std::string> terminal = FindTerminal();
    if (!terminal)
        return Started::Failure(terminal.error());
    auto watch = std::make_unique<WatchedRun::Watch>();
    if (const Status made = watch->Make(); !made)
        return Started::Failure(CannotStart("The upload tool", program, made.error()).error());
    std::vector<std::string> argv = {terminal.value()};
    if (TakesTitle(terminal.value()))
        argv.insert(argv.end(), {"-T", kToolWindowTitle});
    argv.insert(argv.end(), {"-e", "/bin/sh", "-c", kRunScript, "mapwren", watch->folder + "/status",
                             watch->folder + "/go", folder, pause ? "pause" : ""});
    argv.insert(argv.end(), command.begin(), command.end());
    const Result<int> started = StartArguments(argv, "The terminal program", folder);
    if (!started)
        return Started::Failure(started.error());
    watch->terminal = started.value();
    watch->terminalHandle = OpenProcessHandle(watch->terminal);
    return watch;
}

} // namespace

Result<std::unique_ptr<WatchedRun>> WatchedRun::Start(const ToolRun& run, Ended ended)
{
    std::vector<std::string> command;
    if (run.runtime == ToolRuntime::Wine)
        command.push_back(FindOnPath("wine").value_or("wine"));
    std::vector<std::string> words = SplitCommandLine(run.commandLine);
    words.front() = run.toolPath;   // Wine takes the program by this system's path too
    command.insert(command.end(), words.begin(), words.end());
    Result<std::unique_ptr<Watch>> started = StartInTerminal(command, run.folder, true, run.toolPath);
    if (!started)
        return Result<std::unique_ptr<WatchedRun>>::Failure(started.error());
    return Own(std::move(started.value()), std::move(ended));
}

Result<std::unique_ptr<WatchedRun>> WatchedRun::StartScript(const std::string& script, const std::string& folder,
                                                             Ended ended)
{
    Result<std::unique_ptr<Watch>> started = StartInTerminal({"/bin/sh", "--", script}, folder, false, script);
    if (!started)
        return Result<std::unique_ptr<WatchedRun>>::Failure(started.error());
    return Own(std::move(started.value()), std::move(ended));
}

#endif

WatchedRun::WatchedRun(std::unique_ptr<Watch> watch) : watch_(std::move(watch)) {}

WatchedRun::~WatchedRun() = default;

bool WatchedRun::Finished() const { return watch_->finished; }

std::unique_ptr<WatchedRun> WatchedRun::Own(std::unique_ptr<Watch> watch, Ended ended)
{
    Watch* w = watch.get();
    std::unique_ptr<WatchedRun> run(new WatchedRun(std::move(watch)));
    w->thread = std::jthread([w, ended = std::move(ended)] { w->Follow(ended); });
    return run;
}

} // namespace mapwren
