#include "maplist/FolderScan.h"

#include <algorithm>
#include <numeric>
#include <string_view>

#include "common/Text.h"
#include "maplist/FileHead.h"
#include "maplist/MapHeader.h"

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

// Positions of the files in the order ListImgFiles gives their names.
std::vector<std::size_t> NameOrder(const std::vector<FolderReader::Entry>& files)
{
    std::vector<std::size_t> order(files.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return Before(files[a].name, files[b].name, 1, CompareMode::NoCase);
    });
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
    std::vector<MapRow> rows(files.size());
    std::vector<bool> unreadable(files.size(), false);
    // Reading in the file system's own order spares it a random walk.
    for (const std::size_t i : ReadOrder(files)) {
        rows[i].folder = folder;
        if (const auto head = reader.ReadHead(files[i].name)) {
            rows[i].mapName = MapNameFromHeader(head.value().Bytes());
            rows[i].bytes = head.value().size;
        } else {
            // The row stays, so the user sees the file; the window names it once.
            rows[i].bytes = reader.SizeOf(files[i].name);
            unreadable[i] = true;
        }
    }
    FolderScan scan;
    scan.rows.reserve(rows.size());
    for (const std::size_t i : NameOrder(files)) {
        rows[i].file = std::move(files[i].name);
        if (unreadable[i])
            scan.unreadable.push_back(folder + rows[i].file);
        scan.rows.push_back(std::move(rows[i]));
    }
    return scan;
}

} // namespace mapwren
