#pragma once

// The main window's form started in a folder of its own, and the steps a test
// drives it by. Form::Run takes steps apart by blanks:
//
//   maps              a.img, b.img and c.img (Alpha, Beta, Gamma; 300, 400, 500 bytes) written to the maps folder
//   load              Load Folder, its dialog answering a file of the maps folder
//   pROW,COL          a left press and release on the grid's cell (row 0 the header, col 0 the tick cell)
//   pROW,COL,BTN,SH   the same with the button (1 left, 2 right, 4 middle) and the Shift mask (1 Shift, 2 Ctrl, 4 Alt)
//   dROW,COL,X,Y      a left press alone at X,Y (in twips) said to be on the cell; uROW,COL,X,Y a release alone
//   kKEY[,SH]         a key on the grid as its virtual-key code: 32 Space, 37 to 40 Left, Up, Right, Down
//   @NAME             the keyboard focus found on control NAME, as a front-end finds it before drawing
//   NAME=TEXT         TEXT typed into the mapset box (txtMapset) or chosen in the COM box (cboCOM)
//   tool=TEXT         the stand-in tool told to TEXT when it next starts (hold, fail)
//   yes, no           the answer to the questions that follow
//   -FILE             FILE removed from the maps folder, or else from the program's folder
//   mnuNAME           the menu item chosen (mnuUseSendmap1, mnuTileMap, mnuID, ...)
//   NAME              a click on the control (cmdSelectAll, optCOM, chkMapset, ...)
//
// Run returns the focus requests the steps made, one "+NAME" each. The tile
// map's tests add their own steps (Tiles::Act in tests/tilemap).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

#include "app/FakeDesktop.h"
#include "app/frmMain.h"
#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tool/ToolRuntime.h"

namespace mapwren::testing {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;
using Names = std::initializer_list<const char*>;

struct MapSpec { std::string file, name; std::uintmax_t bytes = 0; };

// A drive that makes no 8.3 names, as most drives but the system's on Windows: a path is its own short form.
struct NoShortNames : ShortNameSource {
    std::string Of(const std::string& path) const override { return FileExist(path) ? path : ""; }
    std::vector<std::string> OfRows(const std::vector<MapRow>& rows) const override
    {
        std::vector<std::string> shorts;
        for (const MapRow& row : rows)
            shorts.push_back(row.state == RowState::Missing ? "" : Of(row.FullPath()));
        return shorts;
    }
};

inline constexpr int kLeft = kLeftButton, kNone = kNoModifiers;
inline const std::string kCyrillic = "\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B";   // "Карты"

// A form started in a program folder holding copies of the stand-in tool under the given names, maps beside it.
struct Form {
    TempDir dir;
    FakeDesktop desktop;
    std::unique_ptr<frmMain> w;
    bool started = false;
    std::string programName;
    const ShortNameSource* shortNames = &ShortNameSource::System();

    explicit Form(Names tools = {"sendmap.exe", "sendmap20.exe"}, bool start = true, std::string program = "program")
        : programName(std::move(program))
    {
        fs::create_directories(Program());
        fs::create_directories(Maps());
        for (const char* tool : tools)
            CopyStandIn(Program(), tool);
        if (start)
            Start();
    }
    void Start(const std::string& argument = "")
    {
        w = std::make_unique<frmMain>(desktop, ProgramText(), argument, *shortNames);
        started = w->Form_Load();
    }
    fs::path Program() const { return dir.path() / PathFromUtf8(programName); }
    std::string ProgramText() const { return Utf8FromPath(Program()); }
    fs::path Maps() const { return dir.path() / "maps"; }
    std::string MapsText() const { return Utf8FromPath(Maps()) + kPathSeparator; }
    std::string Tool(std::string name) const   // as a command line names it: in capitals on Windows
    {
#ifdef _WIN32
        std::ranges::transform(name, name.begin(), [](unsigned char c) { return char(std::toupper(c)); });
#endif
        return ProgramText() + kPathSeparator + name;
    }
    void WriteMaps(const std::vector<MapSpec>& maps) const
    {
        for (const MapSpec& map : maps)
            WriteImg(Maps() / map.file, map.name, "", 0, map.bytes);
    }
    void LoadList(const std::string& name, const std::string& content)
    {
        WriteBytes(Maps() / name, content);
        desktop.nextFile = MapsText() + name;
        w->Click("cmdLoadList");
    }
    // The steps of the table at the top of this file.
    std::string Run(const std::string& steps)
    {
        std::istringstream in(steps);
        std::string focus;
        for (std::string step; in >> step;) {
            int row, col, button = kLeft, shift = kNone, x, y;
            if (step == "load")   // the dialog answers a file of the maps folder
                desktop.nextFile = MapsText() + "any.img", step = "cmdFileOpen";
            if (step == "yes" || step == "no")
                desktop.answerYes = step == "yes";
            else if (step == "maps")
                WriteMaps({{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}, {"c.img", "Gamma", 500}});
            else if (step.starts_with("tool="))
                WriteBytes(Program() / "sendmap-behaviour.txt", step.substr(5));
            else if (step.starts_with('-'))
                fs::remove(Maps() / PathFromUtf8(step.substr(1))) || fs::remove(Program() / PathFromUtf8(step.substr(1)));
            else if (std::sscanf(step.c_str(), "p%d,%d,%d,%d", &row, &col, &button, &shift) >= 2) {
                w->MSFlexGrid1_MouseDown(button, shift, 600, row * 240 + 120, row, col);
                w->MSFlexGrid1_MouseUp(button, shift, 600, row * 240 + 120, row, col);
            } else if (std::sscanf(step.c_str(), "d%d,%d,%d,%d", &row, &col, &x, &y) == 4)
                w->MSFlexGrid1_MouseDown(kLeft, kNone, x, y, row, col);
            else if (std::sscanf(step.c_str(), "u%d,%d,%d,%d", &row, &col, &x, &y) == 4)
                w->MSFlexGrid1_MouseUp(kLeft, kNone, x, y, row, col);
            else if (std::sscanf(step.c_str(), "k%d,%d", &row, &shift) >= 1)
                w->MSFlexGrid1_KeyDown(row, shift);
            else if (step.starts_with('@'))
                w->SetActiveControl(step.substr(1));
            else if (const auto eq = step.find('='); eq != std::string::npos)
                w->TextChanged(step.substr(0, eq), step.substr(eq + 1));
            else
                step.starts_with("mnu") ? w->MenuClick(step) : w->Click(step);
            if (const std::string request = w->TakeFocusRequest(); !request.empty())
                focus += "+" + request;
        }
        return focus;
    }
    template <class Text> static std::string Join(std::size_t count, Text text, const char* between = "")
    {
        std::string joined;
        for (std::size_t i = 0; i < count; ++i)
            joined += text(i) + between;
        return joined;
    }
    std::size_t Rows() const { return w->Maps().RowCount(); }
    // Per row: '.' unticked, 'v' ticked, 'x' no file.
    std::string Ticks() const { return Join(Rows(), [&](std::size_t r) { return std::string(1, ".vx"[int(w->Maps().Row(r).state)]); }); }
    std::string Column(int col) const { return Join(Rows(), [&](std::size_t r) { return w->Maps().CellText(r, col); }, "|"); }
    std::string Headers() const { return Join(5, [&](std::size_t c) { return w->Maps().HeaderCaption(int(c)); }, "|"); }
    std::string Cell() const { return std::to_string(w->Row()) + "," + std::to_string(w->Col()); }
    // The enabled ones of the controls named, by their names without the kind ("cmdUpload": "Upload"), joined by "+";
    // "all" or "none".
    std::string Enabled(Names names) const
    {
        std::string on;
        std::size_t count = 0;
        for (std::string_view name : names) {
            if (w->Control(name)->enabled)
                on += (count++ ? "+" : "") + std::string(name.substr(name.find_first_not_of("abcdefghijklmnopqrstuvwxyz")));
        }
        return count == 0 ? "none" : count == names.size() && count > 1 ? "all" : on;
    }
    std::string ListButtons() const
    {
        return Enabled({"cmdSelectAll", "cmdSelectNone", "cmdSaveList", "cmdUpload", "cmdCreateFile", "cmdClearGrid"});
    }
    std::string Captions() const { return w->lblFilesSelected.text + " | " + w->lblTotalBytes.text; }
    std::string Shown() const { return std::to_string(w->lblFilesSelected.visible) + std::to_string(w->lblTotalBytes.visible); }
    std::string Request(std::size_t dialog) const   // a file dialog asked for: its kind, texts and flags
    {
        const auto& [save, r] = desktop.dialogs.at(dialog);
        return std::string(save ? "save|" : "open|") + r.title + "|" + r.filter + "|" + r.fileName + "|" + std::to_string(r.flags);
    }
    std::string Only() const   // the one message shown, or how many there were
    {
        return desktop.messages.size() == 1 ? desktop.messages[0] : std::to_string(desktop.messages.size()) + " messages";
    }
    // Maps by letter: b.img in the maps folder, k.img in "Карты" beside it (a name Windows' code page 1252 lacks).
    std::string LetterMap(char map) const
    {
        return map == 'b' ? MapsText() + "b.img" : Utf8FromPath(dir.path() / PathFromUtf8(kCyrillic) / "k.img");
    }
    void DropLetterMaps(const char* maps)
    {
        fs::create_directory(dir.path() / PathFromUtf8(kCyrillic));
        Texts dropped;
        for (const char* map = maps; *map; ++map) {
            WriteImg(PathFromUtf8(LetterMap(*map)), "Map", "", 0, 100);
            dropped.push_back(LetterMap(*map));
        }
        w->Form_OLEDragDrop(dropped);
    }
    std::string MapArg(const std::string& file) const { return GetShortFileName(MapsText() + file); }   // as the tool gets it
    // text with {tool} and {tool20} as a command line names them, {maps} the maps folder, {prog} the program's folder,
    // {COMn} the port as the tool gets it and {x} the map x.img as the tool gets it.
    std::string Expand(std::string text) const
    {
        for (std::size_t at = 0; (at = text.find('{', at)) != std::string::npos;) {
            const std::size_t end = text.find('}', at);
            const std::string key = text.substr(at + 1, end - at - 1);
            const std::string value = key == "tool" ? Tool("sendmap.exe") : key == "tool20" ? Tool("sendmap20.exe")
                                      : key == "maps" ? MapsText() : key == "prog" ? ProgramText()
                                      : key.starts_with("COM") ? ToolSidePort(key, ToolRuntime::Native)
                                      : key.size() == 1 ? MapArg(key + ".img") : "{" + key + "}";
            text.replace(at, end - at + 1, value);
            at += value.size();
        }
        return text;
    }
    std::string Said() const   // the messages shown, joined by " | "
    {
        return Join(desktop.messages.size(), [&](std::size_t i) { return (i ? " | " : "") + desktop.messages[i]; });
    }
    std::string Sent() const   // the arguments the tool received, joined by "|"; "nothing" when nothing started
    {
        if (w->RunsStarted() == 0 && !fs::exists(Program() / "sendmap-args.txt"))
            return "nothing";
        const Texts sent = ReceivedArguments(Program());
        return Join(sent.size(), [&](std::size_t i) { return (i ? "|" : "") + sent[i]; });
    }
};

inline std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    if (const auto at = text.find(from); at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

inline std::string Visibility(const ControlState& control) { return control.visible ? "shown" : "hidden"; }

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The form has started neither the tool nor the connection test (a start is counted before the click returns), and
// no stand-in has left its record in the folder.
inline bool NothingStarted(const Form& f, const fs::path& folder)
{
    return f.w->RunsStarted() == 0 && !fs::exists(folder / "sendmap-args.txt");
}

} // namespace mapwren::testing
