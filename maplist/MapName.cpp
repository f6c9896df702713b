#include "maplist/MapName.h"

#include "maplist/FileHead.h"
#include "maplist/MapHeader.h"

namespace mapwren {

namespace {

Result<MapFileInfo> InfoFromHead(const Result<FileHead>& head)
{
    if (!head)
        return Result<MapFileInfo>::Failure(head.error());
    const std::string_view bytes = head.value().Bytes();
    return MapFileInfo{MapNameFromHeader(bytes), head.value().size, IsGarminMapHeader(bytes)};
}

} // namespace

Result<MapFileInfo> ReadMapFile(const std::string& fullpath) { return InfoFromHead(ReadFileHead(fullpath)); }

std::vector<Result<MapFileInfo>> ReadMapFiles(std::span<const HeadRequest> maps)
{
    std::vector<Result<MapFileInfo>> infos;
    infos.reserve(maps.size());
    for (const Result<FileHead>& head : ReadFileHeads(maps))
        infos.push_back(InfoFromHead(head));
    return infos;
}

void ShowMapFileInfo(MapRow& row, MapFileInfo&& info)
{
    row.mapName = std::move(info.mapName);
    row.bytes = info.size;
    row.notAMap = !info.garmin;
}

Result<std::string> ExtractName(const std::string& fullpath)
{
    auto info = ReadMapFile(fullpath);
    if (!info)
        return Result<std::string>::Failure(info.error());
    return std::move(info.value().mapName);
}

} // namespace mapwren
