#pragma once

#include <span>

#include "maplist/TilePlaces.h"

namespace mapwren {

// The land and country outlines the tile map draws behind the tiles, as
// polylines in degrees: Natural Earth's public-domain coastlines and borders,
// compiled in (tools/make_world_outlines.py made WorldOutlineData.cpp).
std::span<const std::span<const GeoPoint>> WorldOutlines();

} // namespace mapwren
