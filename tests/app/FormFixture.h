#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/FakeDesktop.h"
#include "app/frmMain.h"
#include "common/Paths.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"

namespace mapwren::testing {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

struct MapSpec {
    std::string file, name;
    std::uintmax_t bytes = 0;
};

inline constexpr int kLeft = 1, kRight = 2, kMiddle = 4, kShift = 1, kCtrl = 2, kAlt = 4;

// A form started in a program folder holding copies of the stand-in tool
// under the given names, with a folder for maps beside it.
struct Form {
    TempDir dir;
    FakeDesktop desktop;
    std::unique_ptr<frmMain> w;
    bool started = false;
    std::string programName;

    explicit Form(std::initializer_list<const char*> tools = {"sendmap.exe", "sendmap20.exe"}, bool start = true,
                  std::string program = "program")
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
    // The tool as a command line names it: Windows' capitals there, the file's own name elsewhere.
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
    // Load Folder, the dialog answering a file of the maps folder.
    void LoadFolder()
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
    // A press and release on a cell; row 0 is the header.
    void Press(int row, int col, int button = kLeft, int shift = 0)
    {
        w->MSFlexGrid1_MouseDown(button, shift, 600, row * 240 + 120, row, col);
        w->MSFlexGrid1_MouseUp(button, shift, 600, row * 240 + 120, row, col);
    }
    // '.' unticked, 'v' ticked, 'x' no file, one per row.
    std::string Ticks() const
    {
        std::string ticks;
        for (std::size_t row = 0; row < w->Maps().RowCount(); ++row)
            ticks += ".vx"[int(w->Maps().Row(row).state)];
        return ticks;
    }
    Texts Column(int col) const
    {
        Texts texts;
        for (std::size_t row = 0; row < w->Maps().RowCount(); ++row)
            texts.push_back(w->Maps().CellText(row, col));
        return texts;
    }
    // "1" per enabled control, "0" per disabled one.
    std::string Enabled(std::initializer_list<const char*> names) const
    {
        std::string states;
        for (const char* name : names)
            states += w->Control(name)->enabled ? '1' : '0';
        return states;
    }
    // Select All, Select None, Save, Upload, Create File, Clear.
    std::string ListButtons() const
    {
        return Enabled({"cmdSelectAll", "cmdSelectNone", "cmdSaveList", "cmdUpload", "cmdCreateFile", "cmdClearGrid"});
    }
    std::string Captions() const { return w->lblFilesSelected.text + " | " + w->lblTotalBytes.text; }
    // The one message shown, or how many there were.
    std::string Only() const
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
