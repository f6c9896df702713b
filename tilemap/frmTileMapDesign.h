#pragma once

#include <algorithm>
#include <cstdint>

#include "forms/ControlDesign.h"

// How the tile map window looks; both front-ends draw with these.
namespace mapwren {

// The drawing area's size when the window first opens, in logical pixels;
// the user may resize the window. It opens at the top of the screen, centred
// across the main window, low enough that the main window's counts of ticked
// maps and its Upload button stay in sight on a screen 768 pixels high.
inline constexpr int kTileMapWidth = 760;
inline constexpr int kTileMapHeight = 420;

// A rectangle on the screen in the toolkit's pixels, right and bottom exclusive.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
struct ScreenPlace {
    int left = 0;
    int top = 0;
    friend bool operator==(const ScreenPlace&, const ScreenPlace&) = default;
};

// Where the window's frame, frameWidth wide, opens: at the top of the screen's
// work area, centred across the main window's frame, moved in from an edge it
// would cross; a frame wider than the screen starts at its left edge.
constexpr ScreenPlace TileMapOpeningPlace(ScreenRect mainFrame, ScreenRect workArea, int frameWidth)
{
    const int centred = (mainFrame.left + mainFrame.right) / 2 - frameWidth / 2;
    return {std::clamp(centred, workArea.left, std::max(workArea.left, workArea.right - frameWidth)), workArea.top};
}

inline constexpr Rgb kTileMapSea{246, 248, 250};
inline constexpr Rgb kTileMapOutline{150, 160, 170};   // coasts and borders, one pixel wide
inline constexpr Rgb kTileEdge{40, 70, 150};          // every tile's rectangle, one pixel wide
inline constexpr Rgb kTileTicked{60, 110, 220};        // a ticked tile's fill, see-through
inline constexpr std::uint8_t kTileTickedAlpha = 110; // of 255: the outlines stay visible under a tick
inline constexpr Rgb kTileHovered{230, 120, 0};        // the rectangle a click would take, two pixels wide
inline constexpr Rgb kSelectionBoxEdge{0, 0, 0};       // the drag box, dotted

} // namespace mapwren
