#include <gtest/gtest.h>

#include <filesystem>

#include "common/Paths.h"
#include "maplist/MapList.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fx = mapwren::testing;

class MapListTest : public ::testing::Test {
protected:
    // A row for a file written into the temporary folder (or, when missing, not written).
    MapRow Map(const std::string& file, std::uint64_t bytes, RowState state = RowState::Unticked)
    {
        if (state != RowState::Missing && !std::filesystem::exists(dir.path() / file))
            fx::WriteImg(dir.path() / file, file, "");
        return MapRow{state, file, dir.folder(), state == RowState::Missing ? "" : file, bytes};
    }
    std::string Short(const std::string& file) const { return GetShortFileName(dir.folder() + file); }
    std::string Names() const
    {
        std::string text;
        for (std::size_t i = 0; i < list.RowCount(); ++i)
            text += list.Row(i).file + (list.Row(i).state == RowState::Ticked ? "* " : " ");
        return text;
    }

    fx::TempDir dir;
    MapList list;
};

TEST_F(MapListTest, SelectAllTicksEveryRowButMissingOnesInGridOrder)
{
    list.AppendRows({Map("a.img", 100), Map("m.img", 0, RowState::Missing), Map("b.img", 1572864), Map("c.img", 7)});
    list.Toggle(3);   // c ticked by mouse first
    list.SelectAll();
    EXPECT_EQ(list.SelectedCount(), 3);
    EXPECT_EQ(list.SelectedBytes(), 1572971);
    EXPECT_EQ(list.SelectedFilesText(), Short("a.img") + " " + Short("b.img") + " " + Short("c.img") + " ");
    EXPECT_EQ(list.CountCaptionText(), "3 Maps Selected");
    EXPECT_EQ(list.TotalCaptionText(), "Total Bytes: 1572971 (1.5MB)");
    EXPECT_EQ(list.Row(1).state, RowState::Missing);
    EXPECT_EQ(list.CellText(1, 0), "  ");
    EXPECT_EQ(list.CellText(1, 4), "0");
    EXPECT_EQ(list.CellText(0, 0), " ");
    EXPECT_FALSE(list.Toggle(1));
    EXPECT_EQ(list.SelectedCount(), 3);
}

TEST_F(MapListTest, SelectNoneWritesItsFixedCaptionsAndClearKeepsThem)
{
    list.AppendRows({Map("a.img", 1572864), Map("b.img", 5)});
    list.SelectAll();
    list.SelectNone();
    EXPECT_EQ(list.CountCaptionText(), "0 Maps Selected");
    EXPECT_EQ(list.TotalCaptionText(), "Total Bytes: 0 (0MB)");
    EXPECT_EQ(list.SelectedFilesText(), "");
    EXPECT_EQ(Names(), "a.img b.img ");
    list.Toggle(0);
    list.Toggle(0);
    EXPECT_EQ(list.TotalCaptionText(), "Total Bytes: 0 (0.0MB)");
    list.Toggle(1);
    list.Clear();
    EXPECT_EQ(list.CountCaptionText(), "1 Map Selected");
    EXPECT_EQ(list.RowCount(), 0u);
    EXPECT_EQ(list.SelectedCount(), 0);
    EXPECT_EQ(list.SelectedBytes(), 0);
    EXPECT_TRUE(list.SelectedFiles().empty());
}

TEST_F(MapListTest, MapNameColumnNarrowsPastEighteenLoadedRows)
{
    std::vector<MapRow> rows(18, MapRow{RowState::Missing, "x.img", "/", "", 0});
    list.AppendRows(rows);
    EXPECT_EQ(list.ColumnWidth(3), 3990);
    list.AppendRows({rows[0]});
    EXPECT_EQ(list.ColumnWidth(3), 3740);
    EXPECT_EQ(list.LoadedRowCount(), 19);
    list.Clear();
    EXPECT_EQ(list.ColumnWidth(3), 3990);
    EXPECT_EQ(list.LoadedRowCount(), 0);
    const int widths[] = {250, 1300, 3607, 3990, 1020};
    for (int col = 0; col < 5; ++col)
        EXPECT_EQ(list.ColumnWidth(col), widths[col]);
}

TEST_F(MapListTest, UntickingOneOfTwoRowsOfTheSameFileLeavesOneEntry)
{
    list.AppendRows({Map("a.img", 10), Map("b.img", 20), Map("a.img", 10)});
    list.Toggle(0);
    list.Toggle(1);
    list.Toggle(2);
    EXPECT_EQ(list.SelectedFilesText(), Short("a.img") + " " + Short("b.img") + " " + Short("a.img") + " ");
    list.Toggle(2);
    EXPECT_EQ(list.SelectedFilesText(), Short("b.img") + " " + Short("a.img") + " ");
    EXPECT_EQ(Names(), "a.img* b.img* a.img ");
    EXPECT_EQ(list.SelectedBytes(), 30);
}

TEST_F(MapListTest, RowWithoutShortPathUnticksWithoutTouchingOthers)
{
    list.AppendRows({Map("a.img", 1), Map("gone.img", 2), Map("b.img", 3), Map("late.img", 4)});
    std::filesystem::remove(dir.path() / "gone.img");
    for (std::size_t row = 0; row < 4; ++row)
        list.Toggle(row);
    // A map whose file vanishes after its tick still leaves the selection whole.
    const std::string late = Short("late.img");
    std::filesystem::remove(dir.path() / "late.img");
    EXPECT_EQ(list.SelectedFilesText(), Short("a.img") + "  " + Short("b.img") + " " + late + " ");
    list.Toggle(1);
    EXPECT_EQ(list.SelectedFilesText(), Short("a.img") + " " + Short("b.img") + " " + late + " ");
    list.Toggle(3);
    EXPECT_EQ(list.SelectedFilesText(), Short("a.img") + " " + Short("b.img") + " ");
    list.Toggle(0);
    EXPECT_EQ(list.SelectedFilesText(), Short("b.img") + " ");
    EXPECT_EQ(list.CountCaptionText(), "1 Map Selected");
}

TEST_F(MapListTest, SortMarkersFollowTheReleases)
{
    list.AppendRows({Map("a.img", 5), Map("b.img", 6)});
    const char* mapName[] = {"> Map Name", "< Map Name", "> Map Name"};
    for (const char* caption : mapName) {
        list.SortByColumn(3);
        EXPECT_EQ(list.HeaderCaption(3), caption);
    }
    list.SortByColumn(4);
    EXPECT_EQ(list.HeaderCaption(3), "Map Name");
    EXPECT_EQ(list.HeaderCaption(4), "> Bytes");
    list.Clear();
    EXPECT_EQ(list.HeaderCaption(4), "Bytes");
    EXPECT_EQ(list.LastSortCol(), 4);
    list.SortByColumn(4);   // continues the direction from before the clear
    EXPECT_EQ(list.HeaderCaption(4), "< Bytes");
    list.SortByColumn(1);
    EXPECT_EQ(list.HeaderCaption(4), "Bytes");
    EXPECT_EQ(list.HeaderCaption(1), "> File");
}

TEST_F(MapListTest, TickColumnGathersTickedRowsAndKeepsTheSelection)
{
    MapList fresh;
    fresh.SortByColumn(0);
    EXPECT_EQ(fresh.HeaderCaption(0), "> ");
    fresh.SortByColumn(3);
    EXPECT_EQ(fresh.HeaderCaption(0), "");
    fresh.Clear();
    fresh.SortByColumn(0);
    EXPECT_EQ(fresh.HeaderCaption(0), "> ");
    EXPECT_EQ(fresh.HeaderCaption(3), "Map Name");   // the clear took its marker, nothing more is cut

    list.AppendRows({Map("a.img", 1), Map("b.img", 2), Map("m.img", 0, RowState::Missing), Map("c.img", 3)});
    list.Toggle(3);
    list.Toggle(1);
    const std::string selected = list.SelectedFilesText();
    list.SortByColumn(0);
    EXPECT_EQ(Names(), "b.img* c.img* a.img m.img ");
    list.SortByColumn(0);
    EXPECT_EQ(Names(), "a.img m.img b.img* c.img* ");
    EXPECT_EQ(list.SelectedFilesText(), selected);
    EXPECT_EQ(list.SelectedCount(), 2);
    EXPECT_EQ(list.SelectedBytes(), 5);
    list.Toggle(2);   // b, wherever the sort moved it
    EXPECT_EQ(list.SelectedFilesText(), Short("c.img") + " ");
}

TEST_F(MapListTest, SortsNumbersByValueBeforeTextsAndKeepsTiesInBothDirections)
{
    const auto row = [](const char* file, const char* name, std::uint64_t bytes) {
        return MapRow{RowState::Unticked, file, "/", name, bytes};
    };
    list.AppendRows({row("1", "beta", 100), row("2", "Alpha", 90), row("3", "  12  ", 100),
                     row("4", "-3.5", 1000), row("5", "ALPHA", 9), row("6", "7.25", 100)});
    list.SortByColumn(4);
    EXPECT_EQ(Names(), "5 2 1 3 6 4 ");
    list.SortByColumn(4);
    EXPECT_EQ(Names(), "4 1 3 6 2 5 ");
    list.SortByColumn(3);
    EXPECT_EQ(Names(), "4 6 3 2 5 1 ");
    list.SortByColumn(3);
    EXPECT_EQ(Names(), "1 2 5 3 6 4 ");
}

} // namespace
} // namespace mapwren
