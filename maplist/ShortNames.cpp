#include "maplist/ShortNames.h"

#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>

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

// The names of a folder's listing, looked up by text in one flat table: a
// listing of a hundred thousand files costs no allocation per name.
class NameSet {
public:
    explicit NameSet(std::vector<FolderReader::Entry> files)
        : files_(std::move(files)), slots_(std::bit_ceil(files_.size() * 2 + 1), kEmpty)
    {
        for (std::uint32_t i = 0; i < files_.size(); ++i)
            slots_[Slot(files_[i].name)] = i;
    }
    bool contains(std::string_view name) const { return slots_[Slot(name)] != kEmpty; }

private:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;

    // The name's slot, or the empty one where it would go.
    std::size_t Slot(std::string_view name) const
    {
        const std::size_t mask = slots_.size() - 1;
        std::size_t at = std::hash<std::string_view>{}(name) & mask;
        while (slots_[at] != kEmpty && files_[slots_[at]].name != name)
            at = (at + 1) & mask;
        return at;
    }

    std::vector<FolderReader::Entry> files_;
    std::vector<std::uint32_t> slots_;
};

#ifdef _WIN32

// Short names come from the system one path at a time.
std::optional<NameSet> ListedRegularFiles(std::string_view, std::size_t)
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
std::optional<NameSet> ListedRegularFiles(std::string_view folder, std::size_t rowCount)
{
    // GetShortFileName makes a relative path absolute; only absolute folders are listed here.
    if (rowCount < kRowsWorthAListing || !folder.starts_with('/'))
        return std::nullopt;
    const FolderReader reader{std::string(folder)};
    if (!reader.IsOpen() || reader.ListingSize() > rowCount * kFolderBytesPerRow)
        return std::nullopt;
    return NameSet(reader.Files(true));
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

std::string ShortNameSource::Of(const std::string& fullPath) const { return GetShortFileName(fullPath); }

std::vector<std::string> ShortNameSource::OfRows(const std::vector<MapRow>& rows) const
{
    return ShortFileNames(rows);
}

const ShortNameSource& ShortNameSource::System()
{
    static const ShortNameSource system;
    return system;
}

} // namespace mapwren
