#pragma once

#include <cstdint>
#include <string>

namespace mapwren {

// "1 Map Selected", "0 Maps Selected", "12 Maps Selected".
std::string CountCaption(std::int64_t selectedCount);
// "Total Bytes: 1572864 (1.5MB)".
std::string TotalCaption(std::int64_t selectedBytes);

// "1.5 MB": megabytes of 1048576 bytes, rounded as the total caption's are.
std::string MegabytesText(std::int64_t bytes);
// "4.5 GB": gigabytes of 1073741824 bytes, rounded as the total caption's megabytes are.
std::string GigabytesText(std::uint64_t bytes);

// "Less than a minute", "About 20 minutes", "About 4 hours 10 minutes".
std::string AboutHowLongText(double seconds);

// Select None writes these fixed captions.
inline constexpr const char* kNoneCountCaption = "0 Maps Selected";
inline constexpr const char* kNoneTotalCaption = "Total Bytes: 0 (0MB)";

} // namespace mapwren
