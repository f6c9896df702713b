// List files on Windows are in the system's ANSI code page, as every other
// Windows program of the upload tool's kind reads them. These tests run with
// code page 1252, the one of Western European Windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/Paths.h"
#include "listfile/ListFile.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using testing::WriteImg;

const std::string kZurich = "Z\xC3\xBC" "rich";   // UTF-8, as the window holds it

// The bytes a Windows program writes for a path whose only letter beyond
// ASCII is "ü".
std::string Ansi1252(std::string utf8)
{
    for (std::size_t at; (at = utf8.find("\xC3\xBC")) != std::string::npos;)
        utf8.replace(at, 2, "\xFC");
    return utf8;
}

class ListFileWindows : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetACP(), 1252u) << "run with code page 1252 (LC_ALL=C.UTF-8 under Wine)"; }
    TempDir dir;
};

TEST_F(ListFileWindows, WritesAnsiBytesWithCrLfAndReadsTheSamePathBack)
{
    const std::string list = dir.folder() + kZurich + " maps.mwl";
    const std::vector<std::string> paths = {"C:\\Karten\\" + kZurich + ".img", "C:\\Karten\\Bern.img"};
    const ListSettings settings{Port::Com, "COM3", 1, kZurich + " Topo"};

    const Status written = WriteListFile(list, settings, paths);

    ASSERT_TRUE(written.ok()) << written.error();
    EXPECT_EQ(ReadBytes(PathFromUtf8(list)), "mapwren COM3 mapset:1 Z\xFCrich Topo\r\n"
                                             "C:\\Karten\\Z\xFCrich.img\r\n"
                                             "C:\\Karten\\Bern.img\r\n");
    const ListFileContent read = ReadListFile(list);
    ASSERT_EQ(read.error, ListFileError::None) << read.message;
    EXPECT_EQ(read.mapPaths, paths);
    EXPECT_EQ(read.head.mapsetName, kZurich + " Topo");
}

TEST_F(ListFileWindows, PathOutsideTheCodePageIsRefusedAndTheOldListStays)
{
    const fs::path list = dir.path() / "maps.mwl";
    WriteBytes(list, "mapwren USB\r\nC:\\old.img\r\n");
    const std::string lodz = "C:\\Karten\\\xC5\x81\xC3\xB3" "d\xC5\xBA.img";   // "Łódź": Ł and ź are not in 1252

    const Status written = WriteListFile(Utf8FromPath(list), ListSettings{Port::Usb, "", 0, ""}, {lodz});

    EXPECT_FALSE(written.ok());
    EXPECT_EQ(ReadBytes(list), "mapwren USB\r\nC:\\old.img\r\n");
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<fs::path>{"maps.mwl"}) << "no temporary file is left";
}

TEST_F(ListFileWindows, ListFromAWindowsProgramFindsItsMapsInAFolderWithAnUmlaut)
{
    const fs::path folder = dir.path() / PathFromUtf8(kZurich + " Karten");
    fs::create_directory(folder);
    WriteImg(folder / PathFromUtf8(kZurich + ".img"), "Z\xFCrich", "", 0, 4096);
    const std::string mapPath = Utf8FromPath(folder / PathFromUtf8(kZurich + ".img"));
    WriteBytes(dir.path() / "list.mwl", "mapwren Auto\r\n" + Ansi1252(mapPath) + "\r\n");

    const ListFileContent read = ReadListFile(dir.folder() + "list.mwl");
    ASSERT_EQ(read.mapPaths, std::vector<std::string>{mapPath});
    const std::vector<MapRow> rows = RowsFromMapPaths(read.mapPaths);

    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].state, RowState::Unticked);
    EXPECT_EQ(rows[0].file, kZurich + ".img");
    EXPECT_EQ(rows[0].mapName.substr(0, 8), kZurich + " ");
    EXPECT_EQ(rows[0].bytes, 4096u);
}

} // namespace
} // namespace mapwren
