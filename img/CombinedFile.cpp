#include "img/CombinedFile.h"

#include <algorithm>
#include <array>
#include <functional>

namespace mapwren {

namespace {

constexpr std::uint32_t kEntryLength = 512, kBlocksPerEntry = 240, kDirectoryAt = 0x400;
constexpr std::uint32_t kMostBlocks = 0xFFFE, kMostHeaderBlocks = 240;
constexpr unsigned kSmallestExponent = 9, kLargestExponent = 24;

std::uint64_t BlocksFor(std::uint64_t size, unsigned blockSize) { return (size + blockSize - 1) / blockSize; }

// Directory entries a subfile of so many blocks takes: one per 240 blocks, one at least.
std::uint64_t EntriesFor(std::uint64_t blocks) { return std::max<std::uint64_t>(1, BlocksFor(blocks, kBlocksPerEntry)); }

void PutAt(std::string& bytes, std::size_t at, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The entries of one subfile, each handed to add: its name and type, its
// size in the first, a flag byte, the part number, and up to 240 block
// numbers each.
void AddEntries(const std::function<void(const std::string&)>& add, const std::string& name, const std::string& type,
                std::uint32_t size, std::uint32_t firstBlock, std::uint32_t blocks, std::uint8_t flag = 0)
{
    const std::uint64_t entries = EntriesFor(blocks);
    std::string entry(kEntryLength, '\0');
    for (std::uint32_t part = 0; part < entries; ++part) {
        entry.assign(kEntryLength, '\0');
        entry[0] = 1;
        entry.replace(1, 8, (name + std::string(8, ' ')).substr(0, 8));
        entry.replace(9, 3, (type + std::string(3, ' ')).substr(0, 3));
        PutAt(entry, 0x0C, part == 0 ? size : 0, 4);
        entry[0x10] = static_cast<char>(flag);
        PutAt(entry, 0x11, part, 2);
        for (std::uint32_t i = 0; i < kBlocksPerEntry; ++i) {
            const std::uint32_t k = part * kBlocksPerEntry + i;
            PutAt(entry, 0x20 + 2 * i, k < blocks ? firstBlock + k : 0xFFFF, 2);
        }
        add(entry);
    }
}

} // namespace

std::optional<CombinedLayout> LayOut(const CombinedPlan& plan)
{
    CombinedLayout best;
    std::optional<std::uint64_t> bestSize;
    const std::string productList = CombinedMpsBytes(plan);
    for (unsigned exponent = kSmallestExponent; exponent <= kLargestExponent; ++exponent) {
        const unsigned blockSize = 1u << exponent;
        std::uint64_t entries = 1 + EntriesFor(BlocksFor(productList.size(), blockSize));
        std::uint64_t dataBlocks = BlocksFor(productList.size(), blockSize);
        for (const CombinedPiece& piece : plan.Pieces()) {
            entries += EntriesFor(BlocksFor(piece.size, blockSize));
            dataBlocks += BlocksFor(piece.size, blockSize);
        }
        const std::uint64_t headerBlocks = BlocksFor(kDirectoryAt + entries * kEntryLength, blockSize);
        const std::uint64_t total = headerBlocks + dataBlocks;
        if (headerBlocks > kMostHeaderBlocks || total > kMostBlocks)
            continue;
        if (bestSize && total * blockSize >= *bestSize)
            continue;
        bestSize = total * blockSize;
        best.exponent = exponent;
        best.blockSize = blockSize;
        best.headerBlocks = static_cast<std::uint32_t>(headerBlocks);
        best.totalBlocks = static_cast<std::uint32_t>(total);
    }
    if (!bestSize)
        return std::nullopt;
    best.productList = productList;
    std::uint32_t next = best.headerBlocks;
    best.productListBlock = next;
    next += static_cast<std::uint32_t>(BlocksFor(productList.size(), best.blockSize));
    for (const CombinedPiece& piece : plan.Pieces()) {
        best.firstBlocks.push_back(next);
        next += static_cast<std::uint32_t>(BlocksFor(piece.size, best.blockSize));
    }
    return best;
}

std::string CombinedDiskHeader(const std::string& text, unsigned exponent, std::uint32_t totalBlocks, const std::tm& now)
{
    const std::uint32_t blockSize = 1u << exponent;
    std::string header(512, '\0');
    header[0x08] = 1;   // version 1.00
    header[0x0A] = static_cast<char>(now.tm_mon + 1);
    header[0x0B] = static_cast<char>(now.tm_year);
    header.replace(0x10, 7, std::string("DSKIMG\0", 7));
    header[0x17] = 2;
    PutAt(header, 0x39, static_cast<std::uint32_t>(now.tm_year + 1900), 2);
    const std::array<int, 5> time = {now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec};
    for (std::size_t i = 0; i < time.size(); ++i)
        header[0x3B + i] = static_cast<char>(time[i]);
    header[0x40] = static_cast<char>(kDirectoryAt / 512);
    header.replace(0x41, 7, std::string("GARMIN\0", 7));
    const std::string description = (text + std::string(50, ' ')).substr(0, 50);
    header.replace(0x49, 20, description.substr(0, 20));
    header.replace(0x65, 30, description.substr(20));
    header[0x61] = static_cast<char>(kSmallestExponent);
    header[0x62] = static_cast<char>(exponent - kSmallestExponent);

    // The disk geometry old readers expect, as mkgmap gives a file of this
    // size: the smallest of its track, head and cylinder counts that holds
    // every 512-byte sector, and a partition ending at the last one.
    const std::uint64_t sectors = (std::uint64_t{totalBlocks + 1} * blockSize + 511) / 512;
    std::uint32_t perTrack = 32, heads = 128, cylinders = 1024;
    [&] {
        for (const std::uint32_t h : {16, 32, 64, 128, 256})
            for (const std::uint32_t s : {4, 8, 16, 32})
                for (const std::uint32_t c : {32, 64, 128, 256, 512, 1023})
                    if (std::uint64_t{s} * h * c > sectors) {
                        perTrack = s, heads = h, cylinders = c;
                        return;
                    }
    }();
    PutAt(header, 0x18, perTrack, 2);
    PutAt(header, 0x1A, heads, 2);
    PutAt(header, 0x1C, cylinders, 2);
    PutAt(header, 0x5D, heads, 2);
    PutAt(header, 0x5F, perTrack, 2);
    PutAt(header, 0x63, static_cast<std::uint32_t>(std::min<std::uint64_t>(0xFFFF, sectors * 512 / blockSize)), 2);
    header[0x1C0] = 1;   // the partition starts at head 0, sector 1, cylinder 0
    const std::uint64_t last = sectors - 1;
    const std::uint64_t endCylinder = last / (perTrack * heads);
    header[0x1C3] = static_cast<char>((last / perTrack) % heads);
    header[0x1C4] = static_cast<char>((last % perTrack + 1) | ((endCylinder >> 2) & 0xC0));
    header[0x1C5] = static_cast<char>(endCylinder & 0xFF);
    PutAt(header, 0x1CA, static_cast<std::uint32_t>(sectors), 4);
    header[0x1FE] = 0x55;
    header[0x1FF] = static_cast<char>(0xAA);
    return header;
}

void ForEachDirectoryEntry(const CombinedPlan& plan, const CombinedLayout& layout,
                           const std::function<void(const std::string&)>& add)
{
    AddEntries(add, "", "", layout.headerBlocks * layout.blockSize, 0, layout.headerBlocks, 3);
    AddEntries(add, "MAKEGMAP", "MPS", static_cast<std::uint32_t>(layout.productList.size()), layout.productListBlock,
               static_cast<std::uint32_t>(BlocksFor(layout.productList.size(), layout.blockSize)));
    for (std::size_t i = 0; i < plan.Pieces().size(); ++i) {
        const CombinedPiece& piece = plan.Pieces()[i];
        AddEntries(add, piece.name, piece.type, piece.size, layout.firstBlocks[i],
                   static_cast<std::uint32_t>(BlocksFor(piece.size, layout.blockSize)));
    }
}

} // namespace mapwren
