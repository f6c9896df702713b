#pragma once

#include <string>
#include <vector>

#include "maplist/MapRow.h"

namespace mapwren {

// GetShortFileName of each row's full path (empty for a missing-file row),
// worked out for many rows at once: Select All on a long list must not pay a
// system call per row where one listing of the folder tells the same.
std::vector<std::string> ShortFileNames(const std::vector<MapRow>& rows);

} // namespace mapwren
