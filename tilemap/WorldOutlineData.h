#pragma once

#include <cstdint>
#include <span>

namespace mapwren {

// The world's outlines as compiled into the program (generated/WorldOutlineData.cpp,
// made by generated/make_world_outlines.py): each outline is its number of
// points, then its points as longitude and latitude pairs in hundredths of a
// degree. Whole numbers this small keep the program about 180 kB larger
// rather than four times that.
std::span<const std::int16_t> WorldOutlineData();

} // namespace mapwren
