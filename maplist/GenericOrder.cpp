#include "maplist/GenericOrder.h"

#include "common/Text.h"

namespace mapwren {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view TakeDigits(std::string_view& text)
{
    std::size_t n = 0;
    while (n < text.size() && IsDigit(text[n]))
        ++n;
    const std::string_view digits = text.substr(0, n);
    text.remove_prefix(n);
    return digits;
}

// Fills key as a number when text reads as one; compared as digit strings so
// that every value sorts exactly, however long.
bool ReadNumber(std::string_view text, SortKey& key)
{
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string_view whole = TakeDigits(text);
    std::string_view fraction;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        fraction = TakeDigits(text);
    }
    if (!text.empty() || (whole.empty() && fraction.empty()))
        return false;
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    key.isNumber = true;
    key.negative = negative && !(whole.empty() && fraction.empty());   // -0 is 0
    key.whole = whole;
    key.fraction = fraction;
    return true;
}

int Sign(int c) { return (c > 0) - (c < 0); }

int CompareMagnitudes(const SortKey& a, const SortKey& b)
{
    if (a.whole.size() != b.whole.size())
        return a.whole.size() < b.whole.size() ? -1 : 1;
    if (const int c = a.whole.compare(b.whole))
        return Sign(c);
    return Sign(a.fraction.compare(b.fraction));
}

} // namespace

SortKey MakeSortKey(std::string_view text)
{
    SortKey key;
    if (!ReadNumber(text, key))
        key.whole = ToLowerAscii(text);
    return key;
}

int CompareSortKeys(const SortKey& a, const SortKey& b)
{
    if (a.isNumber != b.isNumber)
        return a.isNumber ? -1 : 1;
    if (!a.isNumber)
        return Sign(a.whole.compare(b.whole));
    if (a.negative != b.negative)
        return a.negative ? -1 : 1;
    const int magnitude = CompareMagnitudes(a, b);
    return a.negative ? -magnitude : magnitude;
}

} // namespace mapwren
