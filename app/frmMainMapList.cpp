// The map list's buttons: Clear, Select All, Select None and Load Folder.
#include "app/frmMain.h"
#include "common/Addresses.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "maplist/FolderScan.h"

namespace mapwren {

void frmMain::ShowCaptions()
{
    lblFilesSelected.text = mapList_.CountCaptionText();
    lblTotalBytes.text = mapList_.TotalCaptionText();
}

void frmMain::EnableUploadButtons(bool enabled)
{
    cmdUpload.enabled = enabled;
    cmdCreateFile.enabled = enabled;
}

void frmMain::RowsChanged()
{
    ++rowsRevision_;
    if (rowsWatcher_)
        rowsWatcher_();
}

void frmMain::ClearGrid()
{
    mapList_.Clear();
    RowsChanged();
}

void frmMain::AppendMapRows(std::vector<MapRow> rows)
{
    mapList_.AppendRows(std::move(rows));
    RowsChanged();
}

void frmMain::cmdClearGrid_Click()
{
    ClearGrid();
    SetCurrentCell(0, 0);
    for (ControlState* button : {&cmdSelectAll, &cmdSelectNone, &cmdSaveList, &cmdClearGrid})
        button->enabled = false;
    lblFilesSelected.visible = false;
    lblTotalBytes.visible = false;
    EnableUploadButtons(false);
    focusRequest_ = "cmdFileOpen";
}

void frmMain::cmdSelectAll_Click()
{
    {
        const BusyPointer busy(desktop_);
        mapList_.SelectAll();
    }
    if (mapList_.RowCount() > 0)
        SetCurrentCell(static_cast<int>(mapList_.RowCount()), 0);
    lblFilesSelected.visible = true;
    lblTotalBytes.visible = true;
    ShowCaptions();
    cmdSelectAll.enabled = false;
    cmdSelectNone.enabled = true;
    cmdSaveList.enabled = true;
    if (SelectedPort() != Port::None)
        EnableUploadButtons(true);
}

void frmMain::cmdSelectNone_Click()
{
    mapList_.SelectNone();
    if (mapList_.RowCount() > 0)
        SetCurrentCell(static_cast<int>(mapList_.RowCount()), 0);
    ShowCaptions();
    cmdSelectNone.enabled = false;
    cmdSaveList.enabled = false;
    cmdSelectAll.enabled = true;
    EnableUploadButtons(false);
}

// Any name typed in the folder serves, so the file need not exist.
void frmMain::cmdFileOpen_Click()
{
    const std::optional<std::string> picked =
        desktop_.AskOpenFile({"Select Folder Containing Garmin .img Files", "Garmin IMG Files (*.img)|*.img", "*.img",
                              kPathMustExist | kHideReadOnly | kNoChangeDir | kExplorer | kNoValidate});
    if (!picked || picked->empty() || *picked == "*.img")
        return;
    const std::string folder = picked->substr(0, picked->find_last_of(kPathSeparator) + 1);

    const std::size_t firstNew = mapList_.RowCount();
    SetCurrentCell(0, 0);
    cmdClearGrid.enabled = true;
    std::vector<std::string> unreadable;
    Status loaded;
    {
        const BusyPointer busy(desktop_);
        HideGridWhileFilling();
        loaded = AppendFolder(folder, unreadable);
        MSFlexGrid1.visible = true;
    }
    if (!loaded)
        Warn(loaded.error());
    WarnAboutNewRows(firstNew, unreadable);
}

// The grid is hidden while it fills, so only "Processing ...." beneath it shows.
void frmMain::HideGridWhileFilling()
{
    MSFlexGrid1.visible = false;
    desktop_.RepaintNow();
}

// Load Folder's work on one folder (ending with the separator); the paths of
// map files whose header could not be read are added to unreadable. Refused,
// saying why, when nothing was loaded.
Status frmMain::AppendFolder(const std::string& folder, std::vector<std::string>& unreadable)
{
    FolderScan scan = ScanFolder(folder);
    if (!scan.listingFailure.empty())
        return Status::Failure("The folder " + folder + " could not be read: " + scan.listingFailure + ".");
    if (scan.rows.empty())
        return Status::Failure("The folder " + folder + " holds no map files (.img), so nothing was loaded.");
    AppendMapRows(std::move(scan.rows));
    unreadable.insert(unreadable.end(), scan.unreadable.begin(), scan.unreadable.end());
    SetCurrentCell(static_cast<int>(mapList_.RowCount()), 0);
    cmdSelectAll.enabled = true;
    return {};
}

// One message for all the map files whose header could not be read and one
// for the files that are not Garmin maps; their rows are in the grid all the same.
void frmMain::WarnAboutNewRows(std::size_t firstNew, const std::vector<std::string>& unreadable)
{
    if (!unreadable.empty())
        Warn(std::string(unreadable.size() == 1 ? "This map file could not be read; its row shows no map name:"
                                                : "These map files could not be read; their rows show no map name:") +
             ListedPaths(unreadable));
    std::vector<std::string> notMaps;
    for (std::size_t row = firstNew; row < mapList_.RowCount(); ++row) {
        if (mapList_.Row(row).notAMap)
            notMaps.push_back(mapList_.Row(row).FullPath());
    }
    if (!notMaps.empty())
        Warn(std::string(notMaps.size() == 1
                             ? "This file is not a Garmin map (its header lacks the DSKIMG and GARMIN marks); its row "
                               "is greyed:"
                             : "These files are not Garmin maps (their headers lack the DSKIMG and GARMIN marks); "
                               "their rows are greyed:") +
             ListedPaths(notMaps));
}

void frmMain::Warn(const std::string& text) { desktop_.ShowMessage(MessageIcon::Exclamation, kMessageTitle, text); }

void frmMain::Fail(const std::string& text) { desktop_.ShowMessage(MessageIcon::Critical, kMessageTitle, text); }

} // namespace mapwren
