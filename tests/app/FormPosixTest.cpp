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
    std::vector<MapSpec> maps;
    for (int i = 0; i < 8; ++i)
        maps.push_back({"m10" + std::to_string(i) + ".img", "Map", 200});
    f.WriteMaps(maps);
    for (int i = 0; i < 7; ++i)
        ::chmod((f.Maps() / maps[i].file).c_str(), 0);
    ASSERT_TRUE(AsOrdinaryUser([&] { f.LoadFolder(); }));
    ASSERT_EQ(f.desktop.messages.size(), 1u);
    const FakeDesktop::Message& m = f.desktop.messages[0];
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    EXPECT_EQ(m.title, "MAPWREN");
    std::string expected = "These map files could not be read; their rows show no map name:";
    for (int i = 0; i < 5; ++i)
        expected += "\n" + f.MapsText() + maps[i].file;
    EXPECT_EQ(m.text, expected + "\nand 2 more");
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
    ASSERT_EQ(f.desktop.messages.size(), 1u);
    EXPECT_EQ(f.desktop.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(f.desktop.messages[0].text.find(Utf8FromPath(list)), std::string::npos) << f.desktop.messages[0].text;
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
    EXPECT_TRUE(f.desktop.messages.empty());
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
    ASSERT_EQ(f.desktop.messages.size(), 1u);
    EXPECT_EQ(f.desktop.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(f.desktop.messages[0].text.find(f.ProgramText() + "/Test Connection.sh"), std::string::npos);
    EXPECT_TRUE(NothingStarted(terminal.Folder()));
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
        ASSERT_EQ(f.desktop.messages.size(), 1u);
        EXPECT_EQ(f.desktop.messages[0].title, "MAPWREN");
        EXPECT_TRUE(f.desktop.messages[0].text.starts_with("The program's folder " + f.ProgramText() +
                                                           " holds a double quote"))
            << f.desktop.messages[0].text;
        EXPECT_TRUE(NothingStarted(f.dir.path() / "my x"));
        EXPECT_TRUE(NothingStarted(terminal.Folder()));
    }
}

} // namespace
} // namespace mapwren::testing
