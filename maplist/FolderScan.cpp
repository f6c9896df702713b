#include "maplist/FolderScan.h"

#include <algorithm>
#include <numeric>
#include <string_view>

#include "common/Parallel.h"
#include "common/Text.h"
#include "maplist/FileHead.h"
#include "maplist/MapName.h"

namespace mapwren {

namespace {

constexpr std::size_t kInsertionSortSpan = 60;   // last index minus first, at most

int Compare(std::string_view a, std::string_view b, CompareMode mode)
{
    if (mode == CompareMode::NoCase)
        return CompareNoCase(a, b);
    const int c = a.compare(b);
    return (c > 0) - (c < 0);
}

// True when x goes before y in the given order (1 ascending, -1 descending);
// the insertion sort moves an element past exactly these.
bool Before(std::string_view x, std::string_view y, int order, CompareMode mode)
{
    return Compare(y, x, mode) == order;
}

std::vector<FolderReader::Entry> ImgFiles(const FolderReader& reader)
{
    std::vector<FolderReader::Entry> files = reader.Files();
    std::erase_if(files, [](const FolderReader::Entry& file) { return !EndsWithNoCase(file.name, ".img"); });
    return files;
}

// The first eight bytes of a name in lower case, packed so that comparing two
// of them orders the names as CompareNoCase does wherever they differ.
std::uint64_t FoldedPrefix(std::string_view name)
{
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const auto c = i < name.size() ? static_cast<unsigned char>(name[i]) : 0;
        prefix = (prefix << 8) | static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return prefix;
}

// The order ListImgFiles gives the names in, as indexes into files; a folder
// of many thousand maps sorts mostly on the packed prefixes.
std::vector<std::size_t> NameOrder(const std::vector<FolderReader::Entry>& files)
{
    struct Key {
        std::uint64_t prefix;
        std::size_t index;
    };
    std::vector<Key> keys(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        keys[i] = {FoldedPrefix(files[i].name), i};
    std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        return a.prefix != b.prefix ? a.prefix < b.prefix : Before(files[a.index].name, files[b.index].name, 1, CompareMode::NoCase);
    });
    std::vector<std::size_t> order(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].index;
    return order;
}

std::vector<std::size_t> ReadOrder(const std::vector<FolderReader::Entry>& files)
{
    std::vector<std::size_t> order(files.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return files[a].readOrder < files[b].readOrder; });
    return order;
}

} // namespace

std::vector<std::string> ListImgFiles(const std::string& folder)
{
    std::vector<std::string> names;
    for (FolderReader::Entry& file : ImgFiles(FolderReader(folder)))
        names.push_back(std::move(file.name));
    if (!names.empty())
        QuickSortStringsStart(names, true, false);
    return names;
}

void QuickSortStringsStart(std::vector<std::string>& ListArray, bool bAscending, bool bCaseSensitive)
{
    if (ListArray.size() < 2)
        return;
    SortStringRange(ListArray, 0, ListArray.size() - 1, bAscending ? 1 : -1,
                    bCaseSensitive ? CompareMode::ByCode : CompareMode::NoCase);
}

void SortStringRange(std::vector<std::string>& ListArray, std::size_t first, std::size_t last, int order,
                     CompareMode mode)
{
    if (first >= last || last >= ListArray.size())
        return;
    if (last - first <= kInsertionSortSpan) {
        InsertionSortStrings(ListArray, first, last, order, mode);
        return;
    }
    // The same order as the insertion sort, for ranges of any length.
    const auto begin = ListArray.begin() + static_cast<std::ptrdiff_t>(first);
    std::stable_sort(begin, begin + static_cast<std::ptrdiff_t>(last - first + 1),
                     [&](const std::string& x, const std::string& y) { return Before(x, y, order, mode); });
}

void InsertionSortStrings(std::vector<std::string>& ListArray, std::size_t first, std::size_t last, int order,
                          CompareMode mode)
{
    if (first >= last || last >= ListArray.size())
        return;
    for (std::size_t i = first + 1; i <= last; ++i) {
        std::string t = std::move(ListArray[i]);
        std::size_t j = i;
        while (j > first && Before(t, ListArray[j - 1], order, mode)) {
            ListArray[j] = std::move(ListArray[j - 1]);
            --j;
        }
        ListArray[j] = std::move(t);
    }
}

FolderScan ScanFolder(const std::string& folder)
{
    const FolderReader reader(folder);
    std::vector<FolderReader::Entry> files = ImgFiles(reader);
    // Each file is read straight into its row, in name order.
    std::vector<std::size_t> rowOf(files.size());
    const std::vector<std::size_t> byName = NameOrder(files);
    for (std::size_t row = 0; row < byName.size(); ++row)
        rowOf[byName[row]] = row;

    FolderScan scan;
    if (reader.ListingError())
        scan.listingFailure = reader.ListingError().message();
    scan.rows.resize(files.size());
    std::vector<char> readable(files.size());
    // Reading in the file system's own order spares it a random walk.
    const std::vector<std::size_t> readOrder = ReadOrder(files);
    ForEachRun(files.size(), [&](std::size_t first, std::size_t end) {
        std::vector<HeadRequest> maps;
        maps.reserve(end - first);
        for (std::size_t k = first; k < end; ++k)
            maps.push_back({&reader, &files[readOrder[k]].name, files[readOrder[k]].size});
        // Everything a row learns from its file, with one open: the map name
        // from the header, the size and whether it is a Garmin map at all.
        std::vector<Result<MapFileInfo>> infos = ReadMapFiles(maps);
        for (std::size_t k = first; k < end; ++k) {
            const std::size_t i = readOrder[k];
            MapRow& row = scan.rows[rowOf[i]];
            Result<MapFileInfo>& info = infos[k - first];
            readable[rowOf[i]] = info.ok();
            if (info)
                ShowMapFileInfo(row, std::move(info.value()));
            else    // a size the system will not tell shows as 0, the grid's "nothing known"
                row.bytes = reader.SizeOf(files[i].name).value_or(0);
            row.folder = folder;
            row.file = std::move(files[i].name);
        }
    });
    // The rows stay, so the user sees the files; the window names them once.
    for (std::size_t row = 0; row < scan.rows.size(); ++row) {
        if (!readable[row])
            scan.unreadable.push_back(folder + scan.rows[row].file);
    }
    return scan;
}

} // namespace mapwren
