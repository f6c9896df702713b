// "Test Connection.bat" on Windows: its bytes, and the tool it really starts
// when the command interpreter runs it from program folders with awkward names.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tool/TestScript.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::CopyStandIn;
using testing::ReadBytes;
using testing::ReceivedArguments;
using testing::TempDir;

// A program folder named `name` holding the stand-in as "SENDMAP20.EXE".
std::string ProgramFolderNamed(const TempDir& dir, const std::string& name)
{
    const fs::path program = dir.path() / PathFromUtf8(name);
    fs::create_directory(program);
    CopyStandIn(program, "SENDMAP20.EXE");
    return Utf8FromPath(program);
}

TEST(TestScriptWindows, ThreeLinesWithCrLfNamingTheToolInQuotes)
{
    TempDir dir;
    const std::string folder = ProgramFolderNamed(dir, "Map Tools");

    ASSERT_TRUE(WriteTestScriptIfMissing(folder, "SENDMAP20.EXE").ok());

    EXPECT_EQ(TestScriptPath(folder), folder + "\\Test Connection.bat");
    EXPECT_EQ(ReadBytes(PathFromUtf8(folder) / "Test Connection.bat"),
              "@echo off\r\n\"" + folder + "\\Sendmap20.exe\" - i\r\nPause\r\n");
}

TEST(TestScriptWindows, CommandInterpreterStartsTheToolFromAnyProgramFolder)
{
    const char* names[] = {"Tools", "Map Tools", "100% Maps", "Pct%PATH%x", "Z\xC3\xBCrich Tools"};
    for (const char* name : names) {
        TempDir dir;
        const std::string folder = ProgramFolderNamed(dir, name);
        ASSERT_TRUE(WriteTestScriptIfMissing(folder, "SENDMAP20.EXE").ok()) << name;

        const Status started = StartTestScript(folder);

        ASSERT_TRUE(started.ok()) << name << ": " << started.error();
        EXPECT_EQ(ReceivedArguments(PathFromUtf8(folder)), (std::vector<std::string>{"-", "i"})) << name;
    }
}

TEST(TestScriptWindows, FolderTheConsoleCannotSpellIsRefusedWithAMessage)
{
    ASSERT_EQ(GetOEMCP(), 437u) << "run with the US console code page (LC_ALL=C.UTF-8 under Wine)";
    TempDir dir;
    const std::string folder = ProgramFolderNamed(dir, "\xC5\x81\xC3\xB3" "d\xC5\xBA Tools");   // "Łódź": no "Ł" in 437

    const Status written = WriteTestScriptIfMissing(folder, "SENDMAP20.EXE");

    EXPECT_FALSE(written.ok());
    EXPECT_NE(written.error().find(TestScriptPath(folder)), std::string::npos) << written.error();
    EXPECT_FALSE(fs::exists(PathFromUtf8(TestScriptPath(folder))));
}

} // namespace
} // namespace mapwren
