#include "about/frmAboutDesign.h"

#include <array>

#include "about/frmAbout.h"
#include "common/Addresses.h"

namespace mapwren {

namespace {

using enum ControlKind;
using Row = AboutRow;

constexpr FormDesign kForm{.caption = "About mapwren", .width = 5355, .height = 3120,
                           .background = {255, 255, 192}, .titleBar = false, .icon = "icon"};

constexpr FontDesign kBold{.bold = true};
constexpr Background kSheet = Background::Form;

// Fitted to the fallback font, whose captions are wider than the design's
// boxes: lblTitle reaches to the version, Label2 starts at the left margin
// and txtEmail reaches to the window's right edge.
constexpr std::array kControls = {
    Row{{.name = "picIcon", .kind = PictureBox, .place = {120, 120, 960, 960}, .tab = 0,
         .background = kSheet, .picture = "icon", .pictureWidth = 64, .pictureHeight = 64},
        &frmAbout::picIcon_MouseDown, &frmAbout::Form_Click},
    Row{{.name = "lblDescription", .kind = Label,
         .caption = "Transfer Garmin Mapsource .img files directly to your GPS without the need for "
                    "Garmin Mapsource software.",
         .place = {120, 1320, 5085, 450}, .tab = 1, .font = kBold, .colour = TextColour::Black,
         .align = TextAlign::Centre, .background = kSheet},
        nullptr, &frmAbout::Form_Click},
    Row{{.name = "lblTitle", .kind = Label, .caption = "MAPWREN", .place = {1320, 120, 1440, 360},
         .tab = 2, .font = {.points = 13.5, .bold = true}, .colour = TextColour::Black,
         .background = kSheet},
        nullptr, &frmAbout::Form_Click},
    Row{{.name = "lblVersion", .kind = Label, .caption = kVersion, .place = {2760, 240, 570, 225},
         .tab = 3, .font = kBold, .colour = TextColour::Blue, .align = TextAlign::Centre,
         .background = kSheet},
        nullptr, &frmAbout::Form_Click},
    Row{{.name = "Label1", .kind = Label, .caption = "By Tobrenn - June 2004",
         .place = {1440, 720, 2535, 255}, .tab = 4, .font = kBold, .align = TextAlign::Centre,
         .background = kSheet},
        nullptr, &frmAbout::Form_Click},
    Row{{.name = "Label2", .kind = Label, .caption = "Email me if you have any questions.",
         .place = {120, 2640, 2655, 255}, .tab = 5, .align = TextAlign::Right, .background = kSheet},
        nullptr, &frmAbout::Form_Click},
    Row{{.name = "txtURL", .kind = TextBox, .caption = kHomepage, .place = {720, 2160, 3855, 285},
         .tab = 6, .colour = TextColour::Blue, .align = TextAlign::Centre, .background = kSheet,
         .locked = true, .borderless = true, .link = true},
        &frmAbout::txtURL_MouseDown},
    Row{{.name = "txtEmail", .kind = TextBox, .caption = kAuthorEmail, .place = {2880, 2610, 2475, 285},
         .tab = 7, .colour = TextColour::Blue, .background = kSheet, .locked = true, .borderless = true},
        &frmAbout::txtEmail_MouseDown},
    Row{{.name = "Label5", .kind = Label, .caption = "updated 7th Sept 2005", .place = {3360, 240, 1815, 255},
         .tab = 8, .colour = TextColour::Red, .align = TextAlign::Right, .background = kSheet},
        nullptr, &frmAbout::Form_Click},
    Row{{.name = "Label4", .kind = Label, .caption = "Click on the link below to go to the MAPWREN homepage:",
         .place = {120, 1920, 5055, 255}, .tab = 9, .colour = TextColour::Green, .align = TextAlign::Centre,
         .background = kSheet},
        nullptr, &frmAbout::Form_Click},
};

} // namespace

const FormDesign& frmAboutForm() { return kForm; }

std::span<const AboutRow> frmAboutControlRows() { return kControls; }

} // namespace mapwren
