// Map names from headers, Load Folder's rows, and the grid's rows, ticks,
// captions and sorting.
#include <gtest/gtest.h>

#include "common/Paths.h"
#include "maplist/Captions.h"
#include "maplist/FolderScan.h"
#include "maplist/MapList.h"
#include "maplist/MapName.h"
#include "maplist/ShortNames.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
namespace fx = mapwren::testing;

class MapListTest : public ::testing::Test {
protected:
    // A row for a file written into the temporary folder (a missing one is not written).
    MapRow Map(const std::string& file, std::uint64_t bytes, RowState state = RowState::Unticked)
    {
        if (state != RowState::Missing)
            testing::WriteImg(dir.path() / file, file, "");
        return MapRow{state, file, dir.folder(), state == RowState::Missing ? "" : file, bytes};
    }
    std::string Short(const std::string& file) const { return GetShortFileName(dir.folder() + file); }
    // Rows in grid order, "*" after a ticked one.
    std::string Rows() const
    {
        std::string text;
        for (std::size_t i = 0; i < list.RowCount(); ++i)
            text += list.Row(i).file + (list.Row(i).state == RowState::Ticked ? "* " : " ");
        return text;
    }
    // The selection's entries by file name; an empty entry shows as nothing.
    std::string Selected() const
    {
        std::string text;
        for (const std::string& entry : list.SelectedFiles())
            text += entry.substr(entry.find_last_of("/\\") + 1) + " ";
        return text;
    }

    testing::TempDir dir;
    MapList list;
};

TEST_F(MapListTest, SelectAllTicksEveryRowButMissingOnesInGridOrder)
{
    list.AppendRows({Map("a.img", 100), Map("m.img", 0, RowState::Missing), Map("b.img", 1572864),
                     Map("c.img", 7, RowState::Ticked)});   // a row never arrives ticked
    EXPECT_EQ(Rows(), "a.img m.img b.img c.img ");
    list.Toggle(3);
    list.SelectAll();
    EXPECT_EQ(list.SelectedFilesText(), Short("a.img") + " " + Short("b.img") + " " + Short("c.img") + " ");
    EXPECT_EQ(list.CountCaptionText(), "3 Maps Selected");
    EXPECT_EQ(list.TotalCaptionText(), "Total Bytes: 1572971 (1.5MB)");
    EXPECT_EQ(list.CellText(0, 0) + "|" + list.CellText(1, 0) + "|" + list.CellText(1, 4), " |  |0");
    EXPECT_FALSE(list.Toggle(1));
    EXPECT_EQ(list.SelectedCount(), 3);

    list.SelectNone();
    list.Toggle(3);
    EXPECT_EQ(Rows() + list.CountCaptionText() + "|" + list.TotalCaptionText(),
              "a.img m.img b.img c.img* 1 Map Selected|Total Bytes: 7 (0.0MB)");
}

TEST(Captions, MegabytesRoundAHalfUpWithAPoint)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0.0"}, {1572864, "1.5"}, {3221225472, "3072.0"}, {262143, "0.2"}, {262144, "0.3"},
        {786432, "0.8"}, {104805172, "100.0"},   // 99.95 MB and a little carries into the units
    };
    for (const auto& [bytes, megabytes] : cases)
        EXPECT_EQ(TotalCaption(bytes), "Total Bytes: " + std::to_string(bytes) + " (" + megabytes + "MB)");
}

TEST_F(MapListTest, UntickingRemovesTheEntryItsTickAdded)
{
    list.AppendRows({Map("a.img", 1), Map("gone.img", 2), Map("b.img", 4), Map("late.img", 8), Map("a.img", 16)});
    std::filesystem::remove(dir.path() / "gone.img");
    for (std::size_t row = 0; row < 5; ++row)
        list.Toggle(row);
    std::filesystem::remove(dir.path() / "late.img");   // vanishes after its tick
    EXPECT_EQ(Selected(), "a.img  b.img late.img a.img ");
    // Equal entries: the first one goes.
    const std::pair<std::size_t, const char*> unticks[] = {
        {4, " b.img late.img a.img "}, {1, "b.img late.img a.img "}, {3, "b.img a.img "}, {0, "b.img "}};
    for (const auto& [row, left] : unticks) {
        list.Toggle(row);
        EXPECT_EQ(Selected(), left) << row;
    }
    EXPECT_EQ(list.SelectedBytes(), 4);
    EXPECT_EQ(Rows(), "a.img gone.img b.img* late.img a.img ");
}

TEST_F(MapListTest, SortingKeepsTheSelectionAndMovesTheMarker)
{
    list.AppendRows({Map("a.img", 1), Map("b.img", 2), Map("m.img", 0, RowState::Missing), Map("c.img", 3)});
    list.Toggle(3);
    list.Toggle(1);
    const std::tuple<int, const char*, const char*> sorts[] = {
        {0, "b.img* c.img* a.img m.img ", "> |File|Folder|Map Name|Bytes|"},
        {0, "a.img m.img b.img* c.img* ", "< |File|Folder|Map Name|Bytes|"},
        {4, "m.img a.img b.img* c.img* ", "|File|Folder|Map Name|> Bytes|"},
        {-1, "", "|File|Folder|Map Name|Bytes|"},      // Clear
        {4, "", "|File|Folder|Map Name|< Bytes|"},     // the direction goes on from before the clear
        {1, "", "|> File|Folder|Map Name|Bytes|"}};
    for (const auto& [col, rows, headers] : sorts) {
        if (col < 0) {
            EXPECT_EQ(Selected(), "c.img b.img ");
            list.Toggle(2);   // b, wherever the sort moved it
            EXPECT_EQ(Selected() + std::to_string(list.SelectedBytes()), "c.img 3");
        }
        col < 0 ? list.Clear() : list.SortByColumn(col);
        std::string captions;
        for (int c = 0; c < 5; ++c)
            captions += list.HeaderCaption(c) + "|";
        EXPECT_EQ(Rows() + captions, std::string(rows) + headers) << col;
    }
}

TEST_F(MapListTest, SortsNumbersByValueBeforeTextsAndKeepsTiesInBothDirections)
{
    const auto row = [](const char* file, const char* name, std::uint64_t bytes) {
        return MapRow{RowState::Unticked, file, "/", name, bytes};
    };
    list.AppendRows({row("1", "beta", 100), row("2", "Alpha", 90), row("3", "  12  ", 100),
                     row("4", "-3.5", 1000), row("5", "ALPHA", 9), row("6", "+7.250", 100), row("7", "-0", 5)});
    const std::pair<int, const char*> sorts[] = {
        {4, "7 5 2 1 3 6 4 "}, {4, "4 1 3 6 2 5 7 "}, {3, "4 7 6 3 2 5 1 "}, {3, "1 2 5 3 6 7 4 "}};
    for (const auto& [col, rows] : sorts) {
        list.SortByColumn(col);
        EXPECT_EQ(Rows(), rows) << col;
    }
}

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

TEST(FolderScan, MoreNamesThanTheShortSortTakesKeepTiesInOrder)
{
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
