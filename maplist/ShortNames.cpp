#include "maplist/ShortNames.h"

#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "common/Parallel.h"
#include "common/Paths.h"
#include "maplist/FileHead.h"

namespace mapwren {

namespace {

using RowsByFolder = std::unordered_map<std::string_view, std::vector<std::size_t>>;

RowsByFolder GroupByFolder(const std::vector<MapRow>& rows)
{
    RowsByFolder groups;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].state != RowState::Missing)
            groups[rows[i].folder].push_back(i);
    }
    return groups;
}

#ifdef _WIN32

// Short names come from the system one path at a time.
std::optional<std::unordered_set<std::string>> ListedRegularFiles(std::string_view, std::size_t)
{
    return std::nullopt;
}

#else

// Below this many rows of one folder a stat per row costs less than a listing.
constexpr std::size_t kRowsWorthAListing = 64;
// A folder much bigger than its rows need is not worth listing either.
constexpr std::uint64_t kFolderBytesPerRow = 256;

// The names of the folder's regular files (links followed), as GetShortFileName
// would find them, when listing the folder is the cheaper way to learn them.
std::optional<std::unordered_set<std::string>> ListedRegularFiles(std::string_view folder, std::size_t rowCount)
{
    // GetShortFileName makes a relative path absolute; only absolute folders are listed here.
    if (rowCount < kRowsWorthAListing || !folder.starts_with('/'))
        return std::nullopt;
    const FolderReader reader{std::string(folder)};
    if (!reader.IsOpen() || reader.ListingSize() > rowCount * kFolderBytesPerRow)
        return std::nullopt;
    std::unordered_set<std::string> names;
    names.reserve(rowCount);
    for (FolderReader::Entry& file : reader.Files(true))
        names.insert(std::move(file.name));
    return names;
}

#endif

} // namespace

std::vector<std::string> ShortFileNames(const std::vector<MapRow>& rows)
{
    std::vector<std::string> shorts(rows.size());
    for (const auto& [folder, members] : GroupByFolder(rows)) {
        const auto listed = ListedRegularFiles(folder, members.size());
        ForEachIndex(members.size(), [&](std::size_t k) {
            const std::size_t i = members[k];
            if (!listed || rows[i].file.find('/') != std::string::npos)
                shorts[i] = GetShortFileName(rows[i].FullPath());
            else if (listed->contains(rows[i].file))
                shorts[i] = rows[i].FullPath();   // an absolute path is its own short form here
        });
    }
    return shorts;
}

} // namespace mapwren
