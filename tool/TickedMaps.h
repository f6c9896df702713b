#pragma once

#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maplist/MapList.h"
#include "tool/ToolRuntime.h"

namespace mapwren {

// The ticked maps as they are when they are to be sent.
struct TickedMaps {
    std::list<std::string> present;   // short paths of the maps to send, in ticking order
    std::vector<std::string> gone;    // full paths of those deleted, moved or renamed since, in grid order
    // Full paths, in grid order, of maps still there whose path as sent the
    // tool cannot read (a long path outside the code page, see ToolCanRead;
    // under Wine also a name Windows refuses, see ToolOpens).
    std::vector<std::string> unreadable;
    // Full paths, in grid order, of files whose header lacks a Garmin map's marks (a renamed photo).
    std::vector<std::string> notMaps;
    std::vector<std::size_t> presentRows;   // the rows of the maps to send, in grid order
    std::uint64_t presentBytes = 0;         // their sizes as the grid shows them, added up
    ToolRuntime runtime = ToolRuntime::Native;   // how the tool runs, which decides what it can open
};
// The ticked maps grouped into those to send and those to leave out, as the
// tool run as `runtime` can open them.
TickedMaps GroupTickedMaps(const MapList& maps, ToolRuntime runtime = ToolRuntime::Native);

// What to ask about the gone, unreadable and not-a-map files (whether to send the others),
// or, when none is left, what to tell; empty when every ticked map can go.
std::optional<std::string> LeftOutMapsMessage(const TickedMaps& maps);

// What to ask when maps to be sent share a file name, which a receiver holds
// only once: the full paths of all of them, in grid order; empty when none do.
std::optional<std::string> ClashingNamesMessage(const MapList& maps, const TickedMaps& ticked);

// A FAT32 memory card holds no file of 4 GiB or more.
inline constexpr std::uint64_t kFat32FileLimit = 4294967296;
// What to ask before a combined map file of this many bytes is made, named
// as file; empty below the limit.
std::optional<std::string> OversizeMessage(std::uint64_t bytes, std::string_view file = "GMAPSUPP.IMG");

} // namespace mapwren
