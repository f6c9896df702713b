// Map names from headers, Load Folder's rows, and the short paths Select All
// works out in bulk.
#include <gtest/gtest.h>

#include "common/Paths.h"
#include "maplist/FolderScan.h"
#include "maplist/MapList.h"
#include "maplist/MapName.h"
#include "maplist/ShortNames.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
namespace fx = mapwren::testing;
using Names = std::vector<std::string>;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

TEST(MapName, JoinsBothFieldsUntrimmedAndUndoesTheXorByte)
{
    struct Case { std::string first, second; std::uint8_t key; std::string name; };
    const Case cases[] = {
        {std::string("N\0L", 3), std::string(30, '\0'), 0x5A, "N L" + Blanks(47)},   // a NUL shows as a blank
        {"ABCDEFGHIJKLMNOPQRST", "XY", 0, "ABCDEFGHIJKLMNOPQRSTXY" + Blanks(28)},
        {"Topo", "Deutschland", 0x5A, "Topo" + Blanks(16) + "Deutschland" + Blanks(19)},
        {"Topo", "", 0xFF, "Topo" + Blanks(46)},
    };
    fx::TempDir dir;
    for (const auto& c : cases) {
        fx::WriteImg(dir.path() / "m.img", c.first, c.second, c.key, 4000);
        const auto info = ReadMapFile(dir.folder() + "m.img");
        ASSERT_TRUE(info.ok()) << info.error();
        EXPECT_EQ(info.value().mapName, c.name) << int(c.key);
        EXPECT_EQ(info.value().size, 4000u);
    }
    // Past the end of a short file every name byte is a blank, whatever the XOR byte.
    std::string bytes(80, '\x33');
    bytes.replace(73, 7, "`[\\AGVA");   // "Shorter" XOR 0x33
    fx::WriteBytes(dir.path() / "short.img", bytes);
    EXPECT_EQ(ExtractName(dir.folder() + "short.img").value(), "Shorter" + Blanks(43));
    fx::WriteBytes(dir.path() / "empty.img", "");
    EXPECT_EQ(ExtractName(dir.folder() + "empty.img").value(), Blanks(50));

    for (const std::string& path : {dir.folder() + "gone.img", dir.folder(), dir.folder() + std::string("a\0b.img", 7)}) {
        const auto info = ReadMapFile(path);
        ASSERT_FALSE(info.ok()) << path;
        EXPECT_NE(info.error().find(path.substr(0, path.find('\0'))), std::string::npos) << info.error();
    }
}

// Rows as "file [first four of the name] bytes", "?" marking a wrong folder or state.
std::string Describe(const FolderScan& scan, const std::string& folder)
{
    std::string text = scan.unreadable.empty() ? "" : "unreadable! ";
    for (const MapRow& row : scan.rows)
        text += row.file + (row.folder == folder && row.state == RowState::Unticked ? " [" : " ?[") +
                row.mapName.substr(0, 4) + "] " + std::to_string(row.bytes) + "\n";
    return text;
}

TEST(FolderScan, ListsOnlyImgFilesInCaseBlindOrder)
{
    fx::TempDir dir;
    fx::WriteImg(dir.path() / "b.img", "Bravo", "");
    fx::WriteImg(dir.path() / "A.IMG", "Alpha", "", 0, 5000);
    fx::WriteImg(dir.path() / "_c.iMg", "Under", "");   // "_" goes before letters, as they fold to lower case
    fx::WriteBytes(dir.path() / "c.txt", "text");
    fs::create_directory(dir.path() / "d.img");
    fx::WriteBytes(dir.path() / "img", "");
    fx::WriteBytes(dir.path() / "e.img.bak", "");
#ifndef _WIN32   // a leading dot hides a file only on POSIX
    fx::WriteImg(dir.path() / ".hidden.img", "Hidden", "");
#endif
    EXPECT_EQ(ListImgFiles(dir.folder()), (Names{"_c.iMg", "A.IMG", "b.img"}));
    EXPECT_EQ(Describe(ScanFolder(dir.folder()), dir.folder()), "_c.iMg [Unde] 131\nA.IMG [Alph] 5000\nb.img [Brav] 131\n");
    EXPECT_TRUE(ScanFolder(dir.folder() + "nowhere" + kPathSeparator).rows.empty());
}

TEST(FolderScan, ManyNamesSortedWithoutRegardToCaseKeepingTies)
{
    fx::TempDir dir;   // more names than the short sort takes, some in capitals, created out of order
    for (int i = 0; i < 100; ++i)
        fx::WriteImg(dir.path() / ((i % 3 ? "t" : "T") + std::to_string(100 + (i * 37) % 100) + ".img"), "", "");
    const Names listed = ListImgFiles(dir.folder());
    const FolderScan scan = ScanFolder(dir.folder());
    ASSERT_EQ(listed.size(), 100u);
    ASSERT_EQ(scan.rows.size(), 100u);
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].substr(1), std::to_string(100 + i) + ".img");
        EXPECT_EQ(scan.rows[i].file, listed[i]);
    }
    // Names equal but for case keep the order they came in.
    Names names, expected;
    for (int i = 74; i >= 0; --i) {
        const std::string n = std::to_string(1000 + i) + ".img";
        names.insert(names.end(), {(i % 2 ? "MAP" : "map") + n, (i % 2 ? "map" : "MAP") + n});
    }
    for (std::size_t i = names.size(); i > 0; i -= 2)
        expected.insert(expected.end(), {names[i - 2], names[i - 1]});
    QuickSortStringsStart(names, true, false);
    EXPECT_EQ(names, expected);
}

// Select All works out short paths in bulk; each must be what ticking the row alone gives.
TEST(ShortNames, BulkAnswersMatchOneByOne)
{
    fx::TempDir dir;
    std::vector<MapRow> rows;
    const auto add = [&](const std::string& file, RowState state = RowState::Unticked) {
        rows.push_back({state, file, dir.folder(), "", 1});
    };
    for (int i = 0; i < 80; ++i) {   // enough rows of one folder to list it
        fx::WriteImg(dir.path() / ("m" + std::to_string(i) + ".img"), "", "");
        add("m" + std::to_string(i) + ".img");
    }
    fs::create_directory(dir.path() / "sub.img");
    fx::WriteImg(dir.path() / ".hidden.img", "", "");
    for (const char* file : {"gone.img", "sub.img", ".hidden.img", "", "m3.img"})
        add(file);
#ifndef _WIN32   // symbolic links need a privilege on Windows
    fs::create_symlink(dir.path() / "m1.img", dir.path() / "link.img");
    fs::create_symlink(dir.path() / "nowhere.img", dir.path() / "dangling.img");
    add("link.img");
    add("dangling.img");
#endif
    add("m2.img", RowState::Missing);
    const Names shorts = ShortFileNames(rows);
    MapList list;
    list.AppendRows(rows);
    list.SelectAll();
    std::string text;
    ASSERT_EQ(shorts.size(), rows.size());
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        EXPECT_EQ(shorts[i], GetShortFileName(rows[i].FullPath())) << rows[i].file;
        text += shorts[i] + " ";
    }
    EXPECT_EQ(shorts.back(), "");
    EXPECT_NE(shorts[0], "");
    EXPECT_EQ(list.SelectedFilesText(), text);
}

} // namespace
} // namespace mapwren
