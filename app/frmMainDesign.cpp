#include "app/frmMainDesign.h"

#include <algorithm>
#include <array>

#include "common/Settings.h"

namespace mapwren {

namespace {

using enum ControlKind;

constexpr FontDesign kBold{.bold = true};
constexpr FontDesign kVerdana{.family = "Verdana"};

constexpr std::array kControls = {
    ControlDesign{.name = "cmdFileOpen", .kind = CommandButton, .caption = "Load &Folder",
                  .place = {120, 100, 1260, 855}, .tab = 0, .font = kBold},
    ControlDesign{.name = "Frame1", .kind = Frame, .caption = "    I/O Port    ", .place = {120, 1100, 1260, 1305},
                  .tab = 8},
    ControlDesign{.name = "optAuto", .kind = OptionButton, .container = "Frame1", .caption = "Auto",
                  .place = {100, 240, 855, 255}, .tab = 1, .enabled = false},
    ControlDesign{.name = "optCOM", .kind = OptionButton, .container = "Frame1", .place = {100, 600, 255, 255},
                  .tab = 37},
    ControlDesign{.name = "cboCOM", .kind = ComboBox, .container = "Frame1", .place = {340, 570, 855, 315},
                  .tab = 36, .enabled = false},
    ControlDesign{.name = "optUSB", .kind = OptionButton, .container = "Frame1", .caption = "USB",
                  .place = {100, 960, 855, 255}, .tab = 2, .enabled = false},
    ControlDesign{.name = "fmeSpeed", .kind = Frame, .caption = "Upload Speed", .place = {120, 2640, 1260, 1500},
                  .tab = 9},
    ControlDesign{.name = "opt9600", .kind = OptionButton, .container = "fmeSpeed", .place = {240, 285, 195, 195},
                  .tab = 3},
    ControlDesign{.name = "opt19200", .kind = OptionButton, .container = "fmeSpeed", .place = {240, 525, 195, 195},
                  .tab = 4},
    ControlDesign{.name = "opt38400", .kind = OptionButton, .container = "fmeSpeed", .place = {240, 765, 195, 195},
                  .tab = 5},
    ControlDesign{.name = "opt57600", .kind = OptionButton, .container = "fmeSpeed", .place = {240, 1005, 195, 195},
                  .tab = 6},
    ControlDesign{.name = "opt115200", .kind = OptionButton, .container = "fmeSpeed",
                  .place = {240, 1245, 195, 195}, .tab = 7, .selected = true},
    ControlDesign{.name = "lbl9600", .kind = Label, .container = "fmeSpeed", .caption = "9600",
                  .place = {510, 270, 480, 165}, .tab = 20, .align = TextAlign::Right},
    ControlDesign{.name = "lbl19200", .kind = Label, .container = "fmeSpeed", .caption = "19200",
                  .place = {435, 510, 555, 165}, .tab = 21, .align = TextAlign::Right},
    ControlDesign{.name = "lbl38400", .kind = Label, .container = "fmeSpeed", .caption = "38400",
                  .place = {435, 750, 555, 165}, .tab = 22, .align = TextAlign::Right},
    ControlDesign{.name = "lbl57600", .kind = Label, .container = "fmeSpeed", .caption = "57600",
                  .place = {435, 990, 555, 165}, .tab = 23, .align = TextAlign::Right},
    ControlDesign{.name = "lbl115200", .kind = Label, .container = "fmeSpeed", .caption = "115200",
                  .place = {435, 1230, 555, 165}, .tab = 24, .align = TextAlign::Right},
    ControlDesign{.name = "picUnchecked", .kind = PictureBox, .place = {600, 4320, 255, 255}, .tab = 18,
                  .visible = false, .picture = "unchecked", .pictureWidth = 15, .pictureHeight = 15},
    ControlDesign{.name = "picChecked", .kind = PictureBox, .place = {840, 4320, 255, 255}, .tab = 17,
                  .visible = false, .picture = "checked", .pictureWidth = 15, .pictureHeight = 15},
    ControlDesign{.name = "picNoFileExist", .kind = PictureBox, .place = {1080, 4320, 255, 255}, .tab = 30,
                  .visible = false, .picture = "nofile", .pictureWidth = 15, .pictureHeight = 15},
    // Below the grid, so it shows only while the grid is hidden.
    ControlDesign{.name = "lblProcessing", .kind = Label, .caption = "Processing ....",
                  .place = {5000, 2000, 3375, 495}, .tab = 35, .font = {.family = "Verdana", .points = 12, .bold = true},
                  .colour = TextColour::Blue, .align = TextAlign::Centre},
    ControlDesign{.name = "MSFlexGrid1", .kind = Grid, .place = {1470, 80, 10270, 4660}, .tab = 16,
                  .font = kVerdana},
    ControlDesign{.name = "lblTotalBytes", .kind = Label, .place = {8400, 4800, 3255, 255}, .tab = 25,
                  .font = kVerdana, .align = TextAlign::Right},
    ControlDesign{.name = "lblFilesSelected", .kind = Label, .place = {9600, 5200, 2055, 255}, .tab = 19,
                  .font = kVerdana, .align = TextAlign::Right},
    ControlDesign{.name = "fmeMapset", .kind = Frame, .caption = "Set Mapset Name", .place = {120, 4880, 4720, 675},
                  .tab = 38},
    ControlDesign{.name = "chkMapset", .kind = CheckBox, .container = "fmeMapset", .place = {120, 280, 255, 255},
                  .tab = 39},
    ControlDesign{.name = "lblEnterMapset", .kind = Label, .container = "fmeMapset", .caption = "Enter Name:",
                  .place = {480, 315, 975, 255}, .tab = 40, .enabled = false},
    ControlDesign{.name = "txtMapset", .kind = TextBox, .container = "fmeMapset", .place = {1440, 280, 3135, 285},
                  .tab = 41, .background = Background::Light3D, .enabled = false},
    ControlDesign{.name = "fmeList", .kind = Frame, .caption = "List", .place = {5100, 4720, 2895, 980}, .tab = 31},
    ControlDesign{.name = "cmdSelectAll", .kind = CommandButton, .container = "fmeList", .caption = "Select &All",
                  .place = {120, 240, 1365, 255}, .tab = 42},
    ControlDesign{.name = "cmdSelectNone", .kind = CommandButton, .container = "fmeList", .caption = "Select &None",
                  .place = {1560, 240, 1215, 255}, .tab = 43},
    ControlDesign{.name = "cmdClearGrid", .kind = CommandButton, .container = "fmeList", .caption = "&Clear",
                  .place = {120, 620, 855, 255}, .tab = 34},
    ControlDesign{.name = "cmdLoadList", .kind = CommandButton, .container = "fmeList", .caption = "&Load",
                  .tooltip = "Load a list of maps from a text file", .place = {1080, 620, 855, 255}, .tab = 32},
    ControlDesign{.name = "cmdSaveList", .kind = CommandButton, .container = "fmeList", .caption = "&Save",
                  .tooltip = "Save list of selected maps to a text file", .place = {2040, 620, 735, 255}, .tab = 33,
                  .enabled = false},
    ControlDesign{.name = "cmdEraseGPS", .kind = CommandButton, .caption = "&Erase GPS",
                  .tooltip = "Use this if GPS is jammed", .place = {5880, 5880, 1335, 255}, .tab = 11, .font = kBold,
                  .enabled = false},
    ControlDesign{.name = "lblAreYouSure", .kind = Label, .caption = "Are you Sure?", .place = {5400, 6165, 1095, 195},
                  .tab = 28, .colour = TextColour::Red, .visible = false},
    ControlDesign{.name = "optSureYes", .kind = OptionButton, .caption = "&Yes", .place = {6480, 6135, 615, 255},
                  .tab = 12, .colour = TextColour::Red, .visible = false},
    ControlDesign{.name = "optSureNo", .kind = OptionButton, .caption = "&No", .place = {7200, 6135, 615, 255},
                  .tab = 13, .colour = TextColour::Red, .visible = false},
    ControlDesign{.name = "chkCreateFile", .kind = CheckBox, .caption = "Create File instead of Upload",
                  .place = {8120, 5520, 2535, 255}, .tab = 44},
    ControlDesign{.name = "cmdUpload", .kind = PictureButton, .place = {8160, 5820, 1815, 615}, .tab = 14,
                  .picture = "upload", .pictureWidth = 105, .pictureHeight = 19},
    ControlDesign{.name = "cmdCreateFile", .kind = PictureButton, .place = {8160, 5820, 1815, 615}, .tab = 45,
                  .visible = false, .picture = "createfile", .pictureWidth = 92, .pictureHeight = 15},
    ControlDesign{.name = "cmdExit", .kind = CommandButton, .caption = "E&xit", .place = {10365, 5820, 1335, 615},
                  .tab = 15, .font = kBold},
};

constexpr std::array kMenus = {
    MenuDesign{.name = "File", .caption = " &File "},
    // The tool variant in use carries the check mark.
    MenuDesign{.name = "mnuUseSendmap1", .caption = "Use Sendmap.exe", .parent = "File", .enabled = false,
               .shortcut = "F1", .checkable = true},
    MenuDesign{.name = "mnuUseSendmap2", .caption = "Use Sendmap20.exe", .parent = "File", .enabled = false,
               .shortcut = "F2", .checkable = true},
    MenuDesign{.name = "mnuTileMap", .caption = "Tile &Map", .parent = "File", .shortcut = "F3"},
    MenuDesign{.name = "mnuCombinedMap", .caption = "Write &Combined Map File...", .parent = "File",
               .shortcut = "Ctrl+M"},
    MenuDesign{.name = "mnuInstall", .caption = "&Install Maps on Receiver or Card...", .parent = "File",
               .shortcut = "Ctrl+I"},
    MenuDesign{.name = "mnuExit", .caption = "E&xit", .parent = "File"},
    MenuDesign{.name = "mnuID", .caption = "&Test Connection"},
    MenuDesign{.name = "mnuAbout", .caption = " &About "},
};

constexpr std::array<std::string_view, 3> kPortOptions = {"optAuto", "optCOM", "optUSB"};
constexpr std::array<std::string_view, 5> kSpeedOptions = {"opt9600", "opt19200", "opt38400", "opt57600", "opt115200"};
constexpr std::array<std::string_view, 2> kSureOptions = {"optSureYes", "optSureNo"};
constexpr std::array<std::span<const std::string_view>, 3> kOptionGroups = {kPortOptions, kSpeedOptions, kSureOptions};

} // namespace

std::span<const ControlDesign> frmMainControls() { return kControls; }
std::span<const MenuDesign> frmMainMenus() { return kMenus; }
std::span<const std::span<const std::string_view>> OptionGroups() { return kOptionGroups; }

std::span<const std::string_view> OptionGroupOf(std::string_view name)
{
    for (std::span<const std::string_view> group : kOptionGroups) {
        if (std::ranges::find(group, name) != group.end())
            return group;
    }
    return {};
}

std::span<const std::string_view> ComPortNames() { return kComPorts; }

} // namespace mapwren
