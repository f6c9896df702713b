// The command lines the upload tool receives, as exact text, how the tool's
// C runtime splits them, and on POSIX starting the tool and the connection
// test for real: the stand-in, copied in under the tool's names, records the
// arguments it received.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>
#endif

#include "common/Paths.h"
#include "maplist/MapList.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tool/CommandCases.h"
#include "tool/CommandLine.h"
#include "tool/Process.h"
#include "tool/TestScript.h"
#include "tool/TickedMaps.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using namespace mapwren::testing;
using Args = std::vector<std::string>;
constexpr auto V1 = ToolVariant::Sendmap;
constexpr auto V2 = ToolVariant::Sendmap20;
const std::string kFolder = kPathSeparator == '\\' ? "C:\\MAPWREN" : "/opt/mapwren";
const std::string kMap1 = kPathSeparator == '\\' ? "C:\\MAPS\\ALPS.IMG" : "/maps/alps.img";
const std::string kMap2 = kPathSeparator == '\\' ? "C:\\MAPS\\PYRENE~1.IMG" : "/maps/pyrenees.img";
const std::string kTool = kFolder + kPathSeparator + "SENDMAP20.EXE";

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at; (at = text.find(from)) != std::string::npos;)
        text.replace(at, from.size(), to);
    return text;
}

// "{folder}\" is the folder and the platform's separator.
std::string Expand(const std::string& text, const std::string& folder = kFolder)
{
    return Replace(Replace(Replace(text, "{folder}\\", folder + kPathSeparator), "{map1}", kMap1), "{map2}", kMap2);
}

TEST(SplitCommandLine, FollowsTheCRuntimeRules)
{
    const std::pair<const char*, Args> cases[] = {
        {R"(p a\\\b d"e f"g h)", {"p", R"(a\\\b)", "de fg", "h"}},
        {R"(p a\\\"b c)", {"p", R"(a\"b)", "c"}},
        {R"(p a\\\\"b c" d)", {"p", R"(a\\b c)", "d"}},
        {R"(p a"b"" c d)", {"p", R"(ab" c d)"}},
        {R"(p "" "a b)", {"p", "", "a b"}},
        {"p\ta\t\tb  ", {"p", "a", "b"}},
        // The program name: quotes switch on and off, backslashes are plain.
        {R"("C:\Program Files\SENDMAP20.EXE" -e)", {R"(C:\Program Files\SENDMAP20.EXE)", "-e"}},
        {R"(c:\x\"y z"\p.exe  a)", {R"(c:\x\y z\p.exe)", "a"}},
        {"", {""}},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(SplitCommandLine(line), expected) << line;
    for (const char* arg : {"/m/a.img", "with blank", "", "tab\there", "q\"uote", R"(ends in\\)", R"(\")",
                            R"(a\\b c)", R"(C:\My Maps\)", "Zürich €.img"})
        EXPECT_EQ(SplitCommandLine("p " + QuoteArgument(arg)), (Args{"p", arg})) << arg;
}

TEST(Commands, EveryCommandLineAsExactText)
{
    for (const CommandCase& c : CommandCases()) {
        const char* tool = c.settings.variant == V1 ? "SENDMAP.EXE" : "SENDMAP20.EXE";
        EXPECT_EQ(BuildCommand(c, kFolder, tool, kMap1, kMap2), Expand(c.text));
    }
    // With no map the blank before the first one goes only when it is there.
    const std::pair<UploadSettings, const char*> empty[] = {
        {Upload(V2, Port::Auto, "COM1", 19200), "{folder}\\SENDMAP20.EXE -s19200"},
        {Upload(V2, Port::Usb, "COM1", 9600), "{folder}\\SENDMAP20.EXE -tUSB"},
        {Upload(V2, Port::Auto, "COM1", 115200, nullptr, "-l "), "{folder}\\SENDMAP20.EXE -l "},
    };
    for (const auto& [settings, text] : empty)
        EXPECT_EQ(BuildUploadCommand(kFolder, "SENDMAP20.EXE", settings, {}), Expand(text));
}

TEST(Commands, PathsHoldingBlanksOrQuotesReachTheToolIntact)
{
    const std::string folder = kFolder + " Tools";
    EXPECT_EQ(BuildEraseCommand(folder, "SENDMAP20.EXE", V2, Port::Auto, "COM1"),
              "\"" + folder + kPathSeparator + "SENDMAP20.EXE\"  -e");
    // Names a POSIX file system allows; Windows paths only ever need the blank.
    const std::list<std::string> maps = {"/m/quote\"d.img", "/m/back\\slash dir\\", "/m/tab\there.img"};
    Args expected = {folder + kPathSeparator + "SENDMAP20.EXE", maps.front(), *++maps.begin(), maps.back(), "-m", "To\\"};
    EXPECT_EQ(SplitCommandLine(BuildUploadCommand(folder, "SENDMAP20.EXE", Upload(V2, Port::Auto, "COM1", 115200, "To\\"),
                                                  maps)), expected);
}

TEST(UploadCheck, RefusesWhatTheToolCannotReceive)
{
    const std::string bigMap = "/m/" + std::string(600, 'x') + ".img";   // 607 characters and a blank
    const std::size_t fitting = (kMaxCommandLine - (kTool + " -tCOM2 -s38400 ").size()) / 608;
    const std::tuple<UploadSettings, std::list<std::string>, std::string> cases[] = {
        {Upload(V2, Port::Auto, "COM1", 115200), {}, "No map is ticked"},
        {Upload(V2, Port::Auto, "COM1", 115200, "Topo \"24\""), {kMap1}, "mapset name holds a double quote"},
        {Upload(V1, Port::Com, "COM1", 115200, "Topo \"24\""), {kMap1}, ""},   // not sent
        {Upload(V2, Port::Com, "COM2", 38400), std::list<std::string>(fitting, bigMap), ""},
        {Upload(V2, Port::Com, "COM2", 38400), std::list<std::string>(100, bigMap),
         "for the 100 ticked maps would be too long for the upload tool; only the first " + std::to_string(fitting) +
             " of them fit."},
    };
    for (const auto& [settings, maps, wording] : cases) {
        const auto message = CheckUploadCommand(kFolder, "SENDMAP20.EXE", settings, maps);
        EXPECT_EQ(message.has_value(), !wording.empty()) << wording;
        EXPECT_NE(message.value_or("").find(wording), std::string::npos) << message.value_or("(none)");
    }
    // The longest line fits with its NUL; "€" is three bytes but one character, as Windows counts.
    const UploadSettings s = Upload(V2, Port::Auto, "COM1", 115200);
    const std::string longest = "/" + std::string(kMaxCommandLine - kTool.size() - 8, 'x') + "€.img";
    EXPECT_EQ(CommandLineLength(BuildUploadCommand(kFolder, "SENDMAP20.EXE", s, {longest})), kMaxCommandLine - 1);
    EXPECT_FALSE(CheckUploadCommand(kFolder, "SENDMAP20.EXE", s, {longest}));
    EXPECT_NE(CheckUploadCommand(kFolder, "SENDMAP20.EXE", s, {longest + "x"}).value_or("").find("even with one map"),
              std::string::npos);
}

// Select All ticks every map; some go before it (their short path is then empty), some after it.
TEST(TickedMaps, GoneOnesAreNamedAndNeverSent)
{
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"abc", "", "b", "This ticked map has been deleted, moved or renamed since it was loaded:\n{folder}\\b.img\n"
                         "Send the other 2 maps without it?", "ac"},
        {"abcdefg", "a", "bcdefg", "The ticked maps have been deleted, moved or renamed since they were loaded, so "
         "there is nothing to send:\n{folder}\\a.img\n{folder}\\b.img\n{folder}\\c.img\n{folder}\\d.img\n"
         "{folder}\\e.img\nand 2 more", ""},
    };
    for (const auto& [maps, goneBefore, goneAfter, message, sent] : cases) {
        TempDir dir;
        const auto path = [&](char map) { return dir.path() / (std::string(1, map) + ".img"); };
        MapList list;
        std::list<std::string> present;
        for (const char* map = maps; *map; ++map) {
            WriteImg(path(*map), "M", "");
            list.AppendRows({{RowState::Unticked, std::string(1, *map) + ".img", dir.folder(), "M", 131}});
        }
        for (const char* map = sent; *map; ++map)
            present.push_back(GetShortFileName(Utf8FromPath(path(*map))));
        for (const char* map = goneBefore; *map; ++map)
            std::filesystem::remove(path(*map));
        list.SelectAll();
        for (const char* map = goneAfter; *map; ++map)
            std::filesystem::remove(path(*map));
        const TickedMaps ticked = SortTickedMaps(list);
        EXPECT_EQ(GoneMapsMessage(ticked).value_or(""), Expand(message, Utf8FromPath(dir.path())));
        EXPECT_EQ(ticked.present, present) << maps << " less " << goneBefore << goneAfter;
    }
}

#ifndef _WIN32   // Windows has ToolWindowsTest
TEST(Launch, TheToolReceivesEveryCommandLineFromAFolderWithBlanks)
{
    TempDir dir;
    const fs::path program = dir.path() / "map tools" / "mapwren 2";
    fs::create_directories(program);
    fs::create_directories(dir.path() / "my maps");
    for (const char* name : {"sendmap20.exe", "SENDMAP.EXE", "SendMap20.exe"})   // the lower-case spelling wins
        CopyStandIn(program, name);
    WriteImg(dir.path() / "alps.img", "Alps", "");
    WriteImg(dir.path() / "my maps" / "pyrenees 2.img", "Pyrenees", "");
    const std::string map1 = GetShortFileName(dir.folder() + "alps.img");
    const std::string map2 = GetShortFileName(dir.folder() + "my maps/pyrenees 2.img");
    const FoundTools found = FindTools(program);
    ASSERT_EQ(found.sendmap.value_or("") + " " + found.sendmap20.value_or(""), "SENDMAP.EXE sendmap20.exe");
    for (const CommandCase& c : CommandCases()) {
        const std::string command = BuildCommand(c, program, ToolCommandName(c.settings.variant, found), map1, map2);
        const Status started = StartCommandLine(command);
        ASSERT_TRUE(started.ok()) << started.error();
        EXPECT_EQ(ReceivedArguments(program), Arguments(c, map1, map2)) << command;
    }
    EXPECT_EQ(StartCommandLine("\"" + dir.folder() + "my maps/sendmap20.exe\" -e").error(),
              "The upload tool " + dir.folder() + "my maps/sendmap20.exe could not be started: No such file or directory.");
#ifdef __linux__   // a finished tool is reaped: no zombie child of ours is left in /proc
    const auto zombies = [] {
        int count = 0;
        for (const auto& entry : fs::directory_iterator("/proc")) {
            if (entry.path().filename().string().find_first_not_of("0123456789") != std::string::npos)
                continue;
            std::ifstream stat(entry.path() / "stat");
            std::string text(std::istreambuf_iterator<char>(stat), {});
            text.erase(0, text.rfind(')') + 1);
            count += text.starts_with(" Z " + std::to_string(getpid()) + " ");
        }
        return count;
    };
    for (int i = 0; i < 500 && zombies() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(zombies(), 0);
#endif
}

TEST(TestScript, RunsTheToolFromAFolderTheShellWouldInterpretAndWaits)
{
    TempDir dir;
    const fs::path program = dir.path() / "it's $HOME `x` \"q\"";
    fs::create_directory(program);
    CopyStandIn(program, "SendMap20.EXE");
    ASSERT_TRUE(WriteTestScriptIfMissing(program, "SendMap20.EXE").ok());
    EXPECT_EQ(ReadBytes(program / "Test Connection.sh"), "#!/bin/sh\n'" + dir.folder() +
              "it'\\''s $HOME `x` \"q\"/SendMap20.EXE' - i\nprintf 'Press Enter to continue . . . '; read -r answer\n");
    setenv("MAPWREN_SCRIPT", TestScriptPath(program).c_str(), 1);
    setenv("MAPWREN_OUT", (dir.path() / "out").c_str(), 1);
    ASSERT_NE(std::system("\"$MAPWREN_SCRIPT\" </dev/null >\"$MAPWREN_OUT\""), -1);   // ends at the read
    EXPECT_EQ(ReceivedArguments(program), (Args{"-", "i"}));
    EXPECT_EQ(ReadBytes(dir.path() / "out"), "Press Enter to continue . . . ");

    const std::string oldPath = std::getenv("PATH");
    setenv("PATH", dir.path().c_str(), 1);   // neither terminal there
    const Status none = StartTestScript(program);
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(none.error(), "No terminal program was found to run the connection test: neither "
                            "x-terminal-emulator nor xterm is on the PATH.");
}

#endif

} // namespace
} // namespace mapwren
