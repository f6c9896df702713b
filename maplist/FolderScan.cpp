#include "maplist/FolderScan.h"

#include <algorithm>
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

std::vector<std::string> SortedImgNames(const FolderReader& reader)
{
    std::vector<std::string> names = reader.FileNames();
    std::erase_if(names, [](const std::string& name) { return !EndsWithNoCase(name, ".img"); });
    if (!names.empty())
        QuickSortStringsStart(names, true, false);
    return names;
}

} // namespace

std::vector<std::string> ListImgFiles(const std::string& folder)
{
    return SortedImgNames(FolderReader(folder));
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
                     [&](const std::string& x, const std::string& y) { return Compare(y, x, mode) == order; });
}

void InsertionSortStrings(std::vector<std::string>& ListArray, std::size_t first, std::size_t last, int order,
                          CompareMode mode)
{
    if (first >= last || last >= ListArray.size())
        return;
    for (std::size_t i = first + 1; i <= last; ++i) {
        std::string t = std::move(ListArray[i]);
        std::size_t j = i;
        while (j > first && Compare(ListArray[j - 1], t, mode) == order) {
            ListArray[j] = std::move(ListArray[j - 1]);
            --j;
        }
        ListArray[j] = std::move(t);
    }
}

FolderScan ScanFolder(const std::string& folder)
{
    const FolderReader reader(folder);
    FolderScan scan;
    std::vector<std::string> names = SortedImgNames(reader);
    scan.rows.reserve(names.size());
    for (std::string& name : names) {
        MapRow row;
        row.folder = folder;
        if (auto head = reader.ReadHead(name, kHeaderLength)) {
            row.mapName = MapNameFromHeader(head.value().bytes);
            row.bytes = head.value().size;
        } else {
            // The row stays, so the user sees the file; the window names it once.
            row.bytes = reader.SizeOf(name);
            scan.unreadable.push_back(folder + name);
        }
        row.file = std::move(name);
        scan.rows.push_back(std::move(row));
    }
    return scan;
}

} // namespace mapwren
