#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/ControlState.h"
#include "forms/Desktop.h"
#include "forms/FormRows.h"
#include "forms/FormLife.h"
#include "forms/Input.h"
#include "forms/TickableMaps.h"
#include "common/Settings.h"
#include "listfile/ListFile.h"
#include "maplist/MapList.h"
#include "tool/Commands.h"
#include "tool/CombinedFile.h"
#include "tool/Process.h"

namespace mapwren {

class CombinedPlan;
class frmInstall;
class frmProgress;

// The main window as a form: every control's state under its design name and
// every handler, with no toolkit. A front-end builds the controls from the
// design table, forwards each event to its handler and then draws the state;
// what only it can do (dialogs, messages, the browser) the form asks of the
// desktop.
class frmMain : public TickableMaps {
public:
    // programFolder: where the upload tool is looked for, without a trailing
    // separator. argumentText: everything after the program's name on its
    // command line, unsplit.
    // shortNames: where the maps' short paths come from.
    frmMain(Desktop& desktop, std::string programFolder, std::string argumentText,
            const ShortNameSource& shortNames = ShortNameSource::System());
    ~frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // The start-up sequence, run once the window is shown. False when
    // neither upload tool is in the program's folder: the message has been
    // shown and the caller must end the process at once.
    bool Form_Load();

    // The controls, in the design's names.
    ControlState cmdFileOpen, Frame1, optAuto, optCOM, cboCOM, optUSB, fmeSpeed, opt9600, opt19200, opt38400,
        opt57600, opt115200, lbl9600, lbl19200, lbl38400, lbl57600, lbl115200, picUnchecked, picChecked,
        picNoFileExist, MSFlexGrid1, lblProcessing, lblTotalBytes, lblFilesSelected, fmeMapset, chkMapset,
        lblEnterMapset, txtMapset, fmeList, cmdSelectAll, cmdSelectNone, cmdClearGrid, cmdLoadList, cmdSaveList,
        cmdEraseGPS, lblAreYouSure, optSureYes, optSureNo, chkCreateFile, cmdUpload, cmdCreateFile, cmdExit;
    MenuState mnuUseSendmap1, mnuUseSendmap2, mnuTileMap, mnuCombinedMap, mnuInstall, mnuExit, mnuID, mnuAbout;
    // The window's title; one blank until start-up names it.
    std::string Caption = " ";

    // A control by its design name; null for a name the window lacks.
    ControlState* Control(std::string_view name);
    const ControlState* Control(std::string_view name) const;
    MenuState* Menu(std::string_view name);

    // Events a front-end forwards. A click on a control by name: an option
    // button becomes the selected one of its group, a check box flips, and
    // the control's handler runs, as for a user's click.
    void Click(std::string_view name);
    // The user changed the text of the mapset box or chose a COM port.
    void TextChanged(std::string_view name, std::string text);
    // A menu item chosen, by name.
    void MenuClick(std::string_view name);
    // The window closed by its close box.
    void Form_Unload();

    // The grid's mouse events: Button the button pressed (kLeftButton,
    // kRightButton or kMiddleButton), Shift the modifier keys held
    // (kShiftMask, kCtrlMask and kAltMask or'd together; kNoModifiers for
    // none); x and y in twips from the grid's corner; mouseRow and mouseCol
    // the cell under the pointer (row 0 the header, -1 where there is none).
    void MSFlexGrid1_MouseDown(int Button, int Shift, double x, double y, int mouseRow, int mouseCol);
    void MSFlexGrid1_MouseUp(int Button, int Shift, double x, double y, int mouseRow, int mouseCol);
    // A key pressed while the grid has the focus, as a Windows virtual-key
    // code (kKeySpace, kKeyLeft ...) and the Shift mask. True when the grid
    // used the key; any other key keeps its usual meaning.
    bool MSFlexGrid1_KeyDown(int KeyCode, int Shift);
    // Ticks or unticks a map row (0-based, as Maps().Row) exactly as a plain
    // left press on its tick cell does, making it the current row: the tile
    // map's clicks and boxes tick through here.
    void PressTickCell(std::size_t row) override;

    // Files and folders dropped anywhere on the window, in the order dropped,
    // as full paths.
    void Form_OLEDragDrop(const std::vector<std::string>& paths);

    // The grid's current cell: row 0 is the header, rows 1.. the map rows.
    int Row() const { return currentRow_; }
    int Col() const { return currentCol_; }
    void SetCurrentCell(int row, int col);

    const MapList& Maps() const override { return mapList_; }
    // Grows whenever rows are added, removed or reordered, so a front-end
    // knows to read the grid afresh; ticks alone leave it.
    std::uint64_t RowsRevision() const override { return rowsRevision_; }
    void WatchRows(std::function<void()> rowsChanged) override { rowsWatcher_ = std::move(rowsChanged); }
    // The control that has the keyboard focus, as a front-end finds it before
    // drawing the state an event left (empty when none of the form's has it).
    void SetActiveControl(std::string name) { activeControl_ = std::move(name); }
    // The control that should take the keyboard focus, once; empty for none.
    // When the active control can no longer take it (disabled or hidden, or
    // its frame is), the focus goes on to the next control in the tab order.
    std::string TakeFocusRequest();
    // The control that Alt with the letter presses: the first button, option
    // button or check box in the tab order with that access key that is shown
    // and enabled now; empty for none (a menu of that letter then opens).
    std::string AccessKeyControl(char letter) const;
    // The first control after name in the tab order (before it, backwards),
    // going round, that can take the focus now: a group of option buttons is
    // entered at its selected one. Empty when none can. Tab and Shift+Tab move
    // the focus by this alone in both front-ends.
    std::string NextInTabOrder(std::string_view name, bool backwards = false) const;

    // Settings changed from code run the same event as a user's click.
    void SelectPort(Port port);
    Port SelectedPort() const;
    void SetMapsetValue(int value);   // 0 unticked, 1 ticked, 2 greyed

    // The list file the loader reads next, and the loader.
    std::string ListFileName;
    void LoadListFile();
    // The command line of the last upload or create-file run.
    std::string UploadCommand;
    // The design's truth values, as UseSendmap20 holds them.
    static constexpr std::int16_t kTrue = -1, kFalse = 0;
    // kTrue while sendmap20.exe is in use, kFalse for sendmap.exe.
    std::int16_t UseSendmap20 = kFalse;
    // kCreateFileSwitch in create-file mode (second variant), else empty.
    std::string CreateFileSwitch;

    // How often this window has started the upload tool or the connection
    // test; a refused or failed start counts none.
    int RunsStarted() const { return runsStarted_; }

    const std::string& ProgramFolder() const { return programFolder_; }
    const FoundTools& Tools() const { return tools_; }

    // Handlers, under their design names.
    void cmdFileOpen_Click();
    void cmdClearGrid_Click();
    void cmdSelectAll_Click();
    void cmdSelectNone_Click();
    void cmdLoadList_Click();
    void cmdSaveList_Click();
    void cmdUpload_Click();
    void cmdCreateFile_Click();
    void cmdEraseGPS_Click();
    void cmdExit_Click();
    void optAuto_Click();
    void optCOM_Click();
    void optUSB_Click();
    void optSureYes_Click();
    void optSureNo_Click();
    void chkMapset_Click();
    void chkCreateFile_Click();
    void mnuUseSendmap1_Click();
    void mnuUseSendmap2_Click();
    void mnuExit_Click();
    void mnuID_Click();
    void mnuAbout_Click();
    void mnuTileMap_Click();
    void mnuCombinedMap_Click();
    void mnuInstall_Click();

private:
    // The keyboard focus.
    bool CanTakeFocus(const ControlDesign& design, bool asTabStop) const;
    std::vector<const ControlDesign*> InTabOrder() const;
    bool IsShownAndEnabled(std::string_view name) const;

    // Start-up and the tool variant.
    void StartWithVariant(bool sendmap20);
    void ApplyFirstVariant();
    void ApplySecondVariant();
    void EnableSpeed(bool enabled);
    void EnableUploadIfAnyTicked();
    void ApplyCreateFileRule();
    void SetMapsetBoxEnabled(bool enabled);

    // The grid and the map list.
    void RowsChanged();
    void ClearGrid();
    void AppendMapRows(std::vector<MapRow> rows);
    void ToggleCurrentRow();
    void EnableButtonsForSelection();
    void SortByColumn(int col);
    bool CurrentCellShowsNoFile() const;
    void ShowCaptions();
    void EnableUploadButtons(bool enabled);
    void ShowUploadEstimate();
    void HideGridWhileFilling();
    Status AppendFolder(const std::string& folder, std::vector<std::string>& unreadable);
    void AppendDroppedMaps(std::vector<std::string> paths, std::vector<std::string>& unreadable);
    void WarnAboutNewRows(std::size_t firstNew, const std::vector<std::string>& unreadable);

    // Lists, upload and erase.
    void LoadStartupArgument();
    Status AppendList(const ListFileContent& content);
    void ApplyListHead(const ListHead& head);
    ListSettings ListSettingsFromControls() const;
    UploadSettings UploadSettingsFromControls() const;
    ToolVariant Variant() const;
    // The tool file of a variant, as this system names it.
    std::string ToolFile(ToolVariant variant) const;
    void ShowComPorts();

    // Runs of the upload tool and of the connection test: started where the
    // user watches them, each through the same steps, their end heard on the
    // window's thread.
    enum class RunKind { Upload, CreateFile, Erase, Test };
    // The command line for the tool as it runs here, or the refusal to show.
    using CommandFor = std::function<Result<std::string>(ToolRuntime)>;
    void Launch(RunKind kind, ToolVariant variant, const CommandFor& command);
    bool MayStartAnotherRun();
    void TellRunEnd(RunKind kind, RunEnd end, const std::optional<FileStamp>& before);
    void CloseEraseQuestion();

    // Writing a combined map file, in the progress window.
    std::vector<std::string> TickedForWriting() const;
    std::string MapsetNameForWriting() const;
    std::optional<CombinedPlan> PlanTickedMaps(const std::string& noneTicked);
    void StartWriting(CombinedPlan plan, const std::string& target);
    void StopWriting();
    void StopInstalling();
    void Warn(const std::string& text);
    void Fail(const std::string& text);

    Desktop& desktop_;
    std::string programFolder_;
    std::string argumentText_;
    FoundTools tools_;
    MapList mapList_;
    ControlStates<frmMain> states_;
    std::uint64_t rowsRevision_ = 0;
    std::function<void()> rowsWatcher_;
    int currentRow_ = 0;
    int currentCol_ = 0;
    std::string focusRequest_;
    std::string activeControl_;
    int toolRunsGoing_ = 0;
    // The last combined map file started, going or ended; one still going
    // when the form goes is cancelled and waited for.
    struct Writing {
        std::shared_ptr<frmProgress> progress;
        std::string target;
        ~Writing();
    } writing_;
    // The install window while it is open; an install going when the form goes is cancelled.
    std::weak_ptr<frmInstall> install_;
    int runsStarted_ = 0;
    // Before the runs: their threads post through it, and are joined first.
    FormLife life_{desktop_};
    std::list<std::unique_ptr<WatchedRun>> runs_;
};

} // namespace mapwren
