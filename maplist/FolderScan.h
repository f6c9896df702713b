#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "maplist/MapRow.h"

namespace mapwren {

enum class CompareMode { ByCode, NoCase };

// The names of the folder's ordinary files ending in ".img" (any case),
// ordered ascending without regard to case. folder ends with the separator.
std::vector<std::string> ListImgFiles(const std::string& folder);

// Sorts in place; equal names keep their order.
void QuickSortStringsStart(std::vector<std::string>& ListArray, bool bAscending, bool bCaseSensitive);
// order: 1 ascending, -1 descending; first and last are inclusive 0-based indexes.
void SortStringRange(std::vector<std::string>& ListArray, std::size_t first, std::size_t last, int order,
                     CompareMode mode);
void InsertionSortStrings(std::vector<std::string>& ListArray, std::size_t first, std::size_t last, int order,
                          CompareMode mode);

// One unticked row per ".img" file of the folder, in ListImgFiles order.
struct FolderScan {
    std::vector<MapRow> rows;
    std::vector<std::string> unreadable;   // full paths whose header could not be read
    std::string listingFailure;            // the system's reason when the folder could not be listed
};
FolderScan ScanFolder(const std::string& folder);

} // namespace mapwren
