#include "tool/Process.h"

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
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>

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

// The system's own wording of an error, without its closing period and line end.
std::string SystemMessage(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = n ? Utf8FromWide(std::wstring_view(buffer, n)) : "error " + std::to_string(error);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == '.' || text.back() == ' '))
        text.pop_back();
    return text;
}

// A console program gets a console window of its own, shown normally. The
// process's handle, or the system's error code when it cannot be started.
std::pair<HANDLE, DWORD> Start(const wchar_t* program, std::wstring commandLine, const wchar_t* currentFolder)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
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

Status StartToolRun(const ToolRun& run, std::function<void(RunEnd)> ended)
{
    const auto [process, error] = Start(nullptr, WideFromUtf8(run.commandLine), WideFromUtf8(run.folder).c_str());
    if (error)
        return CannotStart("The upload tool", run.toolPath, SystemMessage(error));
    // Nothing in the window waits: a thread of its own hears of the end.
    std::thread([process, ended = std::move(ended)] {
        WaitForSingleObject(process, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        CloseHandle(process);
        if (ended)
            ended({true, static_cast<int>(code)});
    }).detach();
    return {};
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

// Waits for a child without blocking anyone, so no zombie stays.
void Reap(pid_t pid)
{
    std::thread([pid] {
        while (waitpid(pid, nullptr, 0) == -1 && errno == EINTR) {
        }
    }).detach();
}

// Runs in the terminal window, the tool and its arguments as "$@": a fixed
// text, so nothing the user typed is ever read by the shell. It tells MAPWREN
// through the status pipe ($1) when the tool starts and ends, runs it in the
// program's folder ($2), and keeps the window open until Enter. A window
// closed early still reports the end.
constexpr const char* kRunScript = R"(status=$1 folder=$2
shift 2
exec 3<>"$status"
trap 'echo "ended 129" >&3; exit 129' HUP TERM
cd -- "$folder" || exit 1
echo started >&3
"$@"
code=$?
trap - HUP TERM
echo "ended $code" >&3
printf '\n%s' 'The upload tool has ended. Press Enter to close this window. '
read -r answer
)";

// xterm and its kin take a window title; other terminals may refuse one.
bool TakesTitle(const std::string& terminal)
{
    std::error_code ec;
    const fs::path real = fs::canonical(terminal, ec);
    return (ec ? fs::path(terminal) : real).filename().string().find("xterm") != std::string::npos;
}

// The status pipe lives in a private folder; both are removed once the
// script has opened the pipe, or when the run is over.
struct StatusPipe {
    std::string folder, path;
    int fd = -1;
    void Remove()
    {
        if (path.empty())
            return;
        ::unlink(path.c_str());
        ::rmdir(folder.c_str());
        path.clear();
    }
};

Result<StatusPipe> MakeStatusPipe()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/mapwren-run-XXXXXX";
    if (!::mkdtemp(folder.data()))
        return Result<StatusPipe>::Failure(std::generic_category().message(errno));
    StatusPipe pipe{folder, folder + "/status"};
    // Read and write: the pipe never reports an end of its own while the
    // script has not opened it yet, and opening it never blocks.
    if (::mkfifo(pipe.path.c_str(), 0600) != 0 || (pipe.fd = ::open(pipe.path.c_str(), O_RDWR | O_CLOEXEC)) < 0) {
        const int error = errno;
        pipe.Remove();
        return Result<StatusPipe>::Failure(std::generic_category().message(error));
    }
    return pipe;
}

// Follows the script's reports until the tool's end. A terminal that ends
// before the tool started in it (it could not open its window) gives a run
// that never ran; a terminal that hands its window to a server and ends at
// once is given ten seconds for the script to start.
void Watch(pid_t terminal, StatusPipe pipe, const std::function<void(RunEnd)>& ended)
{
    using Clock = std::chrono::steady_clock;
    bool started = false, terminalEnded = false;
    Clock::time_point giveUp = Clock::time_point::max();
    std::string said;
    RunEnd end{false, 0};
    for (bool over = false; !over;) {
        pollfd wait{pipe.fd, POLLIN, 0};
        if (::poll(&wait, 1, 200) > 0) {
            char buffer[256];
            const ssize_t n = ::read(pipe.fd, buffer, sizeof buffer);
            said.append(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
        }
        for (std::size_t line; (line = said.find('\n')) != std::string::npos; said.erase(0, line + 1)) {
            if (said.starts_with("started")) {
                started = true;
                pipe.Remove();
            } else if (said.starts_with("ended ")) {
                end = {true, std::atoi(said.c_str() + 6)};
                over = true;
            }
        }
        if (!terminalEnded && ::waitpid(terminal, nullptr, WNOHANG) == terminal) {
            terminalEnded = true;
            giveUp = Clock::now() + std::chrono::seconds(10);
        }
        over = over || (!started && Clock::now() >= giveUp);
    }
    ::close(pipe.fd);
    pipe.Remove();
    if (!terminalEnded)
        Reap(terminal);   // its window stays until Enter
    if (ended)
        ended(end);
}

} // namespace

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
    pid_t pid = 0;
    const int error = posix_spawn(&pid, pointers.front(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return failed(argv.front(), std::generic_category().message(error));
    return static_cast<int>(pid);
}

Status StartCommandLine(const std::string& commandLine, const std::string& what, const std::string& folder)
{
    const Result<int> started = StartArguments(SplitCommandLine(commandLine), what, folder);
    if (!started)
        return Status::Failure(started.error());
    Reap(started.value());   // nobody waits for it
    return {};
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

Status StartToolRun(const ToolRun& run, std::function<void(RunEnd)> ended)
{
    const Result<std::string> terminal = FindTerminal();
    if (!terminal)
        return Status::Failure(terminal.error());
    Result<StatusPipe> pipe = MakeStatusPipe();
    if (!pipe)
        return CannotStart("The upload tool", run.toolPath, pipe.error());
    std::vector<std::string> argv = {terminal.value()};
    if (TakesTitle(terminal.value()))
        argv.insert(argv.end(), {"-T", "MAPWREN - upload tool"});
    argv.insert(argv.end(), {"-e", "/bin/sh", "-c", kRunScript, "mapwren", pipe.value().path, run.folder});
    if (run.runtime == ToolRuntime::Wine)
        argv.push_back(FindOnPath("wine").value_or("wine"));
    std::vector<std::string> words = SplitCommandLine(run.commandLine);
    words.front() = run.toolPath;   // Wine takes the program by this system's path too
    argv.insert(argv.end(), words.begin(), words.end());
    const Result<int> started = StartArguments(argv, "The terminal program", run.folder);
    if (!started) {
        ::close(pipe.value().fd);
        pipe.value().Remove();
        return Status::Failure(started.error());
    }
    std::thread(Watch, started.value(), pipe.value(), std::move(ended)).detach();
    return {};
}

#endif

} // namespace mapwren
