#pragma once

#include <string>
#include <vector>

#include "maplist/MapRow.h"

namespace mapwren {

// GetShortFileName of each row's full path (empty for a missing-file row),
// worked out for many rows at once: Select All on a long list must not pay a
// system call per row where one listing of the folder tells the same.
std::vector<std::string> ShortFileNames(const std::vector<MapRow>& rows);

// Where the map list gets the short forms of its maps' paths. The system's
// source asks GetShortFileName; another one can stand for a drive that makes
// no 8.3 names (Windows makes none on most drives but the system's), where
// the long path is its own short form.
class ShortNameSource {
public:
    virtual ~ShortNameSource() = default;
    virtual std::string Of(const std::string& fullPath) const;
    // Of each row's full path, empty for a missing-file row.
    virtual std::vector<std::string> OfRows(const std::vector<MapRow>& rows) const;
    static const ShortNameSource& System();
};

} // namespace mapwren
