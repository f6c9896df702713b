#include "maplist/TilePlaces.h"

#include <cstdint>

#include "img/ImgContainer.h"

namespace mapwren {

namespace {

constexpr std::size_t kTreNorthAt = 0x15, kTreHeaderLength = 0x21;

double Degrees(std::string_view bytes, std::size_t at)
{
    auto value = static_cast<std::int32_t>(LittleEndian(bytes, at, 3));
    if (value >= 0x800000)
        value -= 0x1000000;
    return value * 360.0 / (1 << 24);
}

GeoBox BoundsFromTreHeader(std::string_view header)
{
    GeoBox box{Degrees(header, kTreNorthAt), Degrees(header, kTreNorthAt + 3), Degrees(header, kTreNorthAt + 6),
               Degrees(header, kTreNorthAt + 9)};
    if (box.east < box.west)
        box.east += 360;   // across the 180th meridian
    return box;
}

// A box a tile can have: within the world, north not below south. (The
// longitudes a TRE header can hold all lie within -180..180.)
bool IsPlace(const GeoBox& box)
{
    return box.north <= 90 && box.south >= -90 && box.south <= box.north && box.west >= -180 && box.east <= 540;
}

using Places = Result<std::vector<TilePlace>>;

Places NoTre(const std::string& path)
{
    return Places::Failure("The map file \"" + path + "\" holds no tile bounds (no TRE subfile), so it has no place on the map.");
}

} // namespace

Places ReadTilePlaces(const std::string& path)
{
    auto file = ImgFile::Open(path);
    if (!file)
        return Places::Failure(file.error());
    const auto directory = ReadImgDirectory(file.value());
    if (!directory)
        return Places::Failure(directory.error());
    std::vector<TilePlace> places;
    for (const ImgSubfile& s : directory.value().subfiles) {
        if (s.type != "TRE" || s.size < kTreHeaderLength)
            continue;
        const auto tre = ReadSubfileHead(file.value(), directory.value(), s, kTreHeaderLength);
        if (!tre || tre->size() != kTreHeaderLength)
            continue;
        const GeoBox box = BoundsFromTreHeader(*tre);
        if (!IsPlace(box))
            return Places::Failure("The map file \"" + path + "\" gives its tile " + s.name +
                                   " bounds outside the world, so it has no place on the map.");
        places.push_back({s.name, box});
    }
    if (places.empty())
        return NoTre(path);
    return places;
}

} // namespace mapwren
