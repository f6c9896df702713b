#include "maplist/Captions.h"

namespace mapwren {

namespace {

constexpr std::int64_t kBytesPerMegabyte = 1048576;

// The total in megabytes with one decimal, an exact half rounded away from
// zero, always "." as the separator. Integer arithmetic keeps every digit
// exact even for totals far beyond what a double holds.
std::string Megabytes(std::int64_t bytes)
{
    const bool negative = bytes < 0;
    // Split first so that neither part can overflow when multiplied by ten.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(bytes) : static_cast<std::uint64_t>(bytes);
    const std::uint64_t whole = magnitude / kBytesPerMegabyte;
    const std::uint64_t rest = magnitude % kBytesPerMegabyte;
    const std::uint64_t tenths = whole * 10 + (rest * 10 + kBytesPerMegabyte / 2) / kBytesPerMegabyte;
    std::string text = negative && tenths != 0 ? "-" : "";
    return text + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

} // namespace

std::string CountCaption(std::int64_t selectedCount)
{
    return selectedCount == 1 ? "1 Map Selected" : std::to_string(selectedCount) + " Maps Selected";
}

std::string TotalCaption(std::int64_t selectedBytes)
{
    return "Total Bytes: " + std::to_string(selectedBytes) + " (" + Megabytes(selectedBytes) + "MB)";
}

} // namespace mapwren
