// The upload settings: tool variant, port, mapset and create-file events,
// each row a user's steps and the controls they leave.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "app/FormFixture.h"

namespace mapwren::testing {
namespace {

// "on" or "off" when every control agrees, "mixed" otherwise.
std::string Enabled(frmMain& w, std::initializer_list<const char*> names)
{
    int on = 0;
    for (const char* name : names)
        on += w.Control(name)->enabled ? 1 : 0;
    return on == 0 ? "off" : on == int(names.size()) ? "on" : "mixed";
}

std::string Item(frmMain& w, const std::string& key, const std::string& focus)
{
    const std::map<Port, const char*> ports = {
        {Port::Auto, "auto"}, {Port::Com, "com"}, {Port::Usb, "usb"}, {Port::None, "none"}};
    if (key == "variant") return std::to_string(w.UseSendmap20);
    if (key == "port") return ports.at(w.SelectedPort());
    if (key == "auto") return Enabled(w, {"optAuto"});
    if (key == "usb") return Enabled(w, {"optUSB"});
    if (key == "combox") return Enabled(w, {"cboCOM"});
    if (key == "speed")
        return Enabled(w, {"fmeSpeed", "opt9600", "opt19200", "opt38400", "opt57600", "opt115200", "lbl9600",
                           "lbl19200", "lbl38400", "lbl57600", "lbl115200"});
    if (key == "speedsel") return w.opt115200.value == 1 ? "115200" : "other";
    if (key == "frame") return Enabled(w, {"fmeMapset"});
    if (key == "mapset") return Enabled(w, {"chkMapset"});
    if (key == "name") return Enabled(w, {"txtMapset", "lblEnterMapset"});
    if (key == "bg") return w.txtMapset.background == Background::Menu ? "menu"
                          : w.txtMapset.background == Background::Light3D ? "3dlight" : "system";
    if (key == "title") return w.Caption.ends_with("(Using Sendmap20.exe)") ? "20"
                             : w.Caption.ends_with("(Using Sendmap.exe)") ? "1" : w.Caption == " " ? "blank" : w.Caption;
    if (key == "mnu1") return w.mnuUseSendmap1.checked ? "checked" : "clear";
    if (key == "mnu2") return w.mnuUseSendmap2.checked ? "checked" : "clear";
    if (key == "items") return std::string(w.mnuUseSendmap1.enabled ? "1" : "0") + (w.mnuUseSendmap2.enabled ? "1" : "0");
    if (key == "test") return w.mnuID.enabled ? "on" : "off";
    if (key == "erase") return Enabled(w, {"cmdEraseGPS"});
    if (key == "upload") return Enabled(w, {"cmdUpload", "cmdCreateFile"});
    if (key == "createbox") return w.chkCreateFile.visible ? "shown" : "hidden";
    if (key == "button") return w.cmdCreateFile.visible ? (w.cmdUpload.visible ? "both" : "createfile") : "upload";
    if (key == "switch") return w.CreateFileSwitch == "-l " ? "-l_" : w.CreateFileSwitch;
    if (key == "text") return w.txtMapset.text;
    if (key == "focus") return focus;
    return "unknown key";
}

// Each step as the user takes it: "tick" loads two maps and ticks the first;
// the list loader's settings come from code.
void RunSteps(Form& f, const std::string& steps, std::string& focus)
{
    const std::map<std::string, const char*> clicks = {
        {"auto", "optAuto"}, {"com", "optCOM"}, {"usb", "optUSB"}, {"mapset", "chkMapset"},
        {"createfile", "chkCreateFile"}, {"mnu1", "mnuUseSendmap1"}, {"mnu2", "mnuUseSendmap2"}};
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
        if (step == "tick") {
            f.LoadFolder();
            f.Press(1, 0);
        } else if (step == "type") {
            f.w->TextChanged("txtMapset", "Topo");
        } else if (step == "list-mapset") {
            f.w->SetMapsetValue(1);
        } else if (step == "list-usb") {
            f.w->SelectPort(Port::Usb);
        } else if (step.starts_with("mnu")) {
            f.w->MenuClick(clicks.at(step));
        } else {
            f.w->Click(clicks.at(step));
        }
        if (f.w->TakeFocusRequest() == "txtMapset")
            focus = "name";
    }
}

struct Case {
    const char* name;
    std::initializer_list<const char*> tools;
    const char* steps;
    const char* expected;   // key=value ...
};

std::initializer_list<const char*> kFirst = {"sendmap.exe"};
std::initializer_list<const char*> kBoth = {"sendmap.exe", "sendmap20.exe"};
std::initializer_list<const char*> kNone = {"readme.txt"};

const Case kCases[] = {
    // The design's states, as a start-up stopped for want of a tool leaves them.
    {"no tool", kNone, "",
     "title=blank items=00 mnu1=clear mnu2=clear test=on variant=0 port=none auto=off usb=off combox=off speed=on "
     "speedsel=115200 frame=on mapset=on name=off bg=3dlight erase=off upload=on createbox=shown button=upload "
     "switch="},
    {"start-up, first variant", kFirst, "",
     "variant=0 auto=off usb=off port=none frame=off mapset=off name=off bg=3dlight title=1 mnu1=checked mnu2=clear "
     "test=off erase=on upload=off createbox=shown combox=off speed=on"},
    {"start-up, second variant", kBoth, "",
     "variant=-1 auto=on usb=on port=auto frame=on mapset=on name=off bg=3dlight title=20 mnu1=clear mnu2=checked "
     "test=on erase=on upload=off createbox=shown combox=off speed=on"},
    {"first variant chosen with Auto", kBoth, "tick mnu1",
     "variant=0 auto=off usb=off port=none frame=off mapset=off name=off bg=3dlight title=1 mnu1=checked mnu2=clear "
     "test=off erase=off upload=off createbox=hidden speed=on"},
    {"first variant chosen with COM", kBoth, "tick com mnu1",
     "variant=0 port=com combox=on erase=on upload=on createbox=hidden speed=on"},
    {"first variant chosen with USB", kBoth, "tick usb mnu1", "variant=0 port=usb usb=off speed=off erase=off upload=off"},
    {"COM after the first variant greyed USB", kBoth, "tick usb mnu1 com", "port=com speed=on erase=on upload=on"},
    {"a tick after the first variant greyed USB", kBoth, "usb mnu1 tick", "port=usb erase=on upload=on"},
    {"second variant chosen with COM", kBoth, "tick mnu1 com mnu2",
     "variant=-1 auto=on usb=on port=auto combox=off frame=on mapset=on name=off title=20 mnu1=clear mnu2=checked "
     "test=on erase=on upload=on createbox=shown"},
    {"second variant chosen with the mapset ticked", kBoth, "mapset type mnu1 mnu2",
     "frame=on mapset=on name=on bg=menu text=Topo"},
    {"second variant chosen again selects Auto", kBoth, "usb mnu2", "port=auto speed=on"},
    {"Auto, nothing ticked", kBoth, "com auto", "port=auto combox=off speed=on erase=on upload=off"},
    {"COM, nothing ticked", kBoth, "com", "port=com combox=on speed=on erase=on upload=off"},
    {"USB, nothing ticked", kBoth, "usb", "port=usb combox=off speed=off erase=on upload=off"},
    {"Auto, a map ticked", kBoth, "tick usb auto", "port=auto combox=off speed=on speedsel=115200 upload=on"},
    {"COM, a map ticked", kBoth, "tick com", "port=com combox=on upload=on"},
    {"USB, a map ticked", kBoth, "tick usb", "port=usb speed=off speedsel=115200 upload=on"},
    {"COM with the first variant", kFirst, "com", "port=com combox=on speed=on erase=on upload=off"},
    {"USB selected by the list loader", kBoth, "list-usb", "port=usb combox=off speed=off"},
    {"mapset ticked", kBoth, "mapset", "name=on bg=menu focus=name"},
    {"mapset unticked keeps the name", kBoth, "mapset type mapset", "name=off bg=3dlight text=Topo"},
    {"mapset ticked again", kBoth, "mapset type mapset mapset", "name=on bg=menu text=Topo"},
    {"mapset ticked by a list under the first variant", kFirst, "list-mapset",
     "frame=off mapset=off name=on bg=menu focus=elsewhere"},
    {"create file ticked, second variant", kBoth, "createfile", "button=createfile switch=-l_"},
    {"create file unticked, second variant", kBoth, "createfile createfile", "button=upload switch="},
    {"create file ticked, first variant", kFirst, "createfile", "button=upload switch="},
    {"first variant chosen while ticked", kBoth, "createfile mnu1", "createbox=hidden button=upload switch="},
    {"second variant chosen while ticked", kBoth, "createfile mnu1 mnu2", "createbox=shown button=createfile switch=-l_"},
};

TEST(FormSettings, EventsLeaveTheControlsAsTheUserExpects)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Form f(c.tools);
        f.WriteMaps({{"a.img", "Alpha", 1000}, {"b.img", "Beta", 2000}});
        std::string focus = "elsewhere";
        f.w->TakeFocusRequest();
        RunSteps(f, c.steps, focus);
        std::istringstream in(c.expected);
        std::string actual;
        for (std::string pair; in >> pair;) {
            const std::string key = pair.substr(0, pair.find('='));
            actual += (actual.empty() ? "" : " ") + key + "=" + Item(*f.w, key, focus);
        }
        EXPECT_EQ(actual, c.expected);
    }
}

} // namespace
} // namespace mapwren::testing
