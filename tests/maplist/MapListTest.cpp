// The grid's rows, ticks, captions and sorting.
#include <gtest/gtest.h>

#include "common/Paths.h"
#include "maplist/Captions.h"
#include "maplist/MapList.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

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

} // namespace
} // namespace mapwren
