// The grid, the map list's buttons, and the list files Save writes and Load and the start-up argument read.
#include <functional>

#include "app/FormFixture.h"

namespace mapwren::testing {
namespace {

struct Loaded : Form {   // three maps loaded, the summary captions hidden by a Clear before
    Loaded()
    {
        WriteMaps({{"a.img", "Charlie", 1000}, {"b.img", "Alpha", 900}, {"c.img", "Bravo", 1572864}});
        Run("load cmdClearGrid load");
    }
    std::string Order() const { return Join(Rows(), [&](std::size_t r) { return w->Maps().CellText(r, 1).substr(0, 1); }); }
    std::string EraseUpload() const { return Enabled({"cmdEraseGPS", "cmdUpload", "cmdCreateFile"}); }
};

TEST(FormGrid, OnlyAPlainLeftPressOnATickCellTicks)
{
    // With a map ticked, any press on a cell makes Erase and Upload usable again after the first variant greyed them
    // with USB selected, and so does one on the header but for a plain left press, left to the sort.
    const std::pair<int, int> presses[] = {{kLeft, kNone},           {kRightButton, kNone}, {kMiddleButton, kNone},
                                           {kLeft, kShiftMask}, {kLeft, kCtrlMask},    {kLeft, kAltMask}};
    for (const auto& [button, shift] : presses) {
        const std::string press = "," + std::to_string(button) + "," + std::to_string(shift);
        Loaded f;
        f.Run("p2,0" + press);
        std::string seen = "ticks=" + f.Ticks() + " captions=" + (f.Shown() == "11" ? "shown" : "hidden");
        f.Run("optUSB p1,0 mnuUseSendmap1");
        seen += " first-variant-USB=" + f.EraseUpload();
        f.Run("p1,1" + press);
        seen += " cell-press=" + f.EraseUpload();
        f.Run("mnuUseSendmap1 p0,1" + press);
        EXPECT_EQ(seen + " header-press=" + f.EraseUpload(),
                  button == kLeft && shift == kNone ? "ticks=.v. captions=shown first-variant-USB=none cell-press=all header-press=none"
                                  : "ticks=... captions=hidden first-variant-USB=none cell-press=all header-press=all") << press;
    }
}

// Steps as Form::Run takes them; then the ticks, files by first letter, headers, current cell, captions (or "hidden"),
// list buttons, any focus asked for, and the busy pointer shown ("[") and gone ("]") as Select All works.
TEST(FormGrid, PressesTickAndSortAndTheListButtonsSelectAndClear)
{
    const std::string none = " 0 Maps Selected | Total Bytes: 0 (0.0MB) buttons=SelectAll+ClearGrid",
                      plain = "|File|Folder|Map Name|Bytes| ";
    const struct { const char* act; std::string expected; } steps[] = {
        {"p1,1 p1,2 p1,3 p1,4", "... abc " + plain + "1,4  |  buttons=SelectAll+ClearGrid"},   // captions shown, still blank
        {"p3,0", "..v abc " + plain + "3,0 1 Map Selected | Total Bytes: 1572864 (1.5MB) buttons=all"},
        {"p1,0", "v.v abc " + plain + "1,0 2 Maps Selected | Total Bytes: 1573864 (1.5MB) buttons=all"},
        {"p3,0", "v.. abc " + plain + "3,0 1 Map Selected | Total Bytes: 1000 (0.0MB) buttons=all"},
        {"p1,0", "... abc " + plain + "1,0" + none},
        {"p0,3", "... bca |File|Folder|> Map Name|Bytes| 0,3" + none},
        {"p0,3", "... acb |File|Folder|< Map Name|Bytes| 0,3" + none},
        {"p0,3", "... bca |File|Folder|> Map Name|Bytes| 0,3" + none},
        {"p0,4,2,1", "... bac |File|Folder|Map Name|> Bytes| 0,4" + none},   // right button, Shift
        {"p0,1,4,6", "... abc |> File|Folder|Map Name|Bytes| 0,1" + none},   // middle button, Ctrl and Alt
        {"p0,1", "... cba |< File|Folder|Map Name|Bytes| 0,1" + none},
        {"p0,2", "... cba |File|> Folder|Map Name|Bytes| 0,2" + none},
        {"p0,-1", "... cba |File|> Folder|Map Name|Bytes| 0,0" + none},   // past the last header
        {"p2,0", ".v. cba |File|> Folder|Map Name|Bytes| 2,0 1 Map Selected | Total Bytes: 900 (0.0MB) buttons=all"},
        {"p0,0", "v.. bca > |File|Folder|Map Name|Bytes| 0,0 1 Map Selected | Total Bytes: 900 (0.0MB) buttons=all"},
        {"d3,0,100,840 u0,0,100,120", ".vv cba < |File|Folder|Map Name|Bytes| 0,0 2 Maps Selected | Total Bytes: 1900 (0.0MB) buttons=all"},
        {"cmdSelectAll", "vvv cba < " + plain + "3,0 3 Maps Selected | Total Bytes: 1574764 (1.5MB) "
                         "buttons=SelectNone+SaveList+Upload+CreateFile+ClearGrid busy=[]"},
        {"cmdSelectNone", "... cba < " + plain + "3,0 0 Maps Selected | Total Bytes: 0 (0MB) buttons=SelectAll+ClearGrid"},
        {"cmdClearGrid", "  < " + plain + "0,0 hidden buttons=none +cmdFileOpen"}};
    Loaded f;
    for (const auto& s : steps) {
        f.desktop.busy.clear();
        const std::string focus = f.Run(s.act);
        EXPECT_EQ(f.Ticks() + " " + f.Order() + " " + f.Headers() + " " + f.Cell() + " " +
                      (f.Shown() == "00" ? "hidden" : f.Captions()) + " buttons=" + f.ListButtons() + (focus.empty() ? "" : " " + focus) +
                      (f.desktop.busy.empty() ? "" : " busy=" + f.desktop.busy),
                  s.expected) << s.act;
    }
}

// Keys as the grid gets them: Up 38, Down 40, Left 37, Right 39, Space 32; a missing map in row 4. Presses on no cell
// or on the missing map's tick nothing; with its cell current a header press leaves the current cell, from any other
// cell it moves to the header's first.
TEST(FormGrid, ArrowKeysMoveTheCurrentRowAndSpaceTicksItAsAPressOnItsTickCellAndPressesOnNoCellTickNothing)
{
    const std::string one = " 1 Map Selected | Total Bytes: ", c = "..vx 1,0" + one + "1572864 (1.5MB) buttons=all";
    const struct { const char* keys; std::string expected; } steps[] = {
        {"k38 k38 k38", "...x 1,0 hidden buttons=SelectAll+ClearGrid"},
        {"k39 k39 k32", "v..x 1,0" + one + "1000 (0.0MB) buttons=all"},
        {"k40 k40 k40 k40 k32 k32,1 k65", "v..x 4,0" + one + "1000 (0.0MB) buttons=all"},   // no file, Shift, a letter
        {"k38 k32 k37 k38 k38 k32", c},
        {"d-1,-1,600,1320 d2,-1,160000,600", c},
        {"p4,0 d0,2,600,120", Replaced(c, "1,0", "4,0")},
        {"p1,2 d0,2,600,120", Replaced(c, "1,0", "0,0")}};
    Loaded f;
    f.LoadList("l.mwl", "mapwren Auto\r\n" + f.MapsText() + "gone.img\r\n");
    for (const auto& s : steps) {
        f.Run(s.keys);
        EXPECT_EQ(f.Ticks() + " " + f.Cell() + " " + (f.Shown() == "00" ? "hidden" : f.Captions()) + " buttons=" + f.ListButtons(),
                  s.expected) << s.keys;
    }
    // b ticked after c, then the rows sorted by the tick column: the tool still gets the ticking order.
    f.Run("k40 k40 k32 p0,0 cmdUpload");
    EXPECT_EQ(f.Column(1), "b.img|c.img|a.img|gone.img|");
    EXPECT_EQ(f.Sent(), f.Expand("{c}|{b}"));
}

TEST(FormMapList, LoadFolderAddsTheFolderMapsInNameOrderWithTheGridHidden)
{
    Form f;
    WriteImg(f.Maps() / "b.img", "Beta", "");
    WriteImg(f.Maps() / "A.IMG", "Alpha", "", 0x5A, 3000);
    WriteBytes(f.Maps() / "c.txt", "not a map");
    fs::create_directory(f.Maps() / "d.img");
    std::string atRepaint;
    f.desktop.onRepaint = [&] {
        atRepaint = "loading: grid=" + Visibility(f.w->MSFlexGrid1) + " Processing=" + Visibility(f.w->lblProcessing) +
                    " rows=" + std::to_string(f.w->Maps().RowCount());
    };
    f.Run("load");
    EXPECT_EQ(f.Request(0), "open|Select Folder Containing Garmin .img Files|Garmin IMG Files (*.img)|*.img|*.img|" +
                                std::to_string(kPathMustExist | kHideReadOnly | kNoChangeDir | kExplorer | kNoValidate));
    const std::string m = f.MapsText();
    EXPECT_EQ(f.Column(0) + f.Column(1) + f.Column(2) + f.Column(3) + f.Column(4),
              "  |  |A.IMG|b.img|" + m + "|" + m + "|Alpha" + std::string(45, ' ') + "|Beta" + std::string(46, ' ') + "|3000|131|");
    EXPECT_EQ(atRepaint + "; loaded: grid=" + Visibility(f.w->MSFlexGrid1) + " ticks=" + f.Ticks() + " buttons=" + f.ListButtons() +
                  " cell=" + f.Cell() + " " + f.Only(),
              "loading: grid=hidden Processing=shown rows=0; loaded: grid=shown ticks=.. buttons=SelectAll+ClearGrid cell=2,0 0 messages");
    // Loading again appends and keeps the selection.
    f.Run("p2,0 load");
    EXPECT_EQ(f.Column(1), "A.IMG|b.img|A.IMG|b.img|");
    EXPECT_EQ(f.Ticks() + " " + f.w->lblFilesSelected.text, ".v.. 1 Map Selected");
}

// Dropped: the map files photo.img (a photo) and D.IMG, the maps folder, a list, a file and a path of no use; then Load
// Folder and Load. Files that are not maps keep their rows, flagged, and each load names them once, the busy pointer
// gone first.
TEST(FormMapList, DropsLoadInTheOrderDroppedAndFilesThatAreNotMapsOrOfNoUseAreNamed)
{
    Form f;
    f.WriteMaps({{"a.img", "Alpha", 300}});
    WriteImg(f.Maps() / "x.img", "Xor", "", 0x5A);
    WriteBytes(f.Maps() / "cd.img", std::string(0x10, '\0') + "DSKIMG" + std::string(200, 'c'));   // no GARMIN
    const fs::path more = f.dir.path() / "more";
    const std::string m = Utf8FromPath(more) + kPathSeparator, maps = f.MapsText();
    fs::create_directory(more);
    WriteImg(more / "D.IMG", "D", "");
    WriteBytes(more / "photo.img", "\xFF\xD8\xFF\xE0");
    WriteBytes(more / "list.txt", "mapwren USB\r\n" + m + "photo.img\r\n");
    WriteBytes(more / "notes.mwl", "no list");
    f.w->Form_OLEDragDrop({m + "photo.img", m + "D.IMG", Utf8FromPath(f.Maps()), m + "notes.mwl", m + "list.txt", m + "gone"});
    f.Run("load");
    f.LoadList("l.mwl", "mapwren\r\n" + m + "photo.img\r\n");
    const std::string one = "! MAPWREN: This file is not a Garmin map (its header lacks the DSKIMG and GARMIN marks); its row is greyed:\n";
    EXPECT_EQ(f.desktop.messages, (Texts{"! MAPWREN: These files are not Garmin maps (their headers lack the DSKIMG and GARMIN marks); "
                                         "their rows are greyed:\n" + m + "photo.img\n" + maps + "cd.img\n" + m + "photo.img",
                                         "! MAPWREN: These dropped files could not be used; only folders, map files (.img) and list files "
                                         "can be dropped:\n" + m + "notes.mwl\n" + m + "gone", one + maps + "cd.img", one + m + "photo.img"}));
    EXPECT_EQ(f.Column(1) + Form::Join(f.Rows(), [&](std::size_t r) { return std::string(f.w->Maps().Row(r).notAMap ? "n" : "."); }) +
                  " repaints=" + std::to_string(f.desktop.repaints) + " cell=" + f.Cell() + " buttons=" + f.ListButtons() + " port=" +
                  "-ACU"[int(f.w->SelectedPort())] + " busy=" + f.desktop.busy + " " + f.w->Maps().Row(3).mapName,
              "D.IMG|photo.img|a.img|cd.img|x.img|photo.img|a.img|cd.img|x.img|photo.img|.n.n.n.n.n repaints=2 cell=9,0 "
              "buttons=SelectAll+ClearGrid port=U busy=[]mm[]m[]m " + std::string(50, 'c'));
}

TEST(FormMapList, CancelAddsNothingAndALoadThatFindsNothingSaysWhy)
{
    Form f;
    for (const char* answer : {"cancel", "*.img"}) {
        f.desktop.nextFile = answer == std::string("cancel") ? std::nullopt : std::optional<std::string>(answer);
        f.w->Click("cmdFileOpen");
    }
    EXPECT_EQ("buttons=" + f.ListButtons() + " repaints=" + std::to_string(f.desktop.repaints) + " busy=" + f.desktop.busy,
              "buttons=none repaints=0 busy=");
    WriteBytes(f.Maps() / "readme.txt", "no maps");
    const std::string m = f.MapsText(), gone = f.dir.folder() + "gone" + kPathSeparator;
    const struct { std::function<void()> load; std::string says; } cases[] = {
        {[&] { f.Run("load"); }, "The folder " + m + " holds no map files (.img), so nothing was loaded."},
        {[&] { f.desktop.nextFile = gone + "any.img", f.w->Click("cmdFileOpen"); }, "The folder " + gone + " could not be read: "},
        {[&] { f.w->Form_OLEDragDrop({Utf8FromPath(f.Maps())}); }, "The folder " + m + " holds no map files"},
        {[&] { f.LoadList("none.mwl", "mapwren USB\r\n"); }, "The list file " + m + "none.mwl names no maps; only its settings were loaded."},
    };
    for (const auto& c : cases) {
        f.desktop.messages.clear();
        f.desktop.busy.clear();
        c.load();
        EXPECT_TRUE(f.Only().starts_with("! MAPWREN: " + c.says)) << f.Only();
        EXPECT_EQ("rows=" + std::to_string(f.w->Maps().RowCount()) + " buttons=" +
                      f.Enabled({"cmdSelectAll", "cmdSelectNone", "cmdSaveList", "cmdUpload", "cmdCreateFile"}) +
                      " busy=" + f.desktop.busy,
                  "rows=0 buttons=none busy=[]m");
    }
    EXPECT_EQ(f.w->SelectedPort(), Port::Usb);
}

TEST(FormMapList, ColumnWidthsAndTheMapNameColumnNarrowingPastEighteenRows)
{
    Form f;
    for (int i = 0; i < 18; ++i)
        f.WriteMaps({{"m" + std::to_string(100 + i) + ".img", "Map", 200}});
    const auto width = [&](std::size_t col) { return std::to_string(f.w->Maps().ColumnWidth(int(col))) + " "; };
    std::string widths = Form::Join(5, width);
    f.Run("load");
    widths += "18 rows: " + width(3);
    f.LoadList("l.mwl", "mapwren\r\n" + f.MapsText() + "gone.img\r\n");
    widths += "19 rows: " + width(3);
    f.w->Click("cmdClearGrid");
    EXPECT_EQ(widths + "cleared: " + width(3), "250 1300 3607 3990 1020 18 rows: 3990 19 rows: 3740 cleared: 3990 ");
}

// The port (A, C, U or -), the COM box and whether it is enabled, the mapset box and name, rows and their ticks.
std::string Settings(Form& f)
{
    const frmMain& w = *f.w;
    const auto onOff = [](const ControlState& control) { return control.enabled ? " on " : " off "; };
    return std::string("port=") + "-ACU"[int(w.SelectedPort())] + " com=" + w.cboCOM.text + onOff(w.cboCOM) + "mapset=" +
           std::to_string(w.chkMapset.value) + " name='" + w.txtMapset.text + "'" + onOff(w.txtMapset) + "rows=" +
           std::to_string(w.Maps().RowCount()) + f.Ticks() + " buttons=" + f.ListButtons();
}

TEST(FormLists, SaveClearAndLoadBringBackTheMapsUntickedWithTheirSettings)
{
    Form f;
    f.WriteMaps({{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}, {"c.img", "Gamma", 500}});
    f.Run("load optCOM cboCOM=COM3 chkMapset txtMapset=Alps p3,0 p1,0");
    f.desktop.nextFile = f.MapsText() + "alps";   // no extension is added
    f.w->Click("cmdSaveList");
    const std::string saved = ReadBytes(f.Maps() / "alps");
    EXPECT_EQ(saved, "mapwren COM3 mapset:1 Alps\r\n" + f.MapsText() + "a.img\r\n" + f.MapsText() + "c.img\r\n");
    f.Run("cmdClearGrid optAuto chkMapset txtMapset=");
    f.LoadList("alps", saved);
    EXPECT_EQ(f.Request(1), "save|Save list of selected maps to a text file|mapwren text file (*.mwl)|*.mwl||" +
                                std::to_string(kOverwritePrompt | kPathMustExist));
    EXPECT_EQ(f.Request(2), "open|Select Text file containing list of .img Files|mapwren text file (*.mwl)|*.mwl|Text Files (*.txt)|"
                            "*.txt|*.mwl|" + std::to_string(kPathMustExist | kHideReadOnly | kNoChangeDir | kExplorer | kNoValidate |
                                                            kFileMustExist));
    EXPECT_EQ(f.Column(1) + " " + Settings(f), "a.img|c.img| port=C com=COM3 on mapset=1 name='Alps' on rows=2.. buttons=SelectAll+ClearGrid");
    // A cancelled Load or Save changes nothing.
    for (const char* cancelled : {"", "*.mwl", "*.txt", "cancel"}) {
        f.desktop.nextFile = std::string(cancelled) == "cancel" ? std::nullopt : std::optional<std::string>(cancelled);
        f.w->Click("cmdLoadList");
    }
    f.Run("cmdSelectAll cmdSaveList");
    EXPECT_EQ(ReadBytes(f.Maps() / "alps") + std::to_string(f.w->Maps().RowCount()) + f.Only(), saved + "20 messages");
}

// A list on Windows is in the ANSI code page (1252 in the tests' Wine), which lacks "Карты": a map there is saved
// under its short path, which loads again on the same machine, and only a map without one is asked about. A UTF-8
// list holds either path.
TEST(FormLists, AMapPathTheListCannotHoldIsSavedAsItsShortPathElseAskedAbout)
{
    const std::string asked = "? MAPWREN: The path of this ticked map cannot be written in a list file: it holds a line "
                              "break or characters the list file's code page lacks, and the map has no short path without "
                              "them:\n{k}\nSave the list without it?";
    const struct { bool shortNames, yes; std::string shown; const char* saved; } cases[] = {   // saved: nothing written
        {true, true, "0 messages", "bk"}, {false, true, asked, "b"}, {false, false, asked, ""}};
    for (const auto& c : cases) {
        const NoShortNames none;
        Form f({"sendmap20.exe"}, false);
        f.shortNames = c.shortNames ? &ShortNameSource::System() : &none;
        f.Start();
        f.DropLetterMaps("bk");
        f.desktop.answerYes = c.yes;
        f.desktop.nextFile = f.MapsText() + "l.mwl";
        f.Run("cmdSelectAll cmdSaveList");
#ifdef _WIN32
        const std::string shown = c.shown, saved = c.saved;
#else
        const std::string shown = "0 messages", saved = "bk";
#endif
        EXPECT_EQ(f.Only(), Replaced(shown, "{k}", f.LetterMap('k')));
        std::string lines = "mapwren Auto\r\n";
        for (const char map : saved)
            lines += (map == 'b' ? f.LetterMap(map) : f.w->Maps().TickEntry(1)) + "\r\n";
        EXPECT_EQ(fs::exists(f.Maps() / "l.mwl") ? ReadBytes(f.Maps() / "l.mwl") : "", saved.empty() ? "" : lines);
        f.Run("cmdClearGrid");
        f.LoadList("l.mwl", ReadBytes(f.Maps() / "l.mwl"));
        EXPECT_EQ(f.Ticks(), std::string(saved.size(), '.'));   // every map saved loads again
    }
}

TEST(FormLists, TheHeadLineCarriesPortAndMapset)
{
    const struct { const char* name; const char* steps; const char* head; } cases[] = {   // steps after the name is typed
        {"Alps", "chkMapset mnuUseSendmap1", "mapwren  mapset:0 Alps"},   // the first variant leaves no port chosen
        {"", "optUSB", "mapwren USB"},
        {"Topo 2", "", "mapwren Auto mapset:1 Topo 2"}};
    for (const auto& c : cases) {
        Form f;
        f.WriteMaps({{"a.img", "Alpha", 300}});
        f.Run("load chkMapset");
        f.w->TextChanged("txtMapset", c.name);
        f.desktop.nextFile = f.MapsText() + "list.mwl";
        f.Run(c.steps + std::string(" p1,0 cmdSaveList"));
        EXPECT_EQ(ReadBytes(f.Maps() / "list.mwl"), std::string(c.head) + "\r\n" + f.MapsText() + "a.img\r\n");
    }
}

// A list loaded by Load or named by the start-up argument (a path holding a blank, {list} in the argument).
TEST(FormLists, AReadHeadLineSetsTheControlsAsClicksWouldAndARefusedListChangesNothing)
{
    const std::string unchanged = "port=A com=COM1 off mapset=0 name='' off rows=0 buttons=none",
                      none = "! MAPWREN: The list file {list} names no maps; only its settings were loaded. ",
                      alps = "mapwren USB mapset:1 Alps\r\n{maps}a.img\r\n", loaded = "0 messages port=U com=COM1 off mapset=1 "
                                                                                "name='Alps' on rows=1. buttons=SelectAll+ClearGrid slow";
    const struct { const char* content; const char* argument; std::string expected; } cases[] = {   // content nullptr: no file
        {"MAPWREN usb\r\n", nullptr, none + "port=U com=COM1 off mapset=0 name='' off rows=0 buttons=none slow"},
        {"Mapwren com7\r\n", nullptr, none + "port=C com=COM7 on mapset=0 name='' off rows=0 buttons=none"},
        {"mapwren  mapset:2 Grey \r\n", nullptr, none + "port=A com=COM1 off mapset=2 name='Grey ' off rows=0 buttons=none"},
        {"mapwren USB mapset:1 Alps\r\n", nullptr, none + "port=U com=COM1 off mapset=1 name='Alps' on rows=0 buttons=none slow"},
        {"\xEF\xBB\xBFmapwren USB mapset:1 Z\xC3\xBCrich\r\n", nullptr,   // saved as UTF-8 with its mark
         none + "port=U com=COM1 off mapset=1 name='Z\xC3\xBCrich' on rows=0 buttons=none slow"},
        {"C:\\MAPS\\A.IMG\r\nmapwren USB\r\n", nullptr, "! MAPWREN: Invalid File                  " + unchanged},
        {"", nullptr, "! MAPWREN: The list file {list} is empty. " + unchanged},
        {nullptr, nullptr, "! MAPWREN: The list file {list} could not be opened. " + unchanged},
        {alps.c_str(), "\"{list}\"", loaded}, {alps.c_str(), "{list}", loaded}, {alps.c_str(), "\"{list}x", loaded},
        {alps.c_str(), "\"", "0 messages " + unchanged}, {alps.c_str(), "", "0 messages " + unchanged}};
    for (const auto& c : cases) {
        Form f({"sendmap20.exe"}, false);
        f.WriteMaps({{"a.img", "Alpha", 300}});
        const std::string list = f.MapsText() + (c.argument ? "My Lists.mwl" : "l.txt");
        if (c.content)
            WriteBytes(PathFromUtf8(list), f.Expand(c.content));
        f.Start(c.argument ? Replaced(c.argument, "{list}", list) : "");
        if (!c.argument)
            f.desktop.nextFile = list, f.w->Click("cmdLoadList");
        EXPECT_EQ(std::to_string(f.started) + " " + f.Only() + " " + Settings(f) + (f.w->opt9600.enabled ? "" : " slow"),
                  "1 " + Replaced(c.expected, "{list}", list)) << c.content << " " << c.argument;
    }
}

TEST(FormLists, LoadedRowsArriveUntickedAndLeaveTheSelectionAlone)
{
    Form f;
    f.WriteMaps({{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}});
    f.Run("load p1,0");
    const std::string captions = f.Captions();
    f.desktop.busy.clear();
    f.LoadList("l.mwl", "mapwren Auto\r\n" + f.MapsText() + "b.img\r\n" + f.MapsText() + "gone.IMG\r\nnotes.txt\r\n" +
                            f.MapsText() + "b.img \r\n");
    const std::string beta = "|Beta" + std::string(46, ' ');
    EXPECT_EQ(f.Ticks() + " " + f.Column(1) + f.Column(3) + f.Column(4) + " " + f.Captions() + std::to_string(f.w->Maps().SelectedCount()) +
                  " busy=" + f.desktop.busy,
              "v..x a.img|b.img|b.img|gone.IMG|Alpha" + std::string(45, ' ') + beta + beta + "||300|400|400|0| " + captions + "1 busy=[]");
}

} // namespace
} // namespace mapwren::testing
