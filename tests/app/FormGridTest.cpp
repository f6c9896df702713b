// The grid and the map list's buttons: presses tick, releases over the
// header sort, Load Folder fills, Select All/None and Clear.
#include <gtest/gtest.h>

#include "app/FormFixture.h"

namespace mapwren::testing {
namespace {

const std::vector<MapSpec> kThree = {{"a.img", "Charlie", 1000}, {"b.img", "Alpha", 900}, {"c.img", "Bravo", 1572864}};

// A form with the three maps loaded, the summary captions hidden by a Clear before.
struct Loaded : Form {
    explicit Loaded(std::initializer_list<const char*> tools = {"sendmap.exe", "sendmap20.exe"}) : Form(tools)
    {
        WriteMaps(kThree);
        LoadFolder();
        w->Click("cmdClearGrid");
        LoadFolder();
    }
};

std::string Headers(const Form& f)
{
    std::string headers;
    for (int col = 0; col < 5; ++col)
        headers += f.w->Maps().HeaderCaption(col) + "|";
    return headers;
}

std::string Cell(const Form& f) { return std::to_string(f.w->Row()) + "," + std::to_string(f.w->Col()); }

TEST(FormGrid, OnlyAPlainLeftPressOnATickCellTicks)
{
    const struct { int button, shift; bool ticks; } cases[] = {
        {kLeft, 0, true}, {kRight, 0, false}, {kMiddle, 0, false},
        {kLeft, kShift, false}, {kLeft, kCtrl, false}, {kLeft, kAlt, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button * 10 + c.shift);
        Loaded f;
        f.Press(2, 0, c.button, c.shift);
        EXPECT_EQ(f.Ticks(), c.ticks ? ".v." : "...");
        EXPECT_EQ(f.w->lblFilesSelected.visible && f.w->lblTotalBytes.visible, c.ticks);
        EXPECT_EQ(f.w->lblFilesSelected.visible || f.w->lblTotalBytes.visible, c.ticks);
        // With a map ticked, any press makes Erase and Upload usable again
        // after the first variant greyed them with USB selected ...
        f.w->Click("optUSB");
        f.Press(1, 0);
        f.w->MenuClick("mnuUseSendmap1");
        EXPECT_EQ(f.Enabled({"cmdEraseGPS", "cmdUpload", "cmdCreateFile"}), "000");
        f.Press(1, 1, c.button, c.shift);
        EXPECT_EQ(f.Enabled({"cmdEraseGPS", "cmdUpload", "cmdCreateFile"}), "111");
        // ... and so does one on the header, but for a plain left press, left to the sort.
        f.w->MenuClick("mnuUseSendmap1");
        f.Press(0, 1, c.button, c.shift);
        EXPECT_EQ(f.Enabled({"cmdEraseGPS", "cmdUpload", "cmdCreateFile"}), c.ticks ? "000" : "111");
    }
}

TEST(FormGrid, PressesTickAndKeepCountTotalAndFilesInStep)
{
    Loaded f;
    for (int col = 1; col <= 4; ++col)
        f.Press(1, col);
    EXPECT_EQ(f.Ticks(), "...");
    EXPECT_TRUE(f.w->lblFilesSelected.visible && f.w->lblTotalBytes.visible);
    EXPECT_EQ(Cell(f), "1,4");
    const struct { int row; const char* captions; Texts files; const char* buttons; } steps[] = {
        {3, "1 Map Selected | Total Bytes: 1572864 (1.5MB)", {"c.img"}, "1111"},
        {1, "2 Maps Selected | Total Bytes: 1573864 (1.5MB)", {"c.img", "a.img"}, "1111"},
        {3, "1 Map Selected | Total Bytes: 1000 (0.0MB)", {"a.img"}, "1111"},
        {1, "0 Maps Selected | Total Bytes: 0 (0.0MB)", {}, "0000"}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.captions);
        f.Press(s.row, 0);
        EXPECT_EQ(f.Captions(), s.captions);
        std::string files;
        for (const std::string& file : s.files)
            files += MapArg(f, file) + " ";
        EXPECT_EQ(f.w->Maps().SelectedFilesText(), files);
        EXPECT_EQ(f.Enabled({"cmdUpload", "cmdCreateFile", "cmdSelectNone", "cmdSaveList"}), s.buttons);
        EXPECT_EQ(Cell(f), std::to_string(s.row) + ",0");
    }
    // A press on the bare area past the last row or column reaches no cell;
    // the second press of a double click flips the row back.
    f.Press(3, 0);
    f.w->MSFlexGrid1_MouseDown(kLeft, 0, 600, 3 * 240 + 360, -1, -1);
    f.w->MSFlexGrid1_MouseDown(kLeft, 0, 160000, 2 * 240 + 120, 2, -1);
    EXPECT_EQ(Cell(f), "3,0");
    f.Press(2, 0);
    f.Press(2, 0);
    EXPECT_EQ(f.Ticks(), "..v");
}

TEST(FormGrid, WithoutAPortTickingAndSelectAllLeaveTheUploadButtons)
{
    Loaded f({"sendmap.exe"});
    f.Press(1, 0);
    EXPECT_EQ(f.ListButtons(), "111001");
    f.w->Click("cmdSelectAll");
    EXPECT_EQ(f.ListButtons(), "011001");
}

TEST(FormGrid, AMissingFileRowNeverTicks)
{
    Loaded f;
    f.LoadList("l.mwl", "mapwren Auto\r\n" + f.MapsText() + "gone.img\r\n");
    f.Press(4, 0);
    EXPECT_EQ(f.Ticks(), "...x");
    // With its cell current a header press leaves the current cell; from
    // any other cell it makes the header's first cell current.
    f.w->MSFlexGrid1_MouseDown(kLeft, 0, 600, 120, 0, 2);
    EXPECT_EQ(Cell(f), "4,0");
    f.Press(1, 2);
    f.w->MSFlexGrid1_MouseDown(kLeft, 0, 600, 120, 0, 2);
    EXPECT_EQ(Cell(f), "0,0");
}

TEST(FormGrid, ReleasesOverTheHeaderSort)
{
    Loaded f;
    const struct { int col, button, shift; const char* headers; int sorted; Texts column; } steps[] = {
        {3, kLeft, 0, "|File|Folder|> Map Name|Bytes|", 1, {"b.img", "c.img", "a.img"}},
        {3, kLeft, 0, "|File|Folder|< Map Name|Bytes|", 1, {"a.img", "c.img", "b.img"}},
        {3, kLeft, 0, "|File|Folder|> Map Name|Bytes|", 1, {"b.img", "c.img", "a.img"}},
        {4, kRight, kShift, "|File|Folder|Map Name|> Bytes|", 4, {"900", "1000", "1572864"}},
        {1, kMiddle, kCtrl | kAlt, "|> File|Folder|Map Name|Bytes|", 1, {"a.img", "b.img", "c.img"}},
        {1, kLeft, 0, "|< File|Folder|Map Name|Bytes|", 1, {"c.img", "b.img", "a.img"}},
        {2, kLeft, 0, "|File|> Folder|Map Name|Bytes|", 1, {"c.img", "b.img", "a.img"}},
        {-1, kLeft, 0, "|File|> Folder|Map Name|Bytes|", 1, {"c.img", "b.img", "a.img"}}};   // past the last header
    for (const auto& s : steps) {
        SCOPED_TRACE(s.headers);
        f.Press(0, s.col, s.button, s.shift);
        EXPECT_EQ(Headers(f), s.headers);
        EXPECT_EQ(f.Column(s.sorted), s.column);
        EXPECT_EQ(Cell(f), "0," + std::to_string(s.col < 0 ? 0 : s.col));
    }
}

TEST(FormGrid, SortingTheTickColumnGathersTheTickedMaps)
{
    Loaded f;
    f.Press(2, 0);
    const std::string files = f.w->Maps().SelectedFilesText();
    f.Press(0, 0);
    EXPECT_EQ(Headers(f), "> |File|Folder|Map Name|Bytes|");
    EXPECT_EQ(f.Ticks() + f.Column(1)[0], "v..b.img");
    EXPECT_EQ(f.w->Maps().SelectedFilesText(), files);
    EXPECT_EQ(f.w->lblFilesSelected.text, "1 Map Selected");
    // A press on a tick cell released over the header ticks and sorts.
    f.w->MSFlexGrid1_MouseDown(kLeft, 0, 100, 3 * 240 + 120, 3, 0);
    f.w->MSFlexGrid1_MouseUp(kLeft, 0, 100, 120, 0, 0);
    EXPECT_EQ(Headers(f), "< |File|Folder|Map Name|Bytes|");
    EXPECT_EQ(f.Ticks(), ".vv");
}

TEST(FormMapList, LoadFolderAddsTheFolderMapsInNameOrderWithTheGridHidden)
{
    Form f;
    WriteImg(f.Maps() / "b.img", "Beta", "");
    WriteImg(f.Maps() / "A.IMG", "Alpha", "", 0x5A, 3000);
    WriteBytes(f.Maps() / "c.txt", "not a map");
    fs::create_directory(f.Maps() / "d.img");
    std::string atRepaint;   // grid shown, "Processing" shown, rows
    f.desktop.onRepaint = [&] {
        atRepaint = std::to_string(f.w->MSFlexGrid1.visible) + std::to_string(f.w->lblProcessing.visible) +
                    std::to_string(f.w->Maps().RowCount());
    };
    f.LoadFolder();
    ASSERT_EQ(f.desktop.dialogs.size(), 1u);
    const FileDialogRequest& d = f.desktop.dialogs[0].request;
    EXPECT_EQ(d.title + "|" + d.filter + "|" + d.fileName + (f.desktop.dialogs[0].save ? "|save" : "|open"),
              "Select Folder Containing Garmin .img Files|Garmin IMG Files (*.img)|*.img|*.img|open");
    EXPECT_EQ(d.flags, kPathMustExist | kHideReadOnly | kNoChangeDir | kExplorer | kNoValidate);
    EXPECT_EQ(atRepaint, "010");
    EXPECT_TRUE(f.w->MSFlexGrid1.visible);
    const Texts names = {"Alpha" + std::string(45, ' '), "Beta" + std::string(46, ' ')};
    const std::vector<Texts> columns = {{"  ", "  "}, {"A.IMG", "b.img"}, {f.MapsText(), f.MapsText()}, names, {"3000", "131"}};
    for (int col = 0; col < 5; ++col)
        EXPECT_EQ(f.Column(col), columns[col]);
    EXPECT_EQ(f.Ticks() + " " + f.ListButtons() + " " + Cell(f) + " " + f.Only(), ".. 100001 2,0 0 messages");
    // Loading again appends and keeps the selection.
    f.Press(2, 0);
    f.LoadFolder();
    EXPECT_EQ(f.Column(1), (Texts{"A.IMG", "b.img", "A.IMG", "b.img"}));
    EXPECT_EQ(f.Ticks() + " " + f.w->lblFilesSelected.text, ".v.. 1 Map Selected");
}

TEST(FormMapList, CancelOrAFolderWithoutMapsAddsNothing)
{
    Form f;
    for (const std::optional<std::string>& answer : {std::optional<std::string>(), std::optional<std::string>("*.img")}) {
        f.desktop.nextFile = answer;
        f.w->Click("cmdFileOpen");
        EXPECT_EQ(f.ListButtons() + std::to_string(f.desktop.repaints), "0000000");
    }
    WriteBytes(f.Maps() / "readme.txt", "no maps");
    f.LoadFolder();
    EXPECT_EQ(f.w->Maps().RowCount(), 0u);
    EXPECT_EQ(f.ListButtons(), "000001");
}

TEST(FormMapList, ColumnWidthsAndTheMapNameColumnNarrowingPastEighteenRows)
{
    Form f;
    for (int i = 0; i < 18; ++i)
        f.WriteMaps({{"m" + std::to_string(100 + i) + ".img", "Map", 200}});
    std::string widths;
    for (int col = 0; col < 5; ++col)
        widths += std::to_string(f.w->Maps().ColumnWidth(col)) + " ";
    EXPECT_EQ(widths, "250 1300 3607 3990 1020 ");
    f.LoadFolder();
    EXPECT_EQ(f.w->Maps().ColumnWidth(3), 3990);
    fs::remove(f.Maps() / "m101.img");
    f.LoadFolder();   // 17 more
    EXPECT_EQ(f.w->Maps().ColumnWidth(3), 3740);
    f.w->Click("cmdClearGrid");
    EXPECT_EQ(f.w->Maps().ColumnWidth(3), 3990);
}

TEST(FormMapList, SelectAllSelectNoneAndClear)
{
    Form f;
    f.WriteMaps({{"a.img", "A", 1048576}, {"b.img", "B", 524288}});
    f.LoadFolder();
    f.LoadList("l.mwl", "mapwren Auto\r\n" + f.MapsText() + "gone.img\r\n");
    f.Press(2, 0);
    const std::string all = "2 Maps Selected | Total Bytes: 1572864 (1.5MB)";
    const struct { const char* button; const char* ticks; std::string captions; const char* buttons; bool shown; } steps[] = {
        {"cmdSelectAll", "vvx", all, "011111", true},
        {"cmdSelectNone", "..x", "0 Maps Selected | Total Bytes: 0 (0MB)", "100001", true},
        {"cmdSelectAll", "vvx", all, "011111", true},
        {"cmdClearGrid", "", all, "000000", false}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.button);
        f.w->TakeFocusRequest();
        f.w->Click(s.button);
        EXPECT_EQ(f.Ticks() + " " + f.Captions() + " " + f.ListButtons(), std::string(s.ticks) + " " + s.captions + " " + s.buttons);
        EXPECT_EQ(f.w->lblFilesSelected.visible && f.w->lblTotalBytes.visible, s.shown);
        EXPECT_EQ(f.w->lblFilesSelected.visible || f.w->lblTotalBytes.visible, s.shown);
        EXPECT_EQ(Cell(f) + f.w->TakeFocusRequest(), s.shown ? "3,0" : "0,0cmdFileOpen");
    }
    EXPECT_EQ(f.w->Maps().SelectedCount(), 0);
}

} // namespace
} // namespace mapwren::testing
