#include "common/Text.h"

#include <algorithm>

namespace mapwren {

namespace {
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
} // namespace

std::string ToLowerAscii(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
    return out;
}

std::string ToUpperAscii(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), UpperAscii);
    return out;
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && CompareNoCase(text.substr(text.size() - suffix.size()), suffix) == 0;
}

std::string FiveNamedThenMore(const std::vector<std::string>& items, std::string_view first,
                              std::string_view between, std::string_view beforeMore)
{
    constexpr std::size_t kNamed = 5;   // a longer list would push a question off the screen
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < kNamed; ++i)
        text.append(i == 0 ? first : between).append(items[i]);
    if (items.size() > kNamed)
        text.append(beforeMore).append("and " + std::to_string(items.size() - kNamed) + " more");
    return text;
}

std::string ListedPaths(const std::vector<std::string>& paths)
{
    return FiveNamedThenMore(paths, "\n", "\n", "\n");
}

} // namespace mapwren
