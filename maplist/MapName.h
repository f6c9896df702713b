#pragma once

#include <cstdint>
#include <string>

#include "common/Result.h"

namespace mapwren {

// Number of characters of a map name: 20 from offset 73, 30 from offset 101.
inline constexpr int kMapNameLength = 50;

// What one open of a map file tells: its name from the header, its size and
// whether it is a Garmin map at all.
struct MapFileInfo {
    std::string mapName;      // UTF-8, exactly kMapNameLength characters
    std::uint64_t size = 0;   // bytes
    bool garmin = true;       // the header bears a Garmin map's marks
};

// Reads the header name and the size with one open. A file shorter than the
// header reads as blanks past its end; a file that cannot be opened gives a
// failure naming the file.
Result<MapFileInfo> ReadMapFile(const std::string& fullpath);

class FolderReader;
// The same for a map of a folder already open, by its name alone.
Result<MapFileInfo> ReadMapFile(const FolderReader& folder, const std::string& name);

// The map name alone.
Result<std::string> ExtractName(const std::string& fullpath);

} // namespace mapwren
