// What needs POSIX file rights or a terminal program on the PATH: unreadable
// maps, a failed save, the connection test and a folder name the command
// line cannot hold.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include "app/FormFixture.h"

namespace mapwren::testing {
namespace {

// Root reads and writes everywhere: act as "nobody" then. False when that is impossible.
bool AsOrdinaryUser(const std::function<void()>& action)
{
    const bool root = ::geteuid() == 0;
    if (root && ::seteuid(65534) != 0)
        return false;
    action();
    return !root || ::seteuid(0) == 0;
}

// A stand-in terminal first on the PATH; it records its arguments beside itself.
class FakeTerminal {
public:
    FakeTerminal() : old_(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        CopyStandIn(dir_.path(), "x-terminal-emulator");
        setenv("PATH", (dir_.path().string() + ":" + old_).c_str(), 1);
    }
    ~FakeTerminal() { setenv("PATH", old_.c_str(), 1); }
    const fs::path& Folder() const { return dir_.path(); }

private:
    TempDir dir_;
    std::string old_;
};

TEST(FormPosix, UnreadableMapsAreNamedInOneMessage)
{
    Form f;
    ::chmod(f.dir.path().c_str(), 0755);
    for (int i = 0; i < 8; ++i) {
        f.WriteMaps({{"m10" + std::to_string(i) + ".img", "Map", 200}});
        ::chmod((f.Maps() / ("m10" + std::to_string(i) + ".img")).c_str(), i < 7 ? 0 : 0644);
    }
    ASSERT_TRUE(AsOrdinaryUser([&] { f.LoadFolder(); }));
    std::string expected = "! MAPWREN: These map files could not be read; their rows show no map name:";
    for (int i = 0; i < 5; ++i)
        expected += "\n" + f.MapsText() + "m10" + std::to_string(i) + ".img";
    EXPECT_EQ(f.Only(), expected + "\nand 2 more");
    EXPECT_EQ(f.w->Maps().RowCount(), 8u);
    EXPECT_EQ(f.Column(3)[0], "");
}

TEST(FormPosix, AFailedSaveKeepsTheOldListAndNamesIt)
{
    Form f;
    f.WriteMaps({{"a.img", "Alpha", 300}});
    f.LoadFolder();
    f.Press(1, 0);
    const fs::path list = f.Maps() / "old.mwl";
    WriteBytes(list, "mapwren USB\r\nold\r\n");
    ::chmod(f.dir.path().c_str(), 0755);
    ::chmod(f.Maps().c_str(), 0555);
    f.desktop.nextFile = Utf8FromPath(list);
    const bool asUser = AsOrdinaryUser([&] { f.w->Click("cmdSaveList"); });
    ::chmod(f.Maps().c_str(), 0755);
    ASSERT_TRUE(asUser);
    EXPECT_TRUE(f.Only().starts_with("! MAPWREN: ") && Contains(f.Only(), Utf8FromPath(list))) << f.Only();
    EXPECT_EQ(ReadBytes(list), "mapwren USB\r\nold\r\n");
}

TEST(FormPosix, TheTestScriptIsWrittenOnceAndRunInATerminal)
{
    FakeTerminal terminal;
    Form f;
    const std::string script = f.ProgramText() + "/Test Connection.sh";
    const std::vector<std::string> run = {"-e", script};
    f.w->MenuClick("mnuID");
    EXPECT_EQ(ReceivedArguments(terminal.Folder()), run);
    const std::string lines = ReadBytes(script);
    EXPECT_EQ(lines.substr(0, lines.find('\n', 10) + 1), "#!/bin/sh\n'" + f.ProgramText() + "/sendmap20.exe' - i\n");
    EXPECT_NE(fs::status(script).permissions() & fs::perms::owner_exec, fs::perms::none);
    // A script edited by hand runs as it is; deleted, it is written afresh.
    WriteBytes(script, "#!/bin/sh\necho edited\n");
    f.w->MenuClick("mnuID");
    EXPECT_EQ(ReceivedArguments(terminal.Folder()), run);
    EXPECT_EQ(ReadBytes(script), "#!/bin/sh\necho edited\n");
    fs::remove(script);
    f.w->MenuClick("mnuID");
    EXPECT_EQ(ReceivedArguments(terminal.Folder()), run);
    EXPECT_EQ(ReadBytes(script), lines);
    EXPECT_EQ(f.Only(), "0 messages");
    EXPECT_TRUE(NothingStarted(f.Program()));
}

TEST(FormPosix, AScriptThatCannotBeWrittenIsNamedAndNothingRuns)
{
    FakeTerminal terminal;
    Form f;
    ::chmod(f.dir.path().c_str(), 0755);
    ::chmod(f.Program().c_str(), 0555);
    const bool asUser = AsOrdinaryUser([&] { f.w->MenuClick("mnuID"); });
    ::chmod(f.Program().c_str(), 0755);
    ASSERT_TRUE(asUser);
    EXPECT_TRUE(f.Only().starts_with("C MAPWREN: The test script " + f.ProgramText() + "/Test Connection.sh")) << f.Only();
    EXPECT_TRUE(NothingStarted(terminal.Folder()));
}

// Every path as long as a file name may be, so few maps fill the longest
// command line Windows starts; Windows itself hands the tool short names, which 160 maps never fill.
TEST(FormPosix, TooManyMapsForOneCommandLineAreRefusedWithTheCountThatFits)
{
    Form f;
    for (int i = 0; i < 160; ++i)
        f.WriteMaps({{std::to_string(100 + i) + std::string(240, 'x') + ".img", "Long", 200}});
    f.LoadFolder();
    f.w->Click("cmdSelectAll");
    std::size_t length = f.Tool("sendmap20.exe").size();
    int fitting = 0;
    for (const std::string& map : f.w->Maps().SelectedFiles()) {
        if ((length += 1 + map.size()) >= 32767)
            break;
        ++fitting;
    }
    ASSERT_TRUE(fitting > 0 && fitting < 160);
    f.w->Click("cmdUpload");
    EXPECT_TRUE(Contains(f.Only(), "160 ticked maps") && Contains(f.Only(), "first " + std::to_string(fitting) + " "))
        << f.Only();
    EXPECT_TRUE(NothingStarted(f.Program()));
}

// `my "x"` on a command line would start the tool in `my x`.
TEST(FormPosix, AProgramFolderHoldingADoubleQuoteStartsNothing)
{
    for (const char* command : {"upload", "erase", "test"}) {
        SCOPED_TRACE(command);
        FakeTerminal terminal;
        Form f({"sendmap20.exe"}, true, "my \"x\"");
        fs::create_directory(f.dir.path() / "my x");
        CopyStandIn(f.dir.path() / "my x", "sendmap20.exe");
        f.WriteMaps({{"a.img", "Alpha", 300}});
        f.LoadFolder();
        f.w->Click("cmdSelectAll");
        if (std::string(command) == "upload") {
            f.w->Click("cmdUpload");
        } else if (std::string(command) == "erase") {
            f.w->Click("cmdEraseGPS");
            f.w->Click("optSureYes");
            EXPECT_FALSE(f.w->optSureYes.visible);
        } else {
            f.w->MenuClick("mnuID");
        }
        EXPECT_TRUE(f.Only().starts_with("! MAPWREN: The program's folder " + f.ProgramText() + " holds a double quote"))
            << f.Only();
        EXPECT_TRUE(NothingStarted(f.dir.path() / "my x"));
        EXPECT_TRUE(NothingStarted(terminal.Folder()));
    }
}

} // namespace
} // namespace mapwren::testing
