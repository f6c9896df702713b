#pragma once

#include <cstdint>
#include <string>

namespace mapwren {

enum class RowState { Unticked, Ticked, Missing };

// One map row of the grid.
struct MapRow {
    RowState state = RowState::Unticked;
    std::string file;      // file name, no folder
    std::string folder;    // ends with the path separator
    std::string mapName;   // empty on a missing-file row
    std::uint64_t bytes = 0;

    std::string FullPath() const { return folder + file; }
};

} // namespace mapwren
