#include "receivers/GarminFolder.h"

#include <algorithm>
#include <cctype>

#include "common/Text.h"
#include "maplist/FolderScan.h"
#include "maplist/MapName.h"
#include "receivers/Places.h"

namespace mapwren {

namespace {

constexpr const char* kSupplementName = "gmapsupp.img";

std::string TrimmedRight(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return text;
}

} // namespace

std::vector<ExistingMap> ListExistingMaps(const std::string& garminFolder)
{
    std::vector<ExistingMap> maps;
    for (const std::string& name : ListImgFiles(JoinPath(garminFolder, ""))) {
        const auto info = ReadMapFile(JoinPath(garminFolder, name));
        if (info)
            maps.push_back({name, info.value().size, TrimmedRight(info.value().mapName)});
        else
            maps.push_back({name, 0, {}});
    }
    return maps;
}

const ExistingMap* ReplacedBy(const std::vector<ExistingMap>& existing, const std::string& fileName)
{
    const auto found = std::ranges::find_if(
        existing, [&](const ExistingMap& map) { return CompareNoCase(map.fileName, fileName) == 0; });
    return found == existing.end() ? nullptr : &*found;
}

std::string DefaultFileName(const std::vector<ExistingMap>& existing, const std::string& mapsetName)
{
    if (!ReplacedBy(existing, kSupplementName))
        return kSupplementName;
    std::string name;
    for (unsigned char c : TrimmedRight(mapsetName))
        name += std::isalnum(c) && c < 0x80 ? static_cast<char>(c) : '_';
    const auto first = name.find_first_not_of('_');
    if (first == std::string::npos)
        return kSupplementName;
    return name.substr(first) + ".img";
}

std::string RefuseFileName(const std::string& fileName)
{
    if (fileName.empty())
        return "Type a name for the map file.";
    if (fileName.find_first_of("\\/:*?\"<>|") != std::string::npos ||
        std::ranges::any_of(fileName, [](unsigned char c) { return c < 0x20; }))
        return "The name " + fileName + " holds a character a memory card does not take (\\ / : * ? \" < > |).";
    if (!EndsWithNoCase(fileName, ".img") || fileName.size() == 4)
        return "The name " + fileName + " does not end in .img: receivers read only .img files.";
    return {};
}

} // namespace mapwren
