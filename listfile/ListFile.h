#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/Result.h"
#include "common/Settings.h"
#include "maplist/MapRow.h"

namespace mapwren {

// What a list file's head line asks of the settings; an empty optional
// leaves that setting as it was.
struct ListHead {
    std::optional<Port> port;
    std::string comPort;                     // "COM1" to "COM9" when port is Com
    std::optional<int> mapsetState;          // 0 unticked, 1 ticked, 2 greyed
    std::optional<std::string> mapsetName;
};

// The settings a saved list carries.
struct ListSettings {
    Port port = Port::None;
    std::string comPort;
    int mapsetState = 0;
    std::string mapsetName;
};

// Empty optional when the line does not start with the marker word.
std::optional<ListHead> ParseHeadLine(const std::string& line);
std::string FormatHeadLine(const ListSettings& settings);

enum class ListFileError { None, CannotOpen, Empty, Invalid };

struct ListFileContent {
    ListFileError error = ListFileError::None;
    std::string message;                     // ready to show when error is not None
    ListHead head;
    std::vector<std::string> mapPaths;       // the lines ending in ".img"
};

// Reads a list file; lines end at CR LF, CR or LF.
ListFileContent ReadListFile(const std::string& path);

// One row per map path: unticked with name and size when the file exists,
// a missing-file row otherwise.
std::vector<MapRow> RowsFromMapPaths(const std::vector<std::string>& mapPaths);

// Writes the head line and one line per path, each ended by CR LF, through a
// temporary file beside the target; on failure the old file stays whole.
Status WriteListFile(const std::string& path, const ListSettings& settings,
                     const std::vector<std::string>& fullPaths);

} // namespace mapwren
