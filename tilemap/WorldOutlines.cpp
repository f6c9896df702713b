#include "tilemap/WorldOutlines.h"

#include <cstddef>
#include <vector>

#include "tilemap/WorldOutlineData.h"

namespace mapwren {

namespace {

// The outlines in degrees, unpacked the first time the tile map asks, so
// the program's start pays nothing for them.
struct UnpackedOutlines {
    std::vector<GeoPoint> points;
    std::vector<std::span<const GeoPoint>> outlines;

    UnpackedOutlines()
    {
        const std::span<const std::int16_t> data = WorldOutlineData();
        points.reserve(data.size() / 2);
        std::vector<std::size_t> counts;
        for (std::size_t at = 0; at < data.size();) {
            const auto count = static_cast<std::size_t>(data[at++]);
            for (std::size_t i = 0; i < count; ++i, at += 2)
                points.push_back({data[at] / 100.0, data[at + 1] / 100.0});
            counts.push_back(count);
        }
        // The spans are taken once every point is in place and none can move.
        std::size_t first = 0;
        for (std::size_t count : counts) {
            outlines.emplace_back(points.data() + first, count);
            first += count;
        }
    }
};

} // namespace

std::span<const std::span<const GeoPoint>> WorldOutlines()
{
    static const UnpackedOutlines unpacked;
    return unpacked.outlines;
}

} // namespace mapwren
