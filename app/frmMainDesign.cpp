#include "app/frmMainDesign.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "app/frmMain.h"
#include "common/Settings.h"

namespace mapwren {

namespace {

using enum ControlKind;
using Row = ControlRow<frmMain>;
using Item = MenuRow<frmMain>;

constexpr FontDesign kBold{.bold = true};
constexpr FontDesign kVerdana{.family = "Verdana"};

constexpr std::array kControls = {
    Row{{.name = "cmdFileOpen", .kind = CommandButton, .caption = "Load &Folder",
         .place = {120, 100, 1260, 855}, .tab = 0, .font = kBold},
        &frmMain::cmdFileOpen, &frmMain::cmdFileOpen_Click},
    Row{{.name = "Frame1", .kind = Frame, .caption = "    I/O Port    ", .place = {120, 1100, 1260, 1305},
         .tab = 8},
        &frmMain::Frame1},
    Row{{.name = "optAuto", .kind = OptionButton, .container = "Frame1", .caption = "Auto",
         .place = {100, 240, 855, 255}, .tab = 1, .enabled = false},
        &frmMain::optAuto, &frmMain::optAuto_Click},
    Row{{.name = "optCOM", .kind = OptionButton, .container = "Frame1", .place = {100, 600, 255, 255},
         .tab = 37},
        &frmMain::optCOM, &frmMain::optCOM_Click},
    Row{{.name = "cboCOM", .kind = ComboBox, .container = "Frame1", .place = {340, 570, 855, 315},
         .tab = 36, .enabled = false},
        &frmMain::cboCOM},
    Row{{.name = "optUSB", .kind = OptionButton, .container = "Frame1", .caption = "USB",
         .place = {100, 960, 855, 255}, .tab = 2, .enabled = false},
        &frmMain::optUSB, &frmMain::optUSB_Click},
    Row{{.name = "fmeSpeed", .kind = Frame, .caption = "Upload Speed", .place = {120, 2640, 1260, 1500},
         .tab = 9},
        &frmMain::fmeSpeed},
    Row{{.name = "opt9600", .kind = OptionButton, .container = "fmeSpeed", .place = {240, 285, 195, 195},
         .tab = 3},
        &frmMain::opt9600},
    Row{{.name = "opt19200", .kind = OptionButton, .container = "fmeSpeed", .place = {240, 525, 195, 195},
         .tab = 4},
        &frmMain::opt19200},
    Row{{.name = "opt38400", .kind = OptionButton, .container = "fmeSpeed", .place = {240, 765, 195, 195},
         .tab = 5},
        &frmMain::opt38400},
    Row{{.name = "opt57600", .kind = OptionButton, .container = "fmeSpeed", .place = {240, 1005, 195, 195},
         .tab = 6},
        &frmMain::opt57600},
    Row{{.name = "opt115200", .kind = OptionButton, .container = "fmeSpeed",
         .place = {240, 1245, 195, 195}, .tab = 7, .selected = true},
        &frmMain::opt115200},
    Row{{.name = "lbl9600", .kind = Label, .container = "fmeSpeed", .caption = "9600",
         .place = {510, 270, 480, 165}, .tab = 20, .align = TextAlign::Right},
        &frmMain::lbl9600},
    Row{{.name = "lbl19200", .kind = Label, .container = "fmeSpeed", .caption = "19200",
         .place = {435, 510, 555, 165}, .tab = 21, .align = TextAlign::Right},
        &frmMain::lbl19200},
    Row{{.name = "lbl38400", .kind = Label, .container = "fmeSpeed", .caption = "38400",
         .place = {435, 750, 555, 165}, .tab = 22, .align = TextAlign::Right},
        &frmMain::lbl38400},
    Row{{.name = "lbl57600", .kind = Label, .container = "fmeSpeed", .caption = "57600",
         .place = {435, 990, 555, 165}, .tab = 23, .align = TextAlign::Right},
        &frmMain::lbl57600},
    Row{{.name = "lbl115200", .kind = Label, .container = "fmeSpeed", .caption = "115200",
         .place = {435, 1230, 555, 165}, .tab = 24, .align = TextAlign::Right},
        &frmMain::lbl115200},
    Row{{.name = "picUnchecked", .kind = PictureBox, .place = {600, 4320, 255, 255}, .tab = 18,
         .visible = false, .picture = "unchecked", .pictureWidth = 15, .pictureHeight = 15},
        &frmMain::picUnchecked},
    Row{{.name = "picChecked", .kind = PictureBox, .place = {840, 4320, 255, 255}, .tab = 17,
         .visible = false, .picture = "checked", .pictureWidth = 15, .pictureHeight = 15},
        &frmMain::picChecked},
    Row{{.name = "picNoFileExist", .kind = PictureBox, .place = {1080, 4320, 255, 255}, .tab = 30,
         .visible = false, .picture = "nofile", .pictureWidth = 15, .pictureHeight = 15},
        &frmMain::picNoFileExist},
    // Below the grid, so it shows only while the grid is hidden.
    Row{{.name = "lblProcessing", .kind = Label, .caption = "Processing ....",
         .place = {5000, 2000, 3375, 495}, .tab = 35, .font = {.family = "Verdana", .points = 12, .bold = true},
         .colour = TextColour::Blue, .align = TextAlign::Centre},
        &frmMain::lblProcessing},
    Row{{.name = "MSFlexGrid1", .kind = Grid, .place = {1470, 80, 10270, 4660}, .tab = 16,
         .font = kVerdana},
        &frmMain::MSFlexGrid1},
    Row{{.name = "lblTotalBytes", .kind = Label, .place = {8400, 4800, 3255, 255}, .tab = 25,
         .font = kVerdana, .align = TextAlign::Right},
        &frmMain::lblTotalBytes},
    Row{{.name = "lblFilesSelected", .kind = Label, .place = {9600, 5200, 2055, 255}, .tab = 19,
         .font = kVerdana, .align = TextAlign::Right},
        &frmMain::lblFilesSelected},
    Row{{.name = "fmeMapset", .kind = Frame, .caption = "Set Mapset Name", .place = {120, 4880, 4720, 675},
         .tab = 38},
        &frmMain::fmeMapset},
    Row{{.name = "chkMapset", .kind = CheckBox, .container = "fmeMapset", .place = {120, 280, 255, 255},
         .tab = 39},
        &frmMain::chkMapset, &frmMain::chkMapset_Click},
    Row{{.name = "lblEnterMapset", .kind = Label, .container = "fmeMapset", .caption = "Enter Name:",
         .place = {480, 315, 975, 255}, .tab = 40, .enabled = false},
        &frmMain::lblEnterMapset},
    Row{{.name = "txtMapset", .kind = TextBox, .container = "fmeMapset", .place = {1440, 280, 3135, 285},
         .tab = 41, .background = Background::Light3D, .enabled = false},
        &frmMain::txtMapset},
    Row{{.name = "fmeList", .kind = Frame, .caption = "List", .place = {5100, 4720, 2895, 980}, .tab = 31},
        &frmMain::fmeList},
    Row{{.name = "cmdSelectAll", .kind = CommandButton, .container = "fmeList", .caption = "Select &All",
         .place = {120, 240, 1365, 255}, .tab = 42},
        &frmMain::cmdSelectAll, &frmMain::cmdSelectAll_Click},
    Row{{.name = "cmdSelectNone", .kind = CommandButton, .container = "fmeList", .caption = "Select &None",
         .place = {1560, 240, 1215, 255}, .tab = 43},
        &frmMain::cmdSelectNone, &frmMain::cmdSelectNone_Click},
    Row{{.name = "cmdClearGrid", .kind = CommandButton, .container = "fmeList", .caption = "&Clear",
         .place = {120, 620, 855, 255}, .tab = 34},
        &frmMain::cmdClearGrid, &frmMain::cmdClearGrid_Click},
    Row{{.name = "cmdLoadList", .kind = CommandButton, .container = "fmeList", .caption = "&Load",
         .tooltip = "Load a list of maps from a text file", .place = {1080, 620, 855, 255}, .tab = 32},
        &frmMain::cmdLoadList, &frmMain::cmdLoadList_Click},
    Row{{.name = "cmdSaveList", .kind = CommandButton, .container = "fmeList", .caption = "&Save",
         .tooltip = "Save list of selected maps to a text file", .place = {2040, 620, 735, 255}, .tab = 33,
         .enabled = false},
        &frmMain::cmdSaveList, &frmMain::cmdSaveList_Click},
    Row{{.name = "cmdEraseGPS", .kind = CommandButton, .caption = "&Erase GPS",
         .tooltip = "Use this if GPS is jammed", .place = {5880, 5880, 1335, 255}, .tab = 11, .font = kBold,
         .enabled = false},
        &frmMain::cmdEraseGPS, &frmMain::cmdEraseGPS_Click},
    Row{{.name = "lblAreYouSure", .kind = Label, .caption = "Are you Sure?", .place = {5400, 6165, 1095, 195},
         .tab = 28, .colour = TextColour::Red, .visible = false},
        &frmMain::lblAreYouSure},
    Row{{.name = "optSureYes", .kind = OptionButton, .caption = "&Yes", .place = {6480, 6135, 615, 255},
         .tab = 12, .colour = TextColour::Red, .visible = false},
        &frmMain::optSureYes, &frmMain::optSureYes_Click},
    Row{{.name = "optSureNo", .kind = OptionButton, .caption = "&No", .place = {7200, 6135, 615, 255},
         .tab = 13, .colour = TextColour::Red, .visible = false},
        &frmMain::optSureNo, &frmMain::optSureNo_Click},
    Row{{.name = "chkCreateFile", .kind = CheckBox, .caption = "Create File instead of Upload",
         .place = {8120, 5520, 2535, 255}, .tab = 44},
        &frmMain::chkCreateFile, &frmMain::chkCreateFile_Click},
    Row{{.name = "cmdUpload", .kind = PictureButton, .place = {8160, 5820, 1815, 615}, .tab = 14,
         .picture = "upload", .pictureWidth = 105, .pictureHeight = 19},
        &frmMain::cmdUpload, &frmMain::cmdUpload_Click},
    Row{{.name = "cmdCreateFile", .kind = PictureButton, .place = {8160, 5820, 1815, 615}, .tab = 45,
         .visible = false, .picture = "createfile", .pictureWidth = 92, .pictureHeight = 15},
        &frmMain::cmdCreateFile, &frmMain::cmdCreateFile_Click},
    Row{{.name = "cmdExit", .kind = CommandButton, .caption = "E&xit", .place = {10365, 5820, 1335, 615},
         .tab = 15, .font = kBold},
        &frmMain::cmdExit, &frmMain::cmdExit_Click},
};

constexpr std::array kMenus = {
    Item{{.name = "File", .caption = " &File "}},
    // The tool variant in use carries the check mark.
    Item{{.name = "mnuUseSendmap1", .caption = "Use Sendmap.exe", .parent = "File", .enabled = false,
          .shortcut = "F1", .checkable = true},
         &frmMain::mnuUseSendmap1, &frmMain::mnuUseSendmap1_Click},
    Item{{.name = "mnuUseSendmap2", .caption = "Use Sendmap20.exe", .parent = "File", .enabled = false,
          .shortcut = "F2", .checkable = true},
         &frmMain::mnuUseSendmap2, &frmMain::mnuUseSendmap2_Click},
    Item{{.name = "mnuTileMap", .caption = "Tile &Map", .parent = "File", .shortcut = "F3"},
         &frmMain::mnuTileMap, &frmMain::mnuTileMap_Click},
    Item{{.name = "mnuCombinedMap", .caption = "Write &Combined Map File...", .parent = "File",
          .shortcut = "Ctrl+M"},
         &frmMain::mnuCombinedMap, &frmMain::mnuCombinedMap_Click},
    Item{{.name = "mnuInstall", .caption = "&Install Maps on Receiver or Card...", .parent = "File",
          .shortcut = "Ctrl+I"},
         &frmMain::mnuInstall, &frmMain::mnuInstall_Click},
    Item{{.name = "mnuExit", .caption = "E&xit", .parent = "File"},
         &frmMain::mnuExit, &frmMain::mnuExit_Click},
    Item{{.name = "mnuID", .caption = "&Test Connection"},
         &frmMain::mnuID, &frmMain::mnuID_Click},
    Item{{.name = "mnuAbout", .caption = " &About "},
         &frmMain::mnuAbout, &frmMain::mnuAbout_Click},
};

} // namespace

std::span<const ControlRow<frmMain>> frmMainControlRows() { return kControls; }
std::span<const MenuRow<frmMain>> frmMainMenuRows() { return kMenus; }

std::span<const std::string_view> OptionGroupOf(std::string_view name)
{
    static const std::vector<std::vector<std::string_view>> groups = [] {
        std::map<std::string_view, std::vector<std::string_view>> byContainer;
        for (const Row& row : kControls) {
            if (row.design.kind == OptionButton)
                byContainer[row.design.container].push_back(row.design.name);
        }
        std::vector<std::vector<std::string_view>> all;
        for (auto& [container, options] : byContainer)
            all.push_back(std::move(options));
        return all;
    }();
    for (const std::vector<std::string_view>& group : groups) {
        if (std::ranges::find(group, name) != group.end())
            return group;
    }
    return {};
}

std::span<const std::string_view> ComPortNames() { return kComPorts; }

} // namespace mapwren
