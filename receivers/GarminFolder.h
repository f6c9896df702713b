#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mapwren {

// A map file already in a Garmin folder.
struct ExistingMap {
    std::string fileName;
    std::uint64_t size = 0;
    std::string mapName;   // from its header, trailing blanks removed
};

// The folder's ".img" files (any case), ordered by name without regard to
// case; none when the folder does not exist yet.
std::vector<ExistingMap> ListExistingMaps(const std::string& garminFolder);

// The name to write: gmapsupp.img when the folder has none of that name (in
// any case), else a name made of the mapset name's letters and digits (blanks
// and other characters become "_"), with ".img"; gmapsupp.img again when the
// mapset name gives nothing.
std::string DefaultFileName(const std::vector<ExistingMap>& existing, const std::string& mapsetName);

// The existing map that a file of this name would replace (names compared
// without regard to case, as FAT does); nullptr when none.
const ExistingMap* ReplacedBy(const std::vector<ExistingMap>& existing, const std::string& fileName);

// Why a typed name cannot be used, or nothing: an empty name, a separator or
// a character FAT refuses, or a name not ending in ".img".
std::string RefuseFileName(const std::string& fileName);

} // namespace mapwren
