#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "maplist/MapRow.h"
#include "maplist/SelectedFileList.h"
#include "maplist/ShortNames.h"

namespace mapwren {

// Column widths in twips.
inline constexpr std::array<int, 5> kColumnWidths = {250, 1300, 3607, 3990, 1020};

// A size must never lose digits: the Bytes column, designPixels wide, widens
// until the largest size (largestTextPixels as drawn, between two cell margins)
// shows whole; every other column keeps its design width.
int ShownColumnPixels(int col, int designPixels, int largestTextPixels, int marginPixels);

// The map rows with their ticks and the running selection: SelectedCount,
// SelectedBytes and SelectedFiles always describe exactly the ticked rows.
class MapList {
public:
    static constexpr int kColumnCount = 5;
    static constexpr int kBytesColumn = 4;
    // Sizes align right, as numbers do; every other text to the left.
    static constexpr bool AlignsRight(int col) { return col == kBytesColumn; }

    explicit MapList(const ShortNameSource& shortNames = ShortNameSource::System());

    // Rows, 0-based; the grid's header row is not one of them.
    std::size_t RowCount() const { return rows_.size(); }
    const MapRow& Row(std::size_t row) const { return rows_[row]; }
    // Text of a map row's cell: column 0 is the marker (" " ticked, "  " else),
    // column 4 the size in decimal digits ("0" on a missing-file row).
    std::string CellText(std::size_t row, int col) const;
    const std::string& HeaderCaption(int col) const { return headers_[col]; }
    int ColumnWidth(int col) const;
    // The largest size among the rows, in the Bytes column's digits.
    std::string LargestBytesText() const { return std::to_string(largestBytes_); }

    // Adds rows as they are (unticked or missing) after the existing ones.
    void AppendRows(std::vector<MapRow> rows);
    void Clear();

    // Flips a row between ticked and unticked; a missing-file row is left
    // alone and false returned.
    bool Toggle(std::size_t row);
    void SelectAll();
    void SelectNone();

    std::int64_t SelectedCount() const { return selectedCount_; }
    std::int64_t SelectedBytes() const { return selectedBytes_; }
    // Short paths of the ticked rows in ticking order.
    const std::list<std::string>& SelectedFiles() const { return selectedFiles_.Entries(); }
    // The entry a ticked row's tick added to SelectedFiles (empty when its file was gone then).
    const std::string& TickEntry(std::size_t row) const { return tickEntries_[row]; }

    // Captions the two summary labels show now.
    const std::string& CountCaptionText() const { return countCaption_; }
    const std::string& TotalCaptionText() const { return totalCaption_; }

    // Sorts the rows by a column; the same column again reverses the order.
    void SortByColumn(int col);

private:
    void Tick(std::size_t row, std::string shortPath);
    void Untick(std::size_t row);
    void ShowSelectionCaptions();
    void ResetHeaders();
    void ReorderRows(const std::vector<std::size_t>& order);

    const ShortNameSource* shortNames_;
    std::vector<MapRow> rows_;
    // Per row, the entry its tick added to SelectedFiles: unticking removes
    // that text even when the file has moved or gone since.
    std::vector<std::string> tickEntries_;
    std::array<std::string, kColumnCount> headers_;
    std::uint64_t largestBytes_ = 0;
    std::int64_t selectedCount_ = 0;
    std::int64_t selectedBytes_ = 0;
    SelectedFileList selectedFiles_;
    std::int64_t loadedRowCount_ = 0;
    std::string countCaption_;
    std::string totalCaption_;
    int lastSortCol_ = 0;
    int sortOrder_ = 0;
};

} // namespace mapwren
