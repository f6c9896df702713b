// Drawing the form's state, and what the form asks of the desktop.
#include "qt/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QUrl>

#include "qt/DesignFont.h"
#include "qt/MapListModel.h"
#include "qt/OptionButtons.h"
#include "qt/Palette.h"
#include "qt/Text.h"

namespace mapwren {

namespace {

void SetBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

void DrawControl(QWidget* widget, const ControlState& state)
{
    widget->setEnabled(state.enabled);
    widget->setVisible(state.visible);
    if (widget->toolTip() != Text(state.toolTip))
        widget->setToolTip(Text(state.toolTip));
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->pixmap().isNull() && label->text() != Text(state.text)) {
            label->setText(Text(state.text));
            FitCaption(label);
        }
    } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        if (state.value == 1)
            option->setChecked(true);
        else
            UnselectOption(option);
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        box->setTristate(state.value == 2);
        box->setCheckState(state.value == 1 ? Qt::Checked : state.value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    } else if (auto* text = qobject_cast<QLineEdit*>(widget)) {
        if (text->text() != Text(state.text))
            text->setText(Text(state.text));
        if (state.background != Background::System)
            SetBackground(text, state.background == Background::Menu ? MenuColour() : Light3DColour());
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        list->setCurrentIndex(list->findText(Text(state.text)));
    }
}

} // namespace

bool MainWindow::Start()
{
    QRect placed(QPoint(0, 0), size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        placed.moveCenter(screen->availableGeometry().center());
    move(placed.topLeft());
    show();
    bool started = false;
    Forward([&] { started = form_.Form_Load(); });
    return started;
}

void MainWindow::Forward(const std::function<void()>& event)
{
    event();
    Draw();
}

void MainWindow::Draw()
{
    drawing_ = true;
    // Found before a control is disabled: Qt then moves or drops its focus.
    form_.SetActiveControl(FocusedControl());
    setWindowTitle(Text(form_.Caption));
    for (const auto& [name, widget] : widgets_) {
        if (const ControlState* state = form_.Control(name); state && widget != grid_)
            DrawControl(widget, *state);
    }
    for (const auto& [name, item] : menuItems_) {
        if (const MenuState* state = form_.Menu(name)) {
            item->setEnabled(state->enabled);
            item->setChecked(state->checked);
        }
    }
    DrawGrid();
    if (tileMap_)
        tileMap_->Draw();   // a tick in the grid shows on the map at once
    if (const std::string focus = form_.TakeFocusRequest(); !focus.empty())
        Widget(focus)->setFocus();
    drawing_ = false;
}

// The form's name of the control that has the focus; empty when none of ours has.
std::string MainWindow::FocusedControl() const
{
    for (const QWidget* focus = QApplication::focusWidget(); focus; focus = focus->parentWidget()) {
        for (const auto& [name, widget] : widgets_) {
            if (widget == focus)
                return name;
        }
    }
    return {};
}

void MainWindow::DrawGrid()
{
    if (form_.RowsRevision() != drawnRevision_) {
        model_->Refresh(true);
        drawnRevision_ = form_.RowsRevision();
    } else {
        model_->Refresh(false);
    }
    ApplyColumnWidths();
    ShowCurrentCell();
    // Hiding the grid while it fills must not lose the focus it had.
    const bool visible = form_.MSFlexGrid1.visible;
    if (grid_->isVisibleTo(this) == visible)
        return;
    if (!visible)
        gridHadFocus_ = grid_->hasFocus();
    grid_->setVisible(visible);
    if (visible && gridHadFocus_)
        grid_->setFocus();
}

// One tile map per main window, made on first use.
void MainWindow::ShowTileMap()
{
    if (!tileMap_)
        tileMap_ = new TileMapWindow(form_, [this] { Draw(); }, this);
    tileMap_->ShowOver(this);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    form_.Form_Unload();
}

namespace {

// The dropped local files and folders, in the order dropped, as the dialogs name them.
std::vector<std::string> DroppedPaths(const QMimeData* data)
{
    std::vector<std::string> paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.push_back(QDir::toNativeSeparators(url.toLocalFile()).toStdString());
    }
    return paths;
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

// Every move over the window is answered, or the drop would be refused.
void MainWindow::dragMoveEvent(QDragMoveEvent* event)
{
    if (!DroppedPaths(event->mimeData()).empty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> paths = DroppedPaths(event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    Forward([&] { form_.Form_OLEDragDrop(paths); });
}

} // namespace mapwren
