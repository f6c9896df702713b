#pragma once

#include <list>
#include <optional>
#include <string>
#include <vector>

#include "maplist/MapList.h"

namespace mapwren {

// The ticked maps as they are when they are to be sent.
struct TickedMaps {
    std::list<std::string> present;   // short paths of the maps still there, in ticking order
    std::vector<std::string> gone;    // full paths of those deleted, moved or renamed since, in grid order
};
TickedMaps SortTickedMaps(const MapList& maps);

// What to ask about the gone maps (whether to send the others), or, when none
// is left, what to tell; empty when no map is gone.
std::optional<std::string> GoneMapsMessage(const TickedMaps& maps);

} // namespace mapwren
