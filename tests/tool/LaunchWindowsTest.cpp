// Starting the upload tool on Windows: every command line the window builds
// is started for real, and the stand-in tool records the arguments as its C
// runtime split them. The tool files are named in other cases than the
// command lines spell them, as Windows compares file names without regard
// to case.
#include <gtest/gtest.h>

#include <filesystem>
#include <list>
#include <string>
#include <vector>

#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tool/Commands.h"
#include "tool/CommandLine.h"
#include "tool/Process.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::CopyStandIn;
using testing::ReceivedArguments;
using testing::TempDir;
using testing::WriteImg;

struct Case {
    const char* what;
    bool erase;
    UploadSettings settings;
    int mapCount;
    std::vector<std::string> expected;   // "{map1}", "{map2}" stand for the maps' short paths
};

UploadSettings Upload(ToolVariant variant, Port port, const char* com, int speed, const char* mapset = nullptr,
                      const char* createFileSwitch = "")
{
    UploadSettings s;
    s.variant = variant;
    s.port = port;
    s.comPort = com;
    s.speed = speed;
    s.mapsetTicked = mapset != nullptr;
    s.mapsetName = mapset ? mapset : "";
    s.createFileSwitch = createFileSwitch;
    return s;
}

constexpr auto V1 = ToolVariant::Sendmap;
constexpr auto V2 = ToolVariant::Sendmap20;

const Case kCases[] = {
    {"first, COM3, 9600, two maps", false, Upload(V1, Port::Com, "COM3", 9600), 2, {"COM3", "-s9600", "{map1}", "{map2}"}},
    {"first, COM1, 115200", false, Upload(V1, Port::Com, "COM1", 115200), 1, {"COM1", "-s115200", "{map1}"}},
    {"second, auto, 19200", false, Upload(V2, Port::Auto, "COM1", 19200), 1, {"-s19200", "{map1}"}},
    {"second, auto, 115200", false, Upload(V2, Port::Auto, "COM1", 115200), 1, {"{map1}"}},
    {"second, COM2, 38400, two maps", false, Upload(V2, Port::Com, "COM2", 38400), 2, {"-tCOM2", "-s38400", "{map1}", "{map2}"}},
    {"second, USB", false, Upload(V2, Port::Usb, "COM1", 57600), 1, {"-tUSB", "{map1}"}},
    {"second, create file", false, Upload(V2, Port::Auto, "COM1", 115200, nullptr, "-l "), 1, {"-l", "{map1}"}},
    {"second, mapset Topo", false, Upload(V2, Port::Com, "COM1", 57600, "Topo"), 1, {"-tCOM1", "-s57600", "{map1}", "-m", "Topo"}},
    {"second, mapset with blanks", false, Upload(V2, Port::Auto, "COM1", 9600, "Alps Topo 2024"), 1, {"-s9600", "{map1}", "-m", "Alps Topo 2024"}},
    {"erase, second, auto", true, Upload(V2, Port::Auto, "COM1", 9600), 0, {"-e"}},
    {"erase, second, COM1", true, Upload(V2, Port::Com, "COM1", 9600), 0, {"-tCOM1", "-e"}},
    {"erase, second, USB", true, Upload(V2, Port::Usb, "COM1", 9600), 0, {"-tUSB", "-e"}},
    {"erase, first, COM4", true, Upload(V1, Port::Com, "COM4", 9600), 0, {"COM4", "-e"}},
};

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
    EXPECT_EQ(ToolCommandName(V1, found), "SENDMAP.EXE");
    EXPECT_EQ(ToolCommandName(V2, found), "SENDMAP20.EXE");

    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.what) + " in " + folderName);
        const std::string tool = ToolCommandName(c.settings.variant, found);
        std::list<std::string> selected = {map1, map2};
        selected.resize(static_cast<std::size_t>(c.mapCount));
        const std::string command =
            c.erase ? BuildEraseCommand(programFolder, tool, c.settings.variant, c.settings.port, c.settings.comPort)
                    : BuildUploadCommand(programFolder, tool, c.settings, selected);

        const Status started = StartCommandLine(command);
        ASSERT_TRUE(started.ok()) << command << ": " << started.error();

        std::vector<std::string> expected = c.expected;
        for (auto& arg : expected)
            arg = arg == "{map1}" ? map1 : arg == "{map2}" ? map2 : arg;
        EXPECT_EQ(ReceivedArguments(program), expected) << command;
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
