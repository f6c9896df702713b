// The grid and the map list's buttons: presses tick, releases over the
// header sort, Load Folder fills, Select All/None and Clear.
#include <gtest/gtest.h>

#include "app/FormFixture.h"

namespace mapwren::testing {
namespace {

const std::vector<MapSpec> kThree = {{"a.img", "Charlie", 1000}, {"b.img", "Alpha", 900}, {"c.img", "Bravo", 1572864}};

std::string Headers(const Form& f)
{
    std::string headers;
    for (int col = 0; col < 5; ++col)
        headers += f.w->Maps().HeaderCaption(col) + "|";
    return headers;
}

TEST(FormGrid, OnlyAPlainLeftPressOnATickCellTicks)
{
    struct Case {
        const char* name;
        int button, shift;
        bool ticks;
    };
    const Case cases[] = {{"left", kLeft, 0, true},          {"right", kRight, 0, false},
                          {"middle", kMiddle, 0, false},     {"left with Shift", kLeft, kShift, false},
                          {"left with Ctrl", kLeft, kCtrl, false}, {"left with Alt", kLeft, kAlt, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form f;
        f.WriteMaps(kThree);
        f.LoadFolder();
        f.w->Click("cmdClearGrid");   // hides the summary captions
        f.LoadFolder();
        f.Press(2, 0, c.button, c.shift);
        EXPECT_EQ(f.Ticks(), c.ticks ? ".v." : "...");
        EXPECT_EQ(f.w->lblFilesSelected.visible, c.ticks);
        EXPECT_EQ(f.w->lblTotalBytes.visible, c.ticks);
        // With a map ticked, any press makes Erase and Upload usable again
        // after the first variant greyed them with USB selected.
        f.w->Click("optUSB");
        f.Press(1, 0);
        f.w->MenuClick("mnuUseSendmap1");
        EXPECT_EQ(f.Enabled({"cmdEraseGPS", "cmdUpload", "cmdCreateFile"}), "000");
        f.Press(1, 1, c.button, c.shift);
        EXPECT_EQ(f.Enabled({"cmdEraseGPS", "cmdUpload", "cmdCreateFile"}), "111");
        // So does one on the header, but for a plain left press, left to the sort.
        f.w->MenuClick("mnuUseSendmap1");
        f.Press(0, 1, c.button, c.shift);
        EXPECT_EQ(f.Enabled({"cmdEraseGPS", "cmdUpload", "cmdCreateFile"}), c.ticks ? "000" : "111");
    }
}

TEST(FormGrid, PressesTickAndKeepCountTotalAndFilesInStep)
{
    Form f;
    f.WriteMaps(kThree);
    f.LoadFolder();
    f.w->Click("cmdClearGrid");
    f.LoadFolder();
    for (int col = 1; col <= 4; ++col)
        f.Press(1, col);
    EXPECT_EQ(f.Ticks(), "...");
    EXPECT_TRUE(f.w->lblFilesSelected.visible && f.w->lblTotalBytes.visible);
    EXPECT_EQ(f.w->Row() * 10 + f.w->Col(), 14);
    const auto buttons = {"cmdUpload", "cmdCreateFile", "cmdSelectNone", "cmdSaveList"};
    struct Step {
        int row;
        const char* captions;
        std::vector<std::string> files;
        const char* buttons;
    };
    const Step steps[] = {
        {3, "1 Map Selected | Total Bytes: 1572864 (1.5MB)", {"c.img"}, "1111"},
        {1, "2 Maps Selected | Total Bytes: 1573864 (1.5MB)", {"c.img", "a.img"}, "1111"},
        {3, "1 Map Selected | Total Bytes: 1000 (0.0MB)", {"a.img"}, "1111"},
        {1, "0 Maps Selected | Total Bytes: 0 (0.0MB)", {}, "0000"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.captions);
        f.Press(s.row, 0);
        EXPECT_EQ(f.Captions(), s.captions);
        std::string files;
        for (const std::string& file : s.files)
            files += MapArg(f, file) + " ";
        EXPECT_EQ(f.w->Maps().SelectedFilesText(), files);
        EXPECT_EQ(f.Enabled(buttons), s.buttons);
    }
    EXPECT_EQ(f.w->Row() * 10 + f.w->Col(), 10);
    // A press on the bare area past the last row reaches no cell; a second
    // quick press on a tick cell flips it back.
    f.Press(3, 0);
    f.w->MSFlexGrid1_MouseDown(kLeft, 0, 600, 3 * 240 + 360, -1, -1);
    EXPECT_EQ(f.Ticks(), "..v");
    f.Press(2, 0);
    f.Press(2, 0);
    EXPECT_EQ(f.Ticks(), "..v");
}

TEST(FormGrid, WithoutAPortTickingAndSelectAllLeaveTheUploadButtons)
{
    Form f({"sendmap.exe"});
    f.WriteMaps(kThree);
    f.LoadFolder();
    f.Press(1, 0);
    const auto buttons = {"cmdSelectAll", "cmdSelectNone", "cmdSaveList", "cmdUpload", "cmdCreateFile", "cmdClearGrid"};
    EXPECT_EQ(f.Enabled(buttons), "111001");
    f.w->Click("cmdSelectAll");
    EXPECT_EQ(f.Enabled(buttons), "011001");
}

TEST(FormGrid, AMissingFileRowNeverTicks)
{
    Form f;
    f.WriteMaps(kThree);
    f.LoadFolder();
    WriteBytes(f.Maps() / "l.mwl", "mapwren Auto\r\n" + f.MapsText() + "gone.img\r\n");
    f.LoadList(f.Maps() / "l.mwl");
    f.Press(4, 0);
    EXPECT_EQ(f.Ticks(), "...x");
    // With the missing-file cell current a header press leaves the current cell.
    f.w->MSFlexGrid1_MouseDown(kLeft, 0, 600, 120, 0, 2);
    EXPECT_EQ(f.w->Row(), 4);
    // From any other cell it makes the header's first cell current.
    f.Press(1, 2);
    f.w->MSFlexGrid1_MouseDown(kLeft, 0, 600, 120, 0, 2);
    EXPECT_EQ(f.w->Row() * 10 + f.w->Col(), 0);
}

TEST(FormGrid, ReleasesOverTheHeaderSort)
{
    Form f;
    f.WriteMaps(kThree);
    f.LoadFolder();
    struct Step {
        int col, button, shift;
        const char* headers;
        int sortedCol;
        std::vector<std::string> column;
    };
    const Step steps[] = {
        {3, kLeft, 0, "|File|Folder|> Map Name|Bytes|", 1, {"b.img", "c.img", "a.img"}},
        {3, kLeft, 0, "|File|Folder|< Map Name|Bytes|", 1, {"a.img", "c.img", "b.img"}},
        {3, kLeft, 0, "|File|Folder|> Map Name|Bytes|", 1, {"b.img", "c.img", "a.img"}},
        {4, kRight, kShift, "|File|Folder|Map Name|> Bytes|", 4, {"900", "1000", "1572864"}},
        {1, kMiddle, kCtrl | kAlt, "|> File|Folder|Map Name|Bytes|", 1, {"a.img", "b.img", "c.img"}},
        {1, kLeft, 0, "|< File|Folder|Map Name|Bytes|", 1, {"c.img", "b.img", "a.img"}},
        {2, kLeft, 0, "|File|> Folder|Map Name|Bytes|", 1, {"c.img", "b.img", "a.img"}},
        {-1, kLeft, 0, "|File|> Folder|Map Name|Bytes|", 1, {"c.img", "b.img", "a.img"}},   // past the last header
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.headers);
        f.Press(0, s.col, s.button, s.shift);
        EXPECT_EQ(Headers(f), s.headers);
        EXPECT_EQ(f.Column(s.sortedCol), s.column);
        if (s.col >= 0)
            EXPECT_EQ(f.w->Row() * 10 + f.w->Col(), s.col);
    }
}

TEST(FormGrid, SortingTheTickColumnGathersTheTickedMaps)
{
    Form f;
    f.WriteMaps(kThree);
    f.LoadFolder();
    f.Press(2, 0);
    const std::string files = f.w->Maps().SelectedFilesText();
    f.Press(0, 0);
    EXPECT_EQ(Headers(f), "> |File|Folder|Map Name|Bytes|");
    EXPECT_EQ(f.Ticks(), "v..");
    EXPECT_EQ(f.Column(1)[0], "b.img");
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
    std::string seenAtRepaint;
    f.desktop.onRepaint = [&] {
        seenAtRepaint = std::to_string(f.w->MSFlexGrid1.visible) + std::to_string(f.w->lblProcessing.visible) +
                        std::to_string(f.w->Maps().RowCount());
    };
    f.LoadFolder();
    ASSERT_EQ(f.desktop.dialogs.size(), 1u);
    const FakeDesktop::Dialog& d = f.desktop.dialogs[0];
    EXPECT_FALSE(d.save);
    EXPECT_EQ(d.request.title, "Select Folder Containing Garmin .img Files");
    EXPECT_EQ(d.request.filter, "Garmin IMG Files (*.img)|*.img");
    EXPECT_EQ(d.request.fileName, "*.img");
    EXPECT_EQ(d.request.flags, kPathMustExist | kHideReadOnly | kNoChangeDir | kExplorer | kNoValidate);
    EXPECT_EQ(seenAtRepaint, "010");
    EXPECT_TRUE(f.w->MSFlexGrid1.visible);
    EXPECT_EQ(f.Column(0), (std::vector<std::string>{"  ", "  "}));
    EXPECT_EQ(f.Column(1), (std::vector<std::string>{"A.IMG", "b.img"}));
    EXPECT_EQ(f.Column(2), (std::vector<std::string>{f.MapsText(), f.MapsText()}));
    EXPECT_EQ(f.Column(3), (std::vector<std::string>{"Alpha" + std::string(45, ' '), "Beta" + std::string(46, ' ')}));
    EXPECT_EQ(f.Column(4), (std::vector<std::string>{"3000", "131"}));
    EXPECT_EQ(f.Ticks(), "..");
    EXPECT_EQ(f.Enabled({"cmdSelectAll", "cmdSelectNone", "cmdSaveList", "cmdUpload", "cmdCreateFile", "cmdClearGrid"}),
              "100001");
    EXPECT_EQ(f.w->Row(), 2);
    EXPECT_TRUE(f.desktop.messages.empty());
    // Loading again appends and keeps the selection.
    f.Press(2, 0);
    f.LoadFolder();
    EXPECT_EQ(f.Column(1), (std::vector<std::string>{"A.IMG", "b.img", "A.IMG", "b.img"}));
    EXPECT_EQ(f.Ticks(), ".v..");
    EXPECT_EQ(f.w->lblFilesSelected.text, "1 Map Selected");
}

TEST(FormMapList, CancelOrAFolderWithoutMapsAddsNothing)
{
    Form f;
    const auto buttons = {"cmdSelectAll", "cmdSelectNone", "cmdSaveList", "cmdUpload", "cmdCreateFile", "cmdClearGrid"};
    for (const std::optional<std::string>& answer : {std::optional<std::string>(), std::optional<std::string>("*.img")}) {
        f.desktop.nextFile = answer;
        f.w->Click("cmdFileOpen");
        EXPECT_EQ(f.Enabled(buttons), "000000");
        EXPECT_EQ(f.desktop.repaints, 0);
    }
    WriteBytes(f.Maps() / "readme.txt", "no maps");
    f.LoadFolder();
    EXPECT_EQ(f.w->Maps().RowCount(), 0u);
    EXPECT_EQ(f.Enabled(buttons), "000001");
}

TEST(FormMapList, ColumnWidthsAndTheMapNameColumnNarrowingPastEighteenRows)
{
    Form f;
    std::vector<MapSpec> maps;
    for (int i = 0; i < 18; ++i)
        maps.push_back({"m" + std::to_string(100 + i) + ".img", "Map", 200});
    f.WriteMaps(maps);
    std::string widths;
    for (int col = 0; col < 5; ++col)
        widths += std::to_string(f.w->Maps().ColumnWidth(col)) + " ";
    EXPECT_EQ(widths, "250 1300 3607 3990 1020 ");
    f.LoadFolder();
    EXPECT_EQ(f.w->Maps().ColumnWidth(3), 3990);
    WriteBytes(f.Maps() / "readme.txt", "no maps");
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
    WriteBytes(f.Maps() / "l.mwl", "mapwren Auto\r\n" + f.MapsText() + "gone.img\r\n");
    f.LoadList(f.Maps() / "l.mwl");
    const auto buttons = {"cmdSelectAll", "cmdSelectNone", "cmdSaveList", "cmdUpload", "cmdCreateFile", "cmdClearGrid"};
    struct Step {
        const char* button;
        const char* ticks;
        const char* captions;
        const char* enabled;
        bool captionsShown;
    };
    const Step steps[] = {
        {"cmdSelectAll", "vvx", "2 Maps Selected | Total Bytes: 1572864 (1.5MB)", "011111", true},
        {"cmdSelectNone", "..x", "0 Maps Selected | Total Bytes: 0 (0MB)", "100001", true},
        {"cmdSelectAll", "vvx", "2 Maps Selected | Total Bytes: 1572864 (1.5MB)", "011111", true},
        {"cmdClearGrid", "", "2 Maps Selected | Total Bytes: 1572864 (1.5MB)", "000000", false},
    };
    f.Press(2, 0);
    for (const Step& s : steps) {
        SCOPED_TRACE(s.button);
        f.w->TakeFocusRequest();
        f.w->Click(s.button);
        EXPECT_EQ(f.Ticks(), s.ticks);
        EXPECT_EQ(f.Captions(), s.captions);
        EXPECT_EQ(f.Enabled(buttons), s.enabled);
        EXPECT_EQ(f.w->lblFilesSelected.visible && f.w->lblTotalBytes.visible, s.captionsShown);
        EXPECT_EQ(f.w->Row(), s.captionsShown ? 3 : 0);
        EXPECT_EQ(f.w->TakeFocusRequest(), s.captionsShown ? "" : "cmdFileOpen");
    }
    EXPECT_EQ(f.w->Maps().SelectedCount(), 0);
}

} // namespace
} // namespace mapwren::testing
