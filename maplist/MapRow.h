#pragma once

#include <cstdint>
#include <string>

namespace mapwren {

enum class RowState { Unticked, Ticked, Missing };

// What the grid shows over a row whose file is not a Garmin map.
inline constexpr const char* kNotAMapToolTip = "Not a Garmin map: its header lacks the DSKIMG and GARMIN marks.";

// One map row of the grid.
struct MapRow {
    RowState state = RowState::Unticked;
    std::string file;      // file name, no folder
    std::string folder;    // ends with the path separator
    std::string mapName;   // empty on a missing-file row
    std::uint64_t bytes = 0;
    bool notAMap = false;  // read, but its header lacks a Garmin map's marks

    std::string FullPath() const { return folder + file; }
};

} // namespace mapwren
