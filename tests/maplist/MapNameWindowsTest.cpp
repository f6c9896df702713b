// Map names on Windows: header bytes read in the system's ANSI code page
// (1252 here), from map files whose own paths hold letters beyond ASCII.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "common/Paths.h"
#include "maplist/MapName.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteImg;

TEST(MapNameWindows, HeaderBytesShowAsTheirCodePage1252Letters)
{
    ASSERT_EQ(GetACP(), 1252u) << "run with code page 1252 (LC_ALL=C.UTF-8 under Wine)";
    TempDir dir;
    struct Case { const char* bytes; std::uint8_t xorByte; const char* shown; };
    const Case cases[] = {
        {"Z\xFCrich", 0, "Z\xC3\xBCrich"},
        {"Z\xFCrich", 0x5A, "Z\xC3\xBCrich"},
        {"\x80 Karte", 0, "\xE2\x82\xAC Karte"},     // euro sign
        {"Gen\xE8ve", 0, "Gen\xC3\xA8ve"},
    };
    // The map file's own name holds "ü" and a blank, so it is opened by its wide path.
    const fs::path file = dir.path() / PathFromUtf8("Z\xC3\xBCrich Karte.img");
    for (const auto& c : cases) {
        WriteImg(file, c.bytes, "", c.xorByte);
        const Result<std::string> name = ExtractName(Utf8FromPath(file));
        ASSERT_TRUE(name.ok()) << name.error();
        EXPECT_EQ(name.value().substr(0, std::string(c.shown).size() + 1), std::string(c.shown) + " ") << c.bytes;
    }
}

} // namespace
} // namespace mapwren
