#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <thread>

#include "app/FakeDesktop.h"
#include "app/frmMain.h"
#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"

namespace mapwren::testing {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;
using Names = std::initializer_list<const char*>;

struct MapSpec {
    std::string file, name;
    std::uintmax_t bytes = 0;
};

inline constexpr int kLeft = 1, kRight = 2, kMiddle = 4, kShift = 1, kCtrl = 2, kAlt = 4;

// A form started in a program folder holding copies of the stand-in tool under the given names, maps beside it.
struct Form {
    TempDir dir;
    FakeDesktop desktop;
    std::unique_ptr<frmMain> w;
    bool started = false;
    std::string programName;

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
        w = std::make_unique<frmMain>(desktop, ProgramText(), argument);
        started = w->Form_Load();
    }
    fs::path Program() const { return dir.path() / PathFromUtf8(programName); }
    std::string ProgramText() const { return Utf8FromPath(Program()); }
    fs::path Maps() const { return dir.path() / "maps"; }
    std::string MapsText() const { return Utf8FromPath(Maps()) + kPathSeparator; }
    // The tool as a command line names it: in capitals on Windows.
    std::string Tool(std::string name) const
    {
#ifdef _WIN32
        for (char& c : name)
            c = char(std::toupper(static_cast<unsigned char>(c)));
#endif
        return ProgramText() + kPathSeparator + name;
    }
    void WriteMaps(const std::vector<MapSpec>& maps) const
    {
        for (const MapSpec& map : maps)
            WriteImg(Maps() / map.file, map.name, "", 0, map.bytes);
    }
    void LoadFolder()   // the dialog answers a file of the maps folder
    {
        desktop.nextFile = MapsText() + "any.img";
        w->Click("cmdFileOpen");
    }
    void LoadList(const std::string& name, const std::string& content)
    {
        WriteBytes(Maps() / name, content);
        desktop.nextFile = MapsText() + name;
        w->Click("cmdLoadList");
    }
    // Steps apart by blanks: "load" (Load Folder), "pROW,COL[,BUTTON,SHIFT]" a press and release (row 0 the header),
    // "NAME=TEXT" typing, a menu item's or a control's name a click. Returns the focus requests made, one "+" each.
    std::string Run(const std::string& steps)
    {
        std::istringstream in(steps);
        std::string focus;
        for (std::string step; in >> step;) {
            int row, col, button = kLeft, shift = 0;
            if (step == "load")
                LoadFolder();
            else if (std::sscanf(step.c_str(), "p%d,%d,%d,%d", &row, &col, &button, &shift) >= 2)
                Press(row, col, button, shift);
            else if (const auto eq = step.find('='); eq != std::string::npos)
                w->TextChanged(step.substr(0, eq), step.substr(eq + 1));
            else
                step.starts_with("mnu") ? w->MenuClick(step) : w->Click(step);
            if (const std::string request = w->TakeFocusRequest(); !request.empty())
                focus += "+" + request;
        }
        return focus;
    }
    void Press(int row, int col, int button = kLeft, int shift = 0)
    {
        w->MSFlexGrid1_MouseDown(button, shift, 600, row * 240 + 120, row, col);
        w->MSFlexGrid1_MouseUp(button, shift, 600, row * 240 + 120, row, col);
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
    std::string Column(int col, const char* between = "|") const
    {
        return Join(Rows(), [&](std::size_t r) { return w->Maps().CellText(r, col); }, between);
    }
    std::string Headers() const { return Join(5, [&](std::size_t c) { return w->Maps().HeaderCaption(int(c)); }, "|"); }
    std::string Cell() const { return std::to_string(w->Row()) + "," + std::to_string(w->Col()); }
    std::string Enabled(Names names) const   // '1' per enabled control
    {
        return Join(names.size(), [&](std::size_t i) { return std::string(1, "01"[w->Control(names.begin()[i])->enabled]); });
    }
    // Select All, Select None, Save, Upload, Create File, Clear.
    std::string ListButtons() const
    {
        return Enabled({"cmdSelectAll", "cmdSelectNone", "cmdSaveList", "cmdUpload", "cmdCreateFile", "cmdClearGrid"});
    }
    std::string Captions() const { return w->lblFilesSelected.text + " | " + w->lblTotalBytes.text; }
    std::string Shown() const { return std::to_string(w->lblFilesSelected.visible) + std::to_string(w->lblTotalBytes.visible); }
    std::string Request(std::size_t dialog) const   // a file dialog asked for: its kind, texts and flags
    {
        const FakeDesktop::Dialog& d = desktop.dialogs.at(dialog);
        return std::string(d.save ? "save|" : "open|") + d.request.title + "|" + d.request.filter + "|" + d.request.fileName +
               "|" + std::to_string(d.request.flags);
    }
    std::string Only() const   // the one message shown, or how many there were
    {
        return desktop.messages.size() == 1 ? desktop.messages[0] : std::to_string(desktop.messages.size()) + " messages";
    }
};

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The path the upload tool receives for a map.
inline std::string MapArg(const Form& f, const std::string& file) { return GetShortFileName(f.MapsText() + file); }

// True when no tool has started in the folder within a short while.
inline bool NothingStarted(const fs::path& folder)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return !fs::exists(folder / "sendmap-args.txt");
}

} // namespace mapwren::testing
