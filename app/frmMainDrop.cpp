// Files and folders dropped on the window: each is loaded as the command for
// its kind loads it, in the order dropped.
#include <algorithm>
#include <utility>

#include "app/frmMain.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "maplist/FolderScan.h"

namespace mapwren {

namespace {

enum class Dropped { Folder, MapFile, Other };

Dropped KindOf(const std::string& path)
{
    if (FolderExist(path))
        return Dropped::Folder;
    if (EndsWithNoCase(path, ".img") && FileExist(path))
        return Dropped::MapFile;
    return Dropped::Other;   // a list file when its head line reads as one
}

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || (folder.back() != kPathSeparator && folder.back() != '/'))
        folder += kPathSeparator;
    return folder;
}

} // namespace

// Map files dropped one after another are added together, ordered as a scan
// of their folder would order them.
void frmMain::Form_OLEDragDrop(const std::vector<std::string>& paths)
{
    std::vector<Dropped> kinds;
    for (const std::string& path : paths)
        kinds.push_back(KindOf(path));
    const std::size_t firstNew = mapList_.RowCount();
    std::vector<std::string> unreadable, unusable, nothing;
    {
        const BusyPointer busy(desktop_);
        if (std::any_of(kinds.begin(), kinds.end(), [](Dropped kind) { return kind != Dropped::Other; }))
            HideGridWhileFilling();
        std::vector<std::string> maps;
        for (std::size_t i = 0; i <= paths.size(); ++i) {
            if (i < paths.size() && kinds[i] == Dropped::MapFile) {
                maps.push_back(paths[i]);
                continue;
            }
            if (!maps.empty())
                AppendDroppedMaps(std::exchange(maps, {}), unreadable);
            if (i == paths.size())
                break;
            Status loaded;
            if (kinds[i] == Dropped::Folder) {
                cmdClearGrid.enabled = true;
                loaded = AppendFolder(WithSeparator(paths[i]), unreadable);
            } else if (const ListFileContent content = ReadListFile(paths[i]); content.error == ListFileError::None) {
                ListFileName = paths[i];
                loaded = AppendList(content);
            } else {
                unusable.push_back(paths[i]);
            }
            if (!loaded)
                nothing.push_back(loaded.error());
        }
        MSFlexGrid1.visible = true;
    }
    for (const std::string& why : nothing)
        Warn(why);
    WarnAboutNewRows(firstNew, unreadable);
    if (!unusable.empty())
        Warn(std::string(unusable.size() == 1 ? "This dropped file could not be used" : "These dropped files could not be used") +
             "; only folders, map files (.img) and list files can be dropped:" + ListedPaths(unusable));
}

// Read as a list's map lines are; a file whose header cannot be read is named
// as Load Folder names one.
void frmMain::AppendDroppedMaps(std::vector<std::string> paths, std::vector<std::string>& unreadable)
{
    QuickSortStringsStart(paths, true, false);
    std::vector<MapRow> rows = RowsFromMapPaths(paths);
    for (const MapRow& row : rows) {
        if (row.state != RowState::Missing && row.mapName.empty())
            unreadable.push_back(row.FullPath());
    }
    AppendMapRows(std::move(rows));
    SetCurrentCell(static_cast<int>(mapList_.RowCount()), 0);
    cmdClearGrid.enabled = true;
    cmdSelectAll.enabled = true;
}

} // namespace mapwren
