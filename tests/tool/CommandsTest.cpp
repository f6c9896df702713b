// Command lines as the tool's C runtime splits them, and the tool started for
// real: the stand-in, copied in under the tool's name, records what it received.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>

#include <cstdlib>
#include <thread>
#endif

#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tool/CommandLine.h"
#include "tool/Commands.h"
#include "tool/Process.h"
#include "tool/TestScript.h"
#include "tool/TickedMaps.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using namespace mapwren::testing;
using Args = std::vector<std::string>;
const std::string kFolder = kPathSeparator == '\\' ? "C:\\MAPWREN" : "/opt/mapwren";
const std::string kTool = kFolder + kPathSeparator + "SENDMAP20.EXE";
// Arguments the runtimes of different years all split alike, and what each gives.
const std::pair<const char*, Args> kSplits[] = {
    {R"(a\\\b d"e f"g h)", {R"(a\\\b)", "de fg", "h"}},
    {R"(a\\\"b c)", {R"(a\"b)", "c"}},
    {R"(a\\\\"b c" d)", {R"(a\\b c)", "d"}},
    {R"("" "a b)", {"", "a b"}},
    {"a\t\tb  ", {"a", "b"}},
    {R"("C:\Maps\\" x)", {R"(C:\Maps\)", "x"}},
    {R"(a\"b "c\"d" e\\"f g")", {R"(a"b)", R"(c"d)", R"(e\f g)"}},
    {R"(a"b c"d  "" e)", {"ab cd", "", "e"}},
    {"tab\there \"Z\xC3\xBCrich Karte\"", {"tab", "here", "Z\xC3\xBCrich Karte"}},
};
const Args kQuoted = {"with blank", "", "tab\there", "q\"uote", R"(ends in\\)", R"(\")", R"(a\\b c)", R"(C:\My Maps\)",
                      "Z\xC3\xBCrich.img"};

TEST(SplitCommandLine, FollowsTheCRuntimeRules)
{
    for (const auto& [line, expected] : kSplits) {
        const Args args = SplitCommandLine(std::string("p ") + line);
        EXPECT_EQ(Args(args.begin() + 1, args.end()), expected) << line;
    }
    const std::pair<const char*, Args> more[] = {
        {R"(p a"b"" c d)", {"p", R"(ab" c d)"}},   // two quotes inside quotes: one, and quoting goes on
        // The program name: quotes switch on and off, backslashes are plain.
        {R"("C:\Program Files\SENDMAP20.EXE" -e)", {R"(C:\Program Files\SENDMAP20.EXE)", "-e"}},
        {R"(c:\x\"y z"\p.exe  a)", {R"(c:\x\y z\p.exe)", "a"}},
        {"", {""}},
    };
    for (const auto& [line, expected] : more)
        EXPECT_EQ(SplitCommandLine(line), expected) << line;
    for (const std::string& arg : kQuoted)
        EXPECT_EQ(SplitCommandLine("p " + QuoteArgument(arg)), (Args{"p", arg})) << arg;
    EXPECT_EQ(SplitCommandLine(BuildEraseCommand(kFolder + " Tools" + kPathSeparator + "SENDMAP20.EXE", ToolVariant::Sendmap20, Port::Auto, "COM1")),
              (Args{kFolder + " Tools" + kPathSeparator + "SENDMAP20.EXE", "-e"}));
}

TEST(UploadCheck, TheLongestLineFitsWithItsNulAsWindowsCountsIt)
{
    // "€" is three bytes but one character.
    const UploadSettings s = {ToolVariant::Sendmap20, Port::Auto, "COM1", 115200, false, "", ""};
    const std::string longest = "/" + std::string(kMaxCommandLine - kTool.size() - 8, 'x') + "€.img";
    EXPECT_EQ(CommandLineLength(BuildUploadCommand(kTool, s, {longest})), kMaxCommandLine - 1);
    EXPECT_TRUE(CheckUploadCommand(kFolder, kTool, s, {longest}));
    EXPECT_NE(CheckUploadCommand(kFolder, kTool, s, {longest + "x"}).error().find("even with one map"),
              std::string::npos);
    EXPECT_TRUE(CheckUploadCommand(kFolder, kFolder + kPathSeparator + "SENDMAP.EXE", {ToolVariant::Sendmap, Port::Com, "COM1", 9600, true, "Topo \"24\"", ""}, {"/a.img"}))
        << "the first variant sends no mapset name";
}

TEST(TickedMaps, GoneUnreadableAndNotAMapOnesAreNamedFiveAtMost)
{
    using Paths = std::vector<std::string>;
    const std::string since = " been deleted, moved or renamed since ", lacks = " characters the system's code page lacks",
                      marks = " (its header lacks the DSKIMG and GARMIN marks):\n";
    const std::tuple<int, Paths, Paths, Paths, std::string> cases[] = {   // left, gone, not maps, unreadable
        {2, {"/b.img"}, {}, {}, "This ticked map has" + since + "it was loaded:\n/b.img\nSend the other 2 maps without it?"},
        {1, {"/a", "/b"}, {}, {}, "These 2 ticked maps have" + since + "they were loaded:\n/a\n/b\nSend the other map without them?"},
        {0, {"1", "2", "3", "4", "5", "6", "7"}, {}, {},
         "The ticked maps have" + since + "they were loaded, so there is nothing to send:\n1\n2\n3\n4\n5\nand 2 more"},
        {1, {}, {}, {}, ""},
        {1, {"/a"}, {}, {"/k"}, "This ticked map has" + since + "it was loaded:\n/a\nThe upload tool cannot read the path of this "
         "ticked map, as it holds" + lacks + " and the drive gives the map no short name:\n/k\nSend the other map without them?"},
        {0, {}, {}, {"/k", "/l"}, "The upload tool cannot read the paths of these 2 ticked maps, as they hold" + lacks +
         " and the drive gives the maps no short names:\n/k\n/l\nNo other map is ticked, so there is nothing to send."},
        {3, {}, {"/p.img"}, {}, "This ticked file is not a Garmin map" + marks + "/p.img\nSend the other 3 maps without it?"},
        {0, {"/a"}, {"/p", "/q"}, {"/k"}, "This ticked map has" + since + "it was loaded:\n/a\nThese 2 ticked files are not "
         "Garmin maps (their headers lack the DSKIMG and GARMIN marks):\n/p\n/q\nThe upload tool cannot read the path of this "
         "ticked map, as it holds" + lacks + " and the drive gives the map no short name:\n/k\nNo other map is ticked, so "
         "there is nothing to send."},
    };
    for (const auto& [left, gone, notMaps, unreadable, message] : cases)
        EXPECT_EQ(LeftOutMapsMessage({std::list<std::string>(left, "/x.img"), gone, unreadable, notMaps, {}, 0}).value_or(""), message);
}

TEST(Launch, TheToolReceivesWhatTheCommandLineSaysFromAFolderWithBlanks)
{
    TempDir dir;
    const fs::path program = dir.path() / "map tools 2";
    fs::create_directory(program);
    const std::string tool = QuoteProgramPath(Utf8FromPath(program / "sendmap20.exe"));
#ifdef _WIN32
    CopyStandIn(program, "SENDMAP20.EXE");
    const auto start = [](const std::string& line) { return StartCommandLine(line).ok(); };
#else
    for (const char* name : {"sendmap20.exe", "SENDMAP.EXE", "SendMap20.exe"})   // the lower-case spelling wins
        CopyStandIn(program, name);
    EXPECT_EQ(FindTools(Utf8FromPath(program)).sendmap20.value_or(""), "sendmap20.exe");
    std::vector<std::unique_ptr<WatchedRun>> runs;   // each watched until its terminal is reaped
    const auto start = [&](const std::string& line) {
        auto run = WatchedRun::Start({line, Utf8FromPath(program / "sendmap20.exe"), Utf8FromPath(program)}, {});
        return run && (runs.push_back(std::move(run.value())), true);
    };
#endif
    for (const auto& [line, expected] : kSplits) {
        ASSERT_TRUE(start(tool + " " + line)) << line;
        EXPECT_EQ(ReceivedArguments(program), expected) << line;
    }
    std::string quoted = tool;
    for (const std::string& arg : kQuoted)
        quoted += " " + QuoteArgument(arg);
    ASSERT_TRUE(start(quoted)) << quoted;
    EXPECT_EQ(ReceivedArguments(program), kQuoted);
#ifndef _WIN32   // a finished tool is reaped: no child of ours is left ended but unwaited for (looked at, not reaped)
    const auto zombie = [] {
        siginfo_t info{};
        return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
    };
    for (int i = 0; i < 500 && zombie(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(zombie());
#endif
}

#ifndef _WIN32   // Windows has ToolWindowsTest
TEST(TestScript, RunsTheToolFromAFolderTheShellWouldInterpretAndWaits)
{
    TempDir dir;
    const fs::path program = dir.path() / "it's $HOME `x` \"q\"";
    fs::create_directory(program);
    CopyStandIn(program, "SendMap20.EXE");
    ASSERT_TRUE(WriteTestScriptIfMissing(program, "SendMap20.EXE").ok());
    setenv("MAPWREN_SCRIPT", TestScriptPath(program).c_str(), 1);
    setenv("MAPWREN_OUT", (dir.path() / "out").c_str(), 1);
    ASSERT_NE(std::system("\"$MAPWREN_SCRIPT\" </dev/null >\"$MAPWREN_OUT\""), -1);   // ends at the read
    EXPECT_EQ(ReceivedArguments(program), (Args{"-", "i"}));
    EXPECT_TRUE(ReadBytes(dir.path() / "out").ends_with("Maps uploaded!\nPress Enter to continue . . . "));
}
#else
TEST(TestScriptWindows, TheInterpreterStartsTheToolFromAnyProgramFolder)
{
    ASSERT_EQ(GetOEMCP(), 437u) << "run with the US console code page (LC_ALL=C.UTF-8 under Wine)";
    // "Łódź" has no "Ł" in code page 437, the batch file's.
    for (const char* name : {"Map Tools", "100% Maps", "Pct%PATH%x", "Z\xC3\xBCrich Tools", "\xC5\x81\xC3\xB3" "d\xC5\xBA"}) {
        TempDir dir;
        const std::string folder = dir.folder() + name;
        std::filesystem::create_directory(PathFromUtf8(folder));
        CopyStandIn(PathFromUtf8(folder), "SENDMAP20.EXE");
        const Status written = WriteTestScriptIfMissing(folder, "SENDMAP20.EXE");
        if (std::string(name).starts_with("\xC5\x81")) {
            EXPECT_NE(written.error().find(TestScriptPath(folder)), std::string::npos) << written.error();
            EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(TestScriptPath(folder))));
            continue;
        }
        ASSERT_TRUE(written.ok()) << name;
        if (std::string(name) == "Map Tools") {
            EXPECT_EQ(ReadBytes(PathFromUtf8(folder + "\\Test Connection.bat")),
                      "@echo off\r\n\"" + folder + "\\Sendmap20.exe\" - i\r\nPause\r\n");
        }
        const auto started = StartTestScript(folder);
        ASSERT_TRUE(started.ok()) << name << ": " << started.error();
        EXPECT_EQ(ReceivedArguments(PathFromUtf8(folder)), (std::vector<std::string>{"-", "i"})) << name;
    }
}
#endif

} // namespace
} // namespace mapwren
