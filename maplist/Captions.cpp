#include "maplist/Captions.h"

#include <cmath>

namespace mapwren {

namespace {

constexpr std::uint64_t kBytesPerMegabyte = 1048576;
constexpr std::uint64_t kBytesPerGigabyte = 1073741824;

// The bytes in the unit with one decimal, an exact half rounded away from
// zero, always "." as the separator. Integer arithmetic keeps every digit
// exact even for totals far beyond what a double holds.
std::string OneDecimal(std::uint64_t magnitude, std::uint64_t unit)
{
    // Split first so that neither part can overflow when multiplied by ten.
    const std::uint64_t whole = magnitude / unit;
    const std::uint64_t rest = magnitude % unit;
    const std::uint64_t tenths = whole * 10 + (rest * 10 + unit / 2) / unit;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string Megabytes(std::int64_t bytes)
{
    const bool negative = bytes < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(bytes) : static_cast<std::uint64_t>(bytes);
    const std::string text = OneDecimal(magnitude, kBytesPerMegabyte);
    return negative && text != "0.0" ? "-" + text : text;
}

std::string Counted(long long count, const char* unit)
{
    return std::to_string(count) + " " + unit + (count == 1 ? "" : "s");
}

} // namespace

// Minutes rounded to the nearest under an hour, to the nearest ten above.
std::string AboutHowLongText(double seconds)
{
    const double minutes = seconds / 60;
    if (minutes < 0.5)
        return "Less than a minute";
    if (minutes < 59.5)
        return "About " + Counted(std::llround(minutes), "minute");
    const long long tens = std::llround(minutes / 10);
    return "About " + Counted(tens / 6, "hour") + (tens % 6 == 0 ? "" : " " + Counted(tens % 6 * 10, "minute"));
}

std::string CountCaption(std::int64_t selectedCount)
{
    return selectedCount == 1 ? "1 Map Selected" : std::to_string(selectedCount) + " Maps Selected";
}

std::string TotalCaption(std::int64_t selectedBytes)
{
    return "Total Bytes: " + std::to_string(selectedBytes) + " (" + Megabytes(selectedBytes) + "MB)";
}

std::string MegabytesText(std::int64_t bytes) { return Megabytes(bytes) + " MB"; }

std::string GigabytesText(std::uint64_t bytes) { return OneDecimal(bytes, kBytesPerGigabyte) + " GB"; }

} // namespace mapwren
