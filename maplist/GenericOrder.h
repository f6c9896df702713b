#pragma once

#include <string>
#include <string_view>

namespace mapwren {

// The key by which a column sorts a cell's text: texts that read as numbers
// (blanks around them aside: an optional sign, digits, an optional decimal
// point and digits) come first, by value; every other text follows, compared
// without regard to case.
struct SortKey {
    bool isNumber = false;
    bool negative = false;
    std::string whole;      // number: integer digits without leading zeros; text: the text in lower case
    std::string fraction;   // number: fraction digits without trailing zeros
};

SortKey MakeSortKey(std::string_view text);

// -1, 0 or 1 as a sorts before, with or after b in ascending order.
int CompareSortKeys(const SortKey& a, const SortKey& b);

} // namespace mapwren
