#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Settings.h"
#include "listfile/ListFile.h"
#include "maplist/MapList.h"
#include "tool/Commands.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeySequence;
class QLabel;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QPushButton;
class QRadioButton;
class QTableView;

namespace mapwren {

class MapListModel;

// The main window. Its controls carry their design names and are public, as a
// form's controls are: handlers in other files and the tests reach them by
// name. The window's state (the map list, the tool variant, the create-file
// switch, the grid's current cell) lives here for the whole run.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // programFolder: where the upload tool is looked for, without a trailing
    // separator. argumentText: everything after the program's name on its
    // command line, unsplit.
    frmMain(std::string programFolder, std::string argumentText, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up sequence. False when neither upload tool is in the
    // program's folder: the message has been shown and the caller must end
    // the process at once.
    bool Form_Load();

    const std::string& ProgramFolder() const { return programFolder_; }
    const std::string& ArgumentText() const { return argumentText_; }
    const FoundTools& Tools() const { return tools_; }

    // Asks the user for a file in the folder to load; empty when cancelled.
    // Tests put their own answer here; by default it is the open dialog.
    std::function<QString()> AskForImgFile;
    // The list file to load and the name to save a list under; empty when
    // cancelled. By default the open and save dialogs; tests answer here.
    std::function<QString()> AskForListToLoad;
    std::function<QString()> AskForListToSave;

    // The list file the loader reads next.
    std::string ListFileName;
    // Reads the list file named by ListFileName: settings first, then rows.
    void LoadListFile();

    // The command line of the last upload or create-file run.
    std::string UploadCommand;

    // Settings changed from code run the same event as a user's click.
    void SelectPort(Port port);
    Port SelectedPort() const;
    void SetMapsetValue(int value);   // 0 unticked, 1 ticked, 2 greyed
    int MapsetValue() const;

    // The grid's current cell: row 0 is the header, rows 1.. the map rows.
    int Row() const { return currentRow_; }
    int Col() const { return currentCol_; }
    void SetCurrentCell(int row, int col);

    // Appends rows below the last one; used by every loader.
    void AppendMapRows(std::vector<MapRow> rows);

    const MapList& Maps() const { return mapList_; }
    MapListModel& GridModel() { return *model_; }

    // -1 while sendmap20.exe is in use, 0 for sendmap.exe.
    std::int16_t UseSendmap20 = 0;
    // "-l " in create-file mode (second variant), else empty.
    std::string CreateFileSwitch;

    // Controls, in the design's names.
    QPushButton* cmdFileOpen = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* optAuto = nullptr;
    QRadioButton* optCOM = nullptr;
    QComboBox* cboCOM = nullptr;
    QRadioButton* optUSB = nullptr;
    QGroupBox* fmeSpeed = nullptr;
    QRadioButton* opt9600 = nullptr;
    QRadioButton* opt19200 = nullptr;
    QRadioButton* opt38400 = nullptr;
    QRadioButton* opt57600 = nullptr;
    QRadioButton* opt115200 = nullptr;
    QLabel* lbl9600 = nullptr;
    QLabel* lbl19200 = nullptr;
    QLabel* lbl38400 = nullptr;
    QLabel* lbl57600 = nullptr;
    QLabel* lbl115200 = nullptr;
    QLabel* picUnchecked = nullptr;
    QLabel* picChecked = nullptr;
    QLabel* picNoFileExist = nullptr;
    QTableView* MSFlexGrid1 = nullptr;
    QLabel* lblProcessing = nullptr;
    QLabel* lblTotalBytes = nullptr;
    QLabel* lblFilesSelected = nullptr;
    QGroupBox* fmeMapset = nullptr;
    QCheckBox* chkMapset = nullptr;
    QLabel* lblEnterMapset = nullptr;
    QLineEdit* txtMapset = nullptr;
    QGroupBox* fmeList = nullptr;
    QPushButton* cmdSelectAll = nullptr;
    QPushButton* cmdSelectNone = nullptr;
    QPushButton* cmdClearGrid = nullptr;
    QPushButton* cmdLoadList = nullptr;
    QPushButton* cmdSaveList = nullptr;
    QPushButton* cmdEraseGPS = nullptr;
    QLabel* lblAreYouSure = nullptr;
    QRadioButton* optSureYes = nullptr;
    QRadioButton* optSureNo = nullptr;
    QCheckBox* chkCreateFile = nullptr;
    QPushButton* cmdUpload = nullptr;
    QPushButton* cmdCreateFile = nullptr;
    QPushButton* cmdExit = nullptr;

    QMenu* File = nullptr;
    QAction* mnuUseSendmap1 = nullptr;
    QAction* mnuUseSendmap2 = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuID = nullptr;
    QAction* mnuAbout = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Controls and layout.
    void CreateControls();
    void BindControls();
    void CreateGrid();
    void CreateMenus();
    void SetTabOrder();
    void ActOnAccessKey(const QKeySequence& key);
    void ConnectEvents();

    // Start-up and shutdown.
    void ShowMissingToolMessage();
    void CentreOnScreen();
    void Form_Unload();
    void cmdExit_Click();
    void mnuExit_Click();

    // Upload settings.
    void StartWithVariant(bool sendmap20);
    void mnuUseSendmap1_Click();
    void mnuUseSendmap2_Click();
    void ApplyFirstVariant();
    void ApplySecondVariant();
    void SetWindowTitleForVariant();
    void optAuto_Click();
    void optCOM_Click();
    void optUSB_Click();
    void EnableSpeed(bool enabled);
    void EnableUploadIfAnyTicked();
    void chkMapset_Click();
    void chkCreateFile_Click();
    void ApplyCreateFileRule();
    void SetMapsetBoxEnabled(bool enabled);

    // The grid.
    void PrepareGrid();
    void ApplyColumnWidths();
    bool GridPress(QObject* watched, QMouseEvent* event);
    void GridRelease(QMouseEvent* event);
    void MSFlexGrid1_MouseDown(int Button, int Shift, double x, double y);
    void MSFlexGrid1_MouseUp(int Button, int Shift, double x, double y);
    void ToggleCurrentRow();
    void EnableButtonsForSelection();
    void SortByColumn(int col);
    int HeaderBottomTwips() const;
    bool CurrentCellShowsNoFile() const;

    // The map list's buttons and Load Folder.
    void cmdClearGrid_Click();
    void cmdSelectAll_Click();
    void cmdSelectNone_Click();
    void cmdFileOpen_Click();
    QString AskForImgFileWithDialog();
    void WarnUnreadable(const std::vector<std::string>& paths);
    void ShowCaptions();
    void EnableUploadButtons(bool enabled);

    // Commands handled in files of their own.
    void cmdLoadList_Click();
    QString AskForListToLoadWithDialog();
    void LoadStartupArgument();
    void ApplyListHead(const ListHead& head);
    void cmdSaveList_Click();
    QString AskForListToSaveWithDialog();
    ListSettings ListSettingsFromControls() const;
    void cmdUpload_Click();
    UploadSettings UploadSettingsFromControls() const;
    ToolVariant Variant() const;
    void cmdCreateFile_Click();
    void cmdEraseGPS_Click();
    void optSureYes_Click();
    void optSureNo_Click();
    void mnuID_Click();
    void mnuAbout_Click();

    std::string programFolder_;
    std::string argumentText_;
    FoundTools tools_;
    MapList mapList_;
    MapListModel* model_ = nullptr;
    int currentRow_ = 0;
    int currentCol_ = 0;
    // The grid's MouseRow and MouseCol: the cell under the pointer at the
    // last press or release, -1 where there is none.
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    // Whether a press came after the last release: a double click's second
    // press may arrive as a double-click event alone.
    bool pressSinceRelease_ = false;
    // The controls that take the focus, in the design's tab order.
    std::vector<QWidget*> tabOrder_;
    // The largest size among the rows, which the Bytes column must show whole.
    std::uint64_t largestBytes_ = 0;
};

} // namespace mapwren
