// Starting the upload tool on Windows: every command line the window builds
// is started for real, and the stand-in tool records the arguments as its C
// runtime split them. The tool files are named in other cases than the
// command lines spell them, as Windows compares file names without regard
// to case.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tool/CommandCases.h"
#include "tool/CommandLine.h"
#include "tool/Process.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::CopyStandIn;
using testing::ReceivedArguments;
using testing::TempDir;
using testing::WriteImg;

// Puts the stand-in into <temp>\<folderName> as "SENDMAP20.EXE" and
// "sendmap.exe", two maps into a folder with blanks, starts every command
// line of the table and compares what the stand-in received.
void StartEveryCommandIn(const std::string& folderName)
{
    TempDir dir;
    const fs::path program = dir.path() / PathFromUtf8(folderName);
    fs::create_directory(program);
    CopyStandIn(program, "SENDMAP20.EXE");
    CopyStandIn(program, "sendmap.exe");
    const std::string programFolder = Utf8FromPath(program);

    const fs::path maps = dir.path() / "My Maps";
    fs::create_directory(maps);
    WriteImg(maps / "Alps West.img", "Alps", "West");
    WriteImg(maps / "Alps East.img", "Alps", "East");
    const std::string map1 = GetShortFileName(Utf8FromPath(maps / "Alps West.img"));
    const std::string map2 = GetShortFileName(Utf8FromPath(maps / "Alps East.img"));
    ASSERT_FALSE(map1.empty());
    ASSERT_FALSE(map2.empty());

    const FoundTools found = FindTools(programFolder);
    ASSERT_TRUE(found.sendmap && found.sendmap20);
    EXPECT_EQ(ToolCommandName(ToolVariant::Sendmap, found), "SENDMAP.EXE");
    EXPECT_EQ(ToolCommandName(ToolVariant::Sendmap20, found), "SENDMAP20.EXE");

    for (const testing::CommandCase& c : testing::CommandCases()) {
        const std::string tool = ToolCommandName(c.settings.variant, found);
        const std::string command = testing::BuildCommand(c, programFolder, tool, map1, map2);
        SCOPED_TRACE(command);

        const Status started = StartCommandLine(command);
        ASSERT_TRUE(started.ok()) << started.error();

        std::vector<std::string> expected = c.argv;
        for (auto& arg : expected)
            arg = arg == "{map1}" ? map1 : arg == "{map2}" ? map2 : arg;
        EXPECT_EQ(ReceivedArguments(program), expected);
    }
}

TEST(LaunchWindows, ToolReceivesTheArgumentsOfEveryCommandLine)
{
    StartEveryCommandIn("Tools");
}

TEST(LaunchWindows, ProgramFolderWithBlanksStillStartsTheTool)
{
    StartEveryCommandIn("Map Tools 2024");
}

// The window's own splitter (used where there is no C runtime to do it) must
// split as the tool's runtime does. Two double quotes inside quotes are left
// out: runtimes of different years read them differently, and no command line
// of ours holds them.
TEST(LaunchWindows, RuntimeSplitsAsSplitCommandLineDoes)
{
    TempDir dir;
    CopyStandIn(dir.path(), "SENDMAP20.EXE");
    const std::string tool = QuoteProgramPath(Utf8FromPath(dir.path() / "SENDMAP20.EXE"));
    const char* arguments[] = {
        R"(-tCOM1 -s9600 C:\MAPS\A.IMG)",
        R"("C:\My Maps\Big Alps.img" -m "Topo Alps")",
        R"(a\\b c\d)",
        R"(a\"b "c\"d" e\\"f g")",
        R"("C:\Maps\\" x)",
        R"(a"b c"d  "" e)",
        "tab\there \"Z\xC3\xBC" "rich Karte\"",
    };
    for (const char* args : arguments) {
        const std::string line = tool + " " + args;
        std::vector<std::string> expected = SplitCommandLine(line);
        expected.erase(expected.begin());
        ASSERT_TRUE(StartCommandLine(line).ok()) << line;
        EXPECT_EQ(ReceivedArguments(dir.path()), expected) << args;
    }
}

TEST(LaunchWindows, MissingToolGivesAMessageNamingIt)
{
    TempDir dir;
    const std::string command = dir.folder() + "SENDMAP20.EXE -tUSB -e";
    const Status started = StartCommandLine(command);
    ASSERT_FALSE(started.ok());
    EXPECT_NE(started.error().find(dir.folder() + "SENDMAP20.EXE"), std::string::npos) << started.error();
}

} // namespace
} // namespace mapwren
