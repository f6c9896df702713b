#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "listfile/ListFile.h"
#include "support/Fixtures.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Paths = std::vector<std::string>;

std::vector<std::string> NamesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WriteListFile, WritesHeadLineAndPathsWithCrLf)
{
    const struct {
        ListSettings settings;
        Paths paths;
        std::string bytes;
    } cases[] = {
        {{Port::Com, "COM3", 1, "Alps"}, {"C:\\MAPS\\ALPS1.IMG", "C:\\MAPS\\ALPS2.IMG"},
         "mapwren COM3 mapset:1 Alps\r\nC:\\MAPS\\ALPS1.IMG\r\nC:\\MAPS\\ALPS2.IMG\r\n"},
        {{Port::None, "COM1", 0, "Alps"}, {}, "mapwren  mapset:0 Alps\r\n"},
        {{Port::Usb, "COM1", 1, ""}, {"/m/a.img"}, "mapwren USB\r\n/m/a.img\r\n"},
        {{Port::Auto, "COM1", 2, "Big Alps"}, {}, "mapwren Auto mapset:2 Big Alps\r\n"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteBytes(dir.path() / "list", std::string(5000, 'x'));   // a longer old list goes whole
        const std::string path = dir.folder() + "list";            // used as given, no extension added
        ASSERT_TRUE(WriteListFile(path, c.settings, c.paths).ok());
        EXPECT_EQ(ReadBytes(dir.path() / "list"), c.bytes);
        EXPECT_EQ(NamesIn(dir.path()), Paths{"list"});
    }
}

TEST(WriteListFile, ReadsBackTheSameMapsAndSettings)
{
    TempDir dir;
    const std::string path = dir.folder() + "round.mwl";
    const Paths paths = {dir.folder() + "Z\xC3\xBCrich west.img", "/maps/B.IMG", "/maps/a.img"};
    ASSERT_TRUE(WriteListFile(path, {Port::Com, "COM5", 1, "Swiss maps"}, paths).ok());

    const ListFileContent content = ReadListFile(path);
    ASSERT_EQ(content.error, ListFileError::None);
    EXPECT_EQ(content.head.port, Port::Com);
    EXPECT_EQ(content.head.comPort, "COM5");
    EXPECT_EQ(content.head.mapsetState, 1);
    EXPECT_EQ(content.head.mapsetName, "Swiss maps");
    EXPECT_EQ(content.mapPaths, paths);

    // Without a mapset name, loading leaves the mapset settings as they were.
    ASSERT_TRUE(WriteListFile(path, {Port::Usb, "COM1", 1, ""}, paths).ok());
    const ListFileContent noName = ReadListFile(path);
    EXPECT_EQ(noName.head.port, Port::Usb);
    EXPECT_FALSE(noName.head.mapsetState.has_value());
    EXPECT_FALSE(noName.head.mapsetName.has_value());
}

TEST(WriteListFile, RefusesTextThatWouldNotReadBackAndWritesNothing)
{
    const struct {
        const char* name;
        ListSettings settings;
        Paths paths;
        std::string named;
    } cases[] = {
        {"line break in a path", {Port::Auto, "COM1", 0, ""}, {"/m/a.img", "/m/b\nc.img"}, "/m/b\nc.img"},
        {"carriage return in the name", {Port::Auto, "COM1", 1, "Al\rps"}, {"/m/a.img"}, "Al\rps"},
        {"malformed text", {Port::Auto, "COM1", 0, ""}, {"/m/\xFF.img"}, "/m/\xFF.img"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir.path() / "a.mwl", "old list");
        const std::string path = dir.folder() + "a.mwl";
        const Status status = WriteListFile(path, c.settings, c.paths);
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.error().rfind("The list could not be saved to " + path + ": ", 0), 0u) << status.error();
        EXPECT_NE(status.error().find(c.named), std::string::npos) << status.error();
        EXPECT_EQ(ReadBytes(dir.path() / "a.mwl"), "old list");
        EXPECT_EQ(NamesIn(dir.path()), Paths{"a.mwl"});
    }
}

TEST(WriteListFile, FailureLeavesTheFolderAsItWas)
{
    TempDir dir;
    fs::create_directory(dir.path() / "taken.mwl");
    const std::string cases[] = {
        dir.folder() + "no folder/a.mwl",   // a folder that does not exist
        dir.folder() + "taken.mwl",                                   // a folder stands at the target
    };
    for (const std::string& path : cases) {
        const Status status = WriteListFile(path, {Port::Auto, "COM1", 0, ""}, {"/m/a.img"});
        ASSERT_FALSE(status.ok()) << path;
        EXPECT_EQ(status.error().rfind("The list could not be saved to " + path + ": ", 0), 0u) << status.error();
        EXPECT_EQ(NamesIn(dir.path()), Paths{"taken.mwl"});
        EXPECT_TRUE(fs::is_empty(dir.path() / "taken.mwl"));
    }
}

#ifndef _WIN32   // setrlimit and SIGXFSZ exist only on POSIX
// A file size limit makes the write fail half way, even for root.
TEST(WriteListFile, WriteFailingHalfWayKeepsTheOldFile)
{
    TempDir dir;
    const std::string old = "mapwren COM1\r\n/m/old.img\r\n";
    WriteBytes(dir.path() / "a.mwl", old);
    const Paths many(200, "/maps/a rather long folder name/and a map file.img");

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const Status status = WriteListFile(dir.folder() + "a.mwl", {Port::Auto, "COM1", 0, ""}, many);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().rfind("The list could not be saved to " + dir.folder() + "a.mwl: ", 0), 0u);
    EXPECT_EQ(ReadBytes(dir.path() / "a.mwl"), old);
    EXPECT_EQ(NamesIn(dir.path()), Paths{"a.mwl"});
}

TEST(WriteListFile, KeepsALinkAndThePermissionsOfTheReplacedFile)
{
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    WriteBytes(dir.path() / "real" / "a.mwl", "old");
    fs::permissions(dir.path() / "real" / "a.mwl", fs::perms::owner_read | fs::perms::owner_write |
                                                       fs::perms::group_read);
    fs::create_symlink(dir.path() / "real" / "a.mwl", dir.path() / "link.mwl");

    ASSERT_TRUE(WriteListFile(dir.folder() + "link.mwl", {Port::Usb, "COM1", 0, ""}, {}).ok());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.mwl"));
    EXPECT_EQ(ReadBytes(dir.path() / "real" / "a.mwl"), "mapwren USB\r\n");
    EXPECT_EQ(fs::status(dir.path() / "real" / "a.mwl").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

} // namespace
} // namespace mapwren
