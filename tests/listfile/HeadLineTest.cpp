#include <gtest/gtest.h>

#include "listfile/ListFile.h"

namespace mapwren {
namespace {

struct HeadCase {
    const char* line;
    bool valid;
    std::optional<Port> port;
    const char* comPort;
    std::optional<int> mapsetState;
    std::optional<std::string> mapsetName;
};

TEST(HeadLine, ReadsMarkerPortAndMapset)
{
    const auto none = std::nullopt;
    const HeadCase cases[] = {
        {"MAPWREN usb", true, Port::Usb, "", none, none},
        {"Mapwren com7", true, Port::Com, "COM7", none, none},
        {"mapwren COM12", true, Port::Com, "COM1", none, none},   // only four characters are read
        {"mapwren Auto", true, Port::Auto, "", none, none},
        {"mapwren_usb", true, Port::Usb, "", none, none},          // the eighth character is not examined
        {"mapwren COM0", true, none, "", none, none},
        {"mapwren COMX", true, none, "", none, none},
        {"mapwren COM", true, none, "", none, none},
        {"mapwren Serial", true, none, "", none, none},
        {"mapwren", true, none, "", none, none},
        {"mapwren USB MAPSET:1 Alps", true, Port::Usb, "", none, none},
        {"mapwren COM3 mapset:1 Alps", true, Port::Com, "COM3", 1, "Alps"},
        {"mapwren  mapset:0 Alps", true, none, "", 0, "Alps"},
        {"mapwren Auto mapset:2  Big Alps ", true, Port::Auto, "", 2, " Big Alps "},
        {"mapwren Auto mapset:7 Alps", true, Port::Auto, "", none, "Alps"},
        {"mapwren Auto mapset:1", true, Port::Auto, "", 1, ""},
        {"mapwren Auto mapset:", true, Port::Auto, "", none, ""},
        {"mapwren x mapset:1 A mapset:2 B", true, none, "", 1, "A mapset:2 B"},
        {"mapwre", false, none, "", none, none},
        {" mapwren usb", false, none, "", none, none},
        {"C:\\MAPS\\A.IMG", false, none, "", none, none},
        {"", false, none, "", none, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<ListHead> head = ParseHeadLine(c.line);
        ASSERT_EQ(head.has_value(), c.valid);
        if (!head)
            continue;
        EXPECT_EQ(head->port, c.port);
        EXPECT_EQ(head->comPort, c.comPort);
        EXPECT_EQ(head->mapsetState, c.mapsetState);
        EXPECT_EQ(head->mapsetName, c.mapsetName);
    }
}

} // namespace
} // namespace mapwren
