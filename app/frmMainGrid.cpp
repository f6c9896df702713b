// The grid: its current cell, ticking rows with the mouse and sorting by a
// column header.
#include "app/frmMain.h"

#include <algorithm>

#include "app/frmMainDesign.h"

namespace mapwren {

namespace {

constexpr int kTickColumn = 0;

} // namespace

void frmMain::SetCurrentCell(int row, int col)
{
    currentRow_ = row;
    currentCol_ = col;
}

bool frmMain::CurrentCellShowsNoFile() const
{
    return currentRow_ > 0 && currentCol_ == kTickColumn && static_cast<std::size_t>(currentRow_) <= mapList_.RowCount() &&
           mapList_.Row(static_cast<std::size_t>(currentRow_ - 1)).state == RowState::Missing;
}

void frmMain::MSFlexGrid1_MouseDown(int Button, int Shift, double /*x*/, double y, int mouseRow, int mouseCol)
{
    // A press on the bare area past the last row or column reaches no cell,
    // so it must not flip the row that happens to be current.
    const bool onCell = mouseRow == 0 || (mouseRow > 0 && mouseCol >= 0);
    // The grid makes a cell current on a left press before reporting it.
    if (Button == kLeftButton && mouseRow > 0 && onCell)
        SetCurrentCell(mouseRow, mouseCol);
    if (onCell && Button == kLeftButton && Shift == kNoModifiers && !CurrentCellShowsNoFile()) {
        if (y <= kGridRowHeight) {
            SetCurrentCell(0, 0);
            return;
        }
        lblFilesSelected.visible = true;
        lblTotalBytes.visible = true;
        if (currentRow_ > 0 && currentCol_ == kTickColumn)
            ToggleCurrentRow();
    }
    EnableButtonsForSelection();
    ShowUploadEstimate();
}

void frmMain::ToggleCurrentRow()
{
    const auto row = static_cast<std::size_t>(currentRow_ - 1);
    const bool unticking = mapList_.Row(row).state == RowState::Ticked;
    mapList_.Toggle(row);
    ShowCaptions();
    if (unticking && mapList_.SelectedCount() == 0) {
        cmdSelectNone.enabled = false;
        cmdSaveList.enabled = false;
        EnableUploadButtons(false);
    }
    SetCurrentCell(currentRow_, kTickColumn);
}

// Up and Down move the current row, Left and Right the current column, as far
// as the map rows go; Space is a plain left press on the current row's tick
// cell, so it ticks and unticks exactly as the mouse does.
bool frmMain::MSFlexGrid1_KeyDown(int KeyCode, int Shift)
{
    const int rows = static_cast<int>(mapList_.RowCount());
    if (Shift != kNoModifiers)
        return false;
    switch (KeyCode) {
    case kKeyUp:
        if (currentRow_ > 1)
            SetCurrentCell(currentRow_ - 1, currentCol_);
        return true;
    case kKeyDown:
        if (currentRow_ < rows)
            SetCurrentCell(currentRow_ + 1, currentCol_);
        return true;
    case kKeyLeft:
        SetCurrentCell(currentRow_, std::max(currentCol_ - 1, 0));
        return true;
    case kKeyRight:
        SetCurrentCell(currentRow_, std::min(currentCol_ + 1, MapList::kColumnCount - 1));
        return true;
    case kKeySpace:
        if (currentRow_ > 0 && currentRow_ <= rows)
            PressTickCell(static_cast<std::size_t>(currentRow_ - 1));
        return true;
    default:
        return false;
    }
}

void frmMain::PressTickCell(std::size_t row)
{
    const double belowTheHeader = kGridRowHeight + 1;
    MSFlexGrid1_MouseDown(kLeftButton, kNoModifiers, 0, belowTheHeader, static_cast<int>(row) + 1, kTickColumn);
}

// Whatever the press, a selection makes the commands that need one usable.
void frmMain::EnableButtonsForSelection()
{
    if (mapList_.SelectedCount() <= 0)
        return;
    if (SelectedPort() != Port::None) {
        EnableUploadButtons(true);
        cmdEraseGPS.enabled = true;
    }
    cmdSelectAll.enabled = true;
    cmdSelectNone.enabled = true;
    cmdSaveList.enabled = true;
}

// Any button and any modifier sort; a release past the last header sorts nothing.
void frmMain::MSFlexGrid1_MouseUp(int /*Button*/, int /*Shift*/, double /*x*/, double /*y*/, int mouseRow,
                                  int mouseCol)
{
    if (mouseRow == 0 && mouseCol >= 0)
        SortByColumn(mouseCol);
}

void frmMain::SortByColumn(int col)
{
    mapList_.SortByColumn(col);
    RowsChanged();
    SetCurrentCell(0, col);
}

} // namespace mapwren
