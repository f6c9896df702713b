// List files: the head line, reading, and saving without ever losing the old list.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include "common/Paths.h"
#include "listfile/ListFile.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using namespace mapwren::testing;
using Paths = std::vector<std::string>;

TEST(HeadLine, ReadsMarkerPortAndMapset)
{
    // "port com state 'name'", "-" for what the line leaves as it was.
    const std::pair<const char*, const char*> cases[] = {
        {"mapwren COM12", "C COM1 - -"}, {"mapwren_aut", "A  - -"}, {"mapwren COM0", "-  - -"},
        {"mapwren COMX", "-  - -"}, {"mapwren COM", "-  - -"}, {"mapwren COM3 mapset:1 Alps", "C COM3 1 'Alps'"},
        {"mapwren Auto mapset:2  Big Alps ", "A  2 ' Big Alps '"}, {"mapwren Auto mapset:7 Alps", "A  - 'Alps'"},
        {"mapwren Auto mapset:", "A  - ''"}, {"mapwren USB MAPSET:1 Alps", "U  - -"},
        {"mapwren x mapset:1 A mapset:2 B", "-  1 'A mapset:2 B'"},
    };
    for (const auto& [line, expected] : cases) {
        const ListHead h = ParseHeadLine(line).value();
        const char port = !h.port ? '-' : *h.port == Port::Com ? 'C' : *h.port == Port::Usb ? 'U' : 'A';
        EXPECT_EQ(port + (" " + h.comPort + " ") + (h.mapsetState ? std::to_string(*h.mapsetState) : "-") + " " +
                      (h.mapsetName ? "'" + *h.mapsetName + "'" : "-"), expected) << line;
    }
    for (const char* line : {"mapwre", " mapwren usb", "C:\\MAPS\\A.IMG", ""})
        EXPECT_FALSE(ParseHeadLine(line)) << line;
}

// Lines ending in .img are taken untrimmed whatever the lines end in; a device, a pipe or an oversized file is refused.
TEST(ReadListFile, TakesLinesEndingInImgUntrimmedAndRefusesDevicesPipesAndOversizedFilesNamingThem)
{
    TempDir dir;
    const std::string d = dir.folder(), device = kPathSeparator == '\\' ? "NUL" : "/dev/zero";
    for (const auto& [name, size] : {std::pair{"largest.mwl", 64 << 20}, {"huge.mwl", (64 << 20) + 1}}) {
        WriteBytes(dir.path() / name, "");   // sparse, all NUL bytes
        fs::resize_file(dir.path() / name, size);
    }
    WriteBytes(dir.path() / "1.mwl", "mapwren COM2\r\n/m/A.IMG\r\n/m/b.img \r\n\r\n/m/c.Img.bak\r\n /m/with blank.img\r\n");
    WriteBytes(dir.path() / "2.mwl", "mapwren COM2\n/m/a.img\r/m/b.img");
    WriteBytes(dir.path() / "3.mwl", "mapwren COM2\r\n\r\n/m/a.img\n\r/m/b.img\r\n\r\n");
    const std::string notAFile = " is not an ordinary file (it is a device or a pipe), so it cannot be read as a list.";
    // The message, then each map path read on a line of its own.
    std::vector<std::pair<std::string, std::string>> cases = {{d + "1.mwl", "/m/A.IMG\n /m/with blank.img\n"},
        {d + "2.mwl", "/m/a.img\n/m/b.img\n"}, {d + "3.mwl", "/m/a.img\n/m/b.img\n"}, {d + "largest.mwl", "Invalid File                 "},
        {d + "huge.mwl", "The list file " + d + "huge.mwl is larger than 64 MB, far more than any list of maps "
                         "needs, so it is not read."}, {device, "The list file " + device + notAFile}};
#ifndef _WIN32
    ASSERT_EQ(mkfifo((d + "pipe.mwl").c_str(), 0600), 0);
    cases.push_back({d + "pipe.mwl", "The list file " + d + "pipe.mwl" + notAFile});
#endif
    for (const auto& [path, expected] : cases) {
        const ListFileContent content = ReadListFile(path);
        std::string read = content.message;
        for (const std::string& map : content.mapPaths)
            read += map + "\n";
        EXPECT_EQ(read, expected) << path;
    }
}

// Counts what a save left in a folder: a temporary file left behind shows here.
long Entries(const fs::path& folder) { return std::distance(fs::directory_iterator(folder), {}); }

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
        EXPECT_TRUE(status.error().starts_with("The list could not be saved to " + path + ": ")) << status.error();
        EXPECT_NE(status.error().find(named), std::string::npos) << status.error();
        EXPECT_EQ(ReadBytes(dir.path() / "a.mwl") + std::to_string(Entries(dir.path())), "old list2");
        EXPECT_TRUE(fs::is_empty(dir.path() / "taken.mwl"));
    }
}

#ifndef _WIN32   // a file size limit makes the write fail half way, even for root
TEST(WriteListFile, KeepsTheOldFileOnAFailedWriteAndALinkWithItsPermissions)
{
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    const fs::path real = dir.path() / "real" / "a.mwl";
    const std::string old(5000, 'x');   // longer than the new list: it goes whole
    WriteBytes(real, old);
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, perms);
    fs::create_symlink(real, dir.path() / "link.mwl");
    const std::string link = dir.folder() + "link.mwl";

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{1024, saved.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const Status status = WriteListFile(link, {Port::Auto, "COM1", 0, ""}, Paths(200, "/maps/a rather long name.img"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(status.error().starts_with("The list could not be saved to " + link + ": ")) << status.error();
    EXPECT_EQ(ReadBytes(real), old);
    EXPECT_EQ(Entries(dir.path() / "real"), 1);

    ASSERT_TRUE(WriteListFile(link, {Port::Usb, "COM1", 0, ""}, {}).ok());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.mwl"));
    EXPECT_EQ(ReadBytes(real), "mapwren USB\r\n");
    EXPECT_EQ(fs::status(real).permissions(), perms);
}
#else
TEST(ListFileWindows, AnsiBytesBothWaysAndWhatTheCodePageLacksIsRefused)
{
    ASSERT_EQ(GetACP(), 1252u) << "run with code page 1252 (LC_ALL=C.UTF-8 under Wine)";
    TempDir dir;
    std::filesystem::create_directory(dir.path() / PathFromUtf8("Z\xC3\xBCrich Karten"));
    const std::string map = dir.folder() + "Z\xC3\xBCrich Karten\\Z\xC3\xBCrich.img";
    WriteImg(PathFromUtf8(map), "Z\xFCrich", "", 0, 4096);
    const std::string list = dir.folder() + "Z\xC3\xBCrich.mwl";
    ASSERT_TRUE(WriteListFile(list, {Port::Com, "COM3", 1, "Z\xC3\xBCrich Topo"}, {map}).ok());
    EXPECT_EQ(ReadBytes(PathFromUtf8(list)), "mapwren COM3 mapset:1 Z\xFCrich Topo\r\n" + dir.folder() +
                                                 "Z\xFCrich Karten\\Z\xFCrich.img\r\n");
    const ListFileContent read = ReadListFile(list);
    ASSERT_EQ(read.mapPaths, std::vector<std::string>{map}) << read.message;
    EXPECT_EQ(read.head.mapsetName, "Z\xC3\xBCrich Topo");
    const MapRow row = RowsFromMapPaths(read.mapPaths).at(0);
    EXPECT_EQ(row.file + "|" + row.mapName.substr(0, 8) + "|" + std::to_string(row.bytes), "Z\xC3\xBCrich.img|Z\xC3\xBCrich |4096");
    const std::string lodz = "C:\\Karten\\\xC5\x81\xC3\xB3" "d\xC5\xBA.img";   // "Łódź": no Ł or ź in 1252
    EXPECT_FALSE(WriteListFile(list, {Port::Usb, "", 0, ""}, {lodz}).ok());
    EXPECT_EQ(ReadListFile(list).mapPaths, std::vector<std::string>{map});
}
#endif

} // namespace
} // namespace mapwren
