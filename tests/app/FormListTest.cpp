// List files: Save writes the ticked maps with the settings, Load and the
// start-up argument bring them back through the same events as clicks.
#include <gtest/gtest.h>

#include "app/FormFixture.h"

namespace mapwren::testing {
namespace {

// The port selected (A, C, U or -), the COM box and whether it is enabled, the mapset box and name.
std::string Settings(const Form& f)
{
    const frmMain& w = *f.w;
    const Port port = w.SelectedPort();
    return std::string(port == Port::Auto ? "A " : port == Port::Com ? "C " : port == Port::Usb ? "U " : "- ") +
           w.cboCOM.text + (w.cboCOM.enabled ? "+ " : "- ") + std::to_string(w.chkMapset.value) + " '" +
           w.txtMapset.text + (w.txtMapset.enabled ? "'+" : "'-");
}

std::string Request(const FakeDesktop::Dialog& d)
{
    return std::string(d.save ? "save|" : "open|") + d.request.title + "|" + d.request.filter + "|" +
           d.request.fileName + "|" + std::to_string(d.request.flags);
}

TEST(FormLists, SaveClearAndLoadBringBackTheMapsUntickedWithTheirSettings)
{
    Form f;
    f.WriteMaps({{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}, {"c.img", "Gamma", 500}});
    f.LoadFolder();
    f.w->Click("optCOM");
    f.w->TextChanged("cboCOM", "COM3");
    f.w->Click("chkMapset");
    f.w->TextChanged("txtMapset", "Alps");
    f.Press(3, 0);
    f.Press(1, 0);
    f.desktop.nextFile = f.MapsText() + "alps";   // no extension is added
    f.w->Click("cmdSaveList");
    EXPECT_EQ(Request(f.desktop.dialogs.back()), "save|Save list of selected maps to a text file|mapwren text file "
                                                 "(*.mwl)|*.mwl||" + std::to_string(kOverwritePrompt | kPathMustExist));
    const std::string saved = ReadBytes(f.Maps() / "alps");
    EXPECT_EQ(saved, "mapwren COM3 mapset:1 Alps\r\n" + f.MapsText() + "a.img\r\n" + f.MapsText() + "c.img\r\n");

    f.w->Click("cmdClearGrid");
    f.w->Click("optAuto");
    f.w->Click("chkMapset");
    f.w->TextChanged("txtMapset", "");
    f.LoadList("alps", saved);
    EXPECT_EQ(Request(f.desktop.dialogs.back()),
              "open|Select Text file containing list of .img Files|mapwren text file (*.mwl)|*.mwl|Text Files "
              "(*.txt)|*.txt|*.mwl|" + std::to_string(kPathMustExist | kHideReadOnly | kNoChangeDir | kExplorer |
                                                      kNoValidate | kFileMustExist));
    EXPECT_EQ(f.Column(1), (Texts{"a.img", "c.img"}));
    EXPECT_EQ(f.Ticks() + " " + Settings(f) + " " + f.ListButtons(), ".. C COM3+ 1 'Alps'+ 100001");

    // A cancelled Load or Save changes nothing.
    for (const char* cancelled : {"", "*.mwl", "*.txt", "cancel"}) {
        f.desktop.nextFile = std::string(cancelled) == "cancel" ? std::nullopt : std::optional<std::string>(cancelled);
        f.w->Click("cmdLoadList");
        EXPECT_EQ(f.w->Maps().RowCount(), 2u);
    }
    f.w->Click("cmdSelectAll");
    f.w->Click("cmdSaveList");
    EXPECT_EQ(ReadBytes(f.Maps() / "alps"), saved);
    EXPECT_EQ(f.Only(), "0 messages");
}

TEST(FormLists, TheHeadLineCarriesPortAndMapset)
{
    const struct { const char* port; bool ticked; const char* name; const char* head; } cases[] = {
        {"none", false, "Alps", "mapwren  mapset:0 Alps"},   // the first variant leaves no port chosen
        {"USB", true, "", "mapwren USB"},
        {"Auto", true, "Topo 2", "mapwren Auto mapset:1 Topo 2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.head);
        Form f;
        f.WriteMaps({{"a.img", "Alpha", 300}});
        f.LoadFolder();
        f.w->Click("chkMapset");
        f.w->TextChanged("txtMapset", c.name);
        if (!c.ticked)
            f.w->Click("chkMapset");
        if (std::string(c.port) == "none")
            f.w->MenuClick("mnuUseSendmap1");
        else if (std::string(c.port) == "USB")
            f.w->Click("optUSB");
        f.Press(1, 0);
        f.desktop.nextFile = f.MapsText() + "list.mwl";
        f.w->Click("cmdSaveList");
        EXPECT_EQ(ReadBytes(f.Maps() / "list.mwl"), std::string(c.head) + "\r\n" + f.MapsText() + "a.img\r\n");
    }
}

TEST(FormLists, ALoadedHeadLineSetsTheControlsAsClicksWould)
{
    const struct { const char* line; const char* settings; bool speed; } cases[] = {
        {"MAPWREN usb", "U COM1- 0 ''-", false},
        {"Mapwren com7", "C COM7+ 0 ''-", true},
        {"mapwren  mapset:2 Grey ", "A COM1- 2 'Grey '-", true},
        {"mapwren USB mapset:1 Alps", "U COM1- 1 'Alps'+", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Form f;
        f.LoadList("l.mwl", std::string(c.line) + "\r\n");
        EXPECT_EQ(Settings(f), c.settings);
        EXPECT_EQ(f.w->opt9600.enabled, c.speed);
        // Settings without maps add no rows and leave Select All off.
        EXPECT_EQ(std::to_string(f.w->Maps().RowCount()) + f.ListButtons(), "0000000");
    }
}

TEST(FormLists, LoadedRowsArriveUntickedAndLeaveTheSelectionAlone)
{
    Form f;
    f.WriteMaps({{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}});
    f.LoadFolder();
    f.Press(1, 0);
    const std::string captions = f.Captions();
    f.LoadList("l.mwl", "mapwren Auto\r\n" + f.MapsText() + "b.img\r\n" + f.MapsText() + "gone.IMG\r\nnotes.txt\r\n" +
                            f.MapsText() + "b.img \r\n");
    EXPECT_EQ(f.Ticks(), "v..x");
    EXPECT_EQ(f.Column(1)[2] + "|" + f.Column(1)[3], "b.img|gone.IMG");
    EXPECT_EQ(f.Column(3)[2] + "|" + f.Column(3)[3], "Beta" + std::string(46, ' ') + "|");
    EXPECT_EQ(f.Column(4)[2] + "|" + f.Column(4)[3], "400|0");
    EXPECT_EQ(f.Captions(), captions);
    EXPECT_EQ(f.w->Maps().SelectedCount(), 1);
}

TEST(FormLists, ARefusedListChangesNothing)
{
    const struct { const char* content; const char* text; } cases[] = {   // "{list}" stands for its path
        {"C:\\MAPS\\A.IMG\r\nmapwren USB\r\n", "Invalid File                 "},
        {"", "The list file {list} is empty."},
        {nullptr, "The list file {list} could not be opened."}};   // no such file
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Form f;
        f.LoadList("l.txt", c.content ? c.content : "");
        if (!c.content) {
            fs::remove(f.Maps() / "l.txt");
            f.desktop.messages.clear();
            f.w->LoadListFile();
        }
        std::string text = c.text;
        if (const auto at = text.find("{list}"); at != std::string::npos)
            text.replace(at, 6, f.MapsText() + "l.txt");
        EXPECT_EQ(f.Only(), "! MAPWREN: " + text);
        EXPECT_EQ(Settings(f) + " " + std::to_string(f.w->Maps().RowCount()) + f.ListButtons(), "A COM1- 0 ''- 0000000");
    }
}

TEST(FormLists, TheStartUpArgumentNamesAList)
{
    const struct { const char* argument; bool loaded; } cases[] = {   // "{list}": a list's path holding a blank
        {"\"{list}\"", true}, {"{list}", true}, {"\"{list}x", true}, {"\"", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        Form f({"sendmap20.exe"}, false);
        f.WriteMaps({{"a.img", "Alpha", 300}});
        WriteBytes(f.Maps() / "My Lists.mwl", "mapwren USB mapset:1 Alps\r\n" + f.MapsText() + "a.img\r\n");
        std::string argument = c.argument;
        if (const auto at = argument.find("{list}"); at != std::string::npos)
            argument.replace(at, 6, f.MapsText() + "My Lists.mwl");
        f.Start(argument);
        ASSERT_TRUE(f.started);
        EXPECT_EQ(f.Only(), "0 messages");
        EXPECT_EQ(f.Ticks() + Settings(f) + " " + f.ListButtons(),
                  c.loaded ? ".U COM1- 1 'Alps'+ 100001" : "A COM1- 0 ''- 000000");
    }
}

} // namespace
} // namespace mapwren::testing
