// The main window as designed, and the controls a user's steps leave enabled, checked or shown.
#include <map>

#include "app/ArgumentText.h"
#include "app/FormFixture.h"
#include "app/frmMainDesign.h"
#include "common/Addresses.h"

namespace mapwren::testing {
namespace {

TEST(FormDesign, EveryControlAndMenuItemAsDesigned)
{
    const char* const kinds[] = {"button", "picbutton", "frame", "option", "check", "combo", "text", "label", "picture", "grid"};
    const char* const colours[] = {"", " black", " red", " blue"}, *const aligns[] = {"", " right", " centre"};
    const char* const backgrounds[] = {"", " light3d", " menu"};
    // Controls in the order front-ends create and stack them in, then the menus.
    const Texts expected = {
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
        "File ' &File ' bar opens a menu",
        "mnuUseSendmap1 'Use Sendmap.exe' in File disabled F1 checkable",
        "mnuUseSendmap2 'Use Sendmap20.exe' in File disabled F2 checkable",
        "mnuTileMap 'Tile &Map' in File F3",
        "mnuCombinedMap 'Write &Combined Map File...' in File Ctrl+M",
        "mnuExit 'E&xit' in File",
        "mnuID '&Test Connection' bar",
        "mnuAbout ' &About ' bar",
    };
    Texts actual;   // one line each, what equals the defaults left out
    for (const ControlDesign& d : frmMainControls()) {
        char place[64], font[64];
        std::snprintf(place, sizeof place, "%d,%d,%d,%d tab %d", d.place.left, d.place.top, d.place.width, d.place.height, d.tab);
        std::snprintf(font, sizeof font, " font %s %g%s", std::string(d.font.family).c_str(), d.font.points, d.font.bold ? " bold" : "");
        const bool plainFont = d.font.family == "MS Sans Serif" && d.font.points == 8.25 && !d.font.bold;
        actual.push_back(std::string(d.name) + " " + kinds[int(d.kind)] + (d.container.empty() ? "" : " in " + std::string(d.container)) +
                         " '" + std::string(d.caption) + "' " + place + (d.tooltip.empty() ? "" : " tip '" + std::string(d.tooltip) + "'") +
                         (plainFont ? "" : font) + colours[int(d.colour)] + aligns[int(d.align)] + backgrounds[int(d.background)] +
                         (d.enabled ? "" : " disabled") + (d.visible ? "" : " hidden") + (d.selected ? " selected" : "") +
                         (d.picture.empty() ? "" : " picture " + std::string(d.picture) + " " + std::to_string(d.pictureWidth) +
                                                       "x" + std::to_string(d.pictureHeight)));
    }
    for (const MenuDesign& m : frmMainMenus())
        actual.push_back(std::string(m.name) + " '" + std::string(m.caption) + "'" +
                         (m.parent.empty() ? " bar" : " in " + std::string(m.parent)) + (m.enabled ? "" : " disabled") +
                         (m.shortcut.empty() ? "" : " " + std::string(m.shortcut)) + (m.checkable ? " checkable" : "") +
                         (OpensMenu(frmMainMenus(), m.name) ? " opens a menu" : ""));
    EXPECT_EQ(actual, expected);
    std::string fixed = std::to_string(kMainClientWidth) + " " + std::to_string(kMainClientHeight) + " " + std::to_string(kGridRowHeight);
    for (std::string_view port : ComPortNames())
        fixed += " " + std::string(port);
    EXPECT_EQ(fixed, "11805 6510 240 COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9");
    std::string groups;   // each group of option buttons, and each button's own group
    for (std::span<const std::string_view> group : OptionGroups()) {
        groups += "|";
        for (std::string_view option : group)
            groups += " " + std::string(option) + (OptionGroupOf(option).data() == group.data() ? "" : "?");
    }
    EXPECT_EQ(groups, "| optAuto optCOM optUSB| opt9600 opt19200 opt38400 opt57600 opt115200| optSureYes optSureNo");
    EXPECT_TRUE(OptionGroupOf("chkMapset").empty());
    EXPECT_EQ(kGridBeyondRows, (Rgb{213, 218, 194}));
}

TEST(FormStartUp, WithoutAToolShowsTheMessageAndGoesNoFurther)
{
    Form f({"sendmap.txt", "sendmap20.exe.bak", "sendmap2"});
    EXPECT_FALSE(f.started);
    EXPECT_EQ(f.Only(), std::string("C mapwren: Sendmap.exe or Sendmap20.exe is not in this folder.\r\n"
                                    "You can download it from ") + kToolDownloadPage + "\r\nFolder searched: " + f.ProgramText());
}

#ifndef _WIN32
TEST(FormStartUp, TheArgumentTextIsEverythingAfterTheProgramName)
{
    char program[] = "mapwren", first[] = "/maps/My", second[] = "Lists.mwl";
    char* argv[] = {program, first, second, nullptr};
    EXPECT_EQ(ArgumentText(1, argv) + "|" + ArgumentText(2, argv) + "|" + ArgumentText(3, argv), "|/maps/My|/maps/My Lists.mwl");
}
#endif

TEST(FormStartUp, EveryWayOfClosingClosesEveryWindowAndAboutAndTheTileMapOpenTheirWindows)
{
    Form f;
    f.Run("cmdExit mnuExit");
    f.w->Form_Unload();
    f.Run("mnuAbout mnuTileMap mnuTileMap");
    EXPECT_EQ("closes=" + std::to_string(f.desktop.closeAllWindows) + " about windows=" + std::to_string(f.desktop.aboutWindows) +
                  " tile map windows=" + std::to_string(f.desktop.tileMapWindows),
              "closes=3 about windows=1 tile map windows=2");
}

const std::map<std::string, std::string> kGroups = {
    {"auto", "optAuto"}, {"usb", "optUSB"}, {"combox", "cboCOM"}, {"frame", "fmeMapset"}, {"mapset", "chkMapset"},
    {"name", "txtMapset lblEnterMapset"}, {"erase", "cmdEraseGPS"}, {"upload", "cmdUpload cmdCreateFile"},
    {"speed", "fmeSpeed opt9600 opt19200 opt38400 opt57600 opt115200 lbl9600 lbl19200 lbl38400 lbl57600 lbl115200"}};

// A group of controls is "on" or "off" when all agree, "mixed" otherwise; "mnu" and "items": the variant items
// checked and enabled; "title": what follows the program's name.
std::string Item(Form& f, const std::string& key, const std::string& focus)
{
    frmMain& w = *f.w;
    if (kGroups.contains(key)) {
        std::istringstream names(kGroups.at(key));
        int on = 0, all = 0;
        for (std::string name; names >> name; ++all)
            on += w.Control(name)->enabled;
        return on == 0 ? "off" : on == all ? "on" : "mixed";
    }
    const std::string title = "MAPWREN v1.96  by Tobrenn     (Using ";
    const std::map<std::string, std::string> items = {
        {"variant", std::to_string(w.UseSendmap20)}, {"combo", w.cboCOM.text}, {"list", f.ListButtons()},
        {"port", Texts{"none", "auto", "com", "usb"}[int(w.SelectedPort())]}, {"speedsel", w.opt115200.value == 1 ? "115200" : "other"},
        {"bg", Texts{"-", "3dlight", "menu", "-"}[int(w.txtMapset.background)]},
        {"title", w.Caption == " " ? "blank" : w.Caption.starts_with(title) ? w.Caption.substr(title.size()) : w.Caption},
        {"mnu", std::string{char('0' + w.mnuUseSendmap1.checked), char('0' + w.mnuUseSendmap2.checked)}},
        {"items", std::string{char('0' + w.mnuUseSendmap1.enabled), char('0' + w.mnuUseSendmap2.enabled)}},
        {"test", w.mnuID.enabled ? "on" : "off"}, {"createbox", w.chkCreateFile.visible ? "shown" : "hidden"},
        {"button", w.cmdCreateFile.visible ? (w.cmdUpload.visible ? "both" : "createfile") : "upload"},
        {"switch", w.CreateFileSwitch == "-l " ? "-l_" : w.CreateFileSwitch}, {"text", w.txtMapset.text}, {"focus", focus}};
    return items.at(key);
}

const Names kFirst = {"sendmap.exe"}, kBoth = {"sendmap.exe", "sendmap20.exe"}, kNone = {"readme.txt"};

// Steps as Form::Run takes them, or "list-..." the list loader's settings, made by code.
const struct { Names tools; const char* steps; const char* expected; } kCases[] = {
    {kNone, "", "title=blank items=00 mnu=00 test=on variant=0 port=none auto=off usb=off combo= combox=off speed=on "
                "speedsel=115200 frame=on mapset=on name=off bg=3dlight erase=off upload=on createbox=shown button=upload switch="},
    {kFirst, "", "variant=0 auto=off usb=off port=none frame=off mapset=off name=off bg=3dlight title=Sendmap.exe) items=10 mnu=10 "
                 "test=off erase=on upload=off list=none createbox=shown combo=COM1 combox=off speed=on"},
    {kBoth, "", "variant=-1 auto=on usb=on port=auto frame=on mapset=on name=off bg=3dlight title=Sendmap20.exe) items=11 mnu=01 "
                "test=on erase=on upload=off list=none createbox=shown combo=COM1 combox=off speed=on"},
    {{"sendmap20.exe"}, "", "variant=-1 port=auto title=Sendmap20.exe) items=01 mnu=01"},
    {{"SENDMAP.EXE", "SendMap20.Exe"}, "", "variant=-1 port=auto title=Sendmap20.exe) items=11 mnu=01"},
    {kBoth, "load p1,0 mnuUseSendmap1", "variant=0 auto=off usb=off port=none frame=off mapset=off name=off title=Sendmap.exe) "
                                        "mnu=10 test=off erase=off upload=off createbox=hidden speed=on"},
    {kBoth, "load p1,0 optCOM mnuUseSendmap1", "variant=0 port=com combox=on erase=on upload=on speed=on"},
    {kBoth, "load p1,0 optUSB mnuUseSendmap1", "variant=0 port=usb usb=off speed=off erase=off upload=off"},
    {kBoth, "load p1,0 optUSB mnuUseSendmap1 optCOM", "port=com speed=on erase=on upload=on"},
    {kBoth, "optUSB mnuUseSendmap1 load p1,0", "port=usb erase=on upload=on"},
    {kBoth, "load p1,0 mnuUseSendmap1 optCOM mnuUseSendmap2", "variant=-1 auto=on usb=on port=auto combox=off frame=on mapset=on "
                                                          "name=off title=Sendmap20.exe) mnu=01 test=on erase=on upload=on createbox=shown"},
    {kBoth, "chkMapset txtMapset=Topo mnuUseSendmap1 mnuUseSendmap2", "frame=on mapset=on name=on bg=menu text=Topo"},
    {kBoth, "optUSB mnuUseSendmap2", "port=auto speed=on"},
    {kBoth, "optCOM optAuto", "port=auto combox=off speed=on erase=on upload=off"},
    {kBoth, "optCOM", "port=com combox=on speed=on erase=on upload=off"},
    {kBoth, "optUSB", "port=usb combox=off speed=off erase=on upload=off"},
    {kBoth, "load p1,0 optUSB optAuto", "port=auto combox=off speed=on speedsel=115200 upload=on"},
    {kBoth, "load p1,0 optCOM", "port=com combox=on upload=on"},
    {kBoth, "load p1,0 optUSB", "port=usb speed=off speedsel=115200 upload=on"},
    {kFirst, "load p1,0 cmdSelectAll", "port=none erase=on upload=off list=SelectNone+SaveList+ClearGrid"},
    {kFirst, "optCOM", "port=com combox=on speed=on erase=on upload=off"},
    {kBoth, "list-usb", "port=usb combox=off speed=off"},
    {kBoth, "chkMapset", "name=on bg=menu focus=+txtMapset"},
    {kBoth, "chkMapset txtMapset=Topo chkMapset", "name=off bg=3dlight text=Topo"},
    {kFirst, "list-mapset", "frame=off mapset=off name=on bg=menu focus="},
    {kBoth, "chkCreateFile", "button=createfile switch=-l_"},
    {kBoth, "chkCreateFile chkCreateFile", "button=upload switch="},
    {kFirst, "chkCreateFile", "button=upload switch="},
    {kBoth, "chkCreateFile mnuUseSendmap1", "createbox=hidden button=upload switch="},
    {kBoth, "chkCreateFile mnuUseSendmap1 mnuUseSendmap2", "createbox=shown button=createfile switch=-l_"},
};

TEST(FormFocus, AControlThatCanNoLongerTakeTheFocusPassesItToTheNextInTheTabOrder)
{
    const struct { const char* steps; const char* focus; } cases[] = {   // after loading two maps
        {"@cmdSelectAll cmdSelectAll", "+cmdSelectNone"},   // Alt+A: Select All disables itself
        {"cmdSelectAll @cmdSelectNone cmdSelectNone", "+chkCreateFile"},
        {"@cmdClearGrid cmdSelectAll", ""},                 // still usable: the focus stays
        {"cmdEraseGPS @optSureNo optSureNo", "+cmdExit"},   // hidden; Upload, disabled, is passed over
        {"p1,0 cmdEraseGPS @optSureNo optSureNo", "+cmdUpload"},
        {"p1,0 chkCreateFile cmdEraseGPS @optSureNo optSureNo", "+cmdExit"},   // Create File comes last
        {"p1,0 @cmdUpload chkCreateFile", "+cmdExit"},
        {"chkMapset @txtMapset chkMapset", "+txtMapset+cmdSelectAll"},
        {"@optUSB mnuUseSendmap1", "+opt115200"},           // a group of options is entered at its selected one
        // Its frame disabled, and nothing after it usable: round to the first.
        {"cmdClearGrid chkMapset @txtMapset mnuUseSendmap1", "+cmdFileOpen+txtMapset+cmdFileOpen"},
    };
    for (const auto& c : cases) {
        Form f;
        f.WriteMaps({{"a.img", "Alpha", 1000}, {"b.img", "Beta", 2000}});
        f.Run("load");
        EXPECT_EQ(f.Run(c.steps), c.focus) << c.steps;
    }
}

// Both front-ends move the focus on Tab and Shift+Tab by this alone.
TEST(FormFocus, TabFollowsTheTabOrderOverTheControlsThatCanTakeTheFocusNow)
{
    const struct { const char* steps; const char* from; bool back; const char* to; } cases[] = {   // after loading
        {"p1,0 chkCreateFile", "cmdCreateFile", false, "cmdFileOpen"},   // round to the first
        {"p1,0 chkCreateFile", "cmdFileOpen", true, "cmdCreateFile"},
        {"chkCreateFile", "cmdFileOpen", false, "optAuto"},
        {"chkCreateFile", "optAuto", false, "opt115200"},   // a group entered at its selected button
        {"chkCreateFile", "opt9600", true, "optAuto"},
        {"chkCreateFile", "opt115200", false, "cmdEraseGPS"},
        {"chkCreateFile", "cmdEraseGPS", false, "cmdExit"},   // Upload hidden, Create File disabled
        {"cmdEraseGPS", "cmdEraseGPS", false, "optSureYes"},   // no answer selected: each one a stop
        {"cmdEraseGPS", "optSureYes", false, "optSureNo"},
        {"chkMapset", "chkMapset", false, "txtMapset"},
        {"", "", false, "cmdFileOpen"},   // from outside the form's controls
    };
    for (const auto& c : cases) {
        Form f;
        f.WriteMaps({{"a.img", "Alpha", 1000}});
        f.Run(std::string("load ") + c.steps);
        EXPECT_EQ(f.w->NextInTabOrder(c.from, c.back), c.to) << c.steps << " from " << c.from;
    }
}

TEST(FormSettings, EventsLeaveTheControlsAsTheUserExpects)
{
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(*c.tools.begin()) + ": " + c.steps);
        Form f(c.tools);
        f.WriteMaps({{"a.img", "Alpha", 1000}, {"b.img", "Beta", 2000}});
        f.w->TakeFocusRequest();
        const std::string steps = c.steps;
        if (steps == "list-mapset" || steps == "list-usb")
            steps == "list-usb" ? f.w->SelectPort(Port::Usb) : f.w->SetMapsetValue(1);
        const std::string focus = steps.starts_with("list-") ? f.w->TakeFocusRequest() : f.Run(steps);
        std::istringstream in(c.expected);
        std::string actual;
        for (std::string pair; in >> pair;)
            actual += (actual.empty() ? "" : " ") + pair.substr(0, pair.find('=')) + "=" + Item(f, pair.substr(0, pair.find('=')), focus);
        EXPECT_EQ(actual, c.expected);
    }
}

} // namespace
} // namespace mapwren::testing
