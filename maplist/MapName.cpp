#include "maplist/MapName.h"

#include "maplist/FileHead.h"
#include "maplist/MapHeader.h"

namespace mapwren {

Result<MapFileInfo> ReadMapFile(const std::string& fullpath)
{
    const auto head = ReadFileHead(fullpath);
    if (!head)
        return Result<MapFileInfo>::Failure(head.error());
    const std::string_view bytes = head.value().Bytes();
    return MapFileInfo{MapNameFromHeader(bytes), head.value().size, IsGarminMapHeader(bytes)};
}

Result<std::string> ExtractName(const std::string& fullpath)
{
    auto info = ReadMapFile(fullpath);
    if (!info)
        return Result<std::string>::Failure(info.error());
    return std::move(info.value().mapName);
}

} // namespace mapwren
