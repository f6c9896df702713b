#pragma once

#include <span>

#include "maplist/TilePlaces.h"

namespace mapwren {

// The land and country outlines the tile map draws behind the tiles, as
// polylines in degrees: Natural Earth's public-domain coastlines and borders,
// compiled in (generated/make_world_outlines.py made generated/WorldOutlineData.cpp).
// No outline crosses the 180th meridian: one that would is cut there.
std::span<const std::span<const GeoPoint>> WorldOutlines();

} // namespace mapwren
