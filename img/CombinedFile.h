#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "img/CombinedMap.h"

// How a planned combined file lies out on the disk: shared by the plan (its
// size) and the writer.
namespace mapwren {

struct CombinedLayout {
    unsigned exponent = 9;             // one block is 2^exponent bytes
    unsigned blockSize = 512;
    std::uint32_t headerBlocks = 0;    // the header and the directory
    std::uint32_t productListBlock = 0;
    std::vector<std::uint32_t> firstBlocks;   // of each of the plan's pieces
    std::uint32_t totalBlocks = 0;
    std::string productList;           // the MPS subfile's bytes

    std::uint64_t FileSize() const { return std::uint64_t{totalBlocks} * blockSize; }
};

// The layout giving the smallest file with at most 0xFFFE blocks and a
// header and directory of at most 240 blocks; none when nothing fits.
std::optional<CombinedLayout> LayOut(const CombinedPlan& plan);

// The product list (MPS subfile) of a plan.
std::string CombinedMpsBytes(const CombinedPlan& plan);

// The 512-byte header of a file of totalBlocks blocks of 2^exponent bytes.
std::string CombinedDiskHeader(const std::string& description, unsigned exponent, std::uint32_t totalBlocks,
                               const std::tm& now);

// Hands each 512-byte directory entry of the file to add, in order: the
// header's own, the product list's, then each piece's; the directory starts
// at offset 0x400.
inline constexpr std::uint64_t kCombinedDirectoryAt = 0x400;
void ForEachDirectoryEntry(const CombinedPlan& plan, const CombinedLayout& layout,
                           const std::function<void(const std::string&)>& add);

} // namespace mapwren
