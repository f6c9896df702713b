// The grid's events as the form wants them (button code, Shift mask, the
// pointer in twips, the cell under it), its current cell and column widths.
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShortcutEvent>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <utility>

#include "qt/Input.h"
#include "qt/MainWindow.h"
#include "qt/MapListModel.h"
#include "qt/Twips.h"

namespace mapwren {

namespace {

// The cell under a point given in the grid's own coordinates: row 0 is the
// header, -1 where there is none.
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        ActOnAccessKey(static_cast<QShortcutEvent*>(event)->key());
        return true;
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress)
        return GridKey(static_cast<QKeyEvent*>(event));
    // Presses and releases reach the viewports, the header's included, not
    // the views themselves.
    if (watched != grid_->viewport() && watched != grid_->horizontalHeader()->viewport())
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        pressSinceRelease_ = true;
        return GridMouse(watched, static_cast<QMouseEvent*>(event), true);
    case QEvent::MouseButtonDblClick:
        // The window system reports the second press of a double click as
        // this event alone; where a press came first it already counted.
        if (pressSinceRelease_)
            return true;
        return GridMouse(watched, static_cast<QMouseEvent*>(event), true);
    case QEvent::MouseButtonRelease:
        pressSinceRelease_ = false;
        return GridMouse(watched, static_cast<QMouseEvent*>(event), false);
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}

// A release goes to the widget that took the press; where it ends is told
// by the pointer's place on the screen.
bool MainWindow::GridMouse(QObject* watched, QMouseEvent* event, bool press)
{
    const QPoint inGrid = press ? static_cast<QWidget*>(watched)->mapTo(grid_, event->position().toPoint())
                                : grid_->mapFromGlobal(event->globalPosition().toPoint());
    const auto [row, col] = CellAt(grid_, inGrid);
    const int button = ButtonCode(event->button());
    const int shift = ShiftMask(event->modifiers());
    if (press) {
        grid_->setFocus(Qt::MouseFocusReason);
        Forward([&] { form_.MSFlexGrid1_MouseDown(button, shift, Twips(inGrid.x()), Twips(inGrid.y()), row, col); });
    } else {
        Forward([&] { form_.MSFlexGrid1_MouseUp(button, shift, Twips(inGrid.x()), Twips(inGrid.y()), row, col); });
    }
    return true;
}

// The keys the form's grid may use, as Windows' virtual-key codes; a key it
// leaves goes on to the grid as usual. A row the keys move to is scrolled into view.
bool MainWindow::GridKey(QKeyEvent* event)
{
    if (!form_.MSFlexGrid1_KeyDown(KeyCode(event->key()), ShiftMask(event->modifiers()))) {
        // A typed letter would move the view's current row by a search the
        // form never hears of, so Space would then tick another row.
        return !event->text().isEmpty() && event->text().at(0).isPrint() &&
               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    }
    Draw();
    if (form_.Row() > 0) {
        grid_->scrollTo(model_->index(form_.Row() - 1, form_.Col()));
        setAttribute(Qt::WA_KeyboardFocusChange);   // the style then frames the current cell
        grid_->viewport()->update();
    }
    return true;
}

// Moving the current cell from code neither scrolls the grid nor selects.
void MainWindow::ShowCurrentCell()
{
    QScrollBar* vertical = grid_->verticalScrollBar();
    QScrollBar* horizontal = grid_->horizontalScrollBar();
    const int top = vertical->value();
    const int left = horizontal->value();
    const QModelIndex cell = form_.Row() > 0 ? model_->index(form_.Row() - 1, form_.Col()) : QModelIndex();
    grid_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    vertical->setValue(top);
    horizontal->setValue(left);
}

void MainWindow::ApplyColumnWidths()
{
    const MapList& maps = form_.Maps();
    const int margin = grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 1;
    const int largest = grid_->fontMetrics().horizontalAdvance(QString::fromStdString(maps.LargestBytesText()));
    for (int col = 0; col < MapList::kColumnCount; ++col)
        grid_->setColumnWidth(col, ShownColumnPixels(col, Px(maps.ColumnWidth(col)), largest, margin));
}

} // namespace mapwren
