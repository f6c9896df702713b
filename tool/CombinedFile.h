#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mapwren {

// GMAPSUPP.IMG as the program's folder holds it (its name in any case): its
// size and when it was last written; nothing when there is none. Two stamps
// differ when the file was written between them.
struct FileStamp {
    std::uintmax_t size = 0;
    std::int64_t written = 0;   // the file system's own clock ticks
    bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> CombinedFileStamp(const std::string& programFolder);

} // namespace mapwren
