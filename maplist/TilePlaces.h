#pragma once

#include <string>
#include <vector>

#include "common/Result.h"

// Where the tiles of a map file lie, read from the header of each TRE
// subfile it holds.
namespace mapwren {

// A point in degrees: longitude east, latitude north.
struct GeoPoint {
    double lon = 0;
    double lat = 0;
    friend bool operator==(const GeoPoint&, const GeoPoint&) = default;
};

// A tile's bounds in degrees. A tile across the 180th meridian has its east
// edge past 180 (east is never less than west).
struct GeoBox {
    double north = 0;
    double east = 0;
    double south = 0;
    double west = 0;
    friend bool operator==(const GeoBox&, const GeoBox&) = default;
};

// One tile: its TRE subfile's name (as "63240001") and its bounds.
struct TilePlace {
    std::string name;
    GeoBox bounds;
};

// Every tile of a map file in directory order: one for a plain tile, one per
// TRE subfile of a combined GMAPSUPP.IMG. A failure names the file and says
// why it has no place: it cannot be read, or it holds no TRE subfile.
Result<std::vector<TilePlace>> ReadTilePlaces(const std::string& path);

} // namespace mapwren
