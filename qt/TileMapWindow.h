#pragma once

#include <QWidget>
#include <functional>

#include "tilemap/frmTileMap.h"

class QLabel;

namespace mapwren {

// The tile map form on screen: a drawing area that draws what the form
// gives and forwards the pointer, the wheel and keys to it, with the form's
// status line below. A child window of the main window, so it closes and
// goes with it; closing deletes it and its form.
class TileMapWindow : public QWidget {
    Q_OBJECT
public:
    // drawMain brings the main window up to date after a click here ticked a map.
    TileMapWindow(TickableMaps& main, std::function<void()> drawMain, QWidget* mainWindow);

    frmTileMap& Form() { return form_; }
    QWidget* Area() const { return area_; }

    // At the top of the screen, centred across the main window, raised, with the keys.
    void ShowOver(const QWidget* mainWindow);
    // Draws the form's state; the main window calls it after each of its events too.
    void Draw();

private:
    friend class TileMapArea;
    void Forward(const std::function<void()>& event);
    void Paint(QWidget* area);
    void ShowToolTip();

    frmTileMap form_;
    std::function<void()> drawMain_;
    QWidget* area_ = nullptr;
    QLabel* status_ = nullptr;
    QString shownTip_;
};

} // namespace mapwren
