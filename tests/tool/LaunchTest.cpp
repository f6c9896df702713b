// Starting the upload tool and the connection test for real on POSIX: the
// stand-in, copied in under the tool's names, records the arguments it received.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tool/CommandCases.h"
#include "tool/Process.h"
#include "tool/TestScript.h"

extern char** environ;

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using namespace mapwren::testing;
using Args = std::vector<std::string>;

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
    const std::string map1 = GetShortFileName(Utf8FromPath(dir.path() / "alps.img"));
    const std::string map2 = GetShortFileName(Utf8FromPath(dir.path() / "my maps" / "pyrenees 2.img"));
    const FoundTools found = FindTools(Utf8FromPath(program));
    ASSERT_EQ(found.sendmap.value_or("") + " " + found.sendmap20.value_or(""), "SENDMAP.EXE sendmap20.exe");
    for (const CommandCase& c : CommandCases()) {
        const std::string command = BuildCommand(c, Utf8FromPath(program), ToolCommandName(c.settings.variant, found),
                                                 map1, map2);
        const Status started = StartCommandLine(command);
        ASSERT_TRUE(started.ok()) << started.error();
        EXPECT_EQ(ReceivedArguments(program), Arguments(c, map1, map2)) << command;
    }
    const Status missing = StartCommandLine(BuildEraseCommand(dir.folder() + "my maps", "sendmap20.exe",
                                                              ToolVariant::Sendmap20, Port::Auto, "COM1"));
    EXPECT_EQ(missing.error(), "The upload tool " + dir.folder() + "my maps/sendmap20.exe could not be started: "
                               "No such file or directory.");
}

#ifdef __linux__   // counted through /proc
int ZombieChildren()
{
    int zombies = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        if (!std::isdigit(static_cast<unsigned char>(entry.path().filename().string()[0])))
            continue;
        std::ifstream stat(entry.path() / "stat");
        const std::string text((std::istreambuf_iterator<char>(stat)), {});
        char state = 0;
        int parent = 0;
        const std::size_t close = text.rfind(')');
        if (close != std::string::npos && std::sscanf(text.c_str() + close + 1, " %c %d", &state, &parent) == 2 &&
            state == 'Z' && parent == getpid())
            ++zombies;
    }
    return zombies;
}

TEST(Launch, AFinishedToolLeavesNoZombie)
{
    TempDir dir;
    CopyStandIn(dir.path(), "sendmap20.exe");
    ASSERT_TRUE(StartCommandLine(dir.folder() + "sendmap20.exe -e").ok());
    ASSERT_EQ(ReceivedArguments(dir.path()), Args{"-e"});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ZombieChildren() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(ZombieChildren(), 0);
}
#endif

// The script runs the tool from a folder the shell would otherwise interpret, and waits for Enter.
TEST(TestScript, RunsTheToolFromAnAwkwardFolderAndWaits)
{
    TempDir dir;
    const fs::path program = dir.path() / "it's $HOME `x` \"q\"";
    fs::create_directory(program);
    CopyStandIn(program, "SendMap20.EXE");
    ASSERT_TRUE(WriteTestScriptIfMissing(Utf8FromPath(program), "SendMap20.EXE").ok());
    const std::string script = TestScriptPath(Utf8FromPath(program));
    EXPECT_EQ(ReadBytes(script), "#!/bin/sh\n'" + dir.folder() + "it'\\''s $HOME `x` \"q\"/SendMap20.EXE' - i\n"
                                 "printf 'Press Enter to continue . . . '; read -r answer\n");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, (dir.path() / "out").c_str(), O_WRONLY | O_CREAT, 0644);
    char* argv[] = {const_cast<char*>(script.c_str()), nullptr};
    pid_t pid = 0;
    int status = -1;
    ASSERT_EQ(posix_spawn(&pid, script.c_str(), &actions, nullptr, argv, environ), 0);
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(ReceivedArguments(program), (Args{"-", "i"}));
    EXPECT_EQ(ReadBytes(dir.path() / "out"), "Press Enter to continue . . . ");
}

TEST(TestScript, StartsInATerminalWindowOrSaysThereIsNone)
{
    TempDir program, bin;
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", bin.path().c_str(), 1);
    const Status none = StartTestScript(Utf8FromPath(program.path()));
    CopyStandIn(bin.path(), "x-terminal-emulator");
    const Status started = StartTestScript(Utf8FromPath(program.path()));
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(none.error(), "No terminal program was found to run the connection test: neither "
                            "x-terminal-emulator nor xterm is on the PATH.");
    ASSERT_TRUE(started.ok()) << started.error();
    EXPECT_EQ(ReceivedArguments(bin.path()), (Args{"-e", program.folder() + "Test Connection.sh"}));
}

} // namespace
} // namespace mapwren
