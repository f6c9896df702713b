#include "tool/Process.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include "common/Encoding.h"
#else
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

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

// A console program gets a console window of its own, shown normally; the
// system's error code when it cannot be started, else 0.
DWORD Start(const wchar_t* program, std::wstring commandLine, const wchar_t* currentFolder)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        currentFolder, &startup, &process))
        return GetLastError();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

} // namespace

// A .bat runs in the command interpreter.
Status StartCommandLine(const std::string& commandLine, const std::string& what)
{
    if (const DWORD error = Start(nullptr, WideFromUtf8(commandLine), nullptr))
        return CannotStart(what, SplitCommandLine(commandLine).front(), SystemMessage(error));
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
    if (const DWORD error = Start(interpreter.c_str(), line, WideFromUtf8(folder).c_str()))
        return CannotStart(what, folder + "\\" + name, SystemMessage(error));
    return {};
}

#else

Status StartArguments(const std::vector<std::string>& argv, const std::string& what)
{
    if (argv.empty() || argv.front().empty())
        return CannotStart(what, "(no name)", "the command line names no program");
    std::vector<char*> pointers;
    for (const std::string& arg : argv)
        pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, pointers.front(), nullptr, nullptr, pointers.data(), environ);
    if (error != 0)
        return CannotStart(what, argv.front(), std::generic_category().message(error));
    // Nobody waits for the tool; this thread collects its exit so no zombie stays.
    std::thread([pid] {
        while (waitpid(pid, nullptr, 0) == -1 && errno == EINTR) {
        }
    }).detach();
    return {};
}

Status StartCommandLine(const std::string& commandLine, const std::string& what)
{
    return StartArguments(SplitCommandLine(commandLine), what);
}

#endif

} // namespace mapwren
