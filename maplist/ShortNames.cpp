#include "maplist/ShortNames.h"

#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>

#ifdef _WIN32
#include <windows.h>
#endif

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

// The files of a folder's listing, looked up by name in one flat table: a
// listing of a hundred thousand files costs no allocation per name.
class NameSet {
public:
    explicit NameSet(std::vector<FolderReader::Entry> files)
        : files_(std::move(files)), slots_(std::bit_ceil(files_.size() * 2 + 1), kEmpty)
    {
        for (std::uint32_t i = 0; i < files_.size(); ++i)
            slots_[Slot(files_[i].name)] = i;
    }
    // The listed file of that name; null when there is none.
    const FolderReader::Entry* Find(std::string_view name) const
    {
        const std::uint32_t at = slots_[Slot(name)];
        return at == kEmpty ? nullptr : &files_[at];
    }

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

// Below this many rows of one folder a call per row costs less than a listing.
constexpr std::size_t kRowsWorthAListing = 64;

#ifdef _WIN32

// A folder's files with their short names, and the folder's own short form:
// together they give each file's short path, as one call per file would.
struct ListedFolder {
    NameSet files;
    std::string shortFolder;   // ends with the separator

    // Empty where the listing cannot tell: a name that differs in case, a
    // short path too long to be written plainly; each is then asked alone.
    std::string ShortPath(const MapRow& row) const
    {
        const FolderReader::Entry* entry = row.file.find_first_of("\\/") == std::string::npos ? files.Find(row.file) : nullptr;
        if (!entry)
            return {};
        std::string path = shortFolder + (entry->shortName.empty() ? entry->name : entry->shortName);
        return path.size() < MAX_PATH ? path : std::string();
    }
};

std::optional<ListedFolder> ListFolder(std::string_view folder, std::size_t rowCount)
{
    if (rowCount < kRowsWorthAListing)
        return std::nullopt;
    std::string shortFolder = ShortPathOf(std::string(folder));
    if (shortFolder.empty() || shortFolder.starts_with("\\\\?\\"))
        return std::nullopt;
    if (shortFolder.back() != kPathSeparator)
        shortFolder += kPathSeparator;
    return ListedFolder{NameSet(FolderReader{std::string(folder)}.Files(true, true)), std::move(shortFolder)};
}

#else

// A folder much bigger than its rows need is not worth listing either.
constexpr std::uint64_t kFolderBytesPerRow = 256;

// The folder's regular files (links followed), as GetShortFileName would find
// them; an absolute path is its own short form here.
struct ListedFolder {
    NameSet files;

    // Empty where the file is not listed, as GetShortFileName gives for a missing file.
    std::string ShortPath(const MapRow& row) const { return files.Find(row.file) ? row.FullPath() : std::string(); }
};

// When listing the folder is the cheaper way to learn which files are there.
std::optional<ListedFolder> ListFolder(std::string_view folder, std::size_t rowCount)
{
    // GetShortFileName makes a relative path absolute; only absolute folders are listed here.
    if (rowCount < kRowsWorthAListing || !folder.starts_with('/'))
        return std::nullopt;
    const FolderReader reader{std::string(folder)};
    if (!reader.IsOpen() || reader.ListingSize() > rowCount * kFolderBytesPerRow)
        return std::nullopt;
    return ListedFolder{NameSet(reader.Files(true))};
}

#endif

} // namespace

std::vector<std::string> ShortFileNames(const std::vector<MapRow>& rows)
{
    std::vector<std::string> shorts(rows.size());
    for (const auto& [folder, members] : GroupByFolder(rows)) {
        const auto listed = ListFolder(folder, members.size());
        ForEachIndex(members.size(), [&](std::size_t k) {
            const MapRow& row = rows[members[k]];
            if (!listed || row.file.find('/') != std::string::npos)
                shorts[members[k]] = GetShortFileName(row.FullPath());
            else
                shorts[members[k]] = listed->ShortPath(row);
#ifdef _WIN32
            if (shorts[members[k]].empty())
                shorts[members[k]] = GetShortFileName(row.FullPath());
#endif
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
