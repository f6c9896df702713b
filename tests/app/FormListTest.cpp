// List files: Save writes the ticked maps with the settings, Load and the
// start-up argument bring them back through the same events as clicks.
#include <gtest/gtest.h>

#include "app/FormFixture.h"

namespace mapwren::testing {
namespace {

const char* PortShown(const Form& f)
{
    const Port port = f.w->SelectedPort();
    return port == Port::Auto ? "A" : port == Port::Com ? "C" : port == Port::Usb ? "U" : "-";
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
    const fs::path list = f.Maps() / "alps";   // no extension is added
    f.desktop.nextFile = Utf8FromPath(list);
    f.w->Click("cmdSaveList");
    const FakeDesktop::Dialog& save = f.desktop.dialogs.back();
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.request.title, "Save list of selected maps to a text file");
    EXPECT_EQ(save.request.filter, "mapwren text file (*.mwl)|*.mwl");
    EXPECT_EQ(save.request.fileName, "");
    EXPECT_EQ(save.request.flags, kOverwritePrompt | kPathMustExist);
    EXPECT_EQ(ReadBytes(list), "mapwren COM3 mapset:1 Alps\r\n" + f.MapsText() + "a.img\r\n" + f.MapsText() + "c.img\r\n");

    f.w->Click("cmdClearGrid");
    f.w->Click("optAuto");
    f.w->Click("chkMapset");
    f.w->TextChanged("txtMapset", "");
    f.LoadList(list);
    const FakeDesktop::Dialog& load = f.desktop.dialogs.back();
    EXPECT_FALSE(load.save);
    EXPECT_EQ(load.request.title, "Select Text file containing list of .img Files");
    EXPECT_EQ(load.request.filter, "mapwren text file (*.mwl)|*.mwl|Text Files (*.txt)|*.txt");
    EXPECT_EQ(load.request.fileName, "*.mwl");
    EXPECT_EQ(load.request.flags,
              kPathMustExist | kHideReadOnly | kNoChangeDir | kExplorer | kNoValidate | kFileMustExist);
    EXPECT_EQ(f.Column(1), (std::vector<std::string>{"a.img", "c.img"}));
    EXPECT_EQ(f.Ticks(), "..");
    EXPECT_STREQ(PortShown(f), "C");
    EXPECT_EQ(f.w->cboCOM.text, "COM3");
    EXPECT_EQ(f.w->chkMapset.value, 1);
    EXPECT_EQ(f.w->txtMapset.text, "Alps");
    EXPECT_EQ(f.Enabled({"cboCOM", "txtMapset", "cmdSelectAll", "cmdClearGrid", "cmdUpload", "cmdSaveList"}), "111100");

    // A cancelled Load or Save changes nothing.
    for (const std::optional<std::string>& cancelled :
         {std::optional<std::string>(), std::optional<std::string>(""), std::optional<std::string>("*.mwl"),
          std::optional<std::string>("*.txt")}) {
        f.desktop.nextFile = cancelled;
        f.w->Click("cmdLoadList");
        EXPECT_EQ(f.w->Maps().RowCount(), 2u);
    }
    f.w->Click("cmdSelectAll");
    f.desktop.nextFile.reset();
    f.w->Click("cmdSaveList");
    EXPECT_EQ(ReadBytes(list).substr(0, 12), "mapwren COM3");
    EXPECT_TRUE(f.desktop.messages.empty());
}

TEST(FormLists, TheHeadLineCarriesPortAndMapset)
{
    struct Case {
        const char* port;   // "none": the first variant leaves no port chosen
        bool ticked;
        const char* name;
        const char* head;
    };
    const Case cases[] = {{"none", false, "Alps", "mapwren  mapset:0 Alps"},
                          {"USB", true, "", "mapwren USB"},
                          {"Auto", true, "Topo 2", "mapwren Auto mapset:1 Topo 2"}};
    for (const Case& c : cases) {
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
        f.desktop.nextFile = Utf8FromPath(f.Maps() / "list.mwl");
        f.w->Click("cmdSaveList");
        EXPECT_EQ(ReadBytes(f.Maps() / "list.mwl"), std::string(c.head) + "\r\n" + f.MapsText() + "a.img\r\n");
    }
}

TEST(FormLists, ALoadedHeadLineSetsTheControlsAsClicksWould)
{
    struct Case {
        const char* line;
        const char* port;
        const char* com;
        bool speedEnabled;
        int mapset;
        const char* name;
    };
    const Case cases[] = {{"MAPWREN usb", "U", "COM1", false, 0, ""},
                          {"Mapwren com7", "C", "COM7", true, 0, ""},
                          {"mapwren  mapset:2 Grey ", "A", "COM1", true, 2, "Grey "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Form f;
        WriteBytes(f.Maps() / "l.mwl", std::string(c.line) + "\r\n");
        f.LoadList(f.Maps() / "l.mwl");
        EXPECT_STREQ(PortShown(f), c.port);
        EXPECT_EQ(f.w->cboCOM.text, c.com);
        EXPECT_EQ(f.w->cboCOM.enabled, std::string(c.port) == "C");
        EXPECT_EQ(f.w->opt9600.enabled, c.speedEnabled);
        EXPECT_EQ(f.w->chkMapset.value, c.mapset);
        EXPECT_EQ(f.w->txtMapset.text, c.name);
        EXPECT_EQ(f.w->txtMapset.enabled, c.mapset == 1);
        // Settings without maps add no rows and leave Select All off.
        EXPECT_EQ(f.w->Maps().RowCount(), 0u);
        EXPECT_EQ(f.Enabled({"cmdSelectAll", "cmdClearGrid"}), "00");
    }
}

TEST(FormLists, LoadedRowsArriveUntickedAndLeaveTheSelectionAlone)
{
    Form f;
    f.WriteMaps({{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}});
    f.LoadFolder();
    f.Press(1, 0);
    const std::string captions = f.Captions();
    WriteBytes(f.Maps() / "l.mwl", "mapwren Auto\r\n" + f.MapsText() + "b.img\r\n" + f.MapsText() +
                                       "gone.IMG\r\nnotes.txt\r\n" + f.MapsText() + "b.img \r\n");
    f.LoadList(f.Maps() / "l.mwl");
    EXPECT_EQ(f.Ticks(), "v..x");
    EXPECT_EQ(f.Column(1)[2] + "|" + f.Column(1)[3], "b.img|gone.IMG");
    EXPECT_EQ(f.Column(3)[2] + "|" + f.Column(3)[3], "Beta" + std::string(46, ' ') + "|");
    EXPECT_EQ(f.Column(4)[2] + "|" + f.Column(4)[3], "400|0");
    EXPECT_EQ(f.Captions(), captions);
    EXPECT_EQ(f.w->Maps().SelectedCount(), 1);
}

TEST(FormLists, ARefusedListChangesNothing)
{
    struct Case {
        const char* content;   // nullptr: no such file
        const char* text;      // "{list}" stands for the list's path
    };
    const Case cases[] = {{"C:\\MAPS\\A.IMG\r\nmapwren USB\r\n", "Invalid File                 "},
                          {"", "The list file {list} is empty."},
                          {nullptr, "The list file {list} could not be opened."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Form f;
        const fs::path list = f.Maps() / "l.txt";
        if (c.content)
            WriteBytes(list, c.content);
        f.LoadList(list);
        std::string text = c.text;
        if (const auto at = text.find("{list}"); at != std::string::npos)
            text.replace(at, 6, Utf8FromPath(list));
        ASSERT_EQ(f.desktop.messages.size(), 1u);
        EXPECT_EQ(f.desktop.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(f.desktop.messages[0].title, "MAPWREN");
        EXPECT_EQ(f.desktop.messages[0].text, text);
        EXPECT_STREQ(PortShown(f), "A");
        EXPECT_EQ(f.w->Maps().RowCount(), 0u);
        EXPECT_EQ(f.Enabled({"cmdSelectAll", "cmdClearGrid"}), "00");
    }
}

TEST(FormLists, TheStartUpArgumentNamesAList)
{
    struct Case {
        const char* argument;   // "{list}" stands for a list's path holding a blank
        bool loaded;
    };
    const Case cases[] = {{"\"{list}\"", true}, {"{list}", true}, {"\"{list}x", true}, {"\"", false}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        Form f({"sendmap20.exe"}, false);
        f.WriteMaps({{"a.img", "Alpha", 300}});
        const fs::path list = f.Maps() / "My Lists.mwl";
        WriteBytes(list, "mapwren USB mapset:1 Alps\r\n" + f.MapsText() + "a.img\r\n");
        std::string argument = c.argument;
        if (const auto at = argument.find("{list}"); at != std::string::npos)
            argument.replace(at, 6, Utf8FromPath(list));
        f.Start(argument);
        ASSERT_TRUE(f.started);
        EXPECT_TRUE(f.desktop.messages.empty());
        EXPECT_EQ(f.w->Maps().RowCount(), c.loaded ? 1u : 0u);
        EXPECT_STREQ(PortShown(f), c.loaded ? "U" : "A");
        EXPECT_EQ(f.w->txtMapset.text, c.loaded ? "Alps" : "");
        EXPECT_EQ(f.w->cmdSelectAll.enabled, c.loaded);
    }
}

} // namespace
} // namespace mapwren::testing
