// Starting the upload tool and "Test Connection.bat" on Windows: the stand-in
// records the arguments as its C runtime split them. The tool files are named
// in other cases than the command lines spell them.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tool/CommandCases.h"
#include "tool/CommandLine.h"
#include "tool/Process.h"
#include "tool/TestScript.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using namespace mapwren::testing;
using Args = std::vector<std::string>;

// A program folder named `name` holding the stand-in as "SENDMAP20.EXE" and "sendmap.exe".
std::string ProgramFolderNamed(const TempDir& dir, const std::string& name)
{
    const fs::path program = dir.path() / PathFromUtf8(name);
    fs::create_directory(program);
    CopyStandIn(program, "SENDMAP20.EXE");
    CopyStandIn(program, "sendmap.exe");
    return Utf8FromPath(program);
}

TEST(LaunchWindows, TheToolReceivesEveryCommandLineAndTheRuntimeSplitsAsWeDo)
{
    TempDir dir;
    const std::string folder = ProgramFolderNamed(dir, "Map Tools 2024");
    fs::create_directory(dir.path() / "My Maps");
    WriteImg(dir.path() / "My Maps" / "Alps West.img", "Alps", "West");
    WriteImg(dir.path() / "My Maps" / "Alps East.img", "Alps", "East");
    const std::string map1 = GetShortFileName(dir.folder() + "My Maps\\Alps West.img");
    const std::string map2 = GetShortFileName(dir.folder() + "My Maps\\Alps East.img");
    ASSERT_FALSE(map1.empty() || map2.empty());
    const FoundTools found = FindTools(folder);
    ASSERT_TRUE(found.sendmap && found.sendmap20);
    for (const CommandCase& c : CommandCases()) {
        const std::string command = BuildCommand(c, folder, ToolCommandName(c.settings.variant, found), map1, map2);
        ASSERT_TRUE(StartCommandLine(command).ok()) << command;
        EXPECT_EQ(ReceivedArguments(PathFromUtf8(folder)), Arguments(c, map1, map2)) << command;
    }
    // Two double quotes inside quotes are left out: runtimes of different years read them differently.
    const std::string tool = QuoteProgramPath(folder + "\\SENDMAP20.EXE");
    for (const char* args : {R"(a\\b c\d)", R"(a\"b "c\"d" e\\"f g")", R"("C:\Maps\\" x)", R"(a"b c"d  "" e)",
                             "tab\there \"Z\xC3\xBCrich Karte\""}) {
        Args expected = SplitCommandLine(tool + " " + args);
        expected.erase(expected.begin());
        ASSERT_TRUE(StartCommandLine(tool + " " + args).ok()) << args;
        EXPECT_EQ(ReceivedArguments(PathFromUtf8(folder)), expected) << args;
    }
    const Status missing = StartCommandLine(dir.folder() + "SENDMAP20.EXE -tUSB -e");
    EXPECT_NE(missing.error().find(dir.folder() + "SENDMAP20.EXE"), std::string::npos) << missing.error();
}

TEST(TestScriptWindows, TheInterpreterStartsTheToolFromAnyProgramFolder)
{
    for (const char* name : {"Map Tools", "100% Maps", "Pct%PATH%x", "Z\xC3\xBCrich Tools"}) {
        TempDir dir;
        const std::string folder = ProgramFolderNamed(dir, name);
        ASSERT_TRUE(WriteTestScriptIfMissing(folder, "SENDMAP20.EXE").ok()) << name;
        if (std::string(name) == "Map Tools")
            EXPECT_EQ(ReadBytes(PathFromUtf8(folder + "\\Test Connection.bat")),
                      "@echo off\r\n\"" + folder + "\\Sendmap20.exe\" - i\r\nPause\r\n");
        const Status started = StartTestScript(folder);
        ASSERT_TRUE(started.ok()) << name << ": " << started.error();
        EXPECT_EQ(ReceivedArguments(PathFromUtf8(folder)), (Args{"-", "i"})) << name;
    }
    ASSERT_EQ(GetOEMCP(), 437u) << "run with the US console code page (LC_ALL=C.UTF-8 under Wine)";
    TempDir dir;
    const std::string lodz = ProgramFolderNamed(dir, "\xC5\x81\xC3\xB3" "d\xC5\xBA Tools");   // no "Ł" in 437
    const Status written = WriteTestScriptIfMissing(lodz, "SENDMAP20.EXE");
    EXPECT_NE(written.error().find(TestScriptPath(lodz)), std::string::npos) << written.error();
    EXPECT_FALSE(fs::exists(PathFromUtf8(TestScriptPath(lodz))));
}

} // namespace
} // namespace mapwren
