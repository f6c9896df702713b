// The grid: its layout, its current cell, ticking rows with the mouse and
// sorting by a column header.
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcutEvent>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <tuple>
#include <utility>

#include "app/MapListModel.h"
#include "app/Twips.h"
#include "app/frmMain.h"

namespace mapwren {

namespace {

int ButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int ShiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

// Finds the cell under a point given in the grid's own coordinates, as the
// grid's MouseRow and MouseCol tell it: row 0 is the header.
std::pair<int, int> CellAt(const QTableView* grid, QPoint inGrid)
{
    const QHeaderView* header = grid->horizontalHeader();
    if (header->geometry().contains(inGrid))
        return {0, header->logicalIndexAt(inGrid.x() - header->x())};
    const QWidget* viewport = grid->viewport();
    if (!viewport->geometry().contains(inGrid))
        return {-1, -1};
    const QPoint inViewport = inGrid - viewport->pos();
    const int row = grid->rowAt(inViewport.y());
    const int col = grid->columnAt(inViewport.x());
    if (row < 0 || col < 0)
        return {-1, -1};
    return {row + 1, col};
}

} // namespace

void frmMain::PrepareGrid()
{
    ApplyColumnWidths();
    SetCurrentCell(0, 0);
    connect(MSFlexGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                // The keyboard moves the current cell too.
                if (current.isValid()) {
                    currentRow_ = current.row() + 1;
                    currentCol_ = current.column();
                }
            });
}

void frmMain::ApplyColumnWidths()
{
    for (int col = 0; col < MapList::kColumnCount; ++col)
        MSFlexGrid1->setColumnWidth(col, Px(mapList_.ColumnWidth(col)));
    // A size must never lose digits: the Bytes column widens for a number
    // too long for it.
    if (mapList_.RowCount() == 0)
        largestBytes_ = 0;
    const int margin = MSFlexGrid1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, MSFlexGrid1) + 1;
    const int needed = MSFlexGrid1->fontMetrics().horizontalAdvance(QString::number(largestBytes_)) + 2 * margin + 1;
    if (needed > MSFlexGrid1->columnWidth(4))
        MSFlexGrid1->setColumnWidth(4, needed);
}

void frmMain::AppendMapRows(std::vector<MapRow> rows)
{
    for (const MapRow& row : rows)
        largestBytes_ = std::max(largestBytes_, row.bytes);
    model_->AppendRows(std::move(rows));
    ApplyColumnWidths();
}

// Moving the current cell from code neither scrolls the grid nor selects.
void frmMain::SetCurrentCell(int row, int col)
{
    currentRow_ = row;
    currentCol_ = col;
    QScrollBar* vertical = MSFlexGrid1->verticalScrollBar();
    QScrollBar* horizontal = MSFlexGrid1->horizontalScrollBar();
    const int top = vertical->value();
    const int left = horizontal->value();
    const QModelIndex cell = row > 0 ? model_->index(row - 1, col) : QModelIndex();
    MSFlexGrid1->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    vertical->setValue(top);
    horizontal->setValue(left);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        ActOnAccessKey(static_cast<QShortcutEvent*>(event)->key());
        return true;
    }
    // Presses and releases reach the viewports, the header's included, not
    // the views themselves.
    if (watched != MSFlexGrid1->viewport() && watched != MSFlexGrid1->horizontalHeader()->viewport())
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        pressSinceRelease_ = true;
        return GridPress(watched, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick:
        // The window system reports the second press of a double click as
        // this event alone; where a press came first it already counted.
        if (pressSinceRelease_)
            return true;
        return GridPress(watched, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        pressSinceRelease_ = false;
        GridRelease(static_cast<QMouseEvent*>(event));
        return true;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}

bool frmMain::GridPress(QObject* watched, QMouseEvent* event)
{
    const QPoint inGrid = static_cast<QWidget*>(watched)->mapTo(MSFlexGrid1, event->position().toPoint());
    std::tie(mouseRow_, mouseCol_) = CellAt(MSFlexGrid1, inGrid);
    MSFlexGrid1->setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton && mouseRow_ > 0)
        SetCurrentCell(mouseRow_, mouseCol_);
    // A press on the bare area past the last row or column reaches no cell,
    // so it must not flip the row that happens to be current.
    if (mouseRow_ < 0)
        EnableButtonsForSelection();
    else
        MSFlexGrid1_MouseDown(ButtonCode(event->button()), ShiftMask(event->modifiers()), Twips(inGrid.x()),
                              Twips(inGrid.y()));
    return true;
}

void frmMain::GridRelease(QMouseEvent* event)
{
    // The release goes to the widget that took the press; where it ends is
    // told by the pointer's place on the screen.
    const QPoint inGrid = MSFlexGrid1->mapFromGlobal(event->globalPosition().toPoint());
    std::tie(mouseRow_, mouseCol_) = CellAt(MSFlexGrid1, inGrid);
    MSFlexGrid1_MouseUp(ButtonCode(event->button()), ShiftMask(event->modifiers()), Twips(inGrid.x()),
                        Twips(inGrid.y()));
}

int frmMain::HeaderBottomTwips() const
{
    return Twips(MSFlexGrid1->horizontalHeader()->geometry().bottom());
}

bool frmMain::CurrentCellShowsNoFile() const
{
    return currentRow_ > 0 && currentCol_ == 0 && static_cast<std::size_t>(currentRow_) <= mapList_.RowCount() &&
           mapList_.Row(static_cast<std::size_t>(currentRow_ - 1)).state == RowState::Missing;
}

void frmMain::MSFlexGrid1_MouseDown(int Button, int Shift, double /*x*/, double y)
{
    if (Button == 1 && Shift == 0 && !CurrentCellShowsNoFile()) {
        if (y <= HeaderBottomTwips()) {
            SetCurrentCell(0, 0);
            return;
        }
        lblFilesSelected->show();
        lblTotalBytes->show();
        if (currentRow_ > 0 && currentCol_ == 0)
            ToggleCurrentRow();
    }
    EnableButtonsForSelection();
}

void frmMain::ToggleCurrentRow()
{
    const auto row = static_cast<std::size_t>(currentRow_ - 1);
    const bool unticking = mapList_.Row(row).state == RowState::Ticked;
    model_->Toggle(row);
    ShowCaptions();
    if (unticking && mapList_.SelectedCount() == 0) {
        cmdSelectNone->setEnabled(false);
        cmdSaveList->setEnabled(false);
        EnableUploadButtons(false);
    }
    SetCurrentCell(currentRow_, 0);
}

// Whatever the press, a selection makes the commands that need one usable.
void frmMain::EnableButtonsForSelection()
{
    if (mapList_.SelectedCount() <= 0)
        return;
    if (SelectedPort() != Port::None) {
        EnableUploadButtons(true);
        cmdEraseGPS->setEnabled(true);
    }
    cmdSelectAll->setEnabled(true);
    cmdSelectNone->setEnabled(true);
    cmdSaveList->setEnabled(true);
}

void frmMain::MSFlexGrid1_MouseUp(int /*Button*/, int /*Shift*/, double /*x*/, double /*y*/)
{
    if (mouseRow_ == 0 && mouseCol_ >= 0)
        SortByColumn(mouseCol_);
}

void frmMain::SortByColumn(int col)
{
    const bool hadFocus = MSFlexGrid1->hasFocus();
    MSFlexGrid1->hide();
    model_->SortByColumn(col);
    SetCurrentCell(0, col);
    MSFlexGrid1->show();
    if (hadFocus)
        MSFlexGrid1->setFocus();
}

} // namespace mapwren
