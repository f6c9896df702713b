#pragma once

#include <span>

#include "maplist/TilePlaces.h"

namespace mapwren {

// The land and country outlines the tile map draws behind the tiles, as
// polylines in degrees; generated at build time from public-domain data.
std::span<const std::span<const GeoPoint>> WorldOutlines();

} // namespace mapwren
