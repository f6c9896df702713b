// The main window as designed: every control and menu item, and the states
// start-up leaves.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/ArgumentText.h"
#include "app/FormFixture.h"
#include "app/frmMainDesign.h"
#include "common/Addresses.h"

namespace mapwren::testing {
namespace {

const char* const kKinds[] = {"button", "picbutton", "frame", "option", "check", "combo", "text", "label", "picture", "grid"};

// One control in one line; what equals the defaults is left out.
std::string Describe(const ControlDesign& d)
{
    char place[64];
    std::snprintf(place, sizeof place, "%d,%d,%d,%d tab %d", d.place.left, d.place.top, d.place.width,
                  d.place.height, d.tab);
    char font[64];
    std::snprintf(font, sizeof font, " font %s %g%s", std::string(d.font.family).c_str(), d.font.points,
                  d.font.bold ? " bold" : "");
    std::string s = std::string(d.name) + " " + kKinds[int(d.kind)];
    if (!d.container.empty())
        s += " in " + std::string(d.container);
    s += " '" + std::string(d.caption) + "' " + place;
    if (!d.tooltip.empty())
        s += " tip '" + std::string(d.tooltip) + "'";
    if (d.font.family != "MS Sans Serif" || d.font.points != 8.25 || d.font.bold)
        s += font;
    const char* const colours[] = {"", " black", " red", " blue"};
    const char* const aligns[] = {"", " right", " centre"};
    const char* const backgrounds[] = {"", " light3d", " menu"};
    s += std::string(colours[int(d.colour)]) + aligns[int(d.align)] + backgrounds[int(d.background)];
    s += std::string(d.enabled ? "" : " disabled") + (d.visible ? "" : " hidden") + (d.selected ? " selected" : "");
    if (!d.picture.empty())
        s += " picture " + std::string(d.picture) + " " + std::to_string(d.pictureWidth) + "x" +
             std::to_string(d.pictureHeight);
    return s;
}

TEST(FormDesign, EveryControlAsDesigned)
{
    // In the design's order: the order front-ends create and stack them in.
    const char* const expected[] = {
        "cmdFileOpen button 'Load &Folder' 120,100,1260,855 tab 0 font MS Sans Serif 8.25 bold",
        "Frame1 frame '    I/O Port    ' 120,1100,1260,1305 tab 8",
        "optAuto option in Frame1 'Auto' 100,240,855,255 tab 1 disabled",
        "optCOM option in Frame1 '' 100,600,255,255 tab 37",
        "cboCOM combo in Frame1 '' 340,570,855,315 tab 36 disabled",
        "optUSB option in Frame1 'USB' 100,960,855,255 tab 2 disabled",
        "fmeSpeed frame 'Upload Speed' 120,2640,1260,1500 tab 9",
        "opt9600 option in fmeSpeed '' 240,285,195,195 tab 3",
        "opt19200 option in fmeSpeed '' 240,525,195,195 tab 4",
        "opt38400 option in fmeSpeed '' 240,765,195,195 tab 5",
        "opt57600 option in fmeSpeed '' 240,1005,195,195 tab 6",
        "opt115200 option in fmeSpeed '' 240,1245,195,195 tab 7 selected",
        "lbl9600 label in fmeSpeed '9600' 510,270,480,165 tab 20 right",
        "lbl19200 label in fmeSpeed '19200' 435,510,555,165 tab 21 right",
        "lbl38400 label in fmeSpeed '38400' 435,750,555,165 tab 22 right",
        "lbl57600 label in fmeSpeed '57600' 435,990,555,165 tab 23 right",
        "lbl115200 label in fmeSpeed '115200' 435,1230,555,165 tab 24 right",
        "picUnchecked picture '' 600,4320,255,255 tab 18 hidden picture unchecked 15x15",
        "picChecked picture '' 840,4320,255,255 tab 17 hidden picture checked 15x15",
        "picNoFileExist picture '' 1080,4320,255,255 tab 30 hidden picture nofile 15x15",
        "lblProcessing label 'Processing ....' 5000,2000,3375,495 tab 35 font Verdana 12 bold blue centre",
        "MSFlexGrid1 grid '' 1470,80,10270,4660 tab 16 font Verdana 8.25",
        "lblTotalBytes label '' 8400,4800,3255,255 tab 25 font Verdana 8.25 right",
        "lblFilesSelected label '' 9600,5200,2055,255 tab 19 font Verdana 8.25 right",
        "fmeMapset frame 'Set Mapset Name' 120,4880,4720,675 tab 38",
        "chkMapset check in fmeMapset '' 120,280,255,255 tab 39",
        "lblEnterMapset label in fmeMapset 'Enter Name:' 480,315,975,255 tab 40 disabled",
        "txtMapset text in fmeMapset '' 1440,280,3135,285 tab 41 light3d disabled",
        "fmeList frame 'List' 5100,4720,2895,980 tab 31",
        "cmdSelectAll button in fmeList 'Select &All' 120,240,1365,255 tab 42",
        "cmdSelectNone button in fmeList 'Select &None' 1560,240,1215,255 tab 43",
        "cmdClearGrid button in fmeList '&Clear' 120,620,855,255 tab 34",
        "cmdLoadList button in fmeList '&Load' 1080,620,855,255 tab 32 tip 'Load a list of maps from a text file'",
        "cmdSaveList button in fmeList '&Save' 2040,620,735,255 tab 33 tip 'Save list of selected maps to a text file' disabled",
        "cmdEraseGPS button '&Erase GPS' 5880,5880,1335,255 tab 11 tip 'Use this if GPS is jammed' font MS Sans Serif 8.25 bold disabled",
        "lblAreYouSure label 'Are you Sure?' 5400,6165,1095,195 tab 28 red hidden",
        "optSureYes option '&Yes' 6480,6135,615,255 tab 12 red hidden",
        "optSureNo option '&No' 7200,6135,615,255 tab 13 red hidden",
        "chkCreateFile check 'Create File instead of Upload' 8120,5520,2535,255 tab 44",
        "cmdUpload picbutton '' 8160,5820,1815,615 tab 14 picture upload 105x19",
        "cmdCreateFile picbutton '' 8160,5820,1815,615 tab 45 hidden picture createfile 92x15",
        "cmdExit button 'E&xit' 10365,5820,1335,615 tab 15 font MS Sans Serif 8.25 bold",
    };
    const auto controls = frmMainControls();
    ASSERT_EQ(controls.size(), std::size(expected));
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(Describe(controls[i]), expected[i]);
}

TEST(FormDesign, MenusAndFixedSizes)
{
    const char* const expected[] = {
        "File ' &File ' bar",
        "mnuUseSendmap1 'Use Sendmap.exe' in File disabled F1",
        "mnuUseSendmap2 'Use Sendmap20.exe' in File disabled F2",
        "mnuExit 'E&xit' in File",
        "mnuID '&Test Connection' bar",
        "mnuAbout ' &About ' bar",
    };
    const auto menus = frmMainMenus();
    ASSERT_EQ(menus.size(), std::size(expected));
    for (std::size_t i = 0; i < menus.size(); ++i) {
        const MenuDesign& m = menus[i];
        const std::string place = m.parent.empty() ? " bar" : " in " + std::string(m.parent);
        EXPECT_EQ(std::string(m.name) + " '" + std::string(m.caption) + "'" + place + (m.enabled ? "" : " disabled") +
                      (m.shortcut.empty() ? "" : " " + std::string(m.shortcut)),
                  expected[i]);
    }
    EXPECT_EQ(kMainClientWidth, 11805);
    EXPECT_EQ(kMainClientHeight, 6510);
    EXPECT_EQ(kGridRowHeight, 240);
    EXPECT_EQ(kGridBeyondRows, (Rgb{213, 218, 194}));
    std::string ports;
    for (std::string_view port : ComPortNames())
        ports += std::string(port) + " ";
    EXPECT_EQ(ports, "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 ");
}

TEST(FormStartUp, ChoosesTheVariantByTheToolsFound)
{
    const std::string first = "MAPWREN v1.96  by Tobrenn     (Using Sendmap.exe)";
    const std::string second = "MAPWREN v1.96  by Tobrenn     (Using Sendmap20.exe)";
    struct Case {
        std::initializer_list<const char*> tools;
        std::string expected;   // UseSendmap20, the title, the two variant items enabled and checked, the port
    };
    const Case cases[] = {
        {{"sendmap.exe"}, "0 " + first + " 10 10 none"},
        {{"sendmap20.exe"}, "-1 " + second + " 01 01 auto"},
        {{"sendmap.exe", "sendmap20.exe"}, "-1 " + second + " 11 01 auto"},
        {{"SENDMAP.EXE", "SendMap20.Exe"}, "-1 " + second + " 11 01 auto"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.tools.begin());
        Form f(c.tools);
        frmMain& w = *f.w;
        ASSERT_TRUE(f.started);
        EXPECT_EQ(std::to_string(w.UseSendmap20) + " " + w.Caption + " " + char('0' + w.mnuUseSendmap1.enabled) +
                      char('0' + w.mnuUseSendmap2.enabled) + " " + char('0' + w.mnuUseSendmap1.checked) +
                      char('0' + w.mnuUseSendmap2.checked) + (w.SelectedPort() == Port::Auto ? " auto" : " none"),
                  c.expected);
        EXPECT_EQ(w.cboCOM.text, "COM1");
        EXPECT_EQ(w.Maps().RowCount(), 0u);
        EXPECT_EQ(f.ListButtons() + f.Enabled({"cmdEraseGPS"}), "0000001");
        std::string headers;
        for (int col = 0; col < 5; ++col)
            headers += w.Maps().HeaderCaption(col) + "|";
        EXPECT_EQ(headers, "|File|Folder|Map Name|Bytes|");
        EXPECT_EQ(f.Only(), "0 messages");
    }
}

TEST(FormStartUp, WithoutAToolShowsTheMessageAndGoesNoFurther)
{
    Form f({"sendmap.txt", "sendmap20.exe.bak"});
    EXPECT_FALSE(f.started);
    EXPECT_EQ(f.Only(), std::string("C mapwren: Sendmap.exe or Sendmap20.exe is not in this folder.\r\n"
                                    "You can download it from ") + kToolDownloadPage);
    // The rest of the states are the design's, checked with the settings.
    EXPECT_EQ(f.w->Caption + f.w->cboCOM.text, " ");
}

#ifndef _WIN32
TEST(FormStartUp, TheArgumentTextIsEverythingAfterTheProgramName)
{
    char program[] = "mapwren", first[] = "/maps/My", second[] = "Lists.mwl";
    char* argv[] = {program, first, second, nullptr};
    EXPECT_EQ(ArgumentText(1, argv) + "|" + ArgumentText(2, argv) + "|" + ArgumentText(3, argv),
              "|/maps/My|/maps/My Lists.mwl");
}
#endif

// Every way of closing the main window closes the program's other windows too.
TEST(FormStartUp, ClosingClosesEveryWindowAndAboutOpensItsWindow)
{
    Form f;
    f.w->Click("cmdExit");
    f.w->MenuClick("mnuExit");
    f.w->Form_Unload();
    EXPECT_EQ(f.desktop.closeAllWindows * 10 + f.desktop.aboutWindows, 30);
    f.w->MenuClick("mnuAbout");
    EXPECT_EQ(f.desktop.closeAllWindows * 10 + f.desktop.aboutWindows, 31);
}

} // namespace
} // namespace mapwren::testing
