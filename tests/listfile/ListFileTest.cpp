// List files: the head line, reading, and saving without ever losing the old list.
#include <gtest/gtest.h>

#include "listfile/ListFile.h"
#include "support/Fixtures.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Paths = std::vector<std::string>;

// "port com state 'name'", "-" for what the line leaves as it was.
std::string Describe(const ListHead& h)
{
    const char* ports = "-ACU";   // none, Auto, Com, Usb
    return std::string(1, h.port ? ports[1 + (*h.port == Port::Com) + 2 * (*h.port == Port::Usb)] : '-') + " " +
           h.comPort + " " + (h.mapsetState ? std::to_string(*h.mapsetState) : "-") + " " +
           (h.mapsetName ? "'" + *h.mapsetName + "'" : "-");
}

TEST(HeadLine, ReadsMarkerPortAndMapset)
{
    const std::pair<const char*, const char*> cases[] = {
        {"MAPWREN usb", "U  - -"}, {"Mapwren com7", "C COM7 - -"}, {"mapwren COM12", "C COM1 - -"},
        {"mapwren_aut", "A  - -"}, {"mapwren COM0", "-  - -"}, {"mapwren COMX", "-  - -"}, {"mapwren COM", "-  - -"},
        {"mapwren COM3 mapset:1 Alps", "C COM3 1 'Alps'"}, {"mapwren  mapset:0 Alps", "-  0 'Alps'"},
        {"mapwren Auto mapset:2  Big Alps ", "A  2 ' Big Alps '"}, {"mapwren Auto mapset:7 Alps", "A  - 'Alps'"},
        {"mapwren Auto mapset:", "A  - ''"}, {"mapwren USB MAPSET:1 Alps", "U  - -"},
        {"mapwren x mapset:1 A mapset:2 B", "-  1 'A mapset:2 B'"},
    };
    for (const auto& [line, head] : cases)
        EXPECT_EQ(Describe(ParseHeadLine(line).value()), head) << line;
    for (const char* line : {"mapwre", " mapwren usb", "C:\\MAPS\\A.IMG", ""})
        EXPECT_FALSE(ParseHeadLine(line)) << line;
}

TEST(ReadListFile, TakesLinesEndingInImgUntrimmedWhateverTheLineEnds)
{
    const std::pair<const char*, Paths> cases[] = {
        {"mapwren COM2\r\n/m/A.IMG\r\n/m/b.img \r\n\r\nnotes.txt\r\n/m/c.Img.bak\r\n /m/with blank.img\r\n",
         {"/m/A.IMG", " /m/with blank.img"}},
        {"mapwren COM2\n/m/a.img\r/m/b.img", {"/m/a.img", "/m/b.img"}},
        {"mapwren COM2\r\n\r\n/m/a.img\n\r/m/b.img\r\n\r\n", {"/m/a.img", "/m/b.img"}},
    };
    TempDir dir;
    for (const auto& [bytes, paths] : cases) {
        WriteBytes(dir.path() / "list.mwl", bytes);
        const ListFileContent content = ReadListFile(dir.folder() + "list.mwl");
        EXPECT_EQ(content.mapPaths, paths) << bytes;
    }
}

TEST(ReadListFile, NamesTheFileItCannotRead)
{
    TempDir dir;
    const std::string d = dir.folder();
    fs::create_directory(dir.path() / "folder.mwl");
    for (const auto& [name, size] : {std::pair{"largest.mwl", 64 << 20}, {"huge.mwl", (64 << 20) + 1}}) {
        WriteBytes(dir.path() / name, "");   // sparse, all NUL bytes
        fs::resize_file(dir.path() / name, size);
    }
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/zero";
    ASSERT_EQ(mkfifo((d + "pipe.mwl").c_str(), 0600), 0);
#endif
    const std::string notAFile = " is not an ordinary file (it is a device or a pipe), so it cannot be read as a list.";
    const std::pair<std::string, std::string> cases[] = {
        {d + "folder.mwl", "The list file " + d + "folder.mwl could not be opened."},
        {device, "The list file " + device + notAFile},
#ifndef _WIN32
        {d + "pipe.mwl", "The list file " + d + "pipe.mwl" + notAFile},
#endif
        {d + "largest.mwl", "Invalid File                 "},
        {d + "huge.mwl", "The list file " + d + "huge.mwl is larger than 64 MB, far more than any list of maps "
                         "needs, so it is not read."},
    };
    for (const auto& [path, message] : cases) {
        const ListFileContent content = ReadListFile(path);
        EXPECT_NE(content.error, ListFileError::None) << path;
        EXPECT_EQ(content.message, message);
        EXPECT_TRUE(content.mapPaths.empty());
    }
}

// Counts what a save left in a folder: a temporary file left behind shows here.
long Entries(const fs::path& folder) { return std::distance(fs::directory_iterator(folder), {}); }

TEST(WriteListFile, WritesHeadLineAndPathsWithCrLfThatReadBack)
{
    const std::tuple<ListSettings, Paths, std::string> cases[] = {
        {{Port::Com, "COM3", 1, "Alps"}, {"C:\\MAPS\\ALPS1.IMG", "/m/alps west.img"},
         "mapwren COM3 mapset:1 Alps\r\nC:\\MAPS\\ALPS1.IMG\r\n/m/alps west.img\r\n"},
        {{Port::None, "COM1", 0, "Alps"}, {}, "mapwren  mapset:0 Alps\r\n"},
        {{Port::Usb, "COM1", 1, ""}, {"/m/a.img"}, "mapwren USB\r\n/m/a.img\r\n"},   // no name: no mapset item
        {{Port::Auto, "COM1", 2, "Big Alps"}, {}, "mapwren Auto mapset:2 Big Alps\r\n"},
    };
    for (const auto& [settings, paths, bytes] : cases) {
        TempDir dir;
        WriteBytes(dir.path() / "list", std::string(5000, 'x'));   // a longer old list goes whole
        ASSERT_TRUE(WriteListFile(dir.folder() + "list", settings, paths).ok());   // no extension added
        EXPECT_EQ(ReadBytes(dir.path() / "list"), bytes);
        EXPECT_EQ(Entries(dir.path()), 1);
        EXPECT_EQ(ReadListFile(dir.folder() + "list").mapPaths, paths);
    }
}

TEST(WriteListFile, FailureLeavesTheFolderAsItWasAndNamesTheFile)
{
    TempDir dir;
    WriteBytes(dir.path() / "a.mwl", "old list");
    fs::create_directory(dir.path() / "taken.mwl");
    const std::string a = dir.folder() + "a.mwl";
    const std::tuple<std::string, ListSettings, Paths, std::string> cases[] = {
        {a, {Port::Auto, "COM1", 0, ""}, {"/m/a.img", "/m/b\nc.img"}, "/m/b\nc.img"},
        {a, {Port::Auto, "COM1", 1, "Al\rps"}, {"/m/a.img"}, "Al\rps"},
        {a, {Port::Auto, "COM1", 0, ""}, {"/m/\xFF.img"}, "/m/\xFF.img"},   // not text the list can hold
        {dir.folder() + "no folder/a.mwl", {}, {"/m/a.img"}, ""},
        {dir.folder() + "taken.mwl", {}, {"/m/a.img"}, ""},   // a folder stands at the target
    };
    for (const auto& [path, settings, paths, named] : cases) {
        const Status status = WriteListFile(path, settings, paths);
        ASSERT_FALSE(status.ok()) << path;
        EXPECT_TRUE(status.error().starts_with("The list could not be saved to " + path + ": ")) << status.error();
        EXPECT_NE(status.error().find(named), std::string::npos) << status.error();
        EXPECT_EQ(ReadBytes(dir.path() / "a.mwl"), "old list");
        EXPECT_EQ(Entries(dir.path()), 2);
        EXPECT_TRUE(fs::is_empty(dir.path() / "taken.mwl"));
    }
}

#ifndef _WIN32   // a file size limit makes the write fail half way, even for root
TEST(WriteListFile, KeepsTheOldFileOnAFailedWriteAndALinkWithItsPermissions)
{
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    const fs::path real = dir.path() / "real" / "a.mwl";
    WriteBytes(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, dir.path() / "link.mwl");
    const std::string link = dir.folder() + "link.mwl";

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const Status status = WriteListFile(link, {Port::Auto, "COM1", 0, ""}, Paths(200, "/maps/a rather long name.img"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(status.error().starts_with("The list could not be saved to " + link + ": ")) << status.error();
    EXPECT_EQ(ReadBytes(real), "old");
    EXPECT_EQ(Entries(dir.path() / "real"), 1);

    ASSERT_TRUE(WriteListFile(link, {Port::Usb, "COM1", 0, ""}, {}).ok());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.mwl"));
    EXPECT_EQ(ReadBytes(real), "mapwren USB\r\n");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

} // namespace
} // namespace mapwren
