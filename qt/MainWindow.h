#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "qt/QtDesktop.h"
#include "qt/TileMapWindow.h"
#include "app/frmMain.h"

class QAction;
class QKeyEvent;
class QKeySequence;
class QMouseEvent;
class QTableView;

namespace mapwren {

class MapListModel;

// The main window's Qt front-end: it builds the controls from the form's
// design table, forwards each event to the form's handler, then draws the
// form's state.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(std::string programFolder, std::string argumentText, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window in the centre of the screen and runs the form's
    // start-up; false when the program must end at once.
    bool Start();

    frmMain& Form() { return form_; }
    QWidget* Widget(std::string_view name) const;
    QAction* MenuItem(std::string_view name) const;
    QTableView* Grid() const { return grid_; }
    MapListModel& GridModel() { return *model_; }
    // The tile map window while it is open, else null.
    TileMapWindow* TileMap() const { return tileMap_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Local files and folders dropped anywhere on the window go to the form.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void CreateControls();
    void CreateGrid();
    void CreateMenus();
    void ConnectEvents();
    void ActOnAccessKey(const QKeySequence& key);
    void ShowTileMap();

    // Runs a form event, then draws what it changed.
    void Forward(const std::function<void()>& event);
    void Draw();
    void DrawGrid();
    std::string FocusedControl() const;
    void ShowCurrentCell();
    void ApplyColumnWidths();
    bool GridMouse(QObject* watched, QMouseEvent* event, bool press);
    bool GridKey(QKeyEvent* event);

    QtDesktop desktop_;
    frmMain form_;
    std::map<std::string, QWidget*, std::less<>> widgets_;
    std::map<std::string, QAction*, std::less<>> menuItems_;
    QTableView* grid_ = nullptr;
    MapListModel* model_ = nullptr;
    QPointer<TileMapWindow> tileMap_;
    std::uint64_t drawnRevision_ = 0;
    // Whether a press came after the last release: a double click's second
    // press may arrive as a double-click event alone.
    bool pressSinceRelease_ = false;
    bool drawing_ = false;
    bool gridHadFocus_ = false;
};

} // namespace mapwren
