#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"
#include "maplist/FileHead.h"
#include "maplist/MapRow.h"

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

// The same for many maps, answered in the order asked; reading them
// together spares calls into the system.
std::vector<Result<MapFileInfo>> ReadMapFiles(std::span<const HeadRequest> maps);

// What a row shows of its map: name, size and whether it is a Garmin map.
void ShowMapFileInfo(MapRow& row, MapFileInfo&& info);

// The map name alone.
Result<std::string> ExtractName(const std::string& fullpath);

} // namespace mapwren
