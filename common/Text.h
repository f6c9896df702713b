#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mapwren {

std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);

// Case-blind comparison of ASCII letters; other bytes compare by code.
// Returns -1, 0 or 1.
int CompareNoCase(std::string_view a, std::string_view b);

// True when text ends with suffix, ASCII letters compared without regard to case.
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

// The first five items, the first after `first` and each other after
// `between`, then beforeMore and "and N more" for the rest.
std::string FiveNamedThenMore(const std::vector<std::string>& items, std::string_view first,
                              std::string_view between, std::string_view beforeMore);

// The paths for a message, one a line after a line break each: the first five,
// then "and N more" for the rest.
std::string ListedPaths(const std::vector<std::string>& paths);

} // namespace mapwren
