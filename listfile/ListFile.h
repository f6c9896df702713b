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

// Empty optional when the line does not start with the marker word. A COM
// name other than "COM1" to "COM9" leaves the port alone; a mapset digit other
// than 0, 1 or 2 leaves the box state alone while the name is still taken.
std::optional<ListHead> ParseHeadLine(const std::string& line);
// "mapwren " + port word, then " mapset:" + digit + " " + name when there is a name.
std::string FormatHeadLine(const ListSettings& settings);

enum class ListFileError { None, CannotOpen, NotAFile, TooLarge, Empty, Invalid };

struct ListFileContent {
    ListFileError error = ListFileError::None;
    std::string message;                     // ready to show when error is not None
    ListHead head;
    std::vector<std::string> mapPaths;       // the lines ending in ".img"
    // Lines ending in ".img" that hold a NUL byte, which no path holds: left
    // out, by their numbers (the head line is line 1).
    std::vector<std::size_t> linesWithNul;
};

// What to tell of the lines a list named but that cannot be paths; empty when there are none.
std::optional<std::string> LinesWithNulMessage(const std::string& path, const ListFileContent& content);

// Reads a list file; lines end at CR LF, CR or LF and are not trimmed; a
// UTF-8 byte order mark before the head line is taken as the mark it is. A file
// that cannot be opened, is empty or lacks the marker gives the error and a
// message ready to show ("Invalid File" and seventeen blanks for the last).
ListFileContent ReadListFile(const std::string& path);

// One row per map path: unticked with name and size when the file exists,
// a missing-file row otherwise. A file that exists but cannot be read gets an
// unticked row with no name and size 0.
std::vector<MapRow> RowsFromMapPaths(const std::vector<std::string>& mapPaths);

// A ticked map as a list may name it.
struct ListedMap {
    std::string fullPath;
    std::string shortPath;   // as the map list ticked it; empty when there was none
};
// The map lines of a list: each full path, or where a list file cannot hold
// it, the short path (which loads again on the same machine); the full paths
// of the maps that neither form can name go to unwritable, in order.
struct MapLines {
    std::vector<std::string> lines;
    std::vector<std::string> unwritable;
};
MapLines ListMapLines(const std::vector<ListedMap>& maps);
// Whether to save the list without the maps it cannot name.
std::string UnwritableMapsQuestion(const std::vector<std::string>& unwritable);

// Writes the head line and one line per path, each ended by CR LF, through a
// temporary file beside the target; on failure the old file stays whole and
// the message names the file. Text holding a line break, or a character the
// list file's code page cannot hold, is refused before anything is written.
Status WriteListFile(const std::string& path, const ListSettings& settings,
                     const std::vector<std::string>& fullPaths);

} // namespace mapwren
