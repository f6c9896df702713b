#include "maplist/MapHeader.h"

#include <array>

#include "common/Encoding.h"

namespace mapwren {

namespace {
constexpr std::size_t kXorOffset = 0;
constexpr std::array<std::pair<std::size_t, std::size_t>, 2> kNameFields = {{{73, 20}, {101, 30}}};
} // namespace

std::string MapNameFromHeader(std::string_view head)
{
    const auto key = head.size() > kXorOffset ? static_cast<unsigned char>(head[kXorOffset]) : 0;
    std::array<char, 50> name;
    std::size_t n = 0;
    for (const auto& [offset, width] : kNameFields) {
        for (std::size_t i = offset; i < offset + width; ++i) {
            // A byte past the end of a short file reads as a blank, whatever the key.
            name[n++] = i < head.size() ? static_cast<char>(static_cast<unsigned char>(head[i]) ^ key) : ' ';
        }
    }
    return HeaderBytesToUtf8(std::string_view(name.data(), n));
}

bool IsGarminMapHeader(std::string_view head)
{
    constexpr std::array<std::pair<std::size_t, std::string_view>, 2> kMarks = {{{0x10, "DSKIMG"}, {0x41, "GARMIN"}}};
    const auto key = head.size() > kXorOffset ? static_cast<unsigned char>(head[kXorOffset]) : 0;
    for (const auto& [offset, mark] : kMarks) {
        if (head.size() < offset + mark.size())
            return false;
        for (std::size_t i = 0; i < mark.size(); ++i) {
            if ((static_cast<unsigned char>(head[offset + i]) ^ key) != static_cast<unsigned char>(mark[i]))
                return false;
        }
    }
    return true;
}

} // namespace mapwren
