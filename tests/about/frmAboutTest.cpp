// The About window as a person meets it: what it shows, and what presses and
// keys do to it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <string_view>
#include <vector>

#include "about/frmAbout.h"
#include "about/frmAboutDesign.h"
#include "app/FakeDesktop.h"
#include "common/Addresses.h"

namespace mapwren {
namespace {

using testing::FakeDesktop;

using Shown = std::tuple<std::string_view, ControlKind, std::string_view, int, int, int, int, double, bool,
                         TextColour, TextAlign>;

TEST(frmAboutDesign, APaleYellowSheetShowingEachTextInItsPlaceFontAndColour)
{
    const FormDesign& form = frmAboutForm();
    EXPECT_EQ(std::tuple(form.caption, form.width, form.height, form.titleBar, form.icon),
              std::tuple("About mapwren", 5355, 3120, false, "icon"));
    EXPECT_EQ(form.background, (Rgb{255, 255, 192}));
    using enum ControlKind;
    using enum TextColour;
    constexpr TextAlign L = TextAlign::Left, C = TextAlign::Centre, R = TextAlign::Right;
    const Shown expected[] = {   // in tab order
        {"picIcon", PictureBox, "", 120, 120, 960, 960, 8.25, false, System, L},
        {"lblDescription", Label, "Transfer Garmin Mapsource .img files directly to your GPS without the need for "
         "Garmin Mapsource software.", 120, 1320, 5085, 450, 8.25, true, Black, C},
        {"lblTitle", Label, "MAPWREN", 1320, 120, 1440, 360, 13.5, true, Black, L},
        {"lblVersion", Label, "v1.96", 2760, 240, 570, 225, 8.25, true, Blue, C},
        {"Label1", Label, "By Tobrenn - June 2004", 1440, 720, 2535, 255, 8.25, true, System, C},
        {"Label2", Label, "Email me if you have any questions.", 120, 2640, 2655, 255, 8.25, false, System, R},
        {"txtURL", TextBox, kHomepage, 720, 2160, 3855, 285, 8.25, false, Blue, C},
        {"txtEmail", TextBox, kAuthorEmail, 2880, 2610, 2475, 285, 8.25, false, Blue, L},
        {"Label5", Label, "updated 7th Sept 2005", 3360, 240, 1815, 255, 8.25, false, Red, R},
        {"Label4", Label, "Click on the link below to go to the MAPWREN homepage:", 120, 1920, 5055, 255, 8.25,
         false, Green, C},
    };
    const auto controls = frmAboutControls();
    ASSERT_EQ(controls.size(), std::size(expected));
    for (int tab = 0; const ControlDesign& c : controls) {
        EXPECT_EQ(Shown(c.name, c.kind, c.caption, c.place.left, c.place.top, c.place.width, c.place.height,
                        c.font.points, c.font.bold, c.colour, c.align),
                  expected[tab]);
        // One sheet; the address boxes are read-only and borderless, the homepage a link.
        EXPECT_EQ(std::tuple(c.tab, c.font.family, c.background, c.locked, c.borderless, c.link),
                  std::tuple(tab++, "MS Sans Serif", Background::Form, c.kind == TextBox, c.kind == TextBox,
                             c.name == "txtURL"))
            << c.name;
    }
    EXPECT_EQ(std::tuple(controls[0].picture, controls[0].pictureWidth, controls[0].pictureHeight),
              std::tuple("icon", 64, 64));
}

// Whether the window closed, how many times the homepage was opened, whether
// the whole e-mail address is selected in the focused e-mail box.
using Outcome = std::tuple<bool, size_t, bool>;

Outcome Press(std::string_view control, int button, bool secondOfDoubleClick = false)
{
    FakeDesktop desktop;
    frmAbout form(desktop);
    form.MouseDown(control, button, secondOfDoubleClick);
    form.Click(control, button);
    for (const std::string& address : desktop.addresses)
        EXPECT_EQ(address, kHomepage);
    const bool emailSelected = form.txtEmailSelection() == frmAbout::Selection{0, int(std::strlen(kAuthorEmail))};
    return {form.Closed(), desktop.addresses.size(), emailSelected && form.ActiveControl() == "txtEmail"};
}

TEST(frmAbout, PressesAndClicks)
{
    for (int button : {kLeftButton, kRightButton, kMiddleButton}) {
        for (const char* name : {"picIcon", "lblDescription", "lblTitle", "lblVersion", "Label1", "Label2", "Label4",
                                 "Label5", ""})   // "": the background
            EXPECT_EQ(Press(name, button), Outcome(button == kLeftButton, 0, false)) << name << " " << button;
        EXPECT_EQ(Press("txtURL", button), Outcome(false, 1, false)) << button;
        EXPECT_EQ(Press("txtURL", button, true), Outcome(false, 0, false)) << button;   // opened at the first press
        EXPECT_EQ(Press("txtEmail", button), Outcome(false, 0, true)) << button;
        EXPECT_EQ(Press("txtEmail", button, true), Outcome(false, 0, true)) << button;
    }
}

TEST(frmAbout, EveryKeyClosesButAModifierAloneAndCopyingAnAddress)
{
    // focus: the control pressed last, after a press in the e-mail box
    const struct { const char* focus; int keyCode, shift; bool closes; } keys[] = {
        {"picIcon", 27, 0, true}, {"picIcon", 9, 0, true}, {"picIcon", kKeyC, kCtrlMask, true}, {"txtEmail", 'A', 0, true},
        {"txtEmail", kKeyC, kShiftMask, true}, {"txtEmail", kKeyC, kCtrlMask, false}, {"txtEmail", kKeyInsert, kCtrlMask, false},
        {"picIcon", kKeyShift, 0, false}, {"picIcon", kKeyControl, 0, false}, {"picIcon", kKeyAlt, 0, false},
        {"picIcon", kKeyLeftWindows, 0, false}, {"picIcon", kKeyRightWindows, 0, false},
    };
    for (const auto& k : keys) {
        FakeDesktop desktop;
        frmAbout form(desktop);
        form.MouseDown("txtEmail", kRightButton);
        form.MouseDown(k.focus, kRightButton);
        form.Form_KeyDown(k.keyCode, k.shift);
        EXPECT_EQ(form.Closed(), k.closes) << k.focus << " key " << k.keyCode << " shift " << k.shift;
    }
}

} // namespace
} // namespace mapwren
