#include <string_view>

#include "common/Settings.h"
#include "common/Text.h"
#include "listfile/ListFile.h"

namespace mapwren {

namespace {

constexpr std::string_view kMarker = "mapwren";
constexpr std::string_view kMapsetItem = "mapset:";
constexpr std::size_t kPortWordAt = 8;   // the port word follows "mapwren "

// Positions past the end of the line read as nothing, never as an error.
std::string_view Piece(std::string_view line, std::size_t at, std::size_t count)
{
    return at < line.size() ? line.substr(at, count) : std::string_view{};
}

void ReadPort(std::string_view line, ListHead& head)
{
    const std::string word = ToLowerAscii(Piece(line, kPortWordAt, 3));
    if (word == "aut") {
        head.port = Port::Auto;
    } else if (word == "usb") {
        head.port = Port::Usb;
    } else if (word == "com") {
        // Only four characters are read: "COM12" gives "COM1".
        const std::string comPort = ToUpperAscii(Piece(line, kPortWordAt, 4));
        if (ComPortNumber(comPort) != 0) {
            head.port = Port::Com;
            head.comPort = comPort;
        }
    }
}

void ReadMapset(std::string_view line, ListHead& head)
{
    const std::size_t at = line.find(kMapsetItem);
    if (at == std::string_view::npos)
        return;
    const std::string_view digit = Piece(line, at + kMapsetItem.size(), 1);
    if (digit == "0" || digit == "1" || digit == "2")
        head.mapsetState = digit[0] - '0';
    // The character after the digit is the blank before the name; it is passed over.
    head.mapsetName = std::string(Piece(line, at + kMapsetItem.size() + 2, std::string_view::npos));
}

std::string_view PortWord(const ListSettings& settings)
{
    switch (settings.port) {
    case Port::Auto: return "Auto";
    case Port::Com: return settings.comPort;
    case Port::Usb: return "USB";
    case Port::None: break;
    }
    return {};
}

} // namespace

std::optional<ListHead> ParseHeadLine(const std::string& line)
{
    if (CompareNoCase(Piece(line, 0, kMarker.size()), kMarker) != 0)
        return std::nullopt;
    ListHead head;
    ReadPort(line, head);
    ReadMapset(line, head);
    return head;
}

std::string FormatHeadLine(const ListSettings& settings)
{
    std::string line = "mapwren ";
    line += PortWord(settings);
    if (!settings.mapsetName.empty())
        line += " mapset:" + std::to_string(settings.mapsetState) + " " + settings.mapsetName;
    return line;
}

} // namespace mapwren
