// Starting the upload tool for real: the stand-in, copied into a program
// folder under the tool's names, records the arguments it received.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <list>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tool/CommandCases.h"
#include "tool/Commands.h"
#include "tool/Process.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::CopyStandIn;
using testing::ReceivedArguments;
using testing::TempDir;
using testing::WriteImg;
using Args = std::vector<std::string>;

constexpr auto V2 = ToolVariant::Sendmap20;

// The upload tool lies in <temp>/<folderName> as "sendmap20.exe" and
// "SENDMAP.EXE"; one map lies in a folder whose name holds a blank.
void StartEveryCommandIn(const std::string& folderName)
{
    TempDir dir;
    const fs::path program = dir.path() / folderName;
    fs::create_directories(program);
    fs::create_directories(dir.path() / "my maps");
    CopyStandIn(program, "sendmap20.exe");
    CopyStandIn(program, "SENDMAP.EXE");
    WriteImg(dir.path() / "alps.img", "Alps", "");
    WriteImg(dir.path() / "my maps" / "pyrenees 2.img", "Pyrenees", "");
    const std::string map1 = GetShortFileName(Utf8FromPath(dir.path() / "alps.img"));
    const std::string map2 = GetShortFileName(Utf8FromPath(dir.path() / "my maps" / "pyrenees 2.img"));
    const std::string programFolder = Utf8FromPath(program);

    const FoundTools found = FindTools(programFolder);
    ASSERT_EQ(found.sendmap.value_or(""), "SENDMAP.EXE");
    ASSERT_EQ(found.sendmap20.value_or(""), "sendmap20.exe");
    for (const testing::CommandCase& c : testing::CommandCases()) {
        const std::string tool = ToolCommandName(c.settings.variant, found);
        const std::string command = testing::BuildCommand(c, programFolder, tool, map1, map2);
        const Status started = StartCommandLine(command);
        ASSERT_TRUE(started.ok()) << started.error();
        Args expected = c.argv;
        for (std::string& arg : expected)
            arg = arg == "{map1}" ? map1 : arg == "{map2}" ? map2 : arg;
        EXPECT_EQ(ReceivedArguments(program), expected) << command;
    }
}

TEST(Launch, TheToolReceivesEveryCommandLine) { StartEveryCommandIn("mapwren"); }

TEST(Launch, TheToolReceivesEveryCommandLineFromAFolderWithBlanks) { StartEveryCommandIn("map tools/mapwren 2"); }

TEST(Launch, AMissingToolIsNamedInTheFailure)
{
    TempDir dir;
    for (const std::string& folder : {Utf8FromPath(dir.path()), Utf8FromPath(dir.path() / "my tools")}) {
        const Status started = StartCommandLine(BuildEraseCommand(folder, "sendmap20.exe", V2, Port::Auto, "COM1"));
        EXPECT_EQ(started.error(),
                  "The upload tool " + folder + "/sendmap20.exe could not be started: No such file or directory.");
    }
}

#ifdef __linux__   // zombies are a POSIX matter, counted through /proc
// Children of this process that ended and were never collected.
int ZombieChildren()
{
    int zombies = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        if (entry.path().filename().string().find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const std::size_t close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        char state = 0;
        int parent = 0;
        if (std::sscanf(text.c_str() + close + 1, " %c %d", &state, &parent) == 2 && state == 'Z' &&
            parent == getpid())
            ++zombies;
    }
    return zombies;
}

TEST(Launch, AFinishedToolLeavesNoZombie)
{
    TempDir dir;
    CopyStandIn(dir.path(), "sendmap20.exe");
    ASSERT_TRUE(StartCommandLine(Utf8FromPath(dir.path() / "sendmap20.exe") + " -e").ok());
    ASSERT_EQ(ReceivedArguments(dir.path()), Args{"-e"});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ZombieChildren() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(ZombieChildren(), 0);
}
#endif

} // namespace
} // namespace mapwren
