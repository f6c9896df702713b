#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mapwren {

// A map file's header up to the end of the second name field.
inline constexpr std::size_t kHeaderLength = 131;

// The 50-character map name (UTF-8) held by the first bytes of a map file.
// head may be shorter than the header: missing bytes read as blanks.
std::string MapNameFromHeader(std::string_view head);

// True when the header bears a Garmin map's two marks once the XOR byte is
// undone: "DSKIMG" at 0x10 and "GARMIN" at 0x41. A CD image or a renamed
// photo lacks them.
bool IsGarminMapHeader(std::string_view head);

} // namespace mapwren
