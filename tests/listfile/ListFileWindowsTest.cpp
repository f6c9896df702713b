// List files on Windows are in the ANSI code page (1252 here), as other
// Windows programs of the upload tool's kind read them.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/Paths.h"
#include "listfile/ListFile.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using namespace mapwren::testing;

TEST(ListFileWindows, AnsiBytesBothWaysAndWhatTheCodePageLacksIsRefused)
{
    ASSERT_EQ(GetACP(), 1252u) << "run with code page 1252 (LC_ALL=C.UTF-8 under Wine)";
    TempDir dir;
    const fs::path folder = dir.path() / PathFromUtf8("Z\xC3\xBCrich Karten");
    fs::create_directory(folder);
    WriteImg(folder / PathFromUtf8("Z\xC3\xBCrich.img"), "Z\xFCrich", "", 0, 4096);
    const std::string map = Utf8FromPath(folder) + "\\Z\xC3\xBCrich.img";
    const std::string list = dir.folder() + "Z\xC3\xBCrich.mwl";
    ASSERT_TRUE(WriteListFile(list, {Port::Com, "COM3", 1, "Z\xC3\xBCrich Topo"}, {map}).ok());
    std::string ansi = map;
    ansi.replace(ansi.find("\xC3\xBC"), 2, "\xFC");
    ansi.replace(ansi.find("\xC3\xBC"), 2, "\xFC");
    EXPECT_EQ(ReadBytes(PathFromUtf8(list)), "mapwren COM3 mapset:1 Z\xFCrich Topo\r\n" + ansi + "\r\n");

    const ListFileContent read = ReadListFile(list);
    ASSERT_EQ(read.mapPaths, std::vector<std::string>{map}) << read.message;
    EXPECT_EQ(read.head.mapsetName, "Z\xC3\xBCrich Topo");
    const std::vector<MapRow> rows = RowsFromMapPaths(read.mapPaths);
    EXPECT_EQ(rows[0].file + "|" + rows[0].mapName.substr(0, 8) + "|" + std::to_string(rows[0].bytes),
              "Z\xC3\xBCrich.img|Z\xC3\xBCrich |4096");

    const std::string lodz = "C:\\Karten\\\xC5\x81\xC3\xB3" "d\xC5\xBA.img";   // "Łódź": no Ł or ź in 1252
    EXPECT_FALSE(WriteListFile(list, {Port::Usb, "", 0, ""}, {lodz}).ok());
    EXPECT_EQ(ReadListFile(list).mapPaths, std::vector<std::string>{map});
}

} // namespace
} // namespace mapwren
