// The connection test: its script, written once, and how it is started.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tool/TestScript.h"

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::CopyStandIn;
using testing::ReadBytes;
using testing::ReceivedArguments;
using testing::TempDir;
using testing::WriteBytes;
using Args = std::vector<std::string>;

TEST(TestScript, WrittenOnceAndThenLeftAsTheUserMadeIt)
{
    TempDir dir;
    const std::string folder = Utf8FromPath(dir.path());
    const fs::path script = PathFromUtf8(TestScriptPath(folder));
    ASSERT_TRUE(WriteTestScriptIfMissing(folder, "sendmap20.exe").ok());
    ASSERT_TRUE(fs::is_regular_file(script));
    WriteBytes(script, "edited by hand\r\n");
    ASSERT_TRUE(WriteTestScriptIfMissing(folder, "sendmap20.exe").ok());
    EXPECT_EQ(ReadBytes(script), "edited by hand\r\n");
    EXPECT_EQ(BuildTestCommand(folder), "\"" + TestScriptPath(folder) + "\"");
}

TEST(TestScript, AFolderItCannotBeWrittenToIsNamedInTheFailure)
{
    TempDir dir;
    const std::string missing = Utf8FromPath(dir.path() / "no such folder");
    const std::string occupied = Utf8FromPath(dir.path());
    fs::create_directory(PathFromUtf8(TestScriptPath(occupied)));   // a folder of the script's name
    for (const std::string& folder : {missing, occupied}) {
        const Status written = WriteTestScriptIfMissing(folder, "sendmap20.exe");
        EXPECT_EQ(written.error().rfind("The test script " + TestScriptPath(folder) + " could not be written: ", 0),
                  0u)
            << written.error();
    }
    EXPECT_TRUE(fs::is_directory(PathFromUtf8(TestScriptPath(occupied))));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);   // no leftovers
}

#ifndef _WIN32   // the shell script and its terminal; Windows has TestScriptWindowsTest

TEST(TestScript, ShellScriptLinesQuoteTheFolder)
{
    TempDir dir;
    const std::string folder = Utf8FromPath(dir.path() / "it's here");
    fs::create_directory(dir.path() / "it's here");
    ASSERT_TRUE(WriteTestScriptIfMissing(folder, "SendMap20.EXE").ok());
    const std::string quoted = "'" + Utf8FromPath(dir.path()) + "/it'\\''s here/SendMap20.EXE'";
    EXPECT_EQ(ReadBytes(PathFromUtf8(folder + "/Test Connection.sh")),
              "#!/bin/sh\n" + quoted + " - i\nprintf 'Press Enter to continue . . . '; read -r answer\n");
}

// Runs a program with no input and its output into a file, waits for it, and
// tells whether it ran to its end.
bool RunWithoutInput(const std::string& program, const fs::path& output)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) == 0)
        waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status != -1 && WIFEXITED(status);
}

TEST(TestScript, ScriptRunsTheToolFromAnAwkwardFolderAndWaits)
{
    TempDir dir;
    const fs::path program = dir.path() / "it's $HOME `x` \"q\"";
    fs::create_directory(program);
    CopyStandIn(program, "sendmap20.exe");
    ASSERT_TRUE(WriteTestScriptIfMissing(Utf8FromPath(program), "sendmap20.exe").ok());
    EXPECT_TRUE(RunWithoutInput(TestScriptPath(Utf8FromPath(program)), dir.path() / "out.txt"));
    EXPECT_EQ(ReceivedArguments(program), (Args{"-", "i"}));
    EXPECT_EQ(ReadBytes(dir.path() / "out.txt"), "Press Enter to continue . . . ");
}

// PATH holds only the given folder while the object lives.
class OnlyOnPath {
public:
    explicit OnlyOnPath(const fs::path& folder) : old_(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        setenv("PATH", folder.c_str(), 1);
    }
    ~OnlyOnPath() { setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

TEST(TestScript, StartsInATerminalWindow)
{
    TempDir program, bin;
    CopyStandIn(bin.path(), "x-terminal-emulator");
    const std::string folder = Utf8FromPath(program.path());
    OnlyOnPath path(bin.path());
    const Status started = StartTestScript(folder);
    ASSERT_TRUE(started.ok()) << started.error();
    EXPECT_EQ(ReceivedArguments(bin.path()), (Args{"-e", folder + "/Test Connection.sh"}));
}

TEST(TestScript, NoTerminalProgramIsReported)
{
    TempDir program, bin;
    OnlyOnPath path(bin.path());
    EXPECT_EQ(StartTestScript(Utf8FromPath(program.path())).error(),
              "No terminal program was found to run the connection test: neither x-terminal-emulator nor xterm "
              "is on the PATH.");
}

#endif

} // namespace
} // namespace mapwren
