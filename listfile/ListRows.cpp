#include "common/Paths.h"
#include "listfile/ListFile.h"
#include "maplist/MapName.h"

namespace mapwren {

namespace {

// Folder up to and including the last separator, file name the rest.
MapRow RowNamed(const std::string& fullPath)
{
    MapRow row;
    const std::size_t cut = fullPath.rfind(kPathSeparator);
    const std::size_t fileStart = cut == std::string::npos ? 0 : cut + 1;
    row.folder = fullPath.substr(0, fileStart);
    row.file = fullPath.substr(fileStart);
    return row;
}

} // namespace

std::vector<MapRow> RowsFromMapPaths(const std::vector<std::string>& mapPaths)
{
    std::vector<MapRow> rows;
    rows.reserve(mapPaths.size());
    for (const std::string& path : mapPaths) {
        MapRow row = RowNamed(path);
        if (!FileExist(path)) {
            row.state = RowState::Missing;
        } else if (const Result<MapFileInfo> info = ReadMapFile(path)) {
            row.mapName = info.value().mapName;
            row.bytes = info.value().size;
            row.notAMap = !info.value().garmin;
        }
        // A file that exists but cannot be read keeps an unticked row with no name and size 0.
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace mapwren
