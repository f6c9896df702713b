#include "receivers/Volumes.h"

#include "common/Text.h"

namespace mapwren {

bool IsFatFileSystem(const std::string& fileSystem)
{
    const std::string name = ToLowerAscii(fileSystem);
    return name == "vfat" || name == "msdos" || name == "fat" || name == "fat12" || name == "fat16" ||
           name == "fat32" || name == "fuse.fusefat" || name == "fusefat";
}

} // namespace mapwren
