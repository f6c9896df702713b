#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/Result.h"
#include "forms/Input.h"
#include "forms/TickableMaps.h"
#include "maplist/TilePlaces.h"

namespace mapwren {

// A point or rectangle on the tile map's drawing area, in logical pixels
// from its top left corner (x to the right, y down).
struct PixelPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};
struct PixelRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// One tile as drawn: filled when its map row is ticked, outlined otherwise.
struct TileShape {
    std::size_t row = 0;   // the map row (0-based, as TickableMaps::Maps().Row) it belongs to
    PixelRect rect;
    bool ticked = false;
    bool hovered = false;   // under the pointer: the tile a click would take
};

// The tile map window as a form: every ticked or unticked map of the main
// window drawn where its tiles lie, in a plain longitude/latitude
// projection, over the world's outlines. It holds no ticks of its own: it
// reads the main window's ticks whenever it is drawn (the files only when it
// opens and when rows change), and a click ticks through the main window
// exactly as a press on the row's tick cell does, so the grid and the map
// always agree.
//
// How a front-end uses it:
//   - Desktop::ShowTileMapWindow() (called by the main window's menu item
//     mnuTileMap) makes one frmTileMap over the main form, with
//     WorldOutlines(), and shows its window titled Caption(); a second call
//     while it is open only raises it. Closing the window destroys the form.
//   - Resize() with the drawing area's size in logical pixels, first before
//     anything is drawn: the view then fits every tile.
//   - Forward the pointer over the drawing area: MouseDown/MouseMove/MouseUp
//     with the button (1 left, 2 right, 4 middle; MouseMove with the buttons
//     held, or 0) and the Shift mask (1 Shift, 2 Ctrl, 4 Alt), the wheel as
//     notches (one notch = 120 units of WM_MOUSEWHEEL / QWheelEvent's
//     angleDelta().y(); positive zooms in), MouseLeave when it leaves, and
//     keys as Windows virtual-key codes through KeyDown; close the window
//     when CloseRequested() after an event.
//   - Draw after every event of either window (a tick in the grid changes
//     the map too, a click on the map changes the grid's captions and
//     buttons): Outlines() as thin lines, then Tiles() in their order (later
//     ones on top; a ticked tile filled, an unticked one outlined, the
//     hovered one highlighted), then SelectionBox() when there is one.
//     ToolTip() is the text to show at the pointer (empty for none);
//     StatusText() a line along the window's bottom.
//   - Everything is computed here; a front-end holds no rule.
class frmTileMap {
public:
    // Reads where the main window's maps lie, and again whenever its rows
    // change, in the event that changed them: the caller shows the busy pointer.
    frmTileMap(TickableMaps& main, std::span<const std::span<const GeoPoint>> outlines);
    ~frmTileMap();
    frmTileMap(const frmTileMap&) = delete;
    frmTileMap& operator=(const frmTileMap&) = delete;

    // The window's title.
    static constexpr const char* Caption() { return "Tile Map"; }

    // The drawing area's size in logical pixels.
    void Resize(double width, double height);

    // The pointer. A left press and release within a few pixels is a click:
    // it ticks or unticks the tile under the pointer; a left drag draws a box
    // that ticks every tile it overlaps; a right drag pans.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int buttons, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void MouseLeave();
    // Zooms around the pointer: positive notches zoom in.
    void MouseWheel(double notches, double x, double y);
    // Home fits every tile in the window; Esc closes the window, as it closes
    // a dialog. True when the key was used.
    bool KeyDown(int keyCode, int shift);
    // True once the window should close: the front-end closes it after the event.
    bool CloseRequested() const { return closeRequested_; }

    // What to draw, as it is now.
    std::vector<TileShape> Tiles() const;
    std::vector<std::vector<PixelPoint>> Outlines() const;
    std::optional<PixelRect> SelectionBox() const;
    std::string ToolTip() const;
    std::string StatusText() const;

    // The view: the point at the drawing area's centre and the scale.
    GeoPoint Centre() const { return centre_; }
    double PixelsPerDegree() const { return pixelsPerDegree_; }
    PixelPoint ToPixels(GeoPoint point) const;
    GeoPoint ToGeo(PixelPoint point) const;

private:
    struct PlacedTile {
        std::size_t row;
        std::string name;   // the TRE subfile's name
        GeoBox bounds;
        bool oneOfMany;     // its file holds other tiles too
    };

    void SyncWithRows();
    void ReadMissingPlaces();
    void FitAll();
    std::optional<std::size_t> TileAt(PixelPoint point) const;
    void TickTilesIn(const GeoBox& box);
    PixelRect RectOf(const GeoBox& box) const;

    TickableMaps& main_;
    std::span<const std::span<const GeoPoint>> outlines_;
    // The places read so far, by full path, so sorting or reloading rows reads no file twice.
    std::unordered_map<std::string, Result<std::vector<TilePlace>>> places_;
    std::vector<PlacedTile> tiles_;   // largest first, the order they are drawn in
    std::vector<std::string> unplaced_;
    std::uint64_t rowsRevision_ = ~std::uint64_t{0};

    double width_ = 0;
    double height_ = 0;
    GeoPoint centre_;
    double pixelsPerDegree_ = 1;
    bool fitted_ = true;   // the user has not zoomed or panned since the view last fitted every tile

    int dragButton_ = 0;
    PixelPoint pressAt_;
    PixelPoint pointer_;
    bool dragging_ = false;
    bool pointerInside_ = false;
    bool closeRequested_ = false;
};

} // namespace mapwren
