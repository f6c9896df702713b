// mapwren-console: keeps the upload tool's console open on Windows once the
// tool has ended, until the user presses Enter, so the tool's last lines can
// be read. Its command line is its own name, the number of an inherited
// event, one blank, then the tool's command line: that part is handed on
// untouched, never re-quoted and never read by a command interpreter. The
// event is set as soon as the tool has ended, so MAPWREN hears of the end
// without waiting for Enter.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <iterator>
#include <string>

#include "common/Encoding.h"
#include "tool/ToolWindow.h"

namespace {

// What follows the program's own name, by the system's rule for argv[0]:
// up to the closing quote when it starts with one, else up to a blank.
const wchar_t* AfterProgramName(const wchar_t* line)
{
    if (*line == L'"') {
        const wchar_t* end = std::wcschr(line + 1, L'"');
        line = end ? end + 1 : line + std::wcslen(line);
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

// Ctrl+C is for the tool: this program stays to show how it ended.
BOOL WINAPI KeepOnCtrlC(DWORD event) { return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT; }

// Reads the console's keyboard itself, whatever the standard input is; a
// line ends with Enter.
void WaitForEnter()
{
    const HANDLE keyboard = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
    wchar_t typed[64];
    DWORD read = 0;
    while (ReadConsoleW(keyboard, typed, static_cast<DWORD>(std::size(typed)), &read, nullptr) && read > 0) {
        if (std::wmemchr(typed, L'\n', read) || std::wmemchr(typed, L'\r', read))
            break;
    }
    CloseHandle(keyboard);
}

// Text in the console's own characters, whatever its code page, which stays
// the tool's.
void Say(const std::string& utf8)
{
    const std::wstring wide = mapwren::WideFromUtf8(utf8);
    DWORD written = 0;
    if (!WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), wide.data(), static_cast<DWORD>(wide.size()), &written,
                       nullptr))
        std::fputs(utf8.c_str(), stdout);
}

} // namespace

int wmain()
{
    const wchar_t* rest = AfterProgramName(GetCommandLineW());
    wchar_t* afterNumber = nullptr;
    const auto ended = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(std::wcstoull(rest, &afterNumber, 10)));
    std::wstring toolLine(*afterNumber == L' ' ? afterNumber + 1 : afterNumber);
    SetConsoleCtrlHandler(KeepOnCtrlC, TRUE);
    SetConsoleTitleA(mapwren::kToolWindowTitle);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!toolLine.empty() &&
        CreateProcessW(nullptr, toolLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
    } else {
        Say("\nThe upload tool could not be started: " + mapwren::SystemMessage(GetLastError()) + ".\n");
    }
    if (ended)
        SetEvent(ended);
    std::printf("\n%s", mapwren::kToolEndedLine);
    std::fflush(stdout);
    WaitForEnter();
    return 0;
}
