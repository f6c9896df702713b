#include "maplist/MapList.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <string_view>

#include "common/Paths.h"
#include "maplist/Captions.h"
#include "maplist/GenericOrder.h"

namespace mapwren {

namespace {

constexpr std::array<const char*, MapList::kColumnCount> kHeaderTexts = {"", "File", "Folder", "Map Name", "Bytes"};
constexpr const char* kTickedMarker = " ";
constexpr const char* kUntickedMarker = "  ";
constexpr std::string_view kAscendingMarker = "> ";
constexpr std::string_view kDescendingMarker = "< ";
constexpr int kAscending = 1;
constexpr int kDescending = 2;
// Past this many rows the grid shows a scroll bar, and the Map Name column
// narrows to leave room for it.
constexpr std::int64_t kRowsBeforeScrollBar = 18;
constexpr int kNarrowMapNameWidth = 3740;

bool HasSortMarker(std::string_view caption)
{
    return caption.starts_with(kAscendingMarker) || caption.starts_with(kDescendingMarker);
}

} // namespace

MapList::MapList(const ShortNameSource& shortNames) : shortNames_(&shortNames)
{
    headers_[0] = kHeaderTexts[0];
    ResetHeaders();
}

void MapList::ResetHeaders()
{
    for (int col = 1; col < kColumnCount; ++col)
        headers_[col] = kHeaderTexts[col];
}

std::string MapList::CellText(std::size_t row, int col) const
{
    const MapRow& r = rows_[row];
    switch (col) {
    case 0: return r.state == RowState::Ticked ? kTickedMarker : kUntickedMarker;
    case 1: return r.file;
    case 2: return r.folder;
    case 3: return r.mapName;
    case kBytesColumn: return r.state == RowState::Missing ? "0" : std::to_string(r.bytes);
    default: return {};
    }
}

int MapList::ColumnWidth(int col) const
{
    if (col < 0 || col >= kColumnCount)
        return 0;
    if (col == 3 && loadedRowCount_ > kRowsBeforeScrollBar)
        return kNarrowMapNameWidth;
    return kColumnWidths[col];
}

int ShownColumnPixels(int col, int designPixels, int largestTextPixels, int marginPixels)
{
    if (col != MapList::kBytesColumn)
        return designPixels;
    return std::max(designPixels, largestTextPixels + 2 * marginPixels + 1);
}

void MapList::AppendRows(std::vector<MapRow> rows)
{
    loadedRowCount_ += static_cast<std::int64_t>(rows.size());
    for (const MapRow& row : rows)
        largestBytes_ = std::max(largestBytes_, row.bytes);
    // New rows never join the selection: they come in unticked or missing.
    for (MapRow& row : rows) {
        if (row.state == RowState::Ticked)
            row.state = RowState::Unticked;
    }
    if (rows_.empty()) {
        rows_ = std::move(rows);   // a first load is taken whole, not copied
    } else {
        rows_.reserve(rows_.size() + rows.size());
        std::move(rows.begin(), rows.end(), std::back_inserter(rows_));
    }
    tickEntries_.resize(rows_.size());
}

void MapList::Clear()
{
    rows_.clear();
    tickEntries_.clear();
    ResetHeaders();
    selectedCount_ = 0;
    selectedBytes_ = 0;
    selectedFiles_.Clear();
    loadedRowCount_ = 0;
    largestBytes_ = 0;
}

bool MapList::Toggle(std::size_t row)
{
    if (row >= rows_.size() || rows_[row].state == RowState::Missing)
        return false;
    if (rows_[row].state == RowState::Ticked)
        Untick(row);
    else
        Tick(row, shortNames_->Of(rows_[row].FullPath()));
    ShowSelectionCaptions();
    return true;
}

void MapList::Tick(std::size_t row, std::string shortPath)
{
    MapRow& r = rows_[row];
    r.state = RowState::Ticked;
    tickEntries_[row] = std::move(shortPath);
    selectedFiles_.Append(tickEntries_[row]);
    ++selectedCount_;
    selectedBytes_ += static_cast<std::int64_t>(r.bytes);
}

void MapList::Untick(std::size_t row)
{
    MapRow& r = rows_[row];
    r.state = RowState::Unticked;
    selectedFiles_.RemoveFirst(tickEntries_[row]);
    std::string().swap(tickEntries_[row]);
    --selectedCount_;
    selectedBytes_ -= static_cast<std::int64_t>(r.bytes);
}

void MapList::SelectAll()
{
    selectedFiles_.Clear();
    selectedCount_ = 0;
    selectedBytes_ = 0;
    std::vector<std::string> shortPaths = shortNames_->OfRows(rows_);
    selectedFiles_.Reserve(rows_.size());
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].state != RowState::Missing)
            Tick(row, std::move(shortPaths[row]));
    }
    ShowSelectionCaptions();
}

void MapList::SelectNone()
{
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].state == RowState::Ticked)
            rows_[row].state = RowState::Unticked;
        std::string().swap(tickEntries_[row]);
    }
    selectedFiles_.Clear();
    selectedCount_ = 0;
    selectedBytes_ = 0;
    countCaption_ = kNoneCountCaption;
    totalCaption_ = kNoneTotalCaption;
}

void MapList::ShowSelectionCaptions()
{
    countCaption_ = CountCaption(selectedCount_);
    totalCaption_ = TotalCaption(selectedBytes_);
}

void MapList::SortByColumn(int col)
{
    if (col < 0 || col >= kColumnCount)
        return;
    sortOrder_ = (col == lastSortCol_ && sortOrder_ == kAscending) ? kDescending : kAscending;

    std::vector<SortKey> keys;
    keys.reserve(rows_.size());
    for (std::size_t row = 0; row < rows_.size(); ++row)
        keys.push_back(MakeSortKey(CellText(row, col)));
    std::vector<std::size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Stable both ways: equal keys keep their previous order.
    const int before = sortOrder_ == kAscending ? -1 : 1;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return CompareSortKeys(keys[a], keys[b]) == before; });
    ReorderRows(order);

    std::string& oldCaption = headers_[lastSortCol_];
    if (HasSortMarker(oldCaption))
        oldCaption.erase(0, kAscendingMarker.size());
    lastSortCol_ = col;
    const std::string_view marker = sortOrder_ == kAscending ? kAscendingMarker : kDescendingMarker;
    headers_[col] = std::string(marker) + headers_[col];
}

void MapList::ReorderRows(const std::vector<std::size_t>& order)
{
    std::vector<MapRow> rows;
    std::vector<std::string> entries;
    rows.reserve(order.size());
    entries.reserve(order.size());
    for (std::size_t from : order) {
        rows.push_back(std::move(rows_[from]));
        entries.push_back(std::move(tickEntries_[from]));
    }
    rows_.swap(rows);
    tickEntries_.swap(entries);
}

} // namespace mapwren
