#include <deque>

#include "common/Parallel.h"
#include "common/Paths.h"
#include "listfile/ListFile.h"
#include "maplist/FileHead.h"
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

bool InFolder(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path.find(kPathSeparator, folder.size()) == std::string::npos;
}

} // namespace

std::vector<MapRow> RowsFromMapPaths(const std::vector<std::string>& mapPaths)
{
    std::vector<MapRow> rows(mapPaths.size());
    ForEachRun(mapPaths.size(), [&](std::size_t first, std::size_t end) {
        // The maps of a folder follow each other in a list: a folder holding
        // the next map too is opened once and each map read by its name
        // alone, sparing a path walk.
        std::deque<FolderReader> folders;
        std::vector<HeadRequest> maps;
        maps.reserve(end - first);
        for (std::size_t i = first; i < end; ++i) {
            MapRow& row = rows[i] = RowNamed(mapPaths[i]);
            if ((folders.empty() || folders.back().Folder() != row.folder) && i + 1 < end &&
                InFolder(mapPaths[i + 1], row.folder))
                folders.emplace_back(row.folder);
            const bool inFolder = !folders.empty() && folders.back().Folder() == row.folder && folders.back().IsOpen();
            maps.push_back(inFolder ? HeadRequest{&folders.back(), &row.file} : HeadRequest{nullptr, &mapPaths[i]});
        }
        std::vector<Result<MapFileInfo>> infos = ReadMapFiles(maps);
        for (std::size_t i = first; i < end; ++i) {
            MapRow& row = rows[i];
            if (Result<MapFileInfo>& info = infos[i - first]) {
                ShowMapFileInfo(row, std::move(info.value()));
            } else if (!FileExist(mapPaths[i])) {
                // Only a file that cannot be read is asked whether it is there at all.
                row.state = RowState::Missing;
            }
            // A file that exists but cannot be read keeps an unticked row with no name and size 0.
        }
    });
    return rows;
}

} // namespace mapwren
