// The main window as designed, and the controls a user's steps leave enabled, checked or shown.
#include <map>

#include "app/ArgumentText.h"
#include "app/FormFixture.h"
#include "app/frmMainDesign.h"
#include "common/Addresses.h"

namespace mapwren::testing {
namespace {

// What a user reads and reaches as the window opens with both tools and two maps loaded: a caption, a tooltip, a
// menu's shortcut, the Tab walk, a control lying outside its frame.
TEST(FormDesign, WhatAUserReadsAndReachesAsTheWindowOpens)
{
    Form f;
    f.WriteMaps({{"a.img", "Alpha", 1000}, {"b.img", "Beta", 2000}});
    f.Run("load");
    std::map<std::string, std::string> seen;
    std::map<std::string_view, TwipsRect> frames;
    for (const ControlDesign& d : frmMainControls()) {
        if (d.kind == ControlKind::Frame)
            frames[d.name] = d.place;
        const TwipsRect outer = d.container.empty() ? TwipsRect{0, 0, kMainClientWidth, kMainClientHeight}
                                                    : TwipsRect{0, 0, frames.at(d.container).width, frames.at(d.container).height};
        if (d.place.left < outer.left || d.place.top < outer.top || d.place.left + d.place.width > outer.width ||
            d.place.top + d.place.height > outer.height)
            seen["outside"] += std::string(d.name) + " ";
        if (d.visible && !d.caption.empty())
            seen["captions"] += std::string(d.caption) + "|";
        if (!d.tooltip.empty())
            seen["tips"] += std::string(d.name) + ": " + std::string(d.tooltip) + "|";
    }
    for (const MenuDesign& m : frmMainMenus())
        seen["menus"] += (m.parent.empty() ? "|" : " ") + std::string(m.caption) + (m.shortcut.empty() ? "" : " " + std::string(m.shortcut));
    for (std::string name = "cmdFileOpen"; seen["tab"].size() < 1000;) {   // round once
        seen["tab"] += name + " ";
        if ((name = f.w->NextInTabOrder(name)) == "cmdFileOpen")
            break;
    }
    for (std::string_view port : ComPortNames())
        seen["ports"] += std::string(port) + " ";
    EXPECT_EQ(seen, (std::map<std::string, std::string>{   // none "outside"
        {"captions", "Load &Folder|    I/O Port    |Auto|USB|Upload Speed|9600|19200|38400|57600|115200|Processing ....|"
                     "Set Mapset Name|Enter Name:|List|Select &All|Select &None|&Clear|&Load|&Save|&Erase GPS|"
                     "Create File instead of Upload|E&xit|"},
        {"tips", "cmdLoadList: Load a list of maps from a text file|cmdSaveList: Save list of selected maps to a text file|"
                 "cmdEraseGPS: Use this if GPS is jammed|"},
        {"menus", "| &File  Use Sendmap.exe F1 Use Sendmap20.exe F2 Tile &Map F3 Write &Combined Map File... Ctrl+M "
                  "&Install Maps on Receiver or Card... Ctrl+I E&xit|&Test Connection| &About "},
        {"tab", "cmdFileOpen optAuto opt115200 cmdEraseGPS cmdExit MSFlexGrid1 cmdLoadList cmdClearGrid chkMapset "
                "cmdSelectAll chkCreateFile "},
        {"ports", "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 "}}));
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

// After loading two maps and the steps: the focus requests the steps made; or "tab X", "back X" the control Tab and
// Shift+Tab move to from X (both front-ends move the focus by this alone); or "alt" the control Alt with each letter
// presses, the first of that access key in the tab order that is shown and enabled, as Windows picks.
TEST(FormFocus, AControlThatCanNoLongerTakeTheFocusPassesItOnAndTabAndAltFollowTheTabOrder)
{
    const struct { const char* steps; std::string query; const char* expected; } cases[] = {
        {"@cmdSelectAll cmdSelectAll", "", "+cmdSelectNone"},   // Alt+A: Select All disables itself
        {"cmdSelectAll @cmdSelectNone cmdSelectNone", "", "+chkCreateFile"},
        {"@cmdClearGrid cmdSelectAll", "", ""},                 // still usable: the focus stays
        {"cmdEraseGPS @optSureNo optSureNo", "", "+cmdExit"},   // hidden; Upload, disabled, is passed over
        {"p1,0 cmdEraseGPS @optSureNo optSureNo", "", "+cmdUpload"},
        {"p1,0 chkCreateFile cmdEraseGPS @optSureNo optSureNo", "", "+cmdExit"},   // Create File comes last
        {"p1,0 @cmdUpload chkCreateFile", "", "+cmdExit"},
        {"chkMapset @txtMapset chkMapset", "", "+txtMapset+cmdSelectAll"},
        {"@optUSB mnuUseSendmap1", "", "+opt115200"},           // a group of options is entered at its selected one
        // Its frame disabled, and nothing after it usable: round to the first.
        {"cmdClearGrid chkMapset @txtMapset mnuUseSendmap1", "", "+cmdFileOpen+txtMapset+cmdFileOpen"},
        {"p1,0 chkCreateFile", "tab cmdCreateFile", "cmdFileOpen"},   // round to the first
        {"p1,0 chkCreateFile", "back cmdFileOpen", "cmdCreateFile"},
        {"chkCreateFile", "tab cmdFileOpen", "optAuto"},
        {"chkCreateFile", "tab optAuto", "opt115200"},   // a group entered at its selected button
        {"chkCreateFile", "back opt9600", "optAuto"},
        {"chkCreateFile", "tab opt115200", "cmdEraseGPS"},
        {"chkCreateFile", "tab cmdEraseGPS", "cmdExit"},   // Upload hidden, Create File disabled
        {"cmdEraseGPS", "tab cmdEraseGPS", "optSureYes"},   // no answer selected: each one a stop
        {"cmdEraseGPS", "tab optSureYes", "optSureNo"},
        {"chkMapset", "tab chkMapset", "txtMapset"},
        {"", "tab ", "cmdFileOpen"},   // from outside the form's controls
        {"", "alt", "a=cmdSelectAll c=cmdClearGrid e=cmdEraseGPS f=cmdFileOpen l=cmdLoadList n= s= x=cmdExit y= z="},
        {"p1,0", "alt", "s=cmdSaveList N=cmdSelectNone"},
        {"p1,0 cmdEraseGPS", "alt", "n=optSureNo N=optSureNo y=optSureYes e=cmdEraseGPS"},   // the erase question first
        {"cmdClearGrid", "alt", "a= n= e=cmdEraseGPS"},
        {"optUSB", "alt", "e=cmdEraseGPS"},
    };
    for (const auto& c : cases) {
        Form f;
        f.WriteMaps({{"a.img", "Alpha", 1000}, {"b.img", "Beta", 2000}});
        f.Run("load");
        std::string seen = f.Run(c.steps);
        if (c.query == "alt") {
            std::istringstream in(c.expected);
            seen.clear();
            for (std::string pair; in >> pair;)
                seen += (seen.empty() ? "" : " ") + pair.substr(0, 2) + f.w->AccessKeyControl(pair[0]);
        } else if (!c.query.empty())
            seen = f.w->NextInTabOrder(c.query.substr(c.query.find(' ') + 1), c.query.starts_with("back"));
        EXPECT_EQ(seen, c.expected) << c.steps << " " << c.query;
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
