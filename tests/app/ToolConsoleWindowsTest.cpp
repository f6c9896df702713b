// The upload tool in the console program's window on Windows: the tool gets
// MAPWREN's command line as it was built, MAPWREN hears of the tool's end at
// once, and the window stays with its closing line until Enter.
#include <windows.h>

#include <tlhelp32.h>

#include <chrono>
#include <thread>

#include "app/FormFixture.h"
#include "common/Encoding.h"
#include "tool/ToolWindow.h"

namespace mapwren::testing {
namespace {

// The console program this test process started, or 0.
DWORD ConsoleProgram()
{
    DWORD found = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID == GetCurrentProcessId() && _wcsicmp(entry.szExeFile, kToolConsoleProgram) == 0)
            found = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

// The text of the console's screen, read as a user would see it; Enter is
// pressed there when `enter`.
std::string Screen(DWORD console, bool enter)
{
    FreeConsole();
    std::string text;
    if (AttachConsole(console)) {
        const HANDLE out = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(out, &info);
        for (SHORT row = 0; row <= info.dwCursorPosition.Y; ++row) {
            std::wstring line(info.dwSize.X, L' ');
            DWORD read = 0;
            ReadConsoleOutputCharacterW(out, line.data(), info.dwSize.X, {0, row}, &read);
            line.erase(line.find_last_not_of(L' ') + 1);
            text += Utf8FromWide(line) + "\n";
        }
        CloseHandle(out);
        if (enter) {
            const HANDLE in = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
            INPUT_RECORD keys[2]{};
            for (int i = 0; i < 2; ++i) {
                keys[i].EventType = KEY_EVENT;
                keys[i].Event.KeyEvent = {i == 0, 1, VK_RETURN, 0, {L'\r'}, 0};
            }
            DWORD written = 0;
            WriteConsoleInputW(in, keys, 2, &written);
            CloseHandle(in);
        }
        FreeConsole();
    }
    AttachConsole(ATTACH_PARENT_PROCESS);
    return text;
}

TEST(ToolConsoleWindows, TheToolGetsTheCommandLineAsBuiltItsEndIsHeardAtOnceAndTheWindowWaitsForEnter)
{
    const std::string created = "i Map File Created: Created Map file GMAPSUPP.IMG in the MAPWREN Folder     ";
    // The steps, the mapset name typed (characters a command interpreter would act on), what is said once it ended.
    const struct { const char* steps; std::string mapset, said; } cases[] = {
        {"load p1,0 chkCreateFile cmdCreateFile", "", created},
        {"load cmdSelectAll chkMapset", "Tom & Jerry's %PATH% ^ (1) | <x> !", "0 messages"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        Form f({"sendmap20.exe"}, true, "console & %TEMP% folder");
        CopyFileW(PathFromUtf8(MAPWREN_CONSOLE).c_str(), (f.Program() / kToolConsoleProgram).c_str(), FALSE);
        f.WriteMaps({{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}});
        f.Run(c.steps);
        if (!c.mapset.empty())
            f.w->TextChanged("txtMapset", c.mapset), f.Run("cmdUpload");
        ASSERT_FALSE(ReceivedArguments(f.Program()).empty());
        EXPECT_EQ(ReadBytes(f.Program() / "sendmap-line.txt"), f.w->UploadCommand);
        EXPECT_TRUE(f.desktop.RunPosted());
        EXPECT_EQ(f.Only(), c.said);

        const DWORD console = ConsoleProgram();
        ASSERT_NE(console, 0u);
        const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, console);
        const std::string closing = "\n" + std::string(kToolEndedLine, sizeof kToolEndedLine - 2);   // trailing blank not kept
        std::string screen;
        for (int i = 0; i < 100 && screen.find(closing) == std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50)), screen = Screen(console, false);
        EXPECT_NE(screen.find(closing), std::string::npos) << screen;
        EXPECT_EQ(WaitForSingleObject(process, 300), static_cast<DWORD>(WAIT_TIMEOUT));   // still there
        Screen(console, true);
        EXPECT_EQ(WaitForSingleObject(process, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
        CloseHandle(process);
    }
}

} // namespace
} // namespace mapwren::testing
